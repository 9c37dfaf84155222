// Anything that stands on one cell of the world and is drawn with one image:
// the player's character and the NPCs. The game moves its player with Move; the
// editor uses two plain entities as its camera and origin marker.
#pragma once

#include <cstdint>

#include "RkTextField.h"

// One-cell steps, shared by entities, the world's neighbour queries, the
// renderer's walk animation and both programs' arrow keys.
enum RkDirection : int32_t {
  DirectionNone = 0,
  DirectionLeft = 1,   // x - 1
  DirectionRight = 2,  // x + 1
  DirectionUp = 3,     // y - 1
  DirectionDown = 4,   // y + 1
};

class RkEntity {
 public:
  RkEntity() = default;
  virtual ~RkEntity() = default;
  RkEntity(const RkEntity&) = default;
  RkEntity& operator=(const RkEntity&) = default;

  // One step in the direction; other values change nothing. Nothing checks the
  // grid or other entities: callers check the target cell or undo the step. A
  // coordinate at the int32 limit stays there.
  virtual void Move(RkDirection direction);

  const char* GetName() const { return name_.Get(); }
  // Fatal for a text of 500 characters or more.
  void SetName(const char* name);
  int32_t GetX() const { return x_; }
  int32_t GetY() const { return y_; }
  void SetPosition(int32_t x, int32_t y);
  const char* GetImageFile() const { return imageFile_.Get(); }
  // Fatal for a text of 500 characters or more.
  void SetImageFile(const char* imageFile);

 protected:
  // Stored fields, for the NPC record that RkNPC reads and writes.
  RkTextField name_;
  int32_t x_ = 0;
  int32_t y_ = 0;
  RkTextField imageFile_;
};
