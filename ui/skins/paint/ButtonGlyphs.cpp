#include "ui/skins/paint/ButtonGlyphs.h"

#include <memory>

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

TBitmap* glyphSheets[kGlyphSheetCount] = {};

TColor BottomLeft(TBitmap* bmp) {
  if (!bmp || bmp->Width() < 1 || bmp->Height() < 1) return clFuchsia;
  const auto* p = static_cast<const Byte*>(bmp->ScanLine(bmp->Height() - 1));
  return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

TColor PixelOf(TBitmap* bmp, int x, int y) {
  const auto* p = static_cast<const Byte*>(bmp->ScanLine(y)) + 3 * x;
  return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

BitmapPtr Copy24(TBitmap* source) {
  BitmapPtr copy(CreateBmp24(source->Width(), source->Height()));
  BitBlt(copy->Canvas()->Handle(), 0, 0, source->Width(), source->Height(), source->Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  return copy;
}

void StartGlyphUnit() { LoadGlyphSheets(GetModuleHandleW(nullptr)); }
void EndGlyphUnit() { FreeGlyphSheets(); }
const TUnitRegistration glyphUnit(&StartGlyphUnit, &EndGlyphUnit);

}  // namespace

// ---- sheets ----------------------------------------------------------------------------------------

const wchar_t* GlyphSheetName(TacGlyphSheet sheet) {
  static const wchar_t* const names[kGlyphSheetCount] = {L"SF", L"SR", L"SD", L"SE", L"SC"};
  return names[sheet];
}

TBitmap* GlyphSheetBitmap(TacGlyphSheet sheet) { return glyphSheets[sheet]; }

int LoadGlyphSheets(HINSTANCE instance) {
  FreeGlyphSheets();
  for (int i = 0; i < kGlyphSheetCount; ++i) {
    auto* bitmap = new TBitmap();
    try {
      bitmap->LoadFromResourceName(instance, GlyphSheetName(TacGlyphSheet(i)));
    } catch (const std::exception&) {
      bitmap->Free();
      return i;
    }
    glyphSheets[i] = bitmap;
  }
  return kGlyphSheetCount;
}

void FreeGlyphSheets() {
  for (TBitmap*& sheet : glyphSheets) {
    if (sheet) sheet->Free();
    sheet = nullptr;
  }
}

// ---- drawing ---------------------------------------------------------------------------------------

int ListImageCount(TCustomImageList* imageList) { return imageList ? imageList->Count() : 0; }

int GlyphFrameIndex(int numGlyphs, bool enabled, int state, bool down) {
  if (!enabled) return 1;
  switch (state) {
    case 1:
      return numGlyphs > 4 ? 4 : 0;
    case 2:
      return down && numGlyphs > 3 ? 3 : numGlyphs > 2 ? 2 : 0;
    default:
      return 0;
  }
}

void DrawBtnGlyph(TBitmap* glyph, TBitmap* dst, TRect r, int numGlyphs, bool enabled, bool grayed,
                  TsDisabledGlyphKind disabledGlyphKind, int state, int blend, bool down) {
  if (!glyph || glyph->Width() <= 0 || glyph->Height() <= 0 || !dst) return;
  BitmapPtr g = Copy24(glyph);
  int n = numGlyphs & 0x7F;
  if (n < 1) n = 1;
  TRect whole(0, 0, g->Width(), g->Height());
  if (n == 1) {
    if (!enabled) {
      if (disabledGlyphKind.Contains(dgGrayed)) Grayscale(g.get());
      TColor key = BottomLeft(g.get());
      if (disabledGlyphKind.Contains(dgBlended))
        BlendTransBitmap(dst, r.left, r.top, key, 0.5, whole, g.get());
      else
        CopyByKey(dst, g.get(), r.left, r.top, key);
      return;
    }
    if (state == 0 && grayed) Grayscale(g.get());
    TColor key = BottomLeft(g.get());
    if (state == 0 && blend > 0)
      BlendTransBitmap(dst, r.left, r.top, key, blend / 100.0, whole, g.get());
    else
      CopyByKey(dst, g.get(), r.left, r.top, key);
    return;
  }
  int fw = g->Width() / n;
  int k = GlyphFrameIndex(n, enabled, state, down);
  if (fw <= 0 || k >= n) return;
  TRect frame(k * fw, 0, (k + 1) * fw - 1, g->Height() - 1);
  if (enabled) {
    CopyTransparent(dst, g.get(), r.left, r.top, frame, PixelOf(g.get(), k * fw, g->Height() - 1), EmptyCacheRef, true);
    return;
  }
  TColor key = BottomLeft(g.get());
  if (state == 0 && blend > 0)
    BlendTransBitmap(dst, r.left, r.top, key, blend / 100.0, TRect(k * fw, 0, (k + 1) * fw, g->Height()), g.get());
  else
    CopyTransparent(dst, g.get(), r.left, r.top, frame, key, EmptyCacheRef, true);
}

void DrawSpeedButtonGlyph(TsSpeedButton* button) {
  TsCommonData* skinData = button->SkinData();
  TBitmap* cache = skinData->CacheBmp;
  if (!cache) return;
  TBitmap* glyph = button->Glyph();
  if (glyph && !glyph->Empty() && glyph->Width() > 0) {
    DrawBtnGlyph(glyph, cache, button->GlyphBounds(), button->NumGlyphs(), button->Enabled(), button->Grayed(),
                 button->DisabledGlyphKind(), button->FaceState(), button->Blend(), button->Down());
    return;
  }
  TCustomImageList* images = button->Images();
  int index = button->ImageIndex();
  if (!images || index < 0 || index >= images->Count()) return;
  TRect bounds = button->GlyphBounds();
  BitmapPtr image(CreateBmp24(images->Width(), images->Height()));
  ImageToBitmap(image.get(), images, index);
  GdiFlush();
  TColor key = BottomLeft(image.get());
  if (button->Enabled()) {
    bool active = skinData->IsActive();
    if (!active && button->Grayed()) GrayscaleExceptKey(image.get(), key);
    if (active || button->Blend() < 1)
      CopyByKey(cache, image.get(), bounds.left, bounds.top, key);
    else
      BlendTransBitmap(cache, bounds.left, bounds.top, key, button->Blend() / 100.0,
                       TRect(0, 0, image->Width(), image->Height()), image.get());
    return;
  }
  if (button->DisabledGlyphKind().Contains(dgGrayed)) GrayscaleExceptKey(image.get(), key);
  if (button->DisabledGlyphKind().Contains(dgBlended))
    BlendTransBitmap(cache, bounds.left, bounds.top, key, 0.5, TRect(0, 0, image->Width(), image->Height()), image.get());
  else
    CopyByKey(cache, image.get(), bounds.left, bounds.top, key);
}

void MakeGlyphFromImages(TControl* button, TsCommonData* skinData, int imageIndex, int& numGlyphs,
                         TsDisabledGlyphKind disabledGlyphKind, TBitmap* glyph, TCustomImageList* images) {
  if (button && button->ComponentState().Contains(csLoading) && button->ComponentState().Contains(csDesigning)) return;
  if ((skinData && skinData->Skinned(false)) || !images || !glyph) return;
  if (imageIndex < 0 || imageIndex >= images->Count()) return;
  glyph->SetSize(0, 0);
  ImageToBitmap(glyph, images, imageIndex);
  GdiFlush();
  int w = glyph->Width(), h = glyph->Height();
  if (w <= 0 || h <= 0) return;
  if (!disabledGlyphKind.Empty()) {
    TPixelFormat oldFormat = glyph->PixelFormat();
    BitmapPtr gray = Copy24(glyph);
    if (oldFormat != pf24bit) glyph->SetPixelFormat(pf24bit);
    TColor key = BottomLeft(gray.get());
    if (disabledGlyphKind.Contains(dgGrayed)) GrayscaleExceptKey(gray.get(), key);
    glyph->SetSize(2 * w, h);
    FillDC(glyph->Canvas()->Handle(), TRect(w, 0, 2 * w, h), clBtnFace);
    GdiFlush();
    if (disabledGlyphKind.Contains(dgBlended)) {
      BlendTransBitmap(glyph, w, 0, key, 0.5, TRect(0, 0, w, h), gray.get());
    } else {
      CopyByKey(glyph, gray.get(), w, 0, key);
      auto* row = static_cast<Byte*>(glyph->ScanLine(h - 1)) + 3 * w;
      row[0] = 0xFF;
      row[1] = 0x00;
      row[2] = 0xFF;
    }
    if (oldFormat != pf24bit) glyph->SetPixelFormat(oldFormat);
    glyph->SetTransparentColor(key);
  } else {
    glyph->SetSize(2 * w, h);
    BitBlt(glyph->Canvas()->Handle(), w, 0, w, h, glyph->Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  glyph->SetTransparent(true);
  numGlyphs = 2;
}

void CalcButtonLayout(const TRect& client, TPoint glyphSize, TPoint textSize, UINT biDiFlags, TRect& textBounds,
                      TPoint& glyphPos, int margin, int spacing, TAlignment alignment, TButtonLayout layout) {
  if (biDiFlags & DT_RIGHT) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  const int cx = client.right - client.left, cy = client.bottom - client.top;
  const int gx = glyphSize.x, gy = glyphSize.y, tx = textSize.x, ty = textSize.y;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  textBounds = TRect(0, 0, tx, ty);
  int textX = 0, textY = 0;
  if (horizontal) {
    glyphPos.y = (cy - gy + 1) / 2;
    textY = (cy - ty + 1) / 2;
  } else {
    glyphPos.x = (cx - gx + 1) / 2;
    textX = (cx - tx + 1) / 2;
  }
  if (tx == 0 || gx == 0) spacing = 0;
  if (margin == -1) {
    if (spacing < 0) {
      margin = horizontal ? (cx - gx - tx) / 3 : (cy - gy - ty) / 3;
      spacing = margin;
    } else if (alignment == taCenter) {
      margin = horizontal ? (cx - (gx + spacing + tx) + 1) / 2 : (cy - (gy + spacing + ty) + 1) / 2;
    } else {
      margin = 2;
    }
  } else if (spacing < 0) {
    spacing = horizontal ? (cx - (margin + gx) - tx) / 2 : (cy - (margin + gy) - ty) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      if (alignment == taLeftJustify) {
        glyphPos.x = margin;
        textX = margin + gx + spacing;
      } else if (alignment == taRightJustify) {
        textX = cx - margin - tx;
        glyphPos.x = textX - spacing - gx;
      } else {
        margin = (cx - tx - spacing - gx) / 2;
        glyphPos.x = margin;
        textX = margin + spacing + gx;
      }
      break;
    case blGlyphRight:
      if (alignment == taLeftJustify) {
        textX = margin;
        glyphPos.x = margin + tx + spacing;
      } else if (alignment == taRightJustify) {
        glyphPos.x = cx - margin - gx;
        textX = glyphPos.x - spacing - tx;
      } else {
        margin = (cx - tx - spacing - gx) / 2;
        textX = margin;
        glyphPos.x = margin + spacing + tx;
      }
      break;
    case blGlyphTop:
      glyphPos.y = (cy - gy - spacing - ty) / 2;
      textY = glyphPos.y + gy + spacing;
      break;
    case blGlyphBottom: {
      int e = (cy - gy - spacing - ty) / 2;
      glyphPos.y = cy - gy - e;
      textY = glyphPos.y - spacing - ty;
      break;
    }
  }
  glyphPos.x += client.left;
  glyphPos.y += client.top;
  OffsetRect(&textBounds, client.left + textX, client.top + textY);
}

void ButtonActionChanged(TsSpeedButton*, TObject*) {}
