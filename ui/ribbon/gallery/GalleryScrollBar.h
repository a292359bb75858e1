#pragma once
// The in-ribbon gallery's three-part scroll bar: row up, row down and the drop-down button, each a
// third of the bar's height (the drop-down part takes the rest), drawn with the ribbon skin's
// gallery scroll buttons (kinds 0, 1 and 2) in the skin's state codes.

#include <array>

#include "platform/framework/graphics/Graphics.h"

struct TdxInRibbonGalleryScrollBarLayout {
  TRect UpArrow{};
  TRect DownArrow{};
  TRect DropDownButton{};
};

TdxInRibbonGalleryScrollBarLayout InRibbonGalleryScrollBarLayout(int Width, int Height);

// The skin's code for a scroll-bar part state (1 normal, 2 hot, 3 pressed, 4 disabled): normal 0,
// disabled 1, hot 2, pressed 4. Any other state draws as normal.
int GalleryScrollButtonSkinState(int PartState);

struct TdxInRibbonGalleryScrollBarPart {
  TRect Bounds{};
  int SkinState = 0;
  int Kind = 0;  // 0 up, 1 down, 2 drop-down
};

// What the bar draws: the arrows are disabled while the rows cannot move that way, every part
// while the bar is disabled; the drop-down part is hot under the cursor or while the keyboard
// selection is on the gallery (not in design or customizing mode).
struct TdxInRibbonGalleryScrollBarState {
  bool Enabled = true;
  bool CanScrollUp = false;
  bool CanScrollDown = false;
  int UpPartState = 1;
  int DownPartState = 1;
  bool DropDownHot = false;
  bool DropDownPressed = false;
  bool KeyboardSelected = false;
  bool Designing = false;
};

std::array<TdxInRibbonGalleryScrollBarPart, 3> InRibbonGalleryScrollBarParts(int Width, int Height,
                                                                             const TdxInRibbonGalleryScrollBarState& State);

class IdxSkin;
// The skin parts of the up arrow, the down arrow and the drop-down button.
constexpr int GalleryScrollBarFirstSkinPart = 53;
// Draws the three parts into R (the bar's client rectangle) through the skin.
void PaintInRibbonGalleryScrollBar(HDC DC, IdxSkin* Skin, const TRect& R, const TdxInRibbonGalleryScrollBarState& State);
