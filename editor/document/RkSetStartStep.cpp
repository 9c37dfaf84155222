// Moving the game's start, and moving it back.
#include "RkSetStartStep.h"

#include "RkGameSettingsDocument.h"

RkSetStartStep::RkSetStartStep(RkGameSettingsDocument& settings, Start before, Start after)
    : RkEditStep("Set Start Here"), settings(settings), before(std::move(before)), after(std::move(after)) {}

void RkSetStartStep::Apply(const Start& start) {
  settings.Edit().SetMap(start.map);
  settings.Edit().SetStart(start.x, start.y);
}
