#include "ui/ribbon/gallery/GalleryScrollBar.h"

#include "ui/bars/painters/SkinInterfaces.h"

TdxInRibbonGalleryScrollBarLayout InRibbonGalleryScrollBarLayout(int Width, int Height) {
  const int third = Height / 3;
  return {{0, 0, Width, third}, {0, third, Width, 2 * third}, {0, 2 * third, Width, Height}};
}

int GalleryScrollButtonSkinState(int PartState) {
  switch (PartState) {
    case 2: return 2;
    case 3: return 4;
    case 4: return 1;
    default: return 0;
  }
}

std::array<TdxInRibbonGalleryScrollBarPart, 3> InRibbonGalleryScrollBarParts(int Width, int Height,
                                                                             const TdxInRibbonGalleryScrollBarState& S) {
  constexpr int disabled = 4;
  const TdxInRibbonGalleryScrollBarLayout layout = InRibbonGalleryScrollBarLayout(Width, Height);
  const int up = S.Enabled && S.CanScrollUp ? S.UpPartState : disabled;
  const int down = S.Enabled && S.CanScrollDown ? S.DownPartState : disabled;
  int dropDown = 1;
  if (!S.Enabled)
    dropDown = disabled;
  else if (S.DropDownPressed)
    dropDown = 3;
  else if (!S.Designing && (S.DropDownHot || S.KeyboardSelected))
    dropDown = 2;
  return {{{layout.UpArrow, GalleryScrollButtonSkinState(up), 0},
           {layout.DownArrow, GalleryScrollButtonSkinState(down), 1},
           {layout.DropDownButton, GalleryScrollButtonSkinState(dropDown), 2}}};
}

void PaintInRibbonGalleryScrollBar(HDC DC, IdxSkin* Skin, const TRect& R, const TdxInRibbonGalleryScrollBarState& State) {
  for (const TdxInRibbonGalleryScrollBarPart& part : InRibbonGalleryScrollBarParts(R.right - R.left, R.bottom - R.top, State)) {
    TRect bounds = part.Bounds;
    OffsetRect(&bounds, R.left, R.top);
    Skin->DrawBackground(DC, bounds, GalleryScrollBarFirstSkinPart + part.Kind, part.SkinState);
  }
}
