// The box of the game's talking mode, over the lower part of the view: a dark,
// slightly transparent background with a light border, the NPC's name on the
// first line, the page's text below it, then the response options with the
// chosen one marked. A page with more to follow shows ">>" in its corner.
// Drawn through the renderer's boxes and text items, which the game uses for
// nothing else.
#pragma once

#include "RkColor.h"
#include "RkConversation.h"
#include "RkDirect3D.h"
#include "RkRect.h"

class ConversationBox {
 public:
  static constexpr RkRect kArea{20, 310, 620, 460};
  static constexpr RkColor kFill = 0xC0101428u;
  static constexpr RkColor kBorder = 0xFFE8E0C8u;
  static constexpr RkColor kNameColor = 0xFFFFD060u;
  static constexpr RkColor kTextColor = 0xFFFFFFFFu;
  static constexpr RkColor kOptionColor = 0xFFB0B0B0u;
  static constexpr RkColor kChosenColor = 0xFFFFE060u;
  static constexpr const char* kMarker = ">";
  static constexpr const char* kMoreMark = ">>";
  // Inside the border: the space around the lines, the gap between lines, the
  // indent of the options (the marker stands in it), the room of ">>".
  static constexpr int kPaddingX = 10;
  static constexpr int kPaddingY = 6;
  static constexpr int kLineGap = 2;
  static constexpr int kOptionIndent = 18;
  static constexpr int kMoreMarkRoom = 24;

  // The lines and widths the conversation pages its text for, measured with
  // the renderer's font.
  static RkConversation::Layout LayoutFor(const RkDirect3D& renderer);
  // Replaces the renderer's boxes and texts with the conversation's page.
  static void Show(const RkConversation& conversation, RkDirect3D& renderer);
  static void Hide(RkDirect3D& renderer);

 private:
  static int LineHeight(const RkDirect3D& renderer);
  static int LineTop(const RkDirect3D& renderer, int line);
  static void AddLine(RkDirect3D& renderer, const std::string& text, int left, int line, RkColor color);
};
