#include "ui/ribbon/gallery/GalleryDropDown.h"

#include <algorithm>

int GalleryResizeBandHeight(TdxRibbonGallerySubMenuResizing Mode, int PaddedHeight) {
  switch (Mode) {
    case gsrHeight: return (PaddedHeight * 6 + 100) / 29;
    case gsrWidthAndHeight: return (PaddedHeight * 9 + 121) / 29;
    default: return 0;
  }
}

TdxRibbonGalleryResizeBandParts GalleryResizeBandParts(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward) {
  switch (Mode) {
    case gsrHeight: return {OpenedDownward ? 58 : 57, OpenedDownward ? 62 : 61};
    case gsrWidthAndHeight: return {OpenedDownward ? 58 : 57, OpenedDownward ? 60 : 59};
    default: return {};
  }
}

bool GalleryIsPointInResizeGrip(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward, int W, int H, int Band,
                                int Indent, const TPoint& P) {
  const int x = P.x, y = P.y;
  if (Mode == gsrHeight) {
    const TRect strip = OpenedDownward ? TRect{0, H - Band - Indent, W, H} : TRect{0, 0, W, Band + Indent};
    return x >= strip.left && x < strip.right && y >= strip.top && y < strip.bottom;
  }
  if (Mode == gsrWidthAndHeight) {
    // A triangle in the band's right corner.
    if (OpenedDownward) return y < H && x >= W - Band && (W - x) + (H - 1 - y) <= Band;
    return y >= 0 && x >= W - 1 - Band && (W - 1 - x) + y <= Band;
  }
  return false;
}

LRESULT GalleryResizeHitCode(TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward, bool InGrip, LRESULT Inherited) {
  if (Mode == gsrNone || !InGrip) return Inherited;
  if (Mode == gsrHeight) return OpenedDownward ? HTBOTTOM : HTTOP;
  return OpenedDownward ? HTBOTTOMRIGHT : HTTOPRIGHT;
}

TRect GalleryDropDownFrameExtents(const TRect& Inherited, TdxRibbonGallerySubMenuResizing Mode, bool OpenedDownward,
                                  int Band) {
  TRect extents = Inherited;
  if (Mode == gsrNone) return extents;
  (OpenedDownward ? extents.bottom : extents.top) += Band;
  return extents;
}

TSize GalleryDropDownMinimalSize(TSize GalleryPreferred, int OtherLinksHeight, const TRect& FrameExtents) {
  return {GalleryPreferred.cx + FrameExtents.left + FrameExtents.right,
          GalleryPreferred.cy + OtherLinksHeight + FrameExtents.top + FrameExtents.bottom};
}

bool GalleryDropDownSizeCorrection(TdxRibbonGallerySubMenuResizing Mode, TSize Window, int GalleryMenuWidth,
                                   int ScrollBarWidth, int ScreenWidth, TSize& NewSize) {
  if (Mode != gsrNone) return false;
  if (Window.cx >= GalleryMenuWidth) return false;
  if (Window.cx + ScrollBarWidth >= ScreenWidth) return false;
  NewSize = {Window.cx + ScrollBarWidth, Window.cy};
  return true;
}

TdxRibbonGalleryKeyAction GalleryControlKeyAction(bool InMenu, WORD Key, bool Shift) {
  if (!InMenu) {
    const bool opens = Key == VK_RETURN || Key == VK_SPACE || Key == VK_UP || Key == VK_DOWN;
    return opens ? gkaDropDown : gkaInherited;
  }
  switch (Key) {
    case VK_TAB: return Shift ? gkaTabMoveBack : gkaTabMove;
    case VK_PRIOR: return gkaPageUp;
    case VK_NEXT: return gkaPageDown;
    case VK_END: return gkaSelectLast;
    case VK_HOME: return gkaSelectFirst;
    case VK_LEFT: return gkaNavigateLeft;
    case VK_UP: return gkaNavigateUp;
    case VK_RIGHT: return gkaNavigateRight;
    case VK_DOWN: return gkaNavigateDown;
    default: return gkaNone;
  }
}

bool GalleryControlWantsKey(bool InMenu, WORD Key) {
  if (InMenu) return Key == VK_TAB || (Key >= VK_PRIOR && Key <= VK_DOWN);
  return Key == VK_RETURN || Key == VK_SPACE || Key == VK_UP || Key == VK_DOWN;
}

TdxRibbonDropDownGalleryKeyAction DropDownGalleryKeyAction(WORD Key, bool Shift, bool HasLastSelectableLink) {
  switch (Key) {
    case VK_TAB: return Shift ? gdkSelectLastLink : gdkEnterGallery;
    case VK_PRIOR:
    case VK_RIGHT:
    case VK_DOWN: return gdkEnterGallery;
    case VK_NEXT: return gdkEnterGalleryPageDown;
    case VK_LEFT:
    case VK_UP: return HasLastSelectableLink ? gdkSelectLastLink : gdkEnterGallery;
    default: return gdkNone;
  }
}
