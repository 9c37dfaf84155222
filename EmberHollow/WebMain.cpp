// The game's entry point in a web page. The browser owns the loop there: it
// calls RunWebPass once per display frame (requestAnimationFrame), and each
// call is one pass of the game's own loop (EmberHollow::RunPass: events, the
// fixed steps of 1/60 s that the elapsed time allows, at most 0.25 s of them,
// one frame), so the page is never blocked. After the pass in which a step saw
// Escape the game is destroyed, as the desktop entry point destroys it, and
// the runtime ends with exit code 0; the page then offers to play again.
//
// Each pass tells the page how long the game took for it and how many steps it
// ran (Module.rkOnPass), which is how the page measures the game's own frame
// time and its steps per second.
#include <emscripten.h>

#include "EmberHollow.h"
#include "PerformanceCounterClock.h"
#include "RkError.h"
#include "RkMessageBox.h"

namespace {

// Lives until the game ends: main returns to the browser long before.
struct WebGame {
  EmberHollow game;
  PerformanceCounterClock clock;
};
WebGame* webGame = nullptr;

void ReportPass(double milliseconds, int steps) {
  EM_ASM(
      {
        if (Module.rkOnPass) Module.rkOnPass($0, $1);
      },
      milliseconds, steps);
}

void EndGame() {
  emscripten_cancel_main_loop();
  delete webGame;
  webGame = nullptr;
  emscripten_force_exit(0);
}

void RunWebPass(void*) {
  const double started = emscripten_get_now();
  const int steps = webGame->game.RunPass(webGame->clock);
  ReportPass(emscripten_get_now() - started, steps);
  if (!webGame->game.IsRunning()) EndGame();
}

}  // namespace

int main() {
  SetRunningProgram(RkProgram::Game);
  RkMessageBox::Install();
  webGame = new WebGame;
  webGame->game.Start(webGame->clock, GameTarget::Window);
  // 0 frames a second: the browser's frame callback sets the pace. The last
  // argument unwinds main here, so the game above stays alive.
  emscripten_set_main_loop_arg(&RunWebPass, nullptr, 0, 1);
  return 0;
}
