#include "ui/navbar/NavBarXPViews.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarXP1ViewInfo)
DEFINE_CLASS(TdxNavBarXP1GroupViewInfo)
DEFINE_CLASS(TdxNavBarXP1Painter)
DEFINE_CLASS(TdxNavBarXP2Painter)
DEFINE_CLASS(TdxNavBarXPExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarXPExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarXPExplorerBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarXPExplorerBarPainter)

// ---- theme drawing and the alpha blend ------------------------------------------------------------

bool TdxNavBarXPPainter::DrawThemed(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const TRect& R) {
  const TdxTheme theme = ThemeHandleFor(Kind);
  auto draw = Bound().DrawThemeBackground.Get();
  if (!theme || !draw) return false;
  const RECT r = R;
  draw(theme, DC, Part, State, &r, nullptr);
  return true;
}

void AlphaBlendPixels(const std::vector<DWORD>& Source, std::vector<DWORD>& Destination) {
  const size_t count = std::min(Source.size(), Destination.size());
  // Rows from the last to the first, as the blend has always walked them; the order changes nothing.
  for (size_t i = count; i-- > 0;) {
    const DWORD s = Source[i], d = Destination[i];
    const DWORD a = s >> 24;
    DWORD result = a << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      const DWORD sc = s >> shift & 0xFF, dc = d >> shift & 0xFF;
      result |= ((a * sc + (255 - a) * dc + 127) / 255) << shift;
    }
    Destination[i] = result;
  }
}

namespace {

struct DibBuffer {
  DibBuffer(HDC Reference, int W, int H) {
    BITMAPINFO info = TopDown32BitInfo(W, H);
    section = CreateDIBSection(Reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(Reference);
    if (section && dc) old = SelectObject(dc, section);
  }
  ~DibBuffer() {
    if (dc && old) SelectObject(dc, old);
    if (dc) DeleteDC(dc);
    if (section) DeleteObject(section);
  }
  bool Ok() const { return section && dc && bits; }
  DWORD* Pixels() const { return static_cast<DWORD*>(bits); }
  HBITMAP section = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
};

}  // namespace

void AlphaBlendBitmap(HDC DC, int X, int Y, TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const size_t count = size_t(w) * size_t(h);
  // Both sections and their memory DCs are released on every path.
  DibBuffer source(DC, w, h), destination(DC, w, h);
  if (!source.Ok() || !destination.Ok()) return;
  BITMAPINFO info = TopDown32BitInfo(w, h);
  GetDIBits(DC, Bitmap->Handle(), 0, UINT(h), source.bits, &info, DIB_RGB_COLORS);
  BitBlt(destination.dc, 0, 0, w, h, DC, X, Y, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> src(source.Pixels(), source.Pixels() + count), dst(destination.Pixels(), destination.Pixels() + count);
  AlphaBlendPixels(src, dst);
  std::copy(dst.begin(), dst.end(), destination.Pixels());
  BitBlt(DC, X, Y, w, h, destination.dc, 0, 0, SRCCOPY);
}

// ---- element painters -----------------------------------------------------------------------------

void TdxNavBarXPBackgroundPainter::DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, bool Erase,
                                                  TColor EraseColor, TColor Color1, TColor Color2, Byte Alpha1,
                                                  Byte Alpha2, int GradientMode) const {
  if (!TdxNavBarXPPainter::DrawThemed(totTab, Canvas->DCHandle(), 10, 0, R))
    TdxNavBarCustomBackgroundPainter::DrawBackground(Canvas, R, Picture, Erase, EraseColor, Color1, Color2, Alpha1,
                                                     Alpha2, GradientMode);
}

void TdxNavBarXPGroupBackgroundPainter::DrawGroupBackground(TcxCanvas* Canvas, const TRect& R, TPicture*,
                                                            TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                            int GradientMode) const {
  TdxNavBarXPBackgroundPainter::Instance()->DrawBackground(Canvas, R, nullptr, false, clNone, Color1, Color2, Alpha1,
                                                           Alpha2, GradientMode);
}

void TdxNavBarXPSelectionPainter::DrawSelection(TcxCanvas* Canvas, const TRect& R, TColor BackColor,
                                                int State) const {
  if (!(State & (nbisHot | nbisPressed | nbisSelected))) return;
  const int state = (State & (nbisPressed | nbisSelected)) ? 3 : (State & nbisHot) ? 2 : 1;
  if (!TdxNavBarXPPainter::DrawThemed(totToolBar, Canvas->DCHandle(), 1, state, R))
    TdxNavBarBaseSelectionPainter::DrawSelection(Canvas, R, BackColor, State);
}

void TdxNavBarXPButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture, TColor Color1,
                                          TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                          TColor BorderColor, int State) const {
  const int state = (State & nbisPressed) ? 3 : (State & nbisHot) ? 2 : (State & nbisActive) ? 5 : 1;
  if (!TdxNavBarXPPainter::DrawThemed(totButton, Canvas->DCHandle(), 1, state, R))
    TdxNavBarOfficeButtonPainter::DrawButton(Canvas, R, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                             BorderColor, State);
}

namespace {

bool DrawThemedArrow(TcxCanvas* Canvas, const TRect& R, bool Down, int State) {
  const int base = (State & nbisPressed) ? 3 : (State & nbisHot) ? 2 : 1;
  if (!TdxNavBarXPPainter::DrawThemed(totScrollBar, Canvas->DCHandle(), 1, Down ? base + 4 : base, R)) return false;
  ExcludeClipRect(Canvas->DCHandle(), R.left, R.top, R.right, R.bottom);
  return true;
}

}  // namespace

void TdxNavBarXPScrollButtonsPainter::DrawBottomButton(TcxCanvas* Canvas, const TRect& R,
                                                       TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                                                       TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                                       TColor BorderColor, int State) const {
  if (!DrawThemedArrow(Canvas, R, true, State))
    TdxNavBarBaseScrollButtonsPainter::DrawBottomButton(Canvas, R, ButtonPainter, Color1, Color2, Alpha1, Alpha2,
                                                        GradientMode, BorderColor, State);
}

void TdxNavBarXPScrollButtonsPainter::DrawTopButton(TcxCanvas* Canvas, const TRect& R,
                                                    TdxNavBarButtonPainterClass ButtonPainter, TColor Color1,
                                                    TColor Color2, Byte Alpha1, Byte Alpha2, int GradientMode,
                                                    TColor BorderColor, int State) const {
  if (!DrawThemedArrow(Canvas, R, false, State))
    TdxNavBarBaseScrollButtonsPainter::DrawTopButton(Canvas, R, ButtonPainter, Color1, Color2, Alpha1, Alpha2,
                                                     GradientMode, BorderColor, State);
}

// ---- XP 1 ------------------------------------------------------------------------------------------

void TdxNavBarXP1ViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clAppWorkSpace);
}
void TdxNavBarXP1ViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clNone);
}
void TdxNavBarXP1ViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clNone);
  style->Font()->SetColor(clCaptionText);
  style->SetHAlignment(haCenter);
}
void TdxNavBarXP1ViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clBtnText);
  style->SetHAlignment(haCenter);
}
void TdxNavBarXP1ViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clBtnShadow);
}

#define XP1_BACKGROUND_NONE (TdxNavBarGroupViewInfo::BackgroundBackColor() == clNone)
TColor TdxNavBarXP1GroupViewInfo::BackgroundBackColor() {
  return XP1_BACKGROUND_NONE ? LightenColorPercent(clInactiveCaption, 40)
                             : TdxNavBarGroupViewInfo::BackgroundBackColor();
}
TColor TdxNavBarXP1GroupViewInfo::BackgroundBackColor2() {
  return XP1_BACKGROUND_NONE ? clInactiveCaption : TdxNavBarGroupViewInfo::BackgroundBackColor2();
}
Byte TdxNavBarXP1GroupViewInfo::BackgroundAlphaBlending() {
  return XP1_BACKGROUND_NONE ? 255 : TdxNavBarGroupViewInfo::BackgroundAlphaBlending();
}
Byte TdxNavBarXP1GroupViewInfo::BackgroundAlphaBlending2() {
  return XP1_BACKGROUND_NONE ? 255 : TdxNavBarGroupViewInfo::BackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXP1GroupViewInfo::BackgroundGradientMode() {
  return XP1_BACKGROUND_NONE ? gmHorizontal : TdxNavBarGroupViewInfo::BackgroundGradientMode();
}
#undef XP1_BACKGROUND_NONE

#define XP1_HEADER_NONE (TdxNavBarGroupViewInfo::HeaderBackColor() == clNone)
TColor TdxNavBarXP1GroupViewInfo::HeaderBackColor() {
  return XP1_HEADER_NONE ? clActiveCaption : TdxNavBarGroupViewInfo::HeaderBackColor();
}
TColor TdxNavBarXP1GroupViewInfo::HeaderBackColor2() {
  if (!XP1_HEADER_NONE) return TdxNavBarGroupViewInfo::HeaderBackColor2();
  return NavBar()->PressedGroup() == Group() ? clActiveCaption : DarkenColorPercent(clActiveCaption, 60);
}
Byte TdxNavBarXP1GroupViewInfo::HeaderAlphaBlending() {
  return XP1_HEADER_NONE ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending();
}
Byte TdxNavBarXP1GroupViewInfo::HeaderAlphaBlending2() {
  return XP1_HEADER_NONE ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXP1GroupViewInfo::HeaderGradientMode() {
  return XP1_HEADER_NONE ? gmHorizontal : TdxNavBarGroupViewInfo::HeaderGradientMode();
}
#undef XP1_HEADER_NONE

TdxNavBarViewInfo* TdxNavBarXP1Painter::CreateViewInfo() { return new TdxNavBarXP1ViewInfo(this); }
TdxNavBarGroupViewInfo* TdxNavBarXP1Painter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                                                 bool AItemsVisible, bool ACaptionVisible) {
  return new TdxNavBarXP1GroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarScrollButtonsPainterClass TdxNavBarXP1Painter::ScrollButtonsPainterClass() {
  return TdxNavBarXPScrollButtonsPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarXP1Painter::SelectionPainterClass() {
  return TdxNavBarXPSelectionPainter::Instance();
}

void TdxNavBarXP1Painter::DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) {
  const TColor caption = AGroup->HeaderBackColor();
  const bool pressed = NavBar()->PressedGroup() == AGroup->Group();
  const TColor first = pressed ? LightenColorPercent(caption, 40) : caption;
  const TColor second = pressed ? LightenColorPercent(caption, 80) : AGroup->HeaderBackColor2();
  ButtonPainterClass()->DrawButton(cxCanvas(), AGroup->CaptionRect, AGroup->HeaderImage(), first, second,
                                   AGroup->HeaderAlphaBlending(), AGroup->HeaderAlphaBlending2(),
                                   int(AGroup->HeaderGradientMode()), AGroup->HeaderBorderColor(),
                                   NavBarStateFlags(AGroup->State()));
}

// ---- XP 2 ------------------------------------------------------------------------------------------

TdxNavBarBackgroundPainterClass TdxNavBarXP2Painter::BackgroundPainterClass() {
  return TdxNavBarXPBackgroundPainter::Instance();
}
TdxNavBarButtonPainterClass TdxNavBarXP2Painter::ButtonPainterClass() { return TdxNavBarXPButtonPainter::Instance(); }
TdxNavBarGroupBackgroundPainterClass TdxNavBarXP2Painter::GroupBackgroundPainterClass() {
  return TdxNavBarXPGroupBackgroundPainter::Instance();
}
TdxNavBarScrollButtonsPainterClass TdxNavBarXP2Painter::ScrollButtonsPainterClass() {
  return TdxNavBarXPScrollButtonsPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarXP2Painter::SelectionPainterClass() {
  return TdxNavBarXPSelectionPainter::Instance();
}

// ---- XP explorer bar ---------------------------------------------------------------------------------

namespace {
constexpr int kHeaderBackground = 1, kNormalGroupBackground = 5, kNormalGroupHead = 8, kSpecialGroupHead = 12;
constexpr int kBorderColor = 3801, kFillColor = 3802, kGradientColor1 = 3810, kGradientColor2 = 3811;
}  // namespace

TdxTheme TdxNavBarXPExplorerBarViewInfo::Theme() { return ThemeHandleFor(totExplorerBar); }

TColor TdxNavBarXPExplorerBarViewInfo::ThemeColor(int Part, int Property) {
  const TdxTheme theme = Theme();
  auto get = Bound().GetThemeColor.Get();
  COLORREF color = 0;
  if (!theme || !get || FAILED(get(theme, Part, Part == kHeaderBackground ? -1 : 0, Property, &color))) return clNone;
  return TColor(color);
}

void TdxNavBarXPExplorerBarViewInfo::CreateColors() {
  if (held_) return;
  AcquireShellStyle();
  held_ = true;
}
void TdxNavBarXPExplorerBarViewInfo::RefreshColors() { RefreshShellStyle(); }
void TdxNavBarXPExplorerBarViewInfo::ReleaseColors() {
  if (!held_) return;
  held_ = false;
  ReleaseShellStyle();
}

#define XP_BAR_THEMED (ThemeColor(kHeaderBackground, kGradientColor1) != clNone)
TColor TdxNavBarXPExplorerBarViewInfo::BackgroundBackColor() {
  return XP_BAR_THEMED ? ThemeColor(kHeaderBackground, kGradientColor1)
                       : TdxNavBarExplorerBarViewInfo::BackgroundBackColor();
}
TColor TdxNavBarXPExplorerBarViewInfo::BackgroundBackColor2() {
  const TColor second = ThemeColor(kHeaderBackground, kGradientColor2);
  return XP_BAR_THEMED && second != clNone ? second : TdxNavBarExplorerBarViewInfo::BackgroundBackColor2();
}
Byte TdxNavBarXPExplorerBarViewInfo::BackgroundAlphaBlending() {
  return XP_BAR_THEMED ? 255 : TdxNavBarExplorerBarViewInfo::BackgroundAlphaBlending();
}
Byte TdxNavBarXPExplorerBarViewInfo::BackgroundAlphaBlending2() {
  return XP_BAR_THEMED ? 255 : TdxNavBarExplorerBarViewInfo::BackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarViewInfo::BackgroundGradientMode() {
  return XP_BAR_THEMED ? gmVertical : TdxNavBarExplorerBarViewInfo::BackgroundGradientMode();
}
#undef XP_BAR_THEMED

TdxNavBarXPExplorerBarGroupViewInfo::TdxNavBarXPExplorerBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                         TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                         bool ACaptionVisible)
    : TdxNavBarExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible), font_(new TFont()) {}

TdxNavBarXPExplorerBarGroupViewInfo::~TdxNavBarXPExplorerBarGroupViewInfo() { delete font_; }

bool TdxNavBarXPExplorerBarGroupViewInfo::IsSpecial() { return State().Contains(sSpecial); }

namespace {

// The part's fill colour, else its gradient colour (1 or 2); clNone without theme.
TColor PartColor(int Part, bool Second) {
  const TColor fill = TdxNavBarXPExplorerBarViewInfo::ThemeColor(Part, kFillColor);
  return fill != clNone ? fill : TdxNavBarXPExplorerBarViewInfo::ThemeColor(Part, Second ? kGradientColor2 : kGradientColor1);
}

}  // namespace

#define XP_GROUP_THEMED (PartColor(kNormalGroupBackground, false) != clNone)
TColor TdxNavBarXPExplorerBarGroupViewInfo::BackgroundBackColor() {
  return XP_GROUP_THEMED ? PartColor(kNormalGroupBackground, false)
                         : TdxNavBarExplorerBarGroupViewInfo::BackgroundBackColor();
}
TColor TdxNavBarXPExplorerBarGroupViewInfo::BackgroundBackColor2() {
  return XP_GROUP_THEMED ? PartColor(kNormalGroupBackground, true)
                         : TdxNavBarExplorerBarGroupViewInfo::BackgroundBackColor2();
}
Byte TdxNavBarXPExplorerBarGroupViewInfo::BackgroundAlphaBlending() {
  return XP_GROUP_THEMED ? 255 : TdxNavBarExplorerBarGroupViewInfo::BackgroundAlphaBlending();
}
Byte TdxNavBarXPExplorerBarGroupViewInfo::BackgroundAlphaBlending2() {
  return XP_GROUP_THEMED ? 255 : TdxNavBarExplorerBarGroupViewInfo::BackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarGroupViewInfo::BackgroundGradientMode() {
  return XP_GROUP_THEMED ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::BackgroundGradientMode();
}
#undef XP_GROUP_THEMED

TColor TdxNavBarXPExplorerBarGroupViewInfo::BorderColor() {
  if (TdxNavBarXPExplorerBarViewInfo::Theme()) {
    if (ShellStyleCount() > 0 && ShellStyleBorderColor() != clNone) return ShellStyleBorderColor();
    const TColor border = TdxNavBarXPExplorerBarViewInfo::ThemeColor(kNormalGroupBackground, kBorderColor);
    if (border != clNone) return border;
  }
  return TdxNavBarExplorerBarGroupViewInfo::BorderColor();
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::CaptionColor(bool Second) {
  return PartColor(IsSpecial() ? kSpecialGroupHead : kNormalGroupHead, Second);
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::HeaderBackColor() {
  const TColor color = CaptionColor(false);
  return color != clNone ? color : TdxNavBarExplorerBarGroupViewInfo::HeaderBackColor();
}
TColor TdxNavBarXPExplorerBarGroupViewInfo::HeaderBackColor2() {
  const TColor color = CaptionColor(true);
  return color != clNone ? color : TdxNavBarExplorerBarGroupViewInfo::HeaderBackColor2();
}
Byte TdxNavBarXPExplorerBarGroupViewInfo::HeaderAlphaBlending() {
  return CaptionColor(false) != clNone ? 255 : TdxNavBarExplorerBarGroupViewInfo::HeaderAlphaBlending();
}
Byte TdxNavBarXPExplorerBarGroupViewInfo::HeaderAlphaBlending2() {
  return CaptionColor(false) != clNone ? 255 : TdxNavBarExplorerBarGroupViewInfo::HeaderAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarGroupViewInfo::HeaderGradientMode() {
  return CaptionColor(false) != clNone ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::HeaderGradientMode();
}

namespace {
bool ShellFontsUsable() { return TdxNavBarXPExplorerBarViewInfo::Theme() && ShellStyleModule() && ShellStyleCount() > 0; }
}  // namespace

TFont* TdxNavBarXPExplorerBarGroupViewInfo::HeaderFont() {
  if (!ShellFontsUsable()) return TdxNavBarExplorerBarGroupViewInfo::HeaderFont();
  font_->Assign(ShellStyleFont(State().Contains(sHotTracked) ? ssfCaptionHot : ssfCaption));
  TFontStyles style = font_->Style();
  style.Exclude(fsUnderline);
  font_->SetStyle(style);
  return font_;
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::HeaderFontColor() {
  if (!ShellFontsUsable()) return TdxNavBarExplorerBarGroupViewInfo::HeaderFontColor();
  return IsSpecial() ? clWhite : HeaderFont()->Color();
}

TdxNavBarXPExplorerBarLinkViewInfo::TdxNavBarXPExplorerBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                       TdxNavBarItemLink* ALink, bool AImageVisible,
                                                                       bool ACaptionVisible)
    : TdxNavBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible), font_(new TFont()) {}

TdxNavBarXPExplorerBarLinkViewInfo::~TdxNavBarXPExplorerBarLinkViewInfo() { delete font_; }

TFont* TdxNavBarXPExplorerBarLinkViewInfo::Font() {
  if (!ShellFontsUsable()) return TdxNavBarLinkViewInfo::Font();
  font_->Assign(ShellStyleFont(State().Contains(sHotTracked) ? ssfLinkHot : ssfLink));
  if (State().Contains(sDisabled)) {
    TFontStyles style = font_->Style();
    style.Exclude(fsUnderline);
    font_->SetStyle(style);
  }
  return font_;
}

TColor TdxNavBarXPExplorerBarLinkViewInfo::FontColor() {
  if (!ShellFontsUsable()) return TdxNavBarLinkViewInfo::FontColor();
  const TColor color = Font()->Color();
  return State().Contains(sDisabled) ? LightenColorPercent(color, 80) : color;
}

namespace {

// The shell bitmap stretched over R with clFuchsia transparent; false without theme or bitmap.
bool StretchShellBitmap(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
  if (!TdxNavBarXPExplorerBarViewInfo::Theme() || !Bitmap || Bitmap->Empty()) return false;
  HDC source = CreateCompatibleDC(Canvas->DCHandle());
  HGDIOBJ old = SelectObject(source, Bitmap->Handle());
  TransparentBlt(Canvas->DCHandle(), R.left, R.top, R.Width(), R.Height(), source, 0, 0, Bitmap->Width(),
                 Bitmap->Height(), UINT(ColorToRGB(clFuchsia)));
  SelectObject(source, old);
  DeleteDC(source);
  return true;
}

}  // namespace

void TdxNavBarXPExplorerBarBackgroundPainter::DrawBackground(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                             bool Erase, TColor EraseColor, TColor Color1,
                                                             TColor Color2, Byte Alpha1, Byte Alpha2,
                                                             int GradientMode) const {
  if (!StretchShellBitmap(Canvas, R, ShellStyleCount() > 0 ? ShellStyleBitmap(114) : nullptr))
    TdxNavBarCustomBackgroundPainter::DrawBackground(Canvas, R, Picture, Erase, EraseColor, Color1, Color2, Alpha1,
                                                     Alpha2, GradientMode);
}

void TdxNavBarXPExplorerBarButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                     TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                     int GradientMode, TColor BorderColor, int State) const {
  TBitmap* header = nullptr;
  if (ShellStyleCount() > 0) {
    if (State & nbisSpecial) header = ShellStyleBitmap(110);
    if (!header || header->Empty()) header = ShellStyleBitmap(112);
  }
  if (!StretchShellBitmap(Canvas, R, header))
    TdxNavBarCustomButtonPainter::DrawButton(Canvas, R, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                             BorderColor, State);
}

void TdxNavBarXPExplorerBarSignPainter::DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor,
                                                 TColor BackColor1, TColor BackColor2, int State) const {
  TBitmap* sign = nullptr;
  if (TdxNavBarXPExplorerBarViewInfo::Theme() && ShellStyleCount() > 0) {
    const bool expanded = (State & nbisExpanded) != 0, hot = (State & nbisHot) != 0;
    // Normal group: expanded 100 (hot 101), collapsed 102 (hot 103); the special group's are 4 higher.
    const int number = (expanded ? 100 : 102) + (hot ? 1 : 0);
    if (State & nbisSpecial) sign = ShellStyleBitmap(number + 4);
    if (!sign || sign->Empty()) sign = ShellStyleBitmap(number);
  }
  if (!sign || sign->Empty())
    return TdxNavBarExplorerBarSignPainter::DrawSign(Canvas, R, ForeColor, BackColor1, BackColor2, State);
  TBitmap* header = ShellStyleBitmap(112);
  if (header && !header->Empty())
    AlphaBlendBitmap(Canvas->DCHandle(), R.left, R.top, sign);
  else
    StretchShellBitmap(Canvas, R, sign);
}

TdxNavBarViewInfo* TdxNavBarXPExplorerBarPainter::CreateViewInfo() { return new TdxNavBarXPExplorerBarViewInfo(this); }
TdxNavBarGroupViewInfo* TdxNavBarXPExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                           TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                           bool ACaptionVisible) {
  return new TdxNavBarXPExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarLinkViewInfo* TdxNavBarXPExplorerBarPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                         TdxNavBarItemLink* ALink, bool AImageVisible,
                                                                         bool ACaptionVisible) {
  return new TdxNavBarXPExplorerBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}
TdxNavBarBackgroundPainterClass TdxNavBarXPExplorerBarPainter::BackgroundPainterClass() {
  return TdxNavBarXPExplorerBarBackgroundPainter::Instance();
}
TdxNavBarButtonPainterClass TdxNavBarXPExplorerBarPainter::ButtonPainterClass() {
  return TdxNavBarXPExplorerBarButtonPainter::Instance();
}
TdxNavBarSignPainterClass TdxNavBarXPExplorerBarPainter::SignPainterClass() {
  return TdxNavBarXPExplorerBarSignPainter::Instance();
}

// ---- the unit -------------------------------------------------------------------------------------

void StartXPViewsUnit() {
  RegisterView(6, L"XP1View", &TdxNavBarXP1Painter::ClassInfo());
  RegisterView(7, L"XP2View", &TdxNavBarXP2Painter::ClassInfo());
  RegisterView(11, L"XPExplorerBarView", &TdxNavBarXPExplorerBarPainter::ClassInfo());
}

void EndXPViewsUnit() {
  for (int id : {6, 7, 11}) UnregisterView(id);
}

namespace {
const TUnitRegistration xpViewsUnit(&StartXPViewsUnit, &EndXPViewsUnit);
}
