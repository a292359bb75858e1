#pragma once
// The rules of the drop-down gallery window that do not need the window: the resize band's height,
// skin parts and grip, the sizing hit codes, the frame extents, the minimal size, the one-time
// size correction, and the key tables of the gallery and of the window.

#include "platform/framework/graphics/Graphics.h"
#include "ui/ribbon/gallery/GalleryModel.h"

// a: the painter's padded item height for the glyph size and the text height of "Wg" + 3.
int GalleryResizeBandHeight(TdxRibbonGallerySubMenuResizing Mode, int PaddedHeight);

struct TdxRibbonGalleryResizeBandParts {
  int Background = 0;
  int Grip = 0;
};
// Skin parts of the band (drawn in state 0); both 0 without resizing.
TdxRibbonGalleryResizeBandParts GalleryResizeBandParts(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward);

// P in window coordinates of a W x H window; Band = the band height, Indent = the menu border indent.
bool GalleryIsPointInResizeGrip(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward, int W, int H, int Band,
                                int Indent, const TPoint& P);
// The sizing hit code on the grip (HTBOTTOM, HTTOP, HTBOTTOMRIGHT, HTTOPRIGHT), else Inherited.
LRESULT GalleryResizeHitCode(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward, bool InGrip, LRESULT Inherited);
// The frame extents with the band added at the bottom (opened downward) or the top.
TRect GalleryDropDownFrameExtents(const TRect& Inherited, TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward,
                                  int Band);
// The gallery's preferred size, the other links below it, and the frame (band included).
TSize GalleryDropDownMinimalSize(TSize GalleryPreferred, int OtherLinksHeight, const TRect& FrameExtents);
// Without resizing, a window narrower than the gallery's menu width widens once by the scroll-bar
// width when that still fits the screen. True with the new size.
bool GalleryDropDownSizeCorrection(TdxRibbonGallerySubMenuResizing Mode, TSize Window, int GalleryMenuWidth,
                                   int ScrollBarWidth, int ScreenWidth, TSize& NewSize);

// ---- keys ---------------------------------------------------------------------------------------

enum TdxRibbonGalleryKeyAction {
  gkaInherited,  // not handled: the key goes on to the inherited handling
  gkaNone,       // handled, nothing happens
  gkaDropDown,
  gkaTabMove,
  gkaTabMoveBack,
  gkaPageUp,
  gkaPageDown,
  gkaSelectFirst,
  gkaSelectLast,
  gkaNavigateLeft,
  gkaNavigateUp,
  gkaNavigateRight,
  gkaNavigateDown,
};
// The gallery control's answer to a navigation key (not collapsed).
TdxRibbonGalleryKeyAction GalleryControlKeyAction(bool InMenu, WORD Key, bool Shift);
// Whether the gallery control wants a key beyond the inherited ones (not collapsed).
bool GalleryControlWantsKey(bool InMenu, WORD Key);

enum TdxRibbonDropDownGalleryKeyAction {
  gdkNone,
  gdkEnterGallery,          // the gallery takes the selection and selects on entry (kind 0)
  gdkEnterGalleryPageDown,  // the gallery takes the selection, then one page down
  gdkSelectLastLink,        // the window's last selectable link takes the selection
};
// The drop-down window's answer to a key while nothing is selected in it (just opened).
TdxRibbonDropDownGalleryKeyAction DropDownGalleryKeyAction(WORD Key, bool Shift, bool HasLastSelectableLink);
