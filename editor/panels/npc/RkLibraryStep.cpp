// Taking a change to the NPC library back and making it again.
#include "RkLibraryStep.h"

#include <utility>

RkLibraryStep::RkLibraryStep(std::string label, std::string name, RkNPCSubset before, RkNPCSubset after,
                             RkNPCList& list, Refresher refresh)
    : RkEditStep(std::move(label)),
      name(std::move(name)),
      before(std::move(before)),
      after(std::move(after)),
      list(list),
      refresh(std::move(refresh)) {}

void RkLibraryStep::Undo() {
  before.PutInPlaceOf(after, list);
  if (refresh) refresh(name);
}

void RkLibraryStep::Redo() {
  after.PutInPlaceOf(before, list);
  if (refresh) refresh(name);
}

std::size_t RkLibraryStep::GetByteSize() const {
  return sizeof(*this) + name.size() + before.GetByteSize() + after.GetByteSize();
}
