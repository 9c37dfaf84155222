// Entities: naming, placing and one-cell moves.
#include "RkEntity.h"

#include "RkError.h"

void RkEntity::Move(RkDirection direction) {
  switch (direction) {
    case DirectionLeft: --x_; break;
    case DirectionRight: ++x_; break;
    case DirectionUp: --y_; break;
    case DirectionDown: ++y_; break;
    default: break;
  }
}

void RkEntity::SetName(const char* name) {
  if (!name_.Assign(name)) ReportWin32Error("Failed to set the name of an entity.", "RkEntity", 76);
}

void RkEntity::SetPosition(int32_t x, int32_t y) {
  x_ = x;
  y_ = y;
}

void RkEntity::SetImageFile(const char* imageFile) {
  if (!imageFile_.Assign(imageFile)) {
    ReportWin32Error("Failed to set the image file location of an entity.", "RkEntity", 100);
  }
}
