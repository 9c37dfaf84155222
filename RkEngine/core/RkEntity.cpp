// Entities: naming, placing and one-cell moves.
#include "RkEntity.h"

#include "RkError.h"
#include "RkGridMath.h"

// A position read from a damaged file may sit at the 32-bit limit; no cell lies
// beyond it, so the step stops there.
void RkEntity::Move(RkDirection direction) {
  switch (direction) {
    case DirectionLeft: x_ = RkGridMath::AddClamped(x_, -1); break;
    case DirectionRight: x_ = RkGridMath::AddClamped(x_, 1); break;
    case DirectionUp: y_ = RkGridMath::AddClamped(y_, -1); break;
    case DirectionDown: y_ = RkGridMath::AddClamped(y_, 1); break;
    default: break;
  }
}

void RkEntity::SetName(const char* name) {
  if (!name_.Assign(name)) ReportWin32Error("Failed to set the name of an entity.", RkTextField::kTooLongCause, "RkEntity", 76);
}

void RkEntity::SetPosition(int32_t x, int32_t y) {
  x_ = x;
  y_ = y;
}

void RkEntity::SetImageFile(const char* imageFile) {
  if (!imageFile_.Assign(imageFile)) {
    ReportWin32Error("Failed to set the image file location of an entity.", RkTextField::kTooLongCause,
                     "RkEntity", 100);
  }
}
