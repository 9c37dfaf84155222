// One change to the NPC library as one step of its history: the NPCs of the
// name it concerned, with their places in the list, before and after. Every
// library operation changes only NPCs of one name (SAVE NPC, REMOVE NPC and the
// dialogue and response buttons), so that is all a step keeps. After undoing or
// redoing, the NPC editor is shown the list again.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "RkEditStep.h"
#include "RkNPCList.h"
#include "RkNPCSubset.h"

class RkLibraryStep : public RkEditStep {
 public:
  // Shows the library again in the NPC editor, with the NPC of that name selected.
  using Refresher = std::function<void(const std::string& name)>;

  RkLibraryStep(std::string label, std::string name, RkNPCSubset before, RkNPCSubset after, RkNPCList& list,
                Refresher refresh);

  void Undo() override;
  void Redo() override;
  std::size_t GetByteSize() const override;

 private:
  std::string name;
  RkNPCSubset before;
  RkNPCSubset after;
  RkNPCList& list;
  Refresher refresh;
};
