// The canvas's sprites of the edited map, following the map document's changes:
// the one place where the map's edits reach the renderer. A whole map is
// registered as loading a map registers it (every cell's tile image column after
// column, kept as one tile grid, then every NPC's image in the world's order), a
// changed cell gets its tile or NPC sprites afresh from the world, each at its
// view position (32 * (origin + cell)).
#pragma once

#include <cstdint>

#include "RkDirect3D.h"
#include "RkMapDocument.h"

class RkMapSprites {
 public:
  RkMapSprites(const RkMapDocument& document, RkDirect3D& renderer) : document(document), renderer(renderer) {}
  RkMapSprites(const RkMapSprites&) = delete;
  RkMapSprites& operator=(const RkMapSprites&) = delete;

  // Called by the document for each change.
  void Follow(const RkMapDocument::Change& change);

 private:
  void RegisterAll();
  // Replaces the tile sprite at view cell (viewX, viewY) by that of the cell
  // lying there now (none outside the grid or for a cell without an image).
  void RefreshTile(int32_t viewX, int32_t viewY);
  // Replaces the NPC sprites at view cell (viewX, viewY) by those of the NPCs
  // standing there now, in the world's order.
  void RefreshNPCs(int32_t viewX, int32_t viewY);
  void AddNPCSprite(unsigned index);
  static float ViewPixel(int64_t viewCell);

  const RkMapDocument& document;
  RkDirect3D& renderer;
};
