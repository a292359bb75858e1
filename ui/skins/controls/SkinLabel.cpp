#include "ui/skins/controls/SkinLabel.h"

#include "platform/framework/classes/Reflection.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsCustomLabel)
DEFINE_CLASS(TsLabel)

namespace {

// Set while Paint brings the font colour in line with the skin, so that change does not repaint.
bool labelFontAdjusting = false;

bool SkinActive() { return DefaultManager && DefaultManager->SkinData().Active; }

// A skin-removed command from the default manager.
bool DefaultSkinRemoved(const TMessage& message) {
  return message.Msg == SM_ALPHACMD && message.WParamHi() == scRemoveSkin &&
         reinterpret_cast<TsSkinManager*>(message.LParam) == DefaultManager && DefaultManager;
}

const bool labelProperties = [] {
  RegisterProperties(&TsCustomLabel::ClassInfo(),
                     {StringProperty(L"SkinSection", &TsCustomLabel::SkinSection, &TsCustomLabel::SetSkinSection)});
  RegisterProperties(&TsLabel::ClassInfo(),
                     {OrdinalProperty(L"UseSkinColor", &TsLabel::UseSkinColor, &TsLabel::SetUseSkinColor)});
  return true;
}();

}  // namespace

TsCustomLabel::TsCustomLabel(TComponent* owner) : TCustomLabel(owner) { SetTransparent(true); }

void TsCustomLabel::SetSkinSection(const String& value) {
  if (skinSection_ == value) return;
  skinSection_ = value;
  Repaint();
}

int TsCustomLabel::SectionIndex() const {
  if (skinSection_.empty() || !SkinActive()) return -1;
  // Any valid index counts, the skin's first section (0) too.
  int index = DefaultManager->GetSkinIndex(skinSection_);
  return DefaultManager->IsValidSkinIndex(index) ? index : -1;
}

void TsCustomLabel::FollowGlobalFontColor() {
  if (!SkinActive()) return;
  TColor color = DefaultManager->GlobalFontColor();
  if (color != clFuchsia && color != Font()->Color()) Font()->SetColor(color);
}

TFont* TsCustomLabel::SkinFont() {
  FollowGlobalFontColor();
  return Font();
}

TFont* TsLabel::SkinFont() {
  if (useSkinColor_) FollowGlobalFontColor();
  return Font();
}

TsLabel::TsLabel(TComponent* owner) : TsCustomLabel(owner) {}

void TsCustomLabel::Paint() {
  if (!labelFontAdjusting) {
    labelFontAdjusting = true;
    struct TGuardEnd {
      ~TGuardEnd() { labelFontAdjusting = false; }
    } end;
    TFont* font = SkinFont();
    if (font != Font()) Font()->Assign(font);
    int index = SectionIndex();
    if (index >= 0) {
      TColor color = DefaultManager->Sections()[static_cast<size_t>(index)].FontColor[0];
      if (Font()->Color() != color) Font()->SetColor(color);
    }
  }
  int index = SectionIndex();
  if (index >= 0 && Parent()) {
    SharedCacheRef.Ready = false;
    SendSkinCommandTo(Parent(), scGetCache, 0);
    TsCacheRef ci = SharedCacheRef;
    PaintItemToDC(index, skinSection_, ci, DefaultManager, Canvas()->Handle(), TPoint(Left(), Top()),
                  TRect(0, 0, Width(), Height()), 0, true);
  }
  TCustomLabel::Paint();
}

void TsCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  if (Enabled() || !SkinActive()) {
    TCustomLabel::DoDrawText(rect, flags);
    return;
  }
  String text = GetLabelText();
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (measuring && (text.empty() || (ShowAccelChar() && text == L"&"))) text += L' ';
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  TColor background = Parent() ? GetControlBgColor(Parent()) : ColorToRGB(Color());
  TColor color = MixColors(ColorToRGB(Font()->Color()), background, 0.4);
  HDC dc = measuring ? GetDC(nullptr) : Canvas()->Handle();
  if (!measuring) Canvas()->Font()->Assign(Font());
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, COLORREF(color));
  RECT r = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  if (measuring) {
    ReleaseDC(nullptr, dc);
    rect = r;
  }
}

void TsCustomLabel::WndProc(TMessage& message) {
  if (message.Msg == CM_FONTCHANGED) {
    if (labelFontAdjusting) return;
    if (AutoSize()) AdjustBounds();
    Repaint();
    return;
  }
  TCustomLabel::WndProc(message);
  if (DefaultSkinRemoved(message) && Font()->Color() != clWindowText) Font()->SetColor(clWindowText);
}

void TsLabel::WndProc(TMessage& message) {
  if (DefaultSkinRemoved(message)) {
    if (useSkinColor_ && Font()->Color() != clWindowText) Font()->SetColor(clWindowText);
    return;
  }
  TsCustomLabel::WndProc(message);
}
