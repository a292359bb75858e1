#include "ui/skins/paint/DrawingRoutines.h"

#include <algorithm>
#include <cmath>

#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/FastPixels.h"

namespace {

inline Byte ClampByte(int v) { return Byte(v < 0 ? 0 : v > 255 ? 255 : v); }

// D' = clamp(S + ((D - S) x M) div 256), as ((D - S) x M + S x 256) >> 8.
inline Byte MaskMix(int s, int d, int m) { return ClampByte(((d - s) * m + s * 256) >> 8); }

inline TColor ColorAt(const Byte* p) { return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16; }
inline void Store(Byte* p, TColor c) {
  p[0] = Byte(c >> 16);
  p[1] = Byte(c >> 8);
  p[2] = Byte(c);
}

// A 24- or 32-bit parent cache pixel, or false when outside the cache or of another format.
bool CachePixel(const TsCacheRef& ci, int x, int y, TColor& color) {
  TBitmap* bmp = ci.Bmp;
  if (!bmp || x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return false;
  auto* row = static_cast<const Byte*>(bmp->ScanLine(y));
  if (bmp->PixelFormat() == pf24bit) {
    color = ColorAt(row + 3 * x);
    return true;
  }
  if (bmp->PixelFormat() == pf32bit) {
    color = ColorAt(row + 4 * x);
    return true;
  }
  return false;
}

bool CacheUsable(const TsCacheRef& ci) {
  return ci.Ready && ci.Bmp && (ci.Bmp->PixelFormat() == pf24bit || ci.Bmp->PixelFormat() == pf32bit);
}

// Clips a copy of w x h pixels from (sx, sy) to (dx, dy) to both bitmaps' extents.
bool ClipCopy(int& dx, int& dy, int& sx, int& sy, int& w, int& h, int dstW, int dstH, int srcW, int srcH) {
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  w = std::min({w, dstW - dx, srcW - sx});
  h = std::min({h, dstH - dy, srcH - sy});
  return w > 0 && h > 0;
}

}  // namespace

void BlendColor(TBitmap* bmp, TRect r, int percent, TColor color) {
  TacFast24& f = Fast24Dst();
  if (!f.Attach(bmp)) return;
  color = ColorToRGB(color);
  double k = percent / 100.0;
  int channels[3] = {(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF};
  for (int y = std::max<int>(r.top, 0); y <= std::min<int>(r.bottom, f.Height - 1); ++y)
    for (int x = std::max<int>(r.left, 0); x <= std::min<int>(r.right, f.Width - 1); ++x) {
      Byte* p = f.Address(x, y);
      for (int c = 0; c < 3; ++c) p[c] = ClampByte(int(std::nearbyint(k * p[c] + (1 - k) * channels[c])));
    }
}

void DisabledLook(TBitmap* bmp, TsDisabledKind kind, TControl* parentControl, const TsCacheRef& ci, TPoint p) {
  if (kind.Contains(dkGrayed)) Grayscale(bmp);
  if (!kind.Contains(dkBlended)) return;
  if (ci.Ready) {
    BlendTransBitmap(bmp, 0, 0, TColor(0xFF000000), 0.4,
                     TRect(ci.X + p.x, ci.Y + p.y, ci.X + p.x + bmp->Width(), ci.Y + p.y + bmp->Height()), ci.Bmp);
    return;
  }
  TColor color = SharedTransparentColor != clFuchsia ? SharedTransparentColor
                 : parentControl                     ? ColorToRGB(parentControl->Color())
                                                     : ColorToRGB(clBtnFace);
  BlendColor(bmp, TRect(0, 0, bmp->Width(), bmp->Height()), 50, color);
}

void CopyMasked(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TsCacheRef& ci,
                bool updateTrans, const TsMaskData& mask) {
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dstBmp) || !s.Attach(srcBmp)) return;
  int maskRows = (mask.R.bottom - mask.R.top) / 2;
  int dx = dstRect.left, dy = dstRect.top, sx = srcRect.left, sy = srcRect.top;
  int w = std::min(dstRect.right - dstRect.left, srcRect.right - srcRect.left);
  int h = std::min(dstRect.bottom - dstRect.top, srcRect.bottom - srcRect.top);
  if (!ClipCopy(dx, dy, sx, sy, w, h, d.Width, d.Height, s.Width, s.Height - maskRows)) return;
  if (updateTrans && ci.Ready && !CacheUsable(ci)) return;
  for (int row = 0; row < h; ++row) {
    Byte* dp = d.Address(dx, dy + row);
    const Byte* sp = s.Address(sx, sy + row);
    const Byte* mp = s.Address(sx, sy + row + maskRows);
    for (int col = 0; col < w; ++col, dp += 3, sp += 3, mp += 3) {
      if (updateTrans && ColorAt(sp) == clFuchsia) {
        if (ci.Ready) {
          TColor parent;
          if (CachePixel(ci, ci.X + dx + col, ci.Y + dy + row, parent)) Store(dp, parent);
        } else {
          Store(dp, SharedParentColor != clFuchsia ? SharedParentColor : clFuchsia);
        }
        continue;
      }
      for (int c = 0; c < 3; ++c) dp[c] = MaskMix(sp[c], dp[c], mp[c]);
    }
  }
}

void CopyMaskedTile(TRect dstRect, TRect srcRect, TBitmap* dstBmp, const TsMaskData& mask, const TsCacheRef& ci) {
  if (!mask.Manager) return;
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dstBmp) || !s.Attach(mask.Manager->MasterBitmap())) return;
  int maskRows = (mask.R.bottom - mask.R.top) / 2;
  int dx = dstRect.left, dy = dstRect.top, sx = srcRect.left, sy = srcRect.top;
  int w = std::min(dstRect.right - dstRect.left, srcRect.right - srcRect.left);
  int h = std::min(dstRect.bottom - dstRect.top, srcRect.bottom - srcRect.top);
  if (!ClipCopy(dx, dy, sx, sy, w, h, d.Width, d.Height, s.Width, s.Height - maskRows)) return;
  for (int row = 0; row < h; ++row) {
    Byte* dp = d.Address(dx, dy + row);
    const Byte* sp = s.Address(sx, sy + row);
    const Byte* mp = s.Address(sx, sy + row + maskRows);
    for (int col = 0; col < w; ++col, dp += 3, sp += 3, mp += 3) {
      if (ColorAt(sp) == clFuchsia) {
        TColor parent;
        if (SharedParentColor != clFuchsia)
          Store(dp, SharedParentColor);
        else if (ci.Ready && CachePixel(ci, ci.X + dx + col, ci.Y + dy + row, parent))
          Store(dp, parent);
        continue;
      }
      for (int c = 0; c < 3; ++c) dp[c] = MaskMix(sp[c], dp[c], mp[c]);
    }
  }
}

void CopyTransparent(TBitmap* dst, TBitmap* src, int x, int y, TRect srcRect, TColor key, const TsCacheRef& ci,
                     bool updateTrans) {
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dst) || !s.Attach(src)) return;
  int sx = std::max<int>(srcRect.left, 0), sy = std::max<int>(srcRect.top, 0);
  int right = std::min<int>(srcRect.right, s.Width - 1), bottom = std::min<int>(srcRect.bottom, s.Height - 1);
  bool fromParent = updateTrans && ci.Ready && ci.Bmp && ci.Bmp->Width() >= 2 && ci.Bmp->Height() >= 2;
  TacFast24 parent;
  if (fromParent && (ci.Bmp->PixelFormat() != pf24bit || !parent.Attach(ci.Bmp))) fromParent = false;
  for (int row = sy; row <= bottom; ++row) {
    int ty = y + row - srcRect.top;
    if (ty < 0 || ty >= d.Height) continue;
    for (int col = sx; col <= right; ++col) {
      int tx = x + col - srcRect.left;
      if (tx < 0 || tx >= d.Width) continue;
      TColor c = s.Pixel(col, row);
      if (c != key) {
        d.SetPixel(tx, ty, c);
      } else if (fromParent) {
        int px = ci.X + tx, py = ci.Y + ty;
        if (px >= parent.Width) break;
        if (px >= 0 && py >= 0 && py < parent.Height) d.SetPixel(tx, ty, parent.Pixel(px, py));
      }
    }
  }
}

void CopyTransparentPlain(TBitmap* dst, TBitmap* src, int x, int y, TRect srcRect, TColor key) {
  CopyTransparent(dst, src, x, y, srcRect, key, EmptyCacheRef, false);
}

void CopyByKey(TBitmap* dst, TBitmap* src, int x, int y, TColor key) {
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dst) || !s.Attach(src)) return;
  for (int row = 0; row < s.Height; ++row) {
    if (y + row < 0 || y + row >= d.Height) continue;
    for (int col = 0; col < s.Width; ++col) {
      if (x + col < 0 || x + col >= d.Width) continue;
      TColor c = s.Pixel(col, row);
      if (c != key) d.SetPixel(x + col, y + row, c);
    }
  }
}

void BlendTransBitmap(TBitmap* dst, int x, int y, TColor key, double blend, TRect srcRect, TBitmap* src) {
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dst) || !s.Attach(src)) return;
  bool testKey = (std::uint32_t(key) >> 24) != 0xFF;
  int dx = x, dy = y, sx = srcRect.left, sy = srcRect.top;
  int w = srcRect.right - srcRect.left, h = srcRect.bottom - srcRect.top;
  if (!ClipCopy(dx, dy, sx, sy, w, h, d.Width, d.Height, s.Width, s.Height)) return;
  for (int row = 0; row < h; ++row) {
    Byte* dp = d.Address(dx, dy + row);
    const Byte* sp = s.Address(sx, sy + row);
    for (int col = 0; col < w; ++col, dp += 3, sp += 3) {
      if (testKey && ColorAt(sp) == key) continue;
      for (int c = 0; c < 3; ++c) dp[c] = ClampByte(int(std::nearbyint(sp[c] - blend * (sp[c] - dp[c]))));
    }
  }
}

void BlendTransRectangle(TBitmap* dst, TBitmap* src, int weight, TPoint p, TRect srcRect) {
  TacFastSum24& sum = FastSum24();
  if (!sum.Attach(src, dst)) return;
  int dx = p.x, dy = p.y, sx = srcRect.left, sy = srcRect.top;
  int w = srcRect.right - srcRect.left, h = srcRect.bottom - srcRect.top;
  if (!ClipCopy(dx, dy, sx, sy, w, h, dst->Width(), dst->Height(), src->Width(), src->Height())) return;
  sum.Alpha = Byte(weight);
  sum.DstRect = TRect(dx, dy, dx + w, dy + h);
  sum.SrcRect = TRect(sx, sy, sx + w, sy + h);
  sum.BlendRect();
}

void SumBitmaps(TBitmap* dst, TBitmap* src, int weight) {
  if (!dst || !src || dst->Width() != src->Width() || dst->Height() != src->Height()) return;
  BlendTransRectangle(dst, src, weight, TPoint(0, 0), TRect(0, 0, src->Width(), src->Height()));
}

void BlendByMask(TBitmap* dst, TBitmap* maskBmp, TColor color) {
  TacFast24& d = Fast24Dst();
  TacFast24& m = Fast24Src();
  if (!d.Attach(dst) || !m.Attach(maskBmp) || d.Width != m.Width || d.Height != m.Height) return;
  color = ColorToRGB(color);
  int channels[3] = {(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF};
  for (int y = 0; y < d.Height; ++y) {
    Byte* dp = d.Address(0, y);
    const Byte* mp = m.Address(0, y);
    for (int i = 0; i < 3 * d.Width; ++i) dp[i] = MaskMix(channels[i % 3], dp[i], mp[i]);
  }
}

void BlendByAlphaBitmap(TBitmap* dst, TBitmap* other, TBitmap* alpha, TRect r) {
  TacFast24 d, o, a;
  if (!d.Attach(dst) || !o.Attach(other) || !a.Attach(alpha)) return;
  int right = std::min({int(r.right), d.Width, o.Width, a.Width});
  int bottom = std::min({int(r.bottom), d.Height, o.Height, a.Height});
  for (int y = std::max<int>(r.top, 0); y < bottom; ++y)
    for (int x = std::max<int>(r.left, 0); x < right; ++x) {
      Byte* dp = d.Address(x, y);
      const Byte* op = o.Address(x, y);
      const Byte* ap = a.Address(x, y);
      for (int c = 0; c < 3; ++c) dp[c] = MaskMix(op[c], dp[c], ap[c]);
    }
}

void MixToLayer(TBitmap* layer, TBitmap* a, TBitmap* b, int weight, TBitmap* alphaBmp) {
  TacFast32 l;
  TacFast24 fa, fb, fw;
  if (!l.Attach(layer) || !fa.Attach(a) || !fb.Attach(b)) return;
  if (fa.Width != fb.Width || fa.Height != fb.Height) return;
  bool perPixel = alphaBmp && fw.Attach(alphaBmp);
  int w = std::min(l.Width, fa.Width), h = std::min(l.Height, fa.Height);
  if (perPixel) w = std::min(w, fw.Width), h = std::min(h, fw.Height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Byte* lp = l.Address(x, y);
      const Byte* ap = fa.Address(x, y);
      const Byte* bp = fb.Address(x, y);
      for (int c = 0; c < 3; ++c) lp[c] = MaskMix(bp[c], ap[c], perPixel ? fw.Address(x, y)[c] : weight);
    }
}

void Grayscale(TBitmap* bmp) { GrayscaleExceptKey(bmp, TColor(0xFF000000)); }

void GrayscaleExceptKey(TBitmap* bmp, TColor key) {
  TacFast24& f = Fast24Dst();
  if (!f.Attach(bmp)) return;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) {
      Byte* p = f.Address(x, y);
      if (ColorAt(p) == key) continue;
      p[0] = p[1] = p[2] = Byte((p[0] + p[1] + p[2]) / 3);
    }
}

TColor MixColors(TColor color1, TColor color2, double weight) {
  TColor result = color1 & TColor(0xFF000000);
  for (int shift = 0; shift < 24; shift += 8) {
    int c1 = (color1 >> shift) & 0xFF, c2 = (color2 >> shift) & 0xFF;
    result |= TColor(ClampByte(int(std::nearbyint(weight * (c1 - c2) + c2)))) << shift;
  }
  return result;
}

TColor SwapRedBlue(TColor value) {
  return (value & TColor(0xFF00FF00)) | (value & 0xFF) << 16 | ((value >> 16) & 0xFF);
}

void DrawSkinGlyph(TBitmap* bmp, TPoint p, int state, const TsMaskData& mask, int mode) {
  TFrameSize frame = MaskFrame(mask);
  int count = std::max<int>(mask.ImageCount, 1);
  int k = std::min(state, count - 1);
  TRect src(mask.R.left + k * frame.Width, mask.R.top, mask.R.left + (k + 1) * frame.Width, mask.R.top + frame.Height);
  if (p.x < 0) src.left -= p.x, p.x = 0;
  if (p.y < 0) src.top -= p.y, p.y = 0;
  TRect dst(p.x, p.y, p.x + (src.right - src.left), p.y + (src.bottom - src.top));
  if (mask.Bmp) {
    DrawMaskedGlyph(dst, src, bmp, mask, mode, clFuchsia, mask.Bmp);
    return;
  }
  if (!mask.Manager || mask.ImageCount == 0 || !mask.Manager->MasterBitmap()) return;
  TBitmap* master = mask.Manager->MasterBitmap();
  if (mask.MaskType > 0) {
    DrawMaskedGlyph(dst, src, bmp, mask, mode, clFuchsia, master);
  } else if (mode == 1) {
    CopyTransparent(bmp, master, p.x, p.y, TRect(src.left, src.top, src.right - 1, src.bottom - 1), clFuchsia,
                    EmptyCacheRef, false);
  } else {
    BlendTransBitmap(bmp, p.x, p.y, clFuchsia, 0.5, src, master);
  }
}

void DrawMaskedGlyph(TRect dstRect, TRect srcRect, TBitmap* dstBmp, const TsMaskData& mask, int mode, TColor key,
                     TBitmap* srcBmp) {
  if (mask.MaskType <= 0) {
    CopyTransparentPlain(dstBmp, srcBmp, dstRect.left, dstRect.top,
                         TRect(srcRect.left, srcRect.top, srcRect.right - 1, srcRect.bottom - 1), key);
    return;
  }
  TacFast24& d = Fast24Dst();
  TacFast24& s = Fast24Src();
  if (!d.Attach(dstBmp) || !s.Attach(srcBmp)) return;
  int maskRows = MaskFrame(mask).Height;
  int dx = dstRect.left, dy = dstRect.top, sx = srcRect.left, sy = srcRect.top;
  int w = std::min(dstRect.right - dstRect.left, srcRect.right - srcRect.left);
  int h = std::min(dstRect.bottom - dstRect.top, srcRect.bottom - srcRect.top);
  if (!ClipCopy(dx, dy, sx, sy, w, h, d.Width, d.Height, s.Width, s.Height - maskRows)) return;
  for (int row = 0; row < h; ++row) {
    Byte* dp = d.Address(dx, dy + row);
    const Byte* sp = s.Address(sx, sy + row);
    const Byte* mp = s.Address(sx, sy + row + maskRows);
    for (int col = 0; col < w; ++col, dp += 3, sp += 3, mp += 3) {
      if (ColorAt(sp) == key) continue;
      for (int c = 0; c < 3; ++c) dp[c] = MaskMix(sp[c], dp[c], mode == 1 ? mp[c] : std::min(mp[c] + 100, 255));
    }
  }
}

HRGN GetRgnFromBmp(TBitmap* bmp, TColor key) {
  HRGN region = CreateRectRgn(0, 0, bmp->Width(), bmp->Height());
  TacFast24& f = Fast24Src();
  if (!f.Attach(bmp)) return region;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width;) {
      if (f.Pixel(x, y) != key) {
        ++x;
        continue;
      }
      int start = x;
      while (x < f.Width && f.Pixel(x, y) == key) ++x;
      HRGN run = CreateRectRgn(start, y, x, y + 1);
      CombineRgn(region, region, run, RGN_DIFF);
      DeleteObject(run);
    }
  return region;
}

void AddCornerRects(std::vector<TRect>& rects, int width, const TsMaskData& mask, bool bottom, int y) {
  TBitmap* source = mask.Bmp ? mask.Bmp : mask.Manager ? mask.Manager->MasterBitmap() : nullptr;
  TacFast24& f = Fast24Src();
  if (!f.Attach(source)) return;
  TFrameSize frame = MaskFrame(mask);
  int rows = bottom ? mask.WB : mask.WT;
  int firstRow = bottom ? mask.R.top + frame.Height - mask.WB : mask.R.top;
  if (firstRow < 0 || firstRow + rows > f.Height) return;
  auto addRuns = [&](int r, int fromColumn, int toColumn, int shift) {
    for (int x = fromColumn; x < toColumn;) {
      if (x < 0 || x >= f.Width || f.Pixel(x, firstRow + r) != clFuchsia) {
        ++x;
        continue;
      }
      int start = x;
      while (x < toColumn && x < f.Width && f.Pixel(x, firstRow + r) == clFuchsia) ++x;
      rects.push_back(TRect(start - mask.R.left + shift, y + r, x - mask.R.left + shift, y + r + 1));
    }
  };
  for (int r = 0; r < rows; ++r) {
    addRuns(r, mask.R.left, mask.R.left + mask.WL, 0);
    addRuns(r, mask.R.left + frame.Width - mask.WR, mask.R.left + frame.Width, width - frame.Width);
  }
}

void PaintShadow(TBitmap* bmp, TRect r, int transparency, TColor color, int blur, int radius) {
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width < 2 || height < 2) return;
  int n = std::min({width / 2, height / 2, blur});
  int corner = std::min({width / 2, height / 2, radius});
  int a = transparency * 255 / 100;
  std::unique_ptr<TBitmap, TFreeDeleter> work(CreateBmp24(width, height));
  std::unique_ptr<TBitmap, TFreeDeleter> mask(CreateBmp24(width, height));
  BitBlt(work->Canvas()->Handle(), 0, 0, width, height, bmp->Canvas()->Handle(), r.left, r.top, SRCCOPY);
  HDC dc = mask->Canvas()->Handle();
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  auto ring = [&](int inset, int level) {
    HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
    HGDIOBJ old = SelectObject(dc, brush);
    RoundRect(dc, inset, inset, width - inset + 1, height - inset + 1, corner, corner);
    SelectObject(dc, old);
    DeleteObject(brush);
  };
  ring(0, 255);
  for (int k = 0; k < n; ++k) ring(k + 1, a + int(std::nearbyint(double(n - k) * (255 - a) / (n + 1))));
  ring(n, a);
  SelectObject(dc, oldPen);
  GdiFlush();
  BlendByMask(work.get(), mask.get(), color);
  BitBlt(bmp->Canvas()->Handle(), r.left, r.top, width, height, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

namespace {

// Draws with the canvas font in its current colour.
void DrawTextIn(TCanvas* canvas, const wchar_t* text, TRect r, UINT flags) {
  if (!text) return;
  HDC dc = canvas->Handle();
  SelectObject(dc, canvas->Font()->Handle());
  SetTextColor(dc, COLORREF(ColorToRGB(canvas->Font()->Color())));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text, -1, &r, flags);
}

// Contours on the left, top, right and bottom, then the text itself.
void DrawContouredText(TCanvas* canvas, const wchar_t* text, const TsGeneralData& section, bool hot, UINT flags,
                       TRect r) {
  const TColor* colors = hot ? section.HotFontColor : section.FontColor;
  static const int offsets[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (int i = 0; i < 4; ++i) {
    if (colors[i + 1] == -1) continue;
    canvas->Font()->SetColor(colors[i + 1]);
    TRect moved(r.left + offsets[i][0], r.top + offsets[i][1], r.right + offsets[i][0], r.bottom + offsets[i][1]);
    DrawTextIn(canvas, text, moved, flags);
  }
  canvas->Font()->SetColor(colors[0]);
  DrawTextIn(canvas, text, r, flags);
}

const TsGeneralData* SectionAt(TsSkinManager* manager, int index) {
  if (!manager || !manager->IsValidSkinIndex(index)) return nullptr;
  return &manager->Sections()[static_cast<size_t>(index)];
}

}  // namespace

void WriteTextEx(TCanvas* canvas, const wchar_t* text, bool enabled, bool hot, const TacTextSkin& skin, UINT flags,
                 TRect r) {
  if (skin.OwnerControl) canvas->Font()->Assign(skin.OwnerControl->Font());
  if (hot && skin.SkinSection == L"WEBBUTTON") {
    TFontStyles styles = canvas->Font()->Style();
    styles.Include(fsUnderline);
    canvas->Font()->SetStyle(styles);
  }
  HDC dc = canvas->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (text) canvas->Brush()->SetStyle(bsClear);
  SetBkMode(dc, TRANSPARENT);
  const TsGeneralData* section = SectionAt(skin.Manager, skin.SkinIndex);
  if (!enabled) {
    if (section) canvas->Font()->SetColor(MixColors(section->FontColor[0], section->Color, 0.4));
    DrawTextIn(canvas, text, r, flags);
  } else if (section && !skin.CustomFont) {
    DrawContouredText(canvas, text, *section, hot, flags | DT_NOCLIP, r);
  } else {
    DrawTextIn(canvas, text, r, flags | DT_NOCLIP);
  }
  RestoreDC(dc, saved);
}

void WriteTextBySection(TCanvas* canvas, const wchar_t* text, bool enabled, TsSkinManager* manager, bool hot,
                        int skinIndex, UINT flags, TRect r) {
  const TsGeneralData* section = SectionAt(manager ? manager : DefaultManager, skinIndex);
  if (!section || !text) return;
  SetBkMode(canvas->Handle(), TRANSPARENT);
  if (!enabled) {
    canvas->Font()->SetColor(MixColors(section->FontColor[0], section->Color, 0.4));
    DrawTextIn(canvas, text, r, flags);
    return;
  }
  DrawContouredText(canvas, text, *section, hot, flags, r);
}

String CutText(TCanvas* canvas, const String& text, int maxWidth) {
  if (maxWidth <= 0) return String();
  String result = text;
  if (canvas->TextWidth(result) <= maxWidth) return result;
  while (!result.empty() && canvas->TextWidth(result + L"...") > maxWidth) result.pop_back();
  return result.empty() ? result : result + L"...";
}

void DrawTextStr(HDC dc, const String& text, TRect& r, UINT flags) {
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void FillDC(HDC dc, const TRect& r, TColor color) {
  int saved = SaveDC(dc);
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  RestoreDC(dc, saved);
}

void BitBltBorder(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int borderWidth) {
  int b = borderWidth;
  BitBlt(dstDC, x, y, b, height, srcDC, srcX, srcY, SRCCOPY);
  BitBlt(dstDC, x, y, width, b, srcDC, srcX, srcY, SRCCOPY);
  BitBlt(dstDC, x + width - b, y, b, height, srcDC, srcX + width - b, srcY, SRCCOPY);
  BitBlt(dstDC, x, y + height - b, width, b, srcDC, srcX, srcY + height - b, SRCCOPY);
}

void Frame3DToDC(HDC dc, TRect& r, TColor topLeftColor, int& width, TColor bottomRightColor) {
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    HPEN pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(color)));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
  };
  for (; width > 0; --width) {
    line(topLeftColor, r.left, r.bottom - 1, r.left, r.top);
    line(topLeftColor, r.left, r.top, r.right, r.top);
    line(bottomRightColor, r.right - 1, r.top, r.right - 1, r.bottom);
    line(bottomRightColor, r.left, r.bottom - 1, r.right, r.bottom - 1);
    InflateRect(&r, -1, -1);
  }
}

void DottedFrame(TCanvas* canvas, TRect r) {
  HDC dc = canvas->Handle();
  auto dot = [&](int x, int y) {
    SetPixel(dc, x, y, RGB(0, 0, 0));
    SetPixel(dc, x - 1, y - 1, RGB(255, 255, 255));
  };
  for (int x = r.left; x < r.right; x += 3) {
    dot(x, r.top);
    dot(x, r.bottom - 1);
  }
  for (int y = r.top; y < r.bottom; y += 3) {
    dot(r.left, y);
    dot(r.right - 1, y);
  }
}

void ImageToBitmap(TBitmap* bmp, TCustomImageList* imageList, int index) {
  bmp->SetSize(imageList->Width(), imageList->Height());
  TColor background = imageList->BkColor() == clNone ? clFuchsia : imageList->BkColor();
  FillDC(bmp->Canvas()->Handle(), TRect(0, 0, bmp->Width(), bmp->Height()), background);
  imageList->Draw(bmp->Canvas(), 0, 0, index);
}

TBitmap* CreateBmp24(int width, int height) { return new TBitmap(width, height, pf24bit); }
TBitmap* CreateBmp32(int width, int height) { return new TBitmap(width, height, pf32bit); }
TBitmap* CreateBmpLike(TBitmap* bmp) { return CreateBmp24(bmp->Width(), bmp->Height()); }
