// The canvas's sprites of a world, registered as loading a map registers them:
// every cell's tile image column after column, then every NPC's image in the
// world's order, each at its view position (32 * (origin + cell)). Undo and
// redo use it to give the canvas what a fresh load of the map would show.
#pragma once

#include <cstdint>

#include "RkDirect3D.h"
#include "RkEntity.h"
#include "RkWorld.h"

class RkMapSprites {
 public:
  // Registers the whole world (the renderer's list is expected to be empty).
  static void RegisterAll(const RkWorld& world, const RkEntity& origin, RkDirect3D& renderer);
  // Replaces the tile sprite at view cell (viewX, viewY) by that of the cell
  // lying there now (none outside the grid or for a cell without an image).
  static void RefreshTile(const RkWorld& world, const RkEntity& origin, RkDirect3D& renderer, int32_t viewX,
                          int32_t viewY);
  // Replaces the NPC sprites at view cell (viewX, viewY) by those of the NPCs
  // standing there now, in the world's order.
  static void RefreshNPCs(const RkWorld& world, const RkEntity& origin, RkDirect3D& renderer, int32_t viewX,
                          int32_t viewY);

 private:
  static float ViewPixel(int64_t viewCell);
  static void AddNPCSprite(const RkWorld& world, const RkEntity& origin, RkDirect3D& renderer, unsigned index);
};
