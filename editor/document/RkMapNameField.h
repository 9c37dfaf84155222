// The map's name as the map editor panel shows it: Clear Map empties it and its
// undo gives it back, so the next Save Map writes the same file again.
#pragma once

class RkMapNameField {
 public:
  virtual ~RkMapNameField() = default;
  virtual const char* GetMapName() const = 0;
  virtual void SetMapName(const char* text) = 0;
};
