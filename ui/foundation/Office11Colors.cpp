#include "ui/foundation/Office11Colors.h"

#include <algorithm>
#include <vector>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Themes.h"

namespace {

// Columns 0 to 48 of the blue, olive and silver schemes.
constexpr TColor kSchemeColumns[3][49] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
     0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
     0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
     0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
     0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
     0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
     0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF},
};
constexpr int kMiddlePercent[4] = {75, 41, 125, 40};

// The slots that have a brush, in the order they are made.
constexpr TOffice11ColorSlot kBrushSlots[] = {
    Office11GripDarkColor, Office11GripLightColor,   Office11HeaderShadowTone, Office11HeaderLightTone,
    Office11Color31,       Office11SelectionBorderColor, Office11HighlightTint, Office11Color46,
    Office11Color47,       Office11Color48,          Office11ShadowColor,      Office11Color49,
    Office11GridLineColor};

struct Palette {
  TColor Colors[kOffice11ColorCount] = {};
  bool Computed = false;
  TOffice11Scheme Scheme = o11sNone;
  bool UsesScheme = false;
  int References = 0;
  HBRUSH Brushes[kOffice11ColorCount] = {};
  TBitmap* SubMenuExpand = nullptr;
  TBitmap* ExpandMinus = nullptr;
  TBitmap* ExpandPlus = nullptr;
  TdxThemeChangedNotificator* ThemeListener = nullptr;
};
Palette palette;

int RedOf(TColor rgb) { return int(rgb & 0xFF); }
int GreenOf(TColor rgb) { return int((rgb >> 8) & 0xFF); }
int BlueOf(TColor rgb) { return int((rgb >> 16) & 0xFF); }

TColor Rgb(TColor Color) { return ColorToRGB(Color); }

// Each channel through F (c1, c2) of the two resolved colours.
template <class F>
TColor MapChannels(TColor A, TColor B, F f) {
  const TColor a = Rgb(A), b = Rgb(B);
  return RGBColor(Byte(ClampChannel(f(RedOf(a), RedOf(b)))), Byte(ClampChannel(f(GreenOf(a), GreenOf(b)))),
                  Byte(ClampChannel(f(BlueOf(a), BlueOf(b)))));
}

TColor Mix(int F, int H, int W) { return Rgb(MixSystemColors(F, H, W)); }

void ComputeColors() {
  TColor* c = palette.Colors;
  palette.Scheme = DetectOffice11Scheme();
  palette.UsesScheme = VisualStylesActiveFor() && palette.Scheme != o11sNone;
  if (palette.UsesScheme) {
    const TColor* col = kSchemeColumns[palette.Scheme - 1];
    c[0] = col[2], c[1] = col[3], c[2] = col[0], c[3] = col[1];
    c[4] = col[5], c[5] = col[7], c[6] = col[9], c[7] = col[4], c[8] = col[6], c[9] = col[8];
    c[10] = col[10], c[11] = col[11];
    c[12] = BlendColorsPercent(c[4], c[2], 90);
    c[13] = BlendColorsPercent(c[5], c[2], 90);
    c[14] = BlendColorsPercent(c[6], c[2], 90);
    c[18] = col[12], c[19] = col[13], c[20] = col[14], c[21] = col[15];
    c[22] = clBlack, c[23] = clWhite, c[24] = col[16], c[25] = col[17];
    c[28] = clWhite, c[29] = clBlack, c[30] = clBlack, c[31] = col[19];
    c[38] = col[18];
    for (int slot = 40; slot <= 49; ++slot) c[slot] = col[slot - 20];  // columns 20 to 29
    c[51] = col[30], c[52] = col[31], c[58] = col[32], c[59] = col[33];
    c[60] = col[35], c[61] = col[34], c[62] = 0x00C9EEFD, c[63] = col[36];
    c[64] = c[11];
    for (int slot = 65; slot <= 76; ++slot) c[slot] = col[slot - 28];  // columns 37 to 48
    c[77] = col[46], c[78] = col[47];
  } else {
    const TColor face = Rgb(clBtnFace), shadow = Rgb(clBtnShadow), window = Rgb(clWindow);
    c[0] = face;
    c[1] = BlendColorsPercent(face, window, 20);
    c[2] = BlendColorsPercent(face, window, 22);
    c[3] = BlendColorsPercent(face, window, 96);
    c[4] = BlendColorsPercent(shadow, window, 74);
    c[5] = Mix(-15, 29, 86);
    c[6] = Mix(42, 11, 47);
    c[7] = shadow, c[8] = c[5], c[9] = c[6];
    c[10] = BlendColorsPercent(face, window, 85);
    c[11] = face;
    c[12] = BlendColorsPercent(c[7], window, 50);
    c[13] = BlendColorsPercent(c[8], window, 50);
    c[14] = BlendColorsPercent(c[9], window, 50);
    c[18] = BlendColorsPercent(shadow, window, 76);
    c[19] = window;
    c[20] = BlendColorsPercent(shadow, window, 70);
    c[21] = clWhite;
    c[22] = Rgb(clBtnText), c[23] = window, c[24] = shadow, c[25] = c[3];
    c[28] = Rgb(clBtnHighlight), c[29] = Rgb(clBtnText), c[30] = Rgb(clBtnText), c[31] = window;
    c[38] = shadow;
    c[40] = NearestScreenColor(Mix(-2, 30, 72));
    c[41] = Rgb(clHighlight);
    c[42] = c[40], c[43] = c[40];
    c[46] = c[3];
    c[47] = Mix(41, 11, 48);
    c[48] = NearestScreenColor(Mix(14, 44, 40));
    c[44] = c[48], c[45] = c[48];
    c[49] = c[46];
    c[51] = Rgb(clBtnText), c[52] = Rgb(clGrayText), c[58] = face, c[59] = c[47];
    c[60] = c[38], c[61] = c[0], c[62] = face, c[63] = shadow, c[64] = shadow;
    c[65] = NearestScreenColor(shadow);
    c[66] = NavPaneCaptionTone(true);
    c[67] = NavPaneCaptionTone(false);
    c[68] = c[42], c[69] = c[43], c[70] = c[47], c[71] = c[47], c[72] = c[48], c[73] = c[48];
    c[74] = c[65], c[75] = c[65], c[76] = Rgb(clHighlightText), c[77] = NearestScreenColor(face), c[78] = c[65];
  }
  // The slots both branches share.
  c[15] = BlendColorsPercent(c[7], c[11], 50);
  c[16] = BlendColorsPercent(c[8], c[11], 50);
  c[17] = BlendColorsPercent(c[9], c[11], 50);
  c[26] = c[2], c[27] = c[24], c[32] = c[2], c[33] = c[3], c[34] = c[2], c[35] = c[3];
  c[36] = BlendColorsPercent(c[2], clBlack, 92);
  c[37] = BlendColorsPercent(c[35], clBlack, 92);
  c[39] = c[31], c[50] = c[40], c[53] = c[38], c[54] = c[0], c[55] = c[15], c[56] = c[28], c[57] = c[38];
  c[79] = RGBColor(158, 174, 191);
  c[80] = RGBColor(46, 70, 95);
  palette.Computed = true;
}

void FreeResources() {
  for (HBRUSH& brush : palette.Brushes) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
  FreeAndNil(palette.SubMenuExpand);
  FreeAndNil(palette.ExpandMinus);
  FreeAndNil(palette.ExpandPlus);
}

TBitmap* LoadBitmapResource(const wchar_t* Name) {
  ObjectPtr<TBitmap> bitmap(new TBitmap);
  bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  return bitmap.release();
}

// The sub-menu expand bitmap in the palette's pale group and pale face colours (a second colour
// that differs when the two are equal).
void RecolorSubMenuExpand(TBitmap* Bitmap) {
  TColor a = palette.Colors[Office11PaleGroupColor], z = palette.Colors[Office11PaleFaceColor];
  if (a == z) z = a == clBlack ? clWhite : clBlack;
  RecolorOffice11Glyph(Bitmap, a, z);
}

}  // namespace

void RecolorOffice11Glyph(TBitmap* Bitmap, TColor A, TColor Z) {
  TCanvas* canvas = Bitmap->Canvas();
  const int w = Bitmap->Width(), h = Bitmap->Height();
  if (w <= 0 || h <= 0) return;
  const TColor background = canvas->Pixels(0, 0);
  std::vector<TColor> pixels(size_t(w) * size_t(h));
  int lowest = 255, highest = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor p = canvas->Pixels(x, y);
      pixels[size_t(y) * size_t(w) + size_t(x)] = p;
      if (p == background || p == clBlack) continue;
      lowest = std::min(lowest, RedOf(p));
      highest = std::max(highest, RedOf(p));
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor p = pixels[size_t(y) * size_t(w) + size_t(x)];
      if (p == background || p == clBlack) continue;
      // One red value throughout: every such pixel takes colour A.
      const int percent = highest == lowest ? 100 : MulDiv(RedOf(p) - lowest, 100, highest - lowest);
      canvas->SetPixels(x, y, BlendColorsPercent(A, Z, percent));
    }
}

namespace {

void CreateResources() {
  FreeResources();
  for (TOffice11ColorSlot slot : kBrushSlots) palette.Brushes[slot] = CreateSolidBrush(COLORREF(palette.Colors[slot]));
  palette.Colors[Office11ExpandCornerColor1] = RGBColor(158, 174, 191);
  palette.Colors[Office11ExpandCornerColor2] = RGBColor(46, 70, 95);
  palette.SubMenuExpand = LoadBitmapResource(L"DXSUBMENUEXPAND");
  RecolorSubMenuExpand(palette.SubMenuExpand);
  palette.ExpandMinus = LoadBitmapResource(L"DXEXPANDBUTTON_MINUS");
  palette.ExpandPlus = LoadBitmapResource(L"DXEXPANDBUTTON_PLUS");
}

void StartUnit() {
  palette.ThemeListener = new TdxThemeChangedNotificator;
  palette.ThemeListener->OnThemeChanged = [] { RefreshOffice11Palette(); };
}

void EndUnit() {
  FreeAndNil(palette.ThemeListener);
  FreeResources();
  palette.References = 0;
}

const TUnitRegistration unit(StartUnit, EndUnit);

// The default brush of a grip tone while the palette is held, else a temporary one.
struct ToneBrush {
  explicit ToneBrush(TOffice11ColorSlot Slot) {
    handle = Office11Brush(Slot);
    if (!handle) handle = owned = CreateSolidBrush(COLORREF(Office11Color(Slot)));
  }
  ToneBrush(const ToneBrush&) = delete;
  ToneBrush& operator=(const ToneBrush&) = delete;
  ~ToneBrush() {
    if (owned) DeleteObject(owned);
  }
  HBRUSH handle = nullptr;
  HBRUSH owned = nullptr;
};

// Dots in 4 x 4 cells, the run started at R's top-left moved along by its share of the remainder;
// a null brush leaves its tone out.
void DrawGripCells(HDC DC, const TRect& R, bool Horizontal, HBRUSH Dark, HBRUSH Light) {
  const int remainder = (Horizontal ? RectHeightOf(R) : RectWidthOf(R)) % 4;
  const int offset = remainder < 2 ? remainder : remainder / 2;
  int x = R.left + (Horizontal ? 0 : offset), y = R.top + (Horizontal ? offset : 0);
  for (;;) {
    const TRect inner{x + 1, y + 1, x + 3, y + 3};
    if (Light) FillRect(DC, &inner, Light);
    const TRect shadow = OffsetRectBy(inner, -1, -1);
    if (Dark) FillRect(DC, &shadow, Dark);
    if (Horizontal) {
      y += 4;
      if (y + 4 > R.bottom) break;
    } else {
      x += 4;
      if (x + 4 > R.right) break;
    }
  }
}

}  // namespace

// ---- the palette ------------------------------------------------------------------------------

TColor Office11Color(TOffice11ColorSlot Slot) {
  if (!palette.Computed) ComputeColors();
  return palette.Colors[Slot];
}

HBRUSH Office11Brush(TOffice11ColorSlot Slot) { return palette.Brushes[Slot]; }

TBitmap* Office11SubMenuExpandBitmap() { return palette.SubMenuExpand; }

TBitmap* Office11ExpandButtonBitmap(bool Expanded) { return Expanded ? palette.ExpandMinus : palette.ExpandPlus; }

TOffice11NavPaneColors Office11NavPaneColors() {
  if (!palette.Computed) ComputeColors();
  const TColor* c = palette.Colors + Office11NavPaneColor0;
  return {c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], c[11], c[12], c[13]};
}

void AcquireOffice11Colors() {
  if (palette.References++ == 0) {
    ComputeColors();
    CreateResources();
  }
}

void UnacquireOffice11Colors() {
  if (palette.References <= 0) return;
  if (--palette.References == 0) FreeResources();
}

int Office11ColorsReferenceCount() { return palette.References; }

void RefreshOffice11Palette() {
  ComputeColors();
  if (palette.References > 0) CreateResources();
}

TOffice11Scheme DetectOffice11Scheme() {
  auto currentName = Bound().GetCurrentThemeName.Get();
  if (!VisualStylesActiveFor() || !currentName) return o11sNone;
  std::vector<wchar_t> file(1024), color(1024), size(1024);
  if (FAILED(currentName(file.data(), 1024, color.data(), 1024, size.data(), 1024))) return o11sNone;
  file.back() = color.back() = 0;
  // The theme file's own name: the call gives its full path.
  const String fileName = AnsiUpperCase(ExtractFileName(file.data()));
  if (fileName != L"LUNA.MSSTYLES" && OSVersion().Major <= 5) return o11sNone;
  const String colorName = AnsiUpperCase(color.data());
  if (colorName == L"NORMALCOLOR") return o11sBlue;
  if (colorName == L"HOMESTEAD") return o11sOlive;
  if (colorName == L"METALLIC") return o11sSilver;
  return o11sNone;
}

TOffice11Scheme CurrentOffice11Scheme() { return palette.Scheme; }

bool Office11UsesSchemeColors() { return palette.UsesScheme; }

int Office11GradientMiddlePercent() { return kMiddlePercent[palette.UsesScheme ? palette.Scheme : o11sNone]; }

// ---- colour routines --------------------------------------------------------------------------

TColor LightenColorPercent(TColor Color, int Percent) {
  return MapChannels(Color, Color, [Percent](int c, int) { return (25500 - Percent * (255 - c)) / 100; });
}

TColor BlendColorsPercent(TColor A, TColor B, int Percent) {
  return NearestScreenColor(MapChannels(A, B, [Percent](int a, int b) {
    return MulDiv(a, Percent, 100) + MulDiv(b, 100 - Percent, 100);
  }));
}

TColor NavPaneCaptionTone(bool Start) {
  return NearestScreenColor(MapChannels(clBtnFace, clBtnFace, [Start](int v, int) {
    return Start ? v * 127 / 255 + 128 : v - v * 4 / 255 + 4;
  }));
}

bool ButtonFaceIsBlack() { return Rgb(clBtnFace) == clBlack; }

bool ButtonFaceIsWhite() { return Rgb(clBtnFace) == clWhite; }

bool ButtonFaceBlackTextNotWhite() { return ButtonFaceIsBlack() && Rgb(clBtnText) != clWhite; }

// ---- drawing ----------------------------------------------------------------------------------

void FillRectSolid(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(Rgb(Color)));
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

void FrameRectSolid(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(COLORREF(Rgb(Color)));
  FrameRect(DC, &R, brush);
  DeleteObject(brush);
}

void FillPolygonSolid(HDC DC, const POINT* Points, int Count, TColor Color) {
  HPEN pen = CreatePen(PS_SOLID, 1, COLORREF(Rgb(Color)));
  HBRUSH brush = CreateSolidBrush(COLORREF(Rgb(Color)));
  HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, brush);
  Polygon(DC, Points, Count);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void PaintSoftwareGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal) {
  const int origin = Horizontal ? R.left : R.top, extent = Horizontal ? RectWidthOf(R) : RectHeightOf(R);
  if (extent <= 0) return;
  const int strips = std::min(extent, 256);
  const TColor c1 = Rgb(Color1), c2 = Rgb(Color2);
  int start = origin;
  for (int i = 0; i < strips; ++i) {
    const int end = origin + MulDiv(i + 1, extent, strips);
    const TColor color = strips == 1 ? c1 : MapChannels(c1, c2, [i, strips](int a, int b) {
      return a + MulDiv(i, b - a, strips - 1);
    });
    if (end > start) {
      const TRect strip = Horizontal ? TRect{start, R.top, end, R.bottom} : TRect{R.left, start, R.right, end};
      FillRectSolid(DC, strip, color);
    }
    start = end;
    if (end >= origin + extent) break;
  }
}

void PaintGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal) {
  const TColor c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (c1 == c2) return FillRectSolid(DC, R, c1);
  auto gradientFill = Bound().GradientFill.Get();
  if (!gradientFill) return PaintSoftwareGradientRect(DC, R, c1, c2, Horizontal);
  auto vertex = [](int x, int y, TColor c) {
    return TRIVERTEX{x, y, COLOR16(RedOf(c) << 8), COLOR16(GreenOf(c) << 8), COLOR16(BlueOf(c) << 8), 0};
  };
  TRIVERTEX vertices[2] = {vertex(R.left, R.top, c1), vertex(R.right, R.bottom, c2)};
  GRADIENT_RECT rect{0, 1};
  gradientFill(DC, vertices, 2, &rect, 1, Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void PaintTwoPhaseGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal) {
  const TColor c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (c1 == c2) return FillRectSolid(DC, R, c1);
  const int extent = Horizontal ? RectWidthOf(R) : RectHeightOf(R);
  if (extent <= 0) return;
  const int half = extent / 2, k = Office11GradientMiddlePercent();
  const TColor middle = MapChannels(c1, c2, [k](int a, int b) { return a - MulDiv(a - b, k, 200); });
  // Each ramp runs over the whole extent and passes through the middle colour at the half; a value
  // that overshoots at either end is kept within 0..255.
  auto ramp = [extent](int line, int start, int end) {
    return extent > 1 ? start + MulDiv(line, end - start, extent - 1) : start;
  };
  for (int line = 0; line < extent; ++line) {
    TColor color;
    if (line == half) {
      color = middle;
    } else if (line < half) {
      color = MapChannels(c1, middle, [&](int a, int m) { return ramp(line, a, a - MulDiv(a - m, extent, half)); });
    } else {
      color = MapChannels(c2, middle, [&](int b, int m) { return ramp(line, b + MulDiv(m - b, extent, half), b); });
    }
    const int at = (Horizontal ? R.left : R.top) + line;
    const TRect strip = Horizontal ? TRect{at, R.top, at + 1, R.bottom} : TRect{R.left, at, R.right, at + 1};
    FillRectSolid(DC, strip, color);
  }
}

TColor GradientColorAt(const TRect& R, int X, TColor Color1, TColor Color2, bool Horizontal) {
  const int origin = Horizontal ? R.left : R.top, extent = Horizontal ? RectWidthOf(R) : RectHeightOf(R);
  const TColor c1 = Rgb(Color1), c2 = Rgb(Color2);
  if (extent <= 0) return c1;
  const int strips = std::min(extent, 256);
  if (strips == 1) return c1;
  const int step = std::max(0, MulDiv(X - origin + 1, strips, extent) - 1);
  return MapChannels(c1, c2, [step, strips](int a, int b) { return a + MulDiv(step, b - a, strips - 1); });
}

void FrameOffice11Selection(HDC DC, const TRect& R) {
  if (ButtonFaceIsBlack()) return FrameRectSolid(DC, R, clHighlightText);
  if (HBRUSH brush = Office11Brush(Office11SelectionBorderColor)) {
    FrameRect(DC, &R, brush);
    return;
  }
  FrameRectSolid(DC, R, Office11Color(Office11SelectionBorderColor));
}

void DrawOffice11GripDots(HDC DC, const TRect& R, bool Horizontal, HBRUSH DarkBrush, HBRUSH LightBrush) {
  const ToneBrush dark(Office11GripDarkColor), light(Office11GripLightColor);
  DrawGripCells(DC, R, Horizontal, DarkBrush ? DarkBrush : dark.handle, LightBrush ? LightBrush : light.handle);
}

void DrawOffice11ArrowInRect(HDC DC, const TRect& R, bool PointsDown, bool Enabled, bool Selected, bool Flag) {
  const int extent = PointsDown ? RectWidthOf(R) - 8 : RectHeightOf(R) - 6;
  int size = (extent - 1) / 2;
  if (extent % 2 != 0) ++size;
  DrawOffice11ArrowSized(DC, R, PointsDown, std::max(size, 3), Selected, Enabled, Flag);
}

void DrawOffice11ArrowSized(HDC DC, const TRect& R, bool PointsDown, int Size, bool Selected, bool Enabled, bool) {
  TColor color = Office11Color(Office11TextColor);
  if (!Enabled) color = Office11Color(Office11DisabledTextColor);
  else if (Selected && ButtonFaceIsWhite()) color = clWhite;
  POINT points[3];
  if (PointsDown) {
    const int x0 = (R.left + R.right - 2 * Size + 1) / 2, y0 = (R.top + R.bottom - Size) / 2;
    points[0] = {x0, y0}, points[1] = {x0 + 2 * Size - 2, y0}, points[2] = {x0 + Size - 1, y0 + Size - 1};
  } else {
    const int x0 = (R.left + R.right - Size) / 2, y0 = (R.top + R.bottom - 2 * Size + 1) / 2;
    points[0] = {x0, y0}, points[1] = {x0, y0 + 2 * Size - 2}, points[2] = {x0 + Size - 1, y0 + Size - 1};
  }
  FillPolygonSolid(DC, points, 3, color);
}

void DrawOffice11SizeGripDots(HDC DC, const TRect& R, TColor Color1, TColor Color2) {
  auto brushFor = [](TColor Color, TOffice11ColorSlot Default) -> HBRUSH {
    if (Color == clNone) return nullptr;
    return CreateSolidBrush(COLORREF(Rgb(Color == clDefault ? Office11Color(Default) : Color)));
  };
  HBRUSH dark = brushFor(Color1, Office11GripDarkColor), light = brushFor(Color2, Office11GripLightColor);
  TRect strip{R.right - 12, R.bottom - 3, R.right, R.bottom};
  for (int row = 0; row < 3; ++row) {
    DrawGripCells(DC, strip, false, dark, light);
    strip.left += 4;
    strip = OffsetRectBy(strip, 0, -4);
  }
  if (dark) DeleteObject(dark);
  if (light) DeleteObject(light);
}
