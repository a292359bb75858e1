#include "ui/ribbon/RibbonPainters.h"

#include <uxtheme.h>

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/LookAndFeelPainters.h"
#include "ui/foundation/Themes.h"
#include "ui/ribbon/ApplicationButton.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonViewInfo.h"
#include "ui/ribbon/TextRows.h"

DEFINE_CLASS(TdxRibbonBarPainter)

namespace {

// The application button's glyph and the form icon stand this far inside the button.
constexpr int kGlyphInset = 9;
constexpr int kGlowSize = 10;
// The drop-down arrow after a collapsed group's caption, with its gap.
constexpr int kCollapsedArrowWidth = 12;

TRect Shrunk(const TRect& R, int D) { return TRect{R.left + D, R.top + D, R.right - D, R.bottom - D}; }

TRect Shrunk(const TRect& R, const TRect& M) {
  return TRect{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}

HDC DCOf(TcxCanvas* Canvas) { return Canvas->DCHandle(); }

// 4 pressed, 2 hot, else 0.
int ScrollButtonState(bool Hot, bool Pressed) { return Pressed ? 4 : Hot ? 2 : 0; }

// Fills R with a colour; the brush is the canvas's own afterwards as before.
void FillWithColor(TcxCanvas* Canvas, const TRect& R, TColor Color) { Canvas->FillAreaWithColor(R, Color); }

}  // namespace

// ---- tabs ---------------------------------------------------------------------------------------

void TdxRibbonTabPainter::DrawBackground(TcxCanvas* Canvas, const TRect& R, int State) {
  if (skin_) skin_->DrawTab(DCOf(Canvas), R, State);
}

void TdxRibbonTabPainter::DrawSeparator(TcxCanvas* Canvas, const TRect& R, int Alpha) {
  if (skin_) skin_->DrawTabSeparator(DCOf(Canvas), R, Byte(Alpha));
}

void TdxRibbonTabPainter::DrawText(TcxCanvas* Canvas, const TRect& R, bool Compressed, const String& Caption) {
  Canvas->CurrentBrush()->SetStyle(bsClear);
  const int flags = ctfSingleLine | ctfBottom | (Compressed ? ctfLeft : ctfHCenter);
  Canvas->DrawTextWithEnabledState(Caption, R, flags, true);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

// ---- the ribbon -------------------------------------------------------------------------------

TdxCustomRibbonSkin* TdxRibbonPainter::Skin() const { return ribbon_->ColorScheme(); }

void TdxRibbonPainter::DrawCaption(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData) {
  TdxCustomRibbonSkin* skin = Skin();
  TdxRibbonViewInfo* info = ribbon_->ViewInfo();
  if (skin && !info->UseGlass()) skin->DrawFormCaption(DCOf(Canvas), R, FormData);
  if (ribbon_->Hidden()) {
    DrawFormIcon(Canvas, ribbon_->CaptionHelperTextArea());
  } else {
    if (info->IsQuickAccessInCaption()) DrawQuickAccessBackground(Canvas, info->QuickAccessBounds(), FormData.Active);
    if (info->IsApplicationButtonVisible())
      DrawApplicationButton(Canvas, info->ApplicationButtonBounds(), info->GetApplicationButtonState());
  }
  const String name = ribbon_->DocumentName();
  String rest;
  if (auto* form = dynamic_cast<TCustomForm*>(ribbon_->Owner())) rest = (name.empty() ? L"" : L" - ") + form->Caption();
  DrawCaptionText(Canvas, info->CaptionTextBounds(), FormData, name, rest);
}

void TdxRibbonPainter::DrawCaptionButton(TcxCanvas* Canvas, const TRect& R, int Kind, int State) {
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawCaptionButton(DCOf(Canvas), R, Kind, State);
}

void TdxRibbonPainter::DrawFormFrame(TcxCanvas* Canvas, const TRect& Borders, const TdxRibbonFormFrameState& FormData) {
  if (TdxCustomRibbonSkin* skin = Skin())
    skin->DrawFormFrame(DCOf(Canvas), Borders, FormData, ribbon_->ViewInfo()->GetCaptionAreaHeight());
}

void TdxRibbonPainter::DrawApplicationButton(TcxCanvas* Canvas, const TRect& R, int State) {
  TdxRibbonApplicationButton* button = ribbon_->ApplicationButton();
  if (!button->Visible() || R.IsEmpty()) return;
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawApplicationButton(DCOf(Canvas), R, State);
  TBitmap* glyph = button->Glyph();
  if (!glyph || glyph->Empty())
    DrawFormIcon(Canvas, Shrunk(R, kGlyphInset));
  else
    DrawApplicationButtonGlyph(Canvas, R, button->StretchGlyph(), glyph);
}

void TdxRibbonPainter::DrawApplicationButtonGlyph(TcxCanvas* Canvas, const TRect& R, bool Stretch, TBitmap* Glyph) {
  TRect target;
  if (Stretch) {
    target = Shrunk(R, kGlyphInset);
  } else {
    const int left = R.left + (R.Width() - Glyph->Width()) / 2, top = R.top + (R.Height() - Glyph->Height()) / 2;
    target = TRect{left, top, left + Glyph->Width(), top + Glyph->Height()};
  }
  OffsetRect(&target, -1, -1);
  const TRect source{0, 0, Glyph->Width(), Glyph->Height()};
  if (Glyph->PixelFormat() == pf32bit) {
    AlphaBlendBitmapTo(DCOf(Canvas), Glyph, target, source, true);
    return;
  }
  const TBrushStyle style = Canvas->CurrentBrush()->Style();
  Canvas->CurrentBrush()->SetStyle(bsClear);
  TransparentBlt(DCOf(Canvas), target.left, target.top, target.Width(), target.Height(), Glyph->Canvas()->Handle(),
                 0, 0, source.right, source.bottom, ColorToRGB(Glyph->TransparentColor()) & 0xFFFFFF);
  Canvas->CurrentBrush()->SetStyle(style);
}

void TdxRibbonPainter::DrawBackground(TcxCanvas* Canvas, const TRect& R) {
  TdxCustomRibbonSkin* skin = Skin();
  if (!skin) {
    FillWithColor(Canvas, R, clBtnFace);
    return;
  }
  TdxRibbonViewInfo* info = ribbon_->ViewInfo();
  HDC dc = DCOf(Canvas);
  if (info->IsQuickAccessVisible() && !info->IsQuickAccessBelow() && !info->PaintsFormFrame()) {
    const int split = info->QuickAccessBounds().bottom;
    skin->DrawCaptionStrip(dc, TRect{R.left, R.top, R.right, split});
    skin->FillRibbonBackground(dc, TRect{R.left, split, R.right, R.bottom});
  } else {
    skin->FillRibbonBackground(dc, R);
  }
}

void TdxRibbonPainter::DrawGroupsArea(TcxCanvas* Canvas, const TRect& R) {
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawGroupsArea(DCOf(Canvas), R);
}

void TdxRibbonPainter::DrawScrollArrow(TcxCanvas* Canvas, const TRect& R, int Side) {
  TcxCustomLookAndFeelPainterClass painter = ribbon_->LookAndFeelPainter();
  const TColor color = Skin() ? Skin()->PartColorOf(10132, 0) : clBtnText;
  if (painter) painter->FillArrowTriangle(Canvas, R, color == clDefault ? clBtnText : color, Side == 0 ? padRight : padLeft);
}

void TdxRibbonPainter::DrawGroupScrollButton(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Side) {
  TdxCustomRibbonSkin* skin = Skin();
  if (!skin) return;
  skin->DrawGroupScrollButton(DCOf(Canvas), R, ScrollButtonState(Hot, Pressed), Side);
  if (skin->ScrollButtonsHaveArrows()) DrawScrollArrow(Canvas, TRect{R.left + 2, R.top, R.right - 2, R.bottom - 2}, Side);
  Canvas->SubtractFromClip(R);
}

void TdxRibbonPainter::DrawTabScrollButton(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Side) {
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawTabScrollButton(DCOf(Canvas), R, ScrollButtonState(Hot, Pressed), Side);
  DrawScrollArrow(Canvas, TRect{R.left + 2, R.top, R.right - 2, R.bottom - 4}, Side);
  Canvas->SubtractFromClip(R);
}

void TdxRibbonPainter::DrawCaptionText(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData,
                                       const String& DocumentName, const String& CaptionRest) {
  TFont* font = ribbon_->Fonts()->GetFormCaptionFont(FormData.Active);
  Canvas->UseFont(font);
  if (ribbon_->ViewInfo()->UseGlass()) return DrawCaptionTextOnGlass(Canvas, R, FormData, DocumentName, CaptionRest);
  TColor nameColor = ribbon_->Fonts()->DocumentNameColor();
  if (nameColor == clDefault) nameColor = Skin() ? Skin()->PartColorOf(10131, FormData.Active ? 0 : 1) : font->Color();
  const String text = DocumentName + CaptionRest;
  HDC dc = DCOf(Canvas);
  HGDIOBJ oldFont = SelectObject(dc, font->Handle());
  const COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  TRect r = R;
  DrawTextRows(dc, text.c_str(), r, 0, 0, 0, nameColor, clNone, int(DocumentName.size()), 0,
               dtrCenter | dtrVCenter | dtrNoLeftOverhang | dtrSingleLine | dtrEndEllipsis);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  SelectObject(dc, oldFont);
}

void TdxRibbonPainter::DrawCaptionTextOnGlass(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData,
                                              const String& DocumentName, const String& CaptionRest) {
  const String text = DocumentName + CaptionRest;
  if (FormData.WindowState == wsMaximized) {
    Canvas->CurrentFont()->SetColor(clWhite);
    Canvas->CurrentBrush()->SetStyle(bsClear);
    Canvas->DrawTextWithEnabledState(text, R, ctfSingleLine | ctfVCenter | ctfLeft | ctfEndEllipsis, true);
    Canvas->CurrentBrush()->SetStyle(bsSolid);
    return;
  }
  HFONT font = Canvas->CurrentFont()->Handle();
  const String shown = EllipsizeTextToWidth(DCOf(Canvas), font, text, R.Width() - 20);
  TRect r = R;
  r.right = r.left + TextWidthForFont(Canvas->CurrentFont(), shown) + 20;
  DrawGlowText(DCOf(Canvas), shown, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS,
               Canvas->CurrentFont()->Color(), r, font);
}

void TdxRibbonPainter::DrawQuickAccessBackground(TcxCanvas* Canvas, const TRect& R, bool FormActive) {
  TdxRibbonViewInfo* info = ribbon_->ViewInfo();
  if (!info->IsQuickAccessInCaption()) {
    Canvas->PushClipRegion();
    Canvas->ClipToRect(R);
    DrawBackground(Canvas, info->Bounds());
    Canvas->PopClipRegion();
  }
  if (TdxCustomRibbonSkin* skin = Skin())
    skin->DrawQuickAccessBackground(DCOf(Canvas), R, !info->UseGlass(), FormActive, info->IsApplicationButtonVisible(),
                                    info->PaintsFormFrame(), info->IsQuickAccessBelow());
}

void TdxRibbonPainter::DrawMDIButton(TcxCanvas* Canvas, const TRect& R, int State, int Kind) {
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawMDIButton(DCOf(Canvas), R, State, Kind);
  Canvas->SubtractFromClip(R);
}

void TdxRibbonPainter::DrawHelpButton(TcxCanvas* Canvas, const TRect& R, int State) {
  if (TdxCustomRibbonSkin* skin = Skin()) {
    skin->DrawHelpButtonBackground(DCOf(Canvas), R, State);
    skin->DrawHelpButtonGlyph(DCOf(Canvas), R);
  }
  Canvas->SubtractFromClip(R);
}

void TdxRibbonPainter::DrawTabAreaBottomLines(TcxCanvas* Canvas) {
  const TRect bounds = ribbon_->ViewInfo()->Bounds();
  const TRect r{bounds.left, bounds.bottom - 2, bounds.right, bounds.bottom};
  if (TdxCustomRibbonSkin* skin = Skin()) skin->DrawTabAreaBottomLines(DCOf(Canvas), r);
  Canvas->SubtractFromClip(r);
}

void TdxRibbonPainter::DrawFormIcon(TcxCanvas* Canvas, const TRect& R) {
  if (R.IsEmpty()) return;
  HICON icon = nullptr;
  if (auto* form = dynamic_cast<TCustomForm*>(ribbon_->Parent())) icon = form->Icon();
  if (!icon && Application) icon = Application->Icon();
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  if (ribbon_->ViewInfo()->UseGlass()) {
    TBitmap image(R.Width(), R.Height(), pf32bit);
    DrawIconEx(image.Canvas()->Handle(), 0, 0, icon, R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
    AlphaBlendBitmapTo(DCOf(Canvas), &image, R, TRect{0, 0, R.Width(), R.Height()});
    return;
  }
  DrawIconEx(DCOf(Canvas), R.left, R.top, icon, R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
}

void TdxRibbonPainter::DrawDesignPlaceholder(TcxCanvas* Canvas) {
  HDC dc = DCOf(Canvas);
  const TRect r = ribbon_->ViewInfo()->Bounds();
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, 0xC0C0C0);
  const int oldMode = SetBkMode(dc, OPAQUE);
  FillRect(dc, &r, hatch);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBack);
  DeleteObject(hatch);
}

void TdxRibbonPainter::DrawGlowText(HDC DC, const String& Text, UINT Flags, TColor Color, const TRect& R, HFONT Font) {
  auto drawThemeTextEx = Bound().DrawThemeTextEx.Get();
  const TdxTheme theme = drawThemeTextEx ? ThemeHandleFor(totWindow) : nullptr;
  if (!theme) {
    HGDIOBJ oldFont = SelectObject(DC, Font);
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(DC, ColorToRGB(Color));
    RECT r = R;
    DrawTextW(DC, Text.c_str(), int(Text.size()), &r, Flags);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
    SelectObject(DC, oldFont);
    return;
  }
  HDC memory = CreateCompatibleDC(DC);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = R.Width();
  info.bmiHeader.biHeight = -R.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(memory, dib);
  HGDIOBJ oldFont = SelectObject(memory, Font);
  DTTOPTS options{};
  options.dwSize = sizeof(options);
  options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
  options.crText = ColorToRGB(Color);
  options.iGlowSize = kGlowSize;
  RECT r{0, 0, R.Width(), R.Height()};
  drawThemeTextEx(theme, memory, 0, 0, Text.c_str(), -1, Flags, &r, &options);
  BitBlt(DC, R.left, R.top, R.Width(), R.Height(), memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(dib);
  DeleteDC(memory);
}

// ---- the ribbon bar painter -------------------------------------------------------------------

TdxRibbonBarPainter::TdxRibbonBarPainter(TdxCustomRibbon* ARibbon)
    : TdxBarSkinnedPainter(TcxCustomLookAndFeelPainterClass{}, ARibbon),
      ribbon_(ARibbon),
      offsets1000_(ARibbon->ContentMarginsOf(1000)),
      offsets1001_(ARibbon->ContentMarginsOf(1001)) {
  const TRect o1000 = offsets1000_, o1001 = offsets1001_;
  collapsedGlyphTop_ = 16 + o1001.top + o1001.bottom + 3 + 4;
  collapsedHeightBase_ = o1000.top + 3 * PaddedHeight(16) + 1 + 14 + 3 - (o1000.top + o1000.bottom);
}

TdxRibbonBarPainter::~TdxRibbonBarPainter() = default;

TdxRibbonBarPainter* TdxRibbonBarPainter::CreatePainter(TdxCustomRibbon* Ribbon) { return new TdxRibbonBarPainter(Ribbon); }

IdxRibbonCollapsedGroup* TdxRibbonBarPainter::CollapsedGroupOf(TdxBarControl* BarControl) {
  auto* group = dynamic_cast<IdxRibbonCollapsedGroup*>(BarControl);
  return group && group->IsCollapsedGroup() ? group : nullptr;
}

void TdxRibbonBarPainter::DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  IdxRibbonCollapsedGroup* group = CollapsedGroupOf(BarControl);
  if (!group) return TdxBarSkinnedPainter::DrawBarControlBackground(BarControl, DC, R);
  DrawCollapsedGroup(DC, R, BarControl->Bar() ? BarControl->Bar()->Caption() : String(), nullptr,
                     group->CollapsedGroupState());
}

TRect TdxRibbonBarPainter::CalcBarBorderRect(TdxBarControl* BarControl) {
  if (CollapsedGroupOf(BarControl)) return TRect{};
  return TdxBarSkinnedPainter::CalcBarBorderRect(BarControl);
}

int TdxRibbonBarPainter::MenuBeginGroupSize() {
  TdxCustomRibbonSkin* skin = ribbon_ ? ribbon_->ColorScheme() : nullptr;
  return skin ? skin->BeginGroupSize() : TdxBarSkinnedPainter::MenuBeginGroupSize();
}

int TdxRibbonBarPainter::SeparatorLineHeight() {
  TdxCustomRibbonSkin* skin = ribbon_ ? ribbon_->ColorScheme() : nullptr;
  return skin ? skin->BeginGroupSize() : TdxBarSkinnedPainter::SeparatorLineHeight();
}

int TdxRibbonBarPainter::GroupCaptionHeight(TFont* Font) {
  TFont font;
  font.Assign(Font);
  if (font.Size() < 8) font.SetSize(8);
  return TextHeightForFont(&font, L"Qq") + 1;
}

TRect TdxRibbonBarPainter::CollapsedGroupTextBounds(const TRect& R) {
  TRect r = Shrunk(R, offsets1000_);
  r.left += 1;
  r.right -= 1;
  r.top += collapsedHeightBase_ > 0 ? R.Height() * collapsedGlyphTop_ / collapsedHeightBase_ : 0;
  return r;
}

int TdxRibbonBarPainter::CollapsedGlyphFrameSize(int Height) {
  if (collapsedHeightBase_ <= 0) return 0;
  return (16 + offsets1001_.top + offsets1001_.bottom) * (Height - offsets1000_.top - offsets1000_.bottom) /
         collapsedHeightBase_;
}

int TdxRibbonBarPainter::GroupCaptionWidth(TdxBarControl* BarControl) {
  TdxBar* bar = BarControl->Bar();
  if (!bar) return 0;
  int width = TextWidthForFont(ribbon_->Fonts()->GetGroupHeaderFont(), bar->Caption());
  TdxBarCaptionButtons* buttons = bar->CaptionButtons();
  const int count = buttons ? buttons->Count() : 0;
  if (count == 0) return width;
  // Before the first layout the buttons have no bounds yet: squares of the caption's height, a
  // pixel apart, as the group places them.
  int buttonsWidth = buttons->ButtonsBounds().Width();
  if (buttonsWidth == 0) buttonsWidth = count * GroupCaptionHeight(ribbon_->Fonts()->GetGroupHeaderFont()) + count - 1;
  return width + ribbon_->ContentMarginsOf(1).right + buttonsWidth;
}

int TdxRibbonBarPainter::CollapsedGroupWidth(TdxBarControl* BarControl) {
  const String caption = BarControl->Bar() ? BarControl->Bar()->Caption() : String();
  const TRect text = CollapsedGroupTextBounds(TRect{0, 0, 100, 100});
  const int textWidth =
      TextWidthForFont(ribbon_->Fonts()->GetGroupFont(), caption) + kCollapsedArrowWidth + 100 - text.Width();
  const int frameWidth =
      CollapsedGlyphFrameSize(ribbon_->GroupHeight()) + 3 + 3 + offsets1000_.left + offsets1000_.right;
  return std::max(textWidth, frameWidth);
}

void TdxRibbonBarPainter::DrawCollapsedGroup(HDC DC, const TRect& R, const String& Caption, TBitmap* Glyph, int State) {
  TdxSkinReference skin(ribbon_);
  if (!skin) return;
  skin->DrawBackground(DC, R, 1000, State);
  const TRect text = CollapsedGroupTextBounds(R);
  if (!Caption.empty()) {
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.SetFont(ribbon_->Fonts()->GetGroupFont());
    canvas.Brush()->SetStyle(bsClear);
    TRect r = text;
    DrawTextW(canvas.Handle(), Caption.c_str(), int(Caption.size()), &r, DT_CENTER | DT_TOP | DT_WORDBREAK);
    canvas.SetHandle(nullptr);
  }
  const TRect o1001 = offsets1001_;
  TRect frame = Shrunk(R, offsets1000_);
  frame.bottom = text.top;
  const int side = CollapsedGlyphFrameSize(R.Height());
  const int left = frame.left + (frame.Width() - side) / 2;
  const int top = frame.top + 3 + (frame.Height() - 3 - 4 - side) / 2;
  const TRect square{left, top, left + side, top + side};
  skin->DrawBackground(DC, square, 1001, State);
  if (!Glyph || Glyph->Empty()) return;
  const TRect inner{square.left, square.top + o1001.top, square.right, square.bottom - o1001.bottom};
  int w = Glyph->Width(), h = Glyph->Height();
  if (w > 16 || h > 16) {
    if (w >= h) {
      h = h * 16 / w;
      w = 16;
    } else {
      w = w * 16 / h;
      h = 16;
    }
  }
  const int gx = inner.left + (inner.Width() - w) / 2, gy = inner.top + (inner.Height() - h) / 2;
  AlphaBlendBitmapTo(DC, Glyph, TRect{gx, gy, gx + w, gy + h}, TRect{0, 0, Glyph->Width(), Glyph->Height()}, true);
}
