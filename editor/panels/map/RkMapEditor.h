// The map editor panel: the ImGui tool window "Map Editor" and the plain state of
// its controls. RkMapEditorActions acts on that state once per pass of the
// editor's loop (RkEngine::PollMapEditor), and RkMapCanvas reads the painting
// choice, the previews and the New Area destination when the canvas is clicked
// (RkEngine::HandleMapCanvas). Draw only binds the ImGui widgets to the state, so
// tests drive the panel without a window.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "RkMapNameField.h"

class RkSprite;

class RkMapEditor : public RkMapNameField {
 public:
  // The seven radio buttons are one choice: what a click on the canvas does.
  enum PaintingChoice {
    ChoiceNone = -1,
    ChoiceNull = 0,
    ChoiceOpen = 1,
    ChoiceImpassable = 2,
    ChoiceNewArea = 3,
    ChoiceNullNPC = 4,
    ChoiceNormalNPC = 5,
    ChoiceStaticNPC = 6
  };

  // The canvas's tool: what the left button does there. The tool strip and the
  // keys B, P, F and R choose it; the radio buttons say what it paints.
  enum class Tool { Brush, Rectangle, Fill, Select };

  // The push buttons that act; the two spawn buttons are drawn but do nothing.
  enum class Button { SaveMap, LoadMap, ClearMap, LoadSprite, LoadNewArea, Count };

  // A rectangle of the panel's client area, in pixels.
  struct Rect {
    int left, top, right, bottom;
  };

  static constexpr int kWindowWidth = 277;
  static constexpr int kWindowHeight = 550;
  static constexpr int kWindowOffset = 100;
  static constexpr Rect kTilePreviewRect = {112, 95, 144, 127};
  static constexpr Rect kNPCPreviewRect = {140, 420, 172, 452};
  static constexpr int kTextCapacity = 500;
  // The map name leaves room for ".rkm" in a 500-byte text.
  static constexpr int kMapNameCapacity = kTextCapacity - 4;

  RkMapEditor();
  ~RkMapEditor() override;
  RkMapEditor(const RkMapEditor&) = delete;
  RkMapEditor& operator=(const RkMapEditor&) = delete;

  bool IsOpen() const { return open; }
  // Opens the panel with its controls made afresh: no previews, no New Area map,
  // start point "0", "0", "Null" checked, an empty name and an empty NPC list.
  void Open();
  // The window was closed: the panel keeps its previews and texts until the next Open.
  void Close() { open = false; }

  // Push buttons: a click is recorded by Draw (or a test) and taken once by the poll.
  void Click(Button button) { clicks[Index(button)] = true; }
  bool TakeClick(Button button);

  const char* GetMapName() const override { return mapName; }
  void SetMapName(const char* text) override;
  int GetPaintingChoice() const { return paintingChoice; }
  void SetPaintingChoice(int choice) { paintingChoice = choice; }

  Tool GetTool() const { return tool; }
  void SetTool(Tool chosen) { tool = chosen; }

  RkSprite* GetTileSprite() const { return tileSprite.get(); }
  // Replaces the tile preview, freeing the old one (null allowed).
  void SetTileSprite(std::unique_ptr<RkSprite> sprite);
  const char* GetTileImageFile() const { return tileImageFile; }
  // A new tile image is one cell (SetTileBlock may widen it afterwards).
  void SetTileImageFile(const char* text);
  // A block of a sheet's cells picked in the tile palette: the tile image is
  // its top-left cell, and the canvas paints the whole block from the clicked cell.
  int GetTileBlockColumns() const { return tileBlockColumns; }
  int GetTileBlockRows() const { return tileBlockRows; }
  void SetTileBlock(int columns, int rows);

  const char* GetNewAreaLabel() const { return newAreaLabel; }
  void SetNewAreaLabel(const char* text);
  const char* GetNewAreaFile() const { return newAreaFile; }
  void SetNewAreaFile(const char* text);
  const char* GetStartX() const { return startX; }
  void SetStartX(const char* text);
  const char* GetStartY() const { return startY; }
  void SetStartY(const char* text);

  // The NPC list box: names in insertion order, one selection or none (-1).
  void AddNPCName(const char* name) { npcNames.emplace_back(name); }
  int GetNPCNameCount() const { return static_cast<int>(npcNames.size()); }
  const char* GetNPCName(int index) const { return npcNames[index].c_str(); }
  int GetNPCSelection() const { return npcSelection; }
  void SetNPCSelection(int index);

  RkSprite* GetNPCSprite() const { return npcSprite.get(); }
  void SetNPCSprite(std::unique_ptr<RkSprite> sprite);
  const char* GetNPCImageFile() const { return npcImageFile; }
  void SetNPCImageFile(const char* text);

  // Draws the window "Map Editor" and records its clicks, edits and choices; its
  // close box calls Close(). Called between ImGui::NewFrame and ImGui::Render.
  void Draw();

 private:
  static int Index(Button button) { return static_cast<int>(button); }
  void DrawNameAndMapButtons();
  void DrawTileSection();
  void DrawTileTypes();
  void DrawNewAreaSection();
  void DrawNPCSection();

  bool open = false;
  bool placeWindow = false;
  std::array<bool, static_cast<int>(Button::Count)> clicks{};
  char mapName[kMapNameCapacity] = {};
  int paintingChoice = ChoiceNull;
  Tool tool = Tool::Brush;
  std::unique_ptr<RkSprite> tileSprite;
  char tileImageFile[kTextCapacity] = {};
  int tileBlockColumns = 1;
  int tileBlockRows = 1;
  char newAreaLabel[kTextCapacity] = {};
  char newAreaFile[kTextCapacity] = {};
  char startX[kTextCapacity] = {};
  char startY[kTextCapacity] = {};
  std::vector<std::string> npcNames;
  int npcSelection = -1;
  std::unique_ptr<RkSprite> npcSprite;
  char npcImageFile[kTextCapacity] = {};
};
