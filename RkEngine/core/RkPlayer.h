// The player's entity type of the editor program. It adds nothing to RkEntity
// (the game keeps its player as a plain RkEntity) and is never instantiated.
#pragma once

#include "RkEntity.h"

class RkPlayer : public RkEntity {
 public:
  RkPlayer() = default;
  ~RkPlayer() override;
};
