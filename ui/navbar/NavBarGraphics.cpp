#include "ui/navbar/NavBarGraphics.h"

#include <algorithm>
#include <cwctype>
#include <map>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Themes.h"
#include "ui/navbar/skins/GdiPlusClasses.h"

DEFINE_CLASS(TdxStyleSheetParser)

// ---- colours ----------------------------------------------------------------------------------

TColor ShadeLight80(TColor Color) { return LightenColorPercent(Color, 80); }
TColor ShadeLight40(TColor Color) { return LightenColorPercent(Color, 40); }
TColor ShadeLight70(TColor Color) { return LightenColorPercent(Color, 70); }
TColor ShadeLight20(TColor Color) { return LightenColorPercent(Color, 20); }
TColor ShadeDark60(TColor Color) { return DarkenColorPercent(Color, 60); }
TColor ShadeDark70(TColor Color) { return DarkenColorPercent(Color, 70); }
TColor ShadeDark20(TColor Color) { return DarkenColorPercent(Color, 20); }

TColor SchemelessLinkColor() { return ShadeDark60(ColorToRGB(clHighlight)); }

TColor StateTextColor(TColor Color, int State) {
  if (Color == clNone) Color = SchemelessLinkColor();
  if (State & nbisDisabled) return ShadeLight40(Color);
  if (State & (nbisSelected | nbisHot | nbisPressed)) return ShadeLight80(Color);
  return Color;
}

DWORD MakeARGB(Byte Alpha, Byte Red, Byte Green, Byte Blue) {
  return DWORD(Alpha) << 24 | DWORD(Red) << 16 | DWORD(Green) << 8 | Blue;
}

DWORD ColorToARGB(TColor Color, Byte Alpha) {
  const DWORD rgb = DWORD(ColorToRGB(Color));
  return MakeARGB(Alpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void SplitColor(TColor Color, Byte& Blue, Byte& Green, Byte& Red) {
  const DWORD rgb = DWORD(ColorToRGB(Color));
  Red = GetRValue(rgb);
  Green = GetGValue(rgb);
  Blue = GetBValue(rgb);
}

// ---- drawing ----------------------------------------------------------------------------------

namespace {

void DrawOneFrame(TcxCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  if (TopLeft != clNone) Canvas->DrawTwoColorBorders(R, TopLeft, TopLeft, {bLeft, bTop});
  if (BottomRight != clNone) Canvas->DrawTwoColorBorders(R, BottomRight, BottomRight, {bRight, bBottom});
}

}  // namespace

void DrawFrame(TcxCanvas* Canvas, const TRect& R, TColor OuterTopLeft, TColor OuterBottomRight, TColor InnerTopLeft,
               TColor InnerBottomRight) {
  DrawOneFrame(Canvas, R, OuterTopLeft, OuterBottomRight);
  DrawOneFrame(Canvas, TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1), InnerTopLeft, InnerBottomRight);
}

void GradientFillGdiPlus(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int Mode) {
  if (!GdiPlusAvailable() || R.IsEmpty()) return;
  ObjectPtr<TdxGPGraphics> graphics(new TdxGPGraphics(DC));
  // The brush spans the rectangle grown by one pixel, so its ends do not wrap into the fill.
  const GpRectI grown{R.left - 1, R.top - 1, R.Width() + 2, R.Height() + 2};
  ObjectPtr<TdxGPLinearGradientBrush> brush(new TdxGPLinearGradientBrush(
      grown, ColorToARGB(Color1, Alpha1), ColorToARGB(Color2, Alpha2), TdxGPLinearGradientMode(std::clamp(Mode, 0, 3))));
  graphics->FillRectangle(brush.get(), GpRectI{R.left, R.top, R.Width(), R.Height()});
}

void MessageFont(TFont* Font) {
  // The framework asks with the wide structure's own size (a short one makes the call fail).
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  if (metrics.lfMessageFont.lfFaceName[0]) {
    Font->SetHandle(CreateFontIndirectW(&metrics.lfMessageFont));
  } else {
    LOGFONTW stock{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    Font->SetHandle(CreateFontIndirectW(&stock));
  }
}

// ---- colour sets ------------------------------------------------------------------------------

namespace {

struct Resources {
  TdxNavBarExplorerBarColors explorer{};
  TdxNavBarTaskPaneColors taskPane{};
  int explorerCount = 0, taskPaneCount = 0, navPaneCount = 0, shellCount = 0;
  std::unique_ptr<TBitmap> explorerSigns[2], taskPaneSigns[2];
  std::unique_ptr<TBitmap> navPane[6];
  HINSTANCE shellModule = nullptr;
  std::map<int, std::unique_ptr<TBitmap>> shellBitmaps;
  std::unique_ptr<TFont> shellFonts[4];
  TColor shellBorder = clNone;
};

Resources& R() {
  static Resources resources;
  return resources;
}

// Bitmaps are freed through Free; unique_ptr with the default deleter suits these plain ones.
std::unique_ptr<TBitmap> LoadBitmapResource(const wchar_t* name, bool transparent) {
  auto bitmap = std::make_unique<TBitmap>();
  try {
    bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), name);
  } catch (const Exception&) {
    return nullptr;
  }
  if (transparent) bitmap->SetTransparent(true);
  return bitmap;
}

TOffice11Scheme Scheme() { return CurrentOffice11Scheme(); }

void BuildExplorerBarColors() {
  TdxNavBarExplorerBarColors& c = R().explorer;
  const int s = Scheme();
  if (s >= 1 && s <= 3) {
    static const TColor table[3][12] = {
        {0xE7A27B, 0xD67563, 0xC65D21, 0xFF8E42, 0xF7DFD6, 0xFFFFFF, 0xF7D3C6, 0xB54900, 0xCE5D29, 0xA53C00, 0xFFCDAC,
         0xFF8E42},
        {0xADD9CC, 0x84BDA5, 0x2D6656, 0x1D9272, 0xECF6F6, 0xECFCFF, 0xB8E7E0, 0x408C77, 0x67A896, 0x1C674B, 0xBEEDDD,
         0xB8E7E0},
        {0xD4C8C4, 0xC8B3B1, 0x3D3D3F, 0x7C7C7E, 0xF5F1F0, 0xFFFFFF, 0xE0D7D6, 0x927777, 0xC7B6B4, 0x734431, 0xFEFEF9,
         0xE6E6E6}};
    const TColor* row = table[s - 1];
    c.Background1 = row[0];
    c.Background2 = row[1];
    c.LinkText = row[2];
    c.LinkTextHot = row[3];
    c.GroupBackground = row[4];
    c.Caption1 = row[5];
    c.Caption2 = row[6];
    c.CaptionText = c.LinkText;
    c.CaptionTextHot = c.LinkTextHot;
    c.SpecialCaption1 = row[7];
    c.SpecialCaption2 = row[8];
    c.CaptionSign = row[9];
    c.CaptionSignHot = c.LinkTextHot;
    c.SpecialCaptionSign = c.CaptionSign;
    c.SpecialCaptionSignHot = c.CaptionSignHot;
    c.SpecialCaptionText = 0xFFFFFF;
    c.SpecialCaptionTextHot = row[11];
    return;
  }
  c.Background1 = c.Background2 = ColorToRGB(clActiveCaption);
  c.LinkText = StateTextColor(clNone, 0);
  c.LinkTextHot = StateTextColor(clNone, nbisHot);
  c.GroupBackground = ShadeLight40(ColorToRGB(clActiveCaption));
  c.Caption1 = ColorToRGB(clWindow);
  c.Caption2 = ShadeLight40(ColorToRGB(clHighlight));
  c.CaptionText = c.LinkText;
  c.CaptionTextHot = c.LinkTextHot;
  c.SpecialCaption1 = c.SpecialCaption2 = ColorToRGB(clHighlight);
  c.CaptionSign = c.CaptionText;
  c.CaptionSignHot = c.CaptionTextHot;
  c.SpecialCaptionSign = c.SpecialCaptionSignHot = c.SpecialCaption2;
  c.SpecialCaptionText = c.SpecialCaptionTextHot = ColorToRGB(clCaptionText);
}

void BuildTaskPaneColors() {
  TdxNavBarTaskPaneColors& c = R().taskPane;
  const int s = Scheme();
  if (ThemesActive() && s >= 1 && s <= 3) {
    static const TColor table[3][9] = {
        {0xFADAC4, 0xC97A4A, 0xFEECDD, 0xF1D0BA, 0xF9DBC4, 0xE08F65, 0xFFFFFF, 0x862D00, 0xB23D00},
        {0xE7F2F3, 0x98C6BE, 0xFFFFFF, 0xE7F2F3, 0xAEDFD2, 0x80B0A1, 0xFFFFFF, 0x466B5A, 0x5E8674},
        {0xF4EEEE, 0xC3B0B1, 0xFCFBFB, 0xF5F0F0, 0xDFD0D0, 0xBFA8A9, 0xFFFFFF, 0x795B5C, 0x99797A}};
    const TColor* row = table[s - 1];
    c = {row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8]};
    return;
  }
  auto blend = [](int p) { return BlendColorsPercent(clBtnFace, clWindow, p); };
  c = {blend(50), blend(100), blend(15), blend(20), blend(45), blend(70), blend(5), 0x000000, 0xFF0000};
}

}  // namespace

const TdxNavBarExplorerBarColors& ExplorerBarColors() { return R().explorer; }

void AcquireExplorerBarColors() {
  if (R().explorerCount++ == 0) RefreshExplorerBarColors();
}

void RefreshExplorerBarColors() {
  BuildExplorerBarColors();
  if (R().explorerCount == 0) return;
  R().explorerSigns[0] = LoadBitmapResource(L"DXNAVBARADVEXPLORERBARGROUPCAPTIONCOLLAPSESIGN", false);
  R().explorerSigns[1] = LoadBitmapResource(L"DXNAVBARADVEXPLORERBARGROUPCAPTIONEXPANDSIGN", false);
}

void ReleaseExplorerBarColors() {
  if (R().explorerCount == 0 || --R().explorerCount > 0) return;
  for (auto& sign : R().explorerSigns) sign.reset();
}

TBitmap* ExplorerBarSignBitmap(bool Expand) { return R().explorerSigns[Expand ? 1 : 0].get(); }

const TdxNavBarTaskPaneColors& TaskPaneColors() { return R().taskPane; }

void AcquireTaskPaneColors() {
  if (R().taskPaneCount++ == 0) RefreshTaskPaneColors();
}

void RefreshTaskPaneColors() {
  BuildTaskPaneColors();
  if (R().taskPaneCount == 0) return;
  R().taskPaneSigns[0] = LoadBitmapResource(L"DXNAVBAROFFICE11COLLAPSESIGN", false);
  R().taskPaneSigns[1] = LoadBitmapResource(L"DXNAVBAROFFICE11EXPANDSIGN", false);
}

void ReleaseTaskPaneColors() {
  if (R().taskPaneCount == 0 || --R().taskPaneCount > 0) return;
  for (auto& sign : R().taskPaneSigns) sign.reset();
}

TBitmap* TaskPaneSignBitmap(bool Expand) { return R().taskPaneSigns[Expand ? 1 : 0].get(); }

void AcquireNavPaneBitmaps() {
  if (R().navPaneCount++ == 0) RefreshNavPaneBitmaps();
}

void RefreshNavPaneBitmaps() {
  if (R().navPaneCount == 0) return;
  static const wchar_t* const names[6] = {
      L"DXNAVBAROFFICE11NAVPANEOVERFLOW",  L"DXNAVBAROFFICE11NAVPANESPLITTER",     L"DXNAVBAROFFICE11NAVPANEARROWUP",
      L"DXNAVBAROFFICE11NAVPANEARROWDOWN", L"DXNAVBAROFFICE11NAVPANEDEFAULTLARGE", L"DXNAVBAROFFICE11NAVPANEDEFAULTSMALL"};
  for (int i = 0; i < 6; ++i) R().navPane[i] = LoadBitmapResource(names[i], true);
}

void ReleaseNavPaneBitmaps() {
  if (R().navPaneCount == 0 || --R().navPaneCount > 0) return;
  for (auto& bitmap : R().navPane) bitmap.reset();
}

TBitmap* NavPaneBitmap(TdxNavPaneBitmap Which) { return R().navPane[Which].get(); }

int ExplorerBarColorsCount() { return R().explorerCount; }
int TaskPaneColorsCount() { return R().taskPaneCount; }
int NavPaneBitmapsCount() { return R().navPaneCount; }
int ShellStyleCount() { return R().shellCount; }

// ---- the shell style --------------------------------------------------------------------------

namespace {

constexpr int kShellBitmapNumbers[] = {112, 110, 101, 105, 100, 104, 103, 107, 102, 106, 114};

void ClearShellStyle() {
  R().shellModule = nullptr;
  R().shellBitmaps.clear();
  for (auto& font : R().shellFonts) font.reset();
  R().shellBorder = clNone;
}

// The style sheet's text: UTF-16 with its mark, else 8-bit text.
String StyleSheetText(HINSTANCE module) {
  if (!module) return String();
  HRSRC found = FindResourceW(module, L"CPWEBVW.CSS", MAKEINTRESOURCEW(23));
  if (!found) return String();
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = static_cast<const Byte*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = SizeofResource(module, found);
  if (!bytes || size == 0) return String();
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    return String(reinterpret_cast<const wchar_t*>(bytes + 2), (size - 2) / 2);
  return String(bytes, bytes + size);
}

void BuildShellStyle() {
  ClearShellStyle();
  if (Bound().SHGetShellStyleHInstance) R().shellModule = Bound().SHGetShellStyleHInstance.Get()();
  HINSTANCE module = R().shellModule;
  if (module)
    for (int number : kShellBitmapNumbers)
      if (FindResourceW(module, MAKEINTRESOURCEW(number), RT_BITMAP)) {
        auto bitmap = std::make_unique<TBitmap>();
        try {
          bitmap->LoadFromResourceID(module, number);
          R().shellBitmaps[number] = std::move(bitmap);
        } catch (const Exception&) {
        }
      }
  TdxStyleSheetParser parser(StyleSheetText(module));
  static const std::vector<const wchar_t*> styles[4] = {
      {L"BODY ", L"A "}, {L"BODY ", L"A ", L"A:HOVER "}, {L"BODY ", L".LEARNABOUTCAPTION "},
      {L"BODY ", L".LEARNABOUTCAPTION ", L"A:HOVER "}};
  for (int i = 0; i < 4; ++i) {
    auto font = std::make_unique<TFont>();
    MessageFont(font.get());
    for (const wchar_t* style : styles[i]) parser.ParseFont(font.get(), style);
    R().shellFonts[i] = std::move(font);
  }
  parser.ParseBorderColor(R().shellBorder, L".LEARNABOUTBOX");
}

}  // namespace

void AcquireShellStyle() {
  if (R().shellCount++ == 0) BuildShellStyle();
}

void RefreshShellStyle() {
  if (R().shellCount > 0) BuildShellStyle();
}

void ReleaseShellStyle() {
  if (R().shellCount == 0 || --R().shellCount > 0) return;
  ClearShellStyle();
}

HINSTANCE ShellStyleModule() { return R().shellModule; }

TBitmap* ShellStyleBitmap(int ResourceNumber) {
  auto it = R().shellBitmaps.find(ResourceNumber);
  return it == R().shellBitmaps.end() ? nullptr : it->second.get();
}

TFont* ShellStyleFont(TdxShellStyleFont Which) { return R().shellFonts[Which].get(); }
TColor ShellStyleBorderColor() { return R().shellBorder; }

// ---- the style-sheet parser -------------------------------------------------------------------

namespace {

String WithoutSpaces(String text) {
  text.erase(std::remove(text.begin(), text.end(), L' '), text.end());
  return text;
}

}  // namespace

TdxStyleSheetParser::TdxStyleSheetParser(const String& Text) : styles_(new TStringList()) {
  styles_->SetText(Trim(Text));
}

TdxStyleSheetParser::~TdxStyleSheetParser() { styles_->Free(); }

String TdxStyleSheetParser::StyleLine(const String& StyleName) {
  const String name = UpperCase(StyleName);
  for (int i = 0; i < styles_->Count(); ++i) {
    const String line = UpperCase(styles_->Strings(i));
    if (line.compare(0, name.size(), name) == 0) return styles_->Strings(i);
  }
  return String();
}

String TdxStyleSheetParser::StyleValue(const String& Line, const String& Key) {
  const size_t at = UpperCase(Line).find(UpperCase(Key));
  if (at == String::npos) return String();
  String value = Line.substr(at + Key.size());
  size_t end = value.find(L';');
  if (end == String::npos) end = value.find(L'}');
  return end == String::npos ? value : value.substr(0, end);
}

bool TdxStyleSheetParser::TryParseColor(const String& Text, TColor& Color) {
  if (Text.empty()) return false;
  const size_t hash = Text.find(L'#');
  if (hash != String::npos) {
    // Exactly the six characters after "#", each a hexadecimal digit.
    std::vector<Byte> channels;
    if (Text.size() < hash + 7 || !HexToBin(Text.substr(hash + 1, 6), channels)) return false;
    Color = TColor(RGB(channels[0], channels[1], channels[2]));
    return true;
  }
  if (!WebColorByName(Trim(Text), Color)) Color = 0;
  return true;
}

TColor TdxStyleSheetParser::ParseColor(const String& Text) {
  TColor color = 0;
  return TryParseColor(Text, color) ? color : 0;
}

void TdxStyleSheetParser::ParseFont(TFont* Font, const String& StyleName) {
  const String line = WithoutSpaces(StyleLine(StyleName));
  if (line.empty()) return;
  const String size = StyleValue(line, L"FONT-SIZE:");
  String digits;
  for (wchar_t c : size)
    if (c >= L'0' && c <= L'9') digits += c;
  if (!digits.empty() && digits.size() < 6) Font->SetSize(std::stoi(digits));
  TFontStyles style = Font->Style();
  const String weight = UpperCase(StyleValue(line, L"FONT-WEIGHT:"));
  if (weight == L"BOLD") style.Include(fsBold);
  if (weight == L"NORMAL") style.Exclude(fsBold);
  const String decoration = UpperCase(StyleValue(line, L"TEXT-DECORATION:"));
  if (decoration == L"UNDERLINE") style.Include(fsUnderline);
  if (decoration == L"NONE") style.Exclude(fsUnderline);
  if (style.Bits() != Font->Style().Bits()) Font->SetStyle(style);
  const String colorText = StyleValue(line, L"COLOR:");
  TColor color = 0;
  if (!colorText.empty() && TryParseColor(colorText, color) && color > 0) Font->SetColor(color);
}

void TdxStyleSheetParser::ParseBorderColor(TColor& Color, const String& StyleName) {
  String value = StyleValue(WithoutSpaces(StyleLine(StyleName)), L"BORDER:");
  value.erase(std::remove(value.begin(), value.end(), L'\''), value.end());
  TColor parsed = 0;
  if (TryParseColor(value, parsed)) Color = parsed;
}
