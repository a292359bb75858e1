#include "ui/skins/paint/SkinPainting.h"

#include <algorithm>
#include <memory>

#include "platform/framework/graphics/Jpeg.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/FastPixels.h"
#include "ui/skins/paint/Gradients.h"

namespace {

int sharedColorDepth = 0;

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

const TRect kNoArea(-1, -1, -1, -1);

bool Empty(const TRect& r) { return r.right <= r.left || r.bottom <= r.top; }

const TsMaskData* MaskAt(TsSkinManager* manager, int index) {
  if (!manager || !manager->IsValidMaskIndex(index)) return nullptr;
  return &manager->Masks()[static_cast<size_t>(index)];
}

TBitmap* MaskSource(const TsMaskData& mask) {
  if (mask.Bmp) return mask.Bmp;
  return mask.Manager ? mask.Manager->MasterBitmap() : nullptr;
}

// Copies tiles of the source rectangle over the target rectangle: whole tiles, then one shortened
// tile at the right and at the bottom. rowsWhole: stop before a row that is not a whole tile.
void TileRect(HDC dst, const TRect& target, HDC src, const TRect& tile, bool rowsWhole = false) {
  int tw = tile.right - tile.left, th = tile.bottom - tile.top;
  if (tw <= 0 || th <= 0) return;
  for (int y = target.top; y < target.bottom; y += th) {
    int h = std::min(th, int(target.bottom) - y);
    if (rowsWhole && h < th) break;
    for (int x = target.left; x < target.right; x += tw) {
      int w = std::min(tw, int(target.right) - x);
      BitBlt(dst, x, y, w, h, src, tile.left, tile.top, SRCCOPY);
    }
  }
}

// The parent's face behind R: Bmp's R top-left lies at (ci.X + p.x, ci.Y + p.y) in the parent's cache.
void CopyParentFace(TBitmap* bmp, const TRect& r, const TsCacheRef& ci, TPoint p) {
  if (!ci.Bmp || Empty(r)) return;
  BitBlt(bmp->Canvas()->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, ci.Bmp->Canvas()->Handle(),
         ci.X + p.x, ci.Y + p.y, SRCCOPY);
}

// What one state of a section paints its background with.
struct TBackground {
  TColor Color = 0;
  int Image = 0;
  int Gradient = 0;
  const TsGradArray* GradientArray = nullptr;
  bool GradientEmpty = true;
  int Transparency = 0;
  int TextureIndex = -1;  // a mask entry
  int PatternIndex = -1;  // a pattern entry
};

// Paints the background into R of bmp; ci maps bmp's pixels into the parent's cache.
void PaintBackground(TsSkinManager* manager, TBitmap* bmp, TRect r, const TBackground& b, const TsCacheRef& ci) {
  HDC dc = bmp->Canvas()->Handle();
  bool painted = false;
  if (b.Image > 0) {
    TRect left = r;
    if (b.PatternIndex >= 0 && b.PatternIndex < int(manager->Patterns().size())) {
      painted = true;
      left = kNoArea;
      if (TJPEGImage* image = manager->Patterns()[size_t(b.PatternIndex)].Img; image && !image->Empty()) {
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        int cols = (r.right - r.left) / image->Width() + 1, rows = (r.bottom - r.top) / image->Height() + 1;
        for (int row = 0; row < rows; ++row)
          for (int col = 0; col < cols; ++col)
            bmp->Canvas()->Draw(r.left + col * image->Width(), r.top + row * image->Height(), image);
        RestoreDC(dc, saved);
      }
    } else if (const TsMaskData* texture = MaskAt(manager, b.TextureIndex)) {
      painted = true;
      if (texture->MaskType > 0)
        FillMaskedTexture(bmp, left, ci, texture->StretchMode, *texture);
      else
        FillTexture(bmp->Canvas(), left, MaskSource(*texture), texture->StretchMode, *texture);
    }
    if (painted && left.left != -1 && !Empty(left)) FillDC(dc, left, b.Color);
  }
  if (b.Gradient > 0) {
    auto paintGradient = [&](TBitmap* target, TRect area) {
      if (b.GradientEmpty || !b.GradientArray || b.GradientArray->empty())
        FillDC(target->Canvas()->Handle(), area, b.Color);
      else
        PaintGradient(target, area, *b.GradientArray);
    };
    if (painted) {
      BitmapPtr gradient(CreateBmp24(r.right - r.left, r.bottom - r.top));
      paintGradient(gradient.get(), TRect(0, 0, r.right - r.left, r.bottom - r.top));
      int a = std::clamp(b.Image * 255 / 100, 0, 255);
      BlendTransRectangle(bmp, gradient.get(), a, TPoint(r.left, r.top), TRect(0, 0, r.right - r.left, r.bottom - r.top));
    } else {
      paintGradient(bmp, r);
    }
  }
  int mix = b.Image + b.Gradient;
  if (mix == 0) {
    bool seeThrough = b.Transparency != 0 && SharedTransparentColor != clFuchsia;
    FillDC(dc, r, seeThrough ? SharedTransparentColor : b.Color);
  } else if (mix < 100) {
    BlendColor(bmp, TRect(r.left, r.top, r.right - 1, r.bottom - 1), mix, b.Color);
  }
}

// Paints the background as the section's transparency asks: the parent's face, the own
// background, or the two blended.
void PaintWithTransparency(TsSkinManager* manager, TBitmap* bmp, TRect r, TPoint p, const TsCacheRef& ci,
                           const TBackground& b, bool fillFromSharedColor) {
  TsCacheRef mapped = ci;
  mapped.X = ci.X + p.x - r.left;
  mapped.Y = ci.Y + p.y - r.top;
  if (!ci.Ready || b.Transparency == 0) {
    PaintBackground(manager, bmp, r, b, mapped);
    return;
  }
  auto parentFace = [&] {
    if (bmp == ci.Bmp) return;
    if (fillFromSharedColor && SharedTransparentColor != clFuchsia)
      FillDC(bmp->Canvas()->Handle(), r, SharedTransparentColor);
    else
      CopyParentFace(bmp, r, ci, p);
  };
  if (b.Transparency >= 100) {
    parentFace();
    return;
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  BitmapPtr own(CreateBmp24(w, h));
  TsCacheRef ownCi = ci;
  ownCi.X = ci.X + p.x;
  ownCi.Y = ci.Y + p.y;
  PaintBackground(manager, own.get(), TRect(0, 0, w, h), b, ownCi);
  parentFace();
  int a = std::clamp(b.Transparency * 255 / 100, 0, 255);
  BlendTransRectangle(bmp, own.get(), a, TPoint(r.left, r.top), TRect(0, 0, w, h));
}

// Draws one frame of each corner image of the section.
void PaintCornerImages(TsSkinManager* manager, int skinIndex, const String& section, TBitmap* bmp, const TRect& r,
                       int state) {
  static const String names[4] = {L"IMGTOPLEFT", L"IMGTOPRIGHT", L"IMGBTMLEFT", L"IMGBTMRIGHT"};
  for (int corner = 0; corner < 4; ++corner) {
    const TsMaskData* mask = MaskAt(manager, manager->GetMaskIndex(skinIndex, section, names[corner]));
    if (!mask) continue;
    TFrameSize frame = MaskFrame(*mask);
    int w = frame.Width, h = frame.Height;
    TPoint at(corner == 1 || corner == 3 ? r.right - w : r.left, corner >= 2 ? r.bottom - h : r.top);
    DrawSkinGlyph(bmp, at, state, *mask, 1);
  }
}

bool RectFits(const TRect& r, TBitmap* bmp) {
  return r.left >= 0 && r.top >= 0 && r.right <= bmp->Width() && r.bottom <= bmp->Height();
}

}  // namespace

TSharedColorScope::TSharedColorScope() { ++sharedColorDepth; }

TSharedColorScope::~TSharedColorScope() {
  if (--sharedColorDepth == 0) SharedTransparentColor = SharedParentColor = clFuchsia;
}

// ---- texture fills ---------------------------------------------------------------------------------

void FillTexture(TCanvas* canvas, TRect& r, TBitmap* image, int mode, const TsMaskData& mask) {
  TRect area = r;
  r = kNoArea;
  if (!image || Empty(area)) return;
  HDC dst = canvas->Handle(), src = image->Canvas()->Handle();
  TRect tile = mask.R;
  int tw = tile.right - tile.left, th = tile.bottom - tile.top;
  if (tw <= 0 || th <= 0) return;
  if (mask.Bmp) {
    TileRect(dst, area, src, tile);
    return;
  }
  auto band = [&](TRect target, bool stretch) {
    if (Empty(target)) return;
    if (!stretch) {
      TileRect(dst, target, src, tile);
      return;
    }
    SetStretchBltMode(dst, HALFTONE);
    StretchBlt(dst, target.left, target.top, target.right - target.left, target.bottom - target.top, src, tile.left,
               tile.top, tw, th, SRCCOPY);
  };
  int top = std::min(int(area.top) + th, int(area.bottom)), left = std::min(int(area.left) + tw, int(area.right));
  int bottom = std::max(int(area.bottom) - th, int(area.top)), right = std::max(int(area.right) - tw, int(area.left));
  switch (mode) {
    case 0:
      band(area, false);
      break;
    case 1:
      band(area, true);
      break;
    case 2:
      band(TRect(area.left, area.top, area.right, top), false);
      r = TRect(area.left, top, area.right, area.bottom);
      break;
    case 3:
      band(TRect(area.left, area.top, left, area.bottom), false);
      r = TRect(left, area.top, area.right, area.bottom);
      break;
    case 4:
      band(TRect(area.left, area.top, area.right, top), true);
      r = TRect(area.left, top, area.right, area.bottom);
      break;
    case 5:
      band(TRect(area.left, area.top, left, area.bottom), true);
      r = TRect(left, area.top, area.right, area.bottom);
      break;
    case 6:
      band(TRect(area.left, bottom, area.right, area.bottom), false);
      r = TRect(area.left, area.top, area.right, bottom);
      break;
    case 7:
      band(TRect(right, area.top, area.right, area.bottom), false);
      r = TRect(area.left, area.top, right, area.bottom);
      break;
    case 10:
      // Whole rows only: a bottom strip lower than one tile keeps what it had.
      TileRect(dst, area, src, tile, true);
      break;
    default:
      // The right band is drawn, but the whole rectangle is left for the colour.
      band(TRect(right, area.top, area.right, area.bottom), false);
      r = area;
      break;
  }
  if (!Empty(r) || r.left == -1) return;
  r = kNoArea;
}

void FillMaskedTexture(TBitmap* bmp, TRect& r, const TsCacheRef& ci, int mode, const TsMaskData& mask) {
  if (mode != 0 && mode != 10) return;
  TRect area = r;
  r = kNoArea;
  if (mask.ImageCount <= 0) return;
  int tw = (mask.R.right - mask.R.left) / mask.ImageCount, th = (mask.R.bottom - mask.R.top) / 2;
  if (tw <= 0 || th <= 0) return;
  TRect src(mask.R.left, mask.R.top, mask.R.left + tw, mask.R.top + th);
  int x = area.left, y = area.top;
  int lastX = area.left;
  for (y = area.top; y < area.bottom - th; y += th) {
    for (x = area.left; x < area.right - tw; x += tw) CopyMaskedTile(TRect(x, y, x + tw, y + th), src, bmp, mask, ci);
    lastX = x;
    if (mode == 0)
      CopyMaskedTile(TRect(x, y, area.right, y + th), TRect(src.left, src.top, src.left + area.right - x, src.bottom),
                     bmp, mask, ci);
  }
  if (mode != 10) return;
  if (y == area.top) y = 0;
  x = lastX;
  TRect strips[2] = {TRect(area.left, y, area.right, area.bottom), TRect(x, area.top, area.right, area.bottom)};
  for (const TRect& strip : strips) {
    if (Empty(strip)) continue;
    if (ci.Ready && ci.Bmp)
      CopyParentFace(bmp, strip, ci, TPoint(strip.left, strip.top));
    else
      FillDC(bmp->Canvas()->Handle(), strip, SharedParentColor);
  }
}

// ---- backgrounds -----------------------------------------------------------------------------------

void PaintItemBG(int skinIndex, const String& section, const TsCacheRef& ci, int state, TRect r, TPoint p,
                 TBitmap* bmp, TsSkinManager* manager, int textureIndex, int hotTextureIndex, TColor customColor) {
  TSharedColorScope colors;
  if (!manager) manager = DefaultManager;
  if (!manager || !manager->IsValidSkinIndex(skinIndex) || !bmp || Empty(r)) return;
  const TsGeneralData& data = manager->Sections()[size_t(skinIndex)];
  TBackground b;
  const wchar_t* textureName = state == 0 ? L"PATTERN" : L"HOTPATTERN";
  int given = state == 0 ? textureIndex : hotTextureIndex;
  if (customColor != clFuchsia) {
    b.Color = customColor;
  } else if (state == 0) {
    b = {data.Color, data.ImagePercent, data.GradientPercent, &data.GradientArray, data.GradientData.empty(),
         data.Transparency};
  } else {
    b = {data.HotColor, data.HotImagePercent, data.HotGradientPercent, &data.HotGradientArray,
         data.HotGradientData.empty(), data.HotTransparency};
  }
  if (b.Image > 0) {
    int t = -1;
    if (given == -1)
      t = manager->GetMaskIndex(skinIndex, section, textureName);
    else if (const TsMaskData* entry = MaskAt(manager, given); entry && entry->MaskType == 0)
      t = given;
    if (manager->IsValidMaskIndex(t))
      b.TextureIndex = t;
    else
      b.PatternIndex = manager->GetPatternIndex(skinIndex, section, textureName);
  }
  if (b.Gradient == 0) b.GradientArray = nullptr;
  PaintWithTransparency(manager, bmp, r, p, ci, b, true);
  if (state != 0) return;
  // A masked texture in mode 10 lies over the background.
  const TsMaskData* overlay = MaskAt(manager, textureIndex);
  if (!overlay || overlay->MaskType < 1) overlay = MaskAt(manager, hotTextureIndex);
  if (overlay && overlay->MaskType >= 1 && overlay->StretchMode == 10) {
    TRect area = r;
    FillMaskedTexture(bmp, area, ci, 10, *overlay);
  }
}

void PaintItemBGFast(int skinIndex, int textureIndex, int hotTextureIndex, TsSkinManager* manager, TBitmap* bmp,
                     TPoint p, TRect r, int state, const TsCacheRef& ci, const String& section) {
  (void)section;
  TSharedColorScope colors;
  if (!manager) manager = DefaultManager;
  if (!manager || !manager->IsValidSkinIndex(skinIndex) || !bmp || Empty(r)) return;
  const TsGeneralData& data = manager->Sections()[size_t(skinIndex)];
  TBackground b;
  if (state == 0)
    b = {data.Color, data.ImagePercent, data.GradientPercent, &data.GradientArray, data.GradientData.empty(),
         data.Transparency, textureIndex};
  else
    b = {data.HotColor, data.HotImagePercent, data.HotGradientPercent, &data.HotGradientArray,
         data.HotGradientData.empty(), data.HotTransparency, hotTextureIndex};
  if (b.Gradient == 0) b.GradientArray = nullptr;
  PaintWithTransparency(manager, bmp, r, p, ci, b, false);
}

void PaintControlBG(TsCommonData* skinData, const TsCacheRef& ci, int state, TBitmap* bmp, TPoint p, TRect r) {
  TSharedColorScope colors;
  if (!skinData) return;
  TColor custom = clFuchsia;
  if (skinData->CustomColor()) {
    if (auto* provider = dynamic_cast<TacSkinProviderBase*>(skinData->OwnerObject()); provider && provider->ProviderForm())
      custom = ColorToRGB(provider->ProviderForm()->Color());
    else if (skinData->OwnerControl())
      custom = ColorToRGB(skinData->OwnerControl()->Color());
  }
  PaintItemBG(skinData->SkinIndex, skinData->SkinSection(), ci, state, r, p, bmp, skinData->SkinManager(),
              skinData->Texture, skinData->HotTexture, custom);
}

// ---- whole items -----------------------------------------------------------------------------------

void PaintItem(TsCommonData* skinData, TsCacheRef ci, bool filling, int state, TRect r, TPoint p, TBitmap* bmp,
               bool updateCorners) {
  TSharedColorScope colors;
  if (!skinData || !bmp) return;
  TsSkinManager* manager = skinData->SkinManager();
  if (!manager || !manager->IsValidSkinIndex(skinData->SkinIndex) || !RectFits(r, bmp)) return;
  TControl* owner = skinData->OwnerControl();
  TWinControl* parent = owner ? owner->Parent() : nullptr;
  SharedTransparentColor = clFuchsia;
  if (!ci.Ready && parent) SharedParentColor = SharedTransparentColor = ColorToRGB(parent->Color());
  if (ci.Ready && parent && !skinData->RepaintWhenMoved() && SharedTransparentColor == clFuchsia)
    GetControlBgColor(parent);
  PaintControlBG(skinData, ci, state, bmp, p, r);
  ci.X += p.x;
  ci.Y += p.y;
  if (const TsMaskData* border = MaskAt(manager, skinData->BorderIndex)) {
    if (state != 0 || !(border->StretchMode & 2)) PaintBorder(bmp, r, filling, ci, *border, state, updateCorners);
  }
  SharedParentColor = SharedTransparentColor = clFuchsia;
  PaintCornerImages(manager, skinData->SkinIndex, skinData->SkinSection(), bmp, r, state);
}

void PaintItemByIndex(int skinIndex, const String& section, TsCacheRef ci, int textureIndex, int hotTextureIndex,
                      TsSkinManager* manager, TBitmap* bmp, TPoint p, TRect r, int state, bool filling) {
  TSharedColorScope colors;
  if (!manager) manager = DefaultManager;
  if (!manager || !manager->IsValidSkinIndex(skinIndex) || !bmp || !RectFits(r, bmp)) return;
  PaintItemBG(skinIndex, section, ci, state, r, p, bmp, manager, textureIndex, hotTextureIndex);
  PaintCornerImages(manager, skinIndex, section, bmp, r, state);
  if (const TsMaskData* border = MaskAt(manager, manager->GetMaskIndex(skinIndex, section, L"BORDERSMASK"))) {
    ci.X += p.x;
    ci.Y += p.y;
    PaintBorder(bmp, r, filling, ci, *border, state, true);
  }
}

void PaintItemToDC(int skinIndex, const String& section, const TsCacheRef& ci, TsSkinManager* manager, HDC dc,
                   TPoint p, TRect r, int state, bool filling) {
  TSharedColorScope colors;
  if (Empty(r) || r.left < 0 || r.top < 0) return;
  int w = r.right - r.left, h = r.bottom - r.top;
  BitmapPtr bmp(CreateBmp24(w, h));
  PaintItemByIndex(skinIndex, section, ci, -1, -1, manager, bmp.get(), p, TRect(0, 0, w, h), state, filling);
  BitBlt(dc, r.left, r.top, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void PaintItemFast(int skinIndex, int borderIndex, int textureIndex, int hotTextureIndex, TsSkinManager* manager,
                   TBitmap* bmp, TPoint p, TRect r, int state, bool filling, TsCacheRef ci, const String& section) {
  TSharedColorScope colors;
  if (!manager) manager = DefaultManager;
  if (!manager || !bmp) return;
  PaintItemBGFast(skinIndex, textureIndex, hotTextureIndex, manager, bmp, p, r, state, ci, section);
  if (const TsMaskData* border = MaskAt(manager, borderIndex)) {
    ci.X += p.x;
    ci.Y += p.y;
    PaintBorder(bmp, r, filling, ci, *border, state, true);
  }
}

// ---- the border ------------------------------------------------------------------------------------

void PaintBorder(TBitmap* bmp, TRect r, bool filling, const TsCacheRef& ci, const TsMaskData& mask, int state,
                 bool updateCorners) {
  if (state == 0 && (mask.StretchMode & 2)) return;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w < 2 || h < 2 || !mask.Manager || mask.ImageCount <= 0 || !bmp) return;
  TBitmap* source = MaskSource(mask);
  if (!source) return;
  int wl = mask.WL, wt = mask.WT, wr = mask.WR, wb = mask.WB;
  auto shrink = [](int& a, int& b, int size) {
    if (size >= a + b) return;
    int d = (a + b - size) / 2;
    a -= d;
    b -= d;
    if (size % 2 != 0) b -= 1;
    a = std::max(a, 0);
    b = std::max(b, 0);
  };
  shrink(wl, wr, w);
  shrink(wt, wb, h);
  state = std::min(state, mask.ImageCount - 1);
  int fw = (mask.R.right - mask.R.left) / mask.ImageCount;
  int fh = (mask.R.bottom - mask.R.top) / (mask.MaskType + 1);
  int mw = std::max(0, fw - wl - wr), mh = std::max(0, fh - wt - wb);
  int sx = mask.R.left + state * fw, sy = mask.R.top;
  bool centre = filling && (mask.StretchMode & 4);

  if (mask.MaskType != 0) {
    auto piece = [&](TRect dst, int fromX, int fromY, bool corner) {
      if (Empty(dst)) return;
      TRect src(fromX, fromY, fromX + (dst.right - dst.left), fromY + (dst.bottom - dst.top));
      CopyMasked(dst, src, bmp, source, corner ? ci : EmptyCacheRef, corner, mask);
    };
    // Tiles along one axis: whole tiles, then one shortened tile up to the end.
    auto vertical = [&](int x, int width, int fromX, int fromY) {
      if (mh <= 0) return;
      int y = r.top + wt;
      for (; y < r.bottom - mh - wb; y += mh) piece(TRect(x, y, x + width, y + mh), fromX, fromY, false);
      piece(TRect(x, y, x + width, r.bottom - wb), fromX, fromY, false);
    };
    auto horizontal = [&](int y, int height, int fromX, int fromY) {
      if (mw <= 0) return;
      int x = r.left + wl;
      for (; x < r.right - mw - wr; x += mw) piece(TRect(x, y, x + mw, y + height), fromX, fromY, false);
      piece(TRect(x, y, r.right - wr, y + height), fromX, fromY, false);
    };
    piece(TRect(r.left, r.top, r.left + wl, r.top + wt), sx, sy, true);
    vertical(r.left, wl, sx, sy + wt);
    horizontal(r.top, wt, sx + wl, sy);
    piece(TRect(r.left, r.bottom - wb, r.left + wl, r.bottom), sx, sy + fh - wb, true);
    horizontal(r.bottom - wb, wb, sx + wl, sy + fh - wb);
    piece(TRect(r.right - wr, r.bottom - wb, r.right, r.bottom), sx + wl + mw, sy + fh - wb, true);
    piece(TRect(r.right - wr, r.top, r.right, r.top + wt), sx + wl + mw, sy, true);
    vertical(r.right - wr, wr, sx + wl + mw, sy + wt);
    if (centre && mw > 0 && mh > 0) {
      int y = r.top + wt;
      for (; y < r.bottom - mh - wb; y += mh) horizontal(y, mh, sx + wl, sy + wt);
      horizontal(y, r.bottom - wb - y, sx + wl, sy + wt);
    }
    return;
  }

  int bottomRow = mask.R.bottom - wb;
  auto corner = [&](int x, int y, int fromX, int fromY, int width, int height) {
    if (width <= 0 || height <= 0) return;
    CopyTransparent(bmp, source, x, y, TRect(fromX, fromY, fromX + width - 1, fromY + height - 1), clFuchsia, ci,
                    updateCorners);
  };
  corner(r.left, r.top, sx, sy, wl, wt);
  corner(r.left, r.bottom - wb, sx, bottomRow, wl, wb);
  corner(r.right - wr, r.bottom - wb, sx + wl + mw, bottomRow, wr, wb);
  corner(r.right - wr, r.top, sx + wl + mw, sy, wr, wt);
  HDC dst = bmp->Canvas()->Handle(), src = source->Canvas()->Handle();
  bool stretch = (mask.StretchMode & 1) != 0;
  auto span = [&](TRect target, TRect tile, bool tileV, bool tileH) {
    if (Empty(target) || Empty(tile)) return;
    if (stretch) {
      SetStretchBltMode(dst, HALFTONE);
      StretchBlt(dst, target.left, target.top, target.right - target.left, target.bottom - target.top, src, tile.left,
                 tile.top, tile.right - tile.left, tile.bottom - tile.top, SRCCOPY);
    } else if (tileV || tileH) {
      TileRect(dst, target, src, tile);
    }
  };
  span(TRect(r.left, r.top + wt, r.left + wl, r.bottom - wb), TRect(sx, sy + wt, sx + wl, sy + wt + mh), mh > 0, false);
  span(TRect(r.right - wr, r.top + wt, r.right, r.bottom - wb),
       TRect(sx + wl + mw, sy + wt, sx + wl + mw + wr, sy + wt + mh), mh > 0, false);
  span(TRect(r.left + wl, r.top, r.right - wr, r.top + wt), TRect(sx + wl, sy, sx + wl + mw, sy + wt), false, mw >= 1);
  span(TRect(r.left + wl, r.bottom - wb, r.right - wr, r.bottom), TRect(sx + wl, bottomRow, sx + wl + mw, bottomRow + wb),
       false, mw >= 1);
  if (centre)
    span(TRect(r.left + wl, r.top + wt, r.right - wr, r.bottom - wb), TRect(sx + wl, sy + wt, sx + wl + mw, sy + wt + mh),
         mh > 0, mw >= 1);
}

// ---- the corner update -----------------------------------------------------------------------------

void UpdateCorners(TsCommonData* skinData, int state, int corners) {
  TSharedColorScope colors;
  if (!skinData) return;
  TsSkinManager* manager = skinData->SkinManager();
  TControl* owner = skinData->OwnerControl();
  const TsMaskData* found = MaskAt(manager, skinData->BorderIndex);
  if (!found || !skinData->CacheBmp || !owner || owner->Width() < 2 || owner->Height() < 2) return;
  // The mask's geometry only: this runs at every paint, and the whole record would copy its names.
  struct {
    TRect R;
    int ImageCount, MaskType, WL, WT, WR, WB;
  } mask{found->R, found->ImageCount, found->MaskType, found->WL, found->WT, found->WR, found->WB};
  if (found->Bmp && mask.ImageCount == 0) {
    mask.ImageCount = 3;
    mask.MaskType = 1;
    mask.R = TRect(0, 0, found->Bmp->Width(), found->Bmp->Height());
  }
  if (mask.ImageCount <= 0) return;
  TacFast24 src, cache;
  if (!src.Attach(MaskSource(*found)) || !cache.Attach(skinData->CacheBmp)) return;
  int frameState = std::min(state, int(mask.ImageCount) - 1);
  int width = mask.R.right - mask.R.left;
  int ox = mask.R.left + frameState * width / mask.ImageCount;
  int fh = (mask.R.bottom - mask.R.top) / (mask.MaskType + 1);
  int mw = width / mask.ImageCount - mask.WL - mask.WR;
  int w = owner->Width(), h = owner->Height();
  struct TPiece {
    int Bit, SrcX, SrcY, Width, Height, DstX, DstY;
  };
  const TPiece pieces[4] = {
      {1, ox, mask.R.top, mask.WL, mask.WT, 0, 0},
      {2, ox, mask.R.top + fh - mask.WB, mask.WL, mask.WB, 0, h - mask.WB},
      {8, ox + mask.WL + mw, mask.R.top + fh - mask.WB, mask.WR, mask.WB, w - mask.WR, h - mask.WB},
      {4, ox + mask.WL + mw, mask.R.top, mask.WR, mask.WT, w - mask.WR, 0},
  };
  auto keyAt = [&](const TPiece& piece, int x, int y) {
    int sx = piece.SrcX + x, sy = piece.SrcY + y;
    return sx >= 0 && sy >= 0 && sx < src.Width && sy < src.Height && src.Pixel(sx, sy) == clFuchsia;
  };
  // Square corners have no key pixels: nothing to ask the parent.
  bool anyKey = false;
  for (const TPiece& piece : pieces)
    for (int y = 0; y < piece.Height && !anyKey && (corners & piece.Bit); ++y)
      for (int x = 0; x < piece.Width && !anyKey; ++x) anyKey = keyAt(piece, x, y);
  if (!anyKey) return;

  TsCacheRef ci = skinData->GetParentCache();
  TWinControl* parent = owner->Parent();
  if (!parent) {
    SharedTransparentColor = clFuchsia;
  } else if (!ci.Ready) {
    SharedTransparentColor = ColorToRGB(parent->Color());
  } else if (skinData->ParentBackgroundVaries()) {
    SharedTransparentColor = clFuchsia;
  } else if (SharedTransparentColor == clFuchsia) {
    GetControlBgColor(parent);
  } else {
    SharedTransparentColor = clFuchsia;
  }
  TColor fill = SharedTransparentColor;
  if (fill == clFuchsia) {
    ci.X += owner->Left();
    ci.Y += owner->Top();
  }
  TBitmap* parentBmp = ci.Ready ? ci.Bmp : nullptr;
  bool parent24 = parentBmp && parentBmp->PixelFormat() == pf24bit;
  bool parent32 = parentBmp && parentBmp->PixelFormat() == pf32bit && mask.MaskType == 0;
  TacFast24 parent24Bits;
  TacFast32 parent32Bits;
  if (parent24 && !parent24Bits.Attach(parentBmp)) parent24 = false;
  if (parent32 && !parent32Bits.Attach(parentBmp)) parent32 = false;
  for (const TPiece& piece : pieces) {
    if (!(corners & piece.Bit)) continue;
    for (int y = 0; y < piece.Height; ++y) {
      int dy = piece.DstY + y;
      if (dy < 0 || dy >= cache.Height) continue;
      for (int x = 0; x < piece.Width; ++x) {
        int dx = piece.DstX + x;
        if (dx < 0 || dx >= cache.Width || !keyAt(piece, x, y)) continue;
        if (fill != clFuchsia) {
          cache.SetPixel(dx, dy, fill);
          continue;
        }
        int px = ci.X + dx, py = ci.Y + dy;
        if (parent24 && px >= 0 && py >= 0 && px < parent24Bits.Width && py < parent24Bits.Height)
          cache.SetPixel(dx, dy, parent24Bits.Pixel(px, py));
        else if (parent32 && px >= 0 && py >= 0 && px < parent32Bits.Width && py < parent32Bits.Height)
          cache.SetPixel(dx, dy, parent32Bits.Pixel(px, py) & 0xFFFFFF);
      }
    }
  }
}
