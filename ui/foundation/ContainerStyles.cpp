#include "ui/foundation/ContainerStyles.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/rtl/Seams.h"

DEFINE_CLASS(TcxContainerStyle)
DEFINE_CLASS(TcxContainerStyles)
DEFINE_CLASS(TcxStyleController)
DEFINE_CLASS(TcxContainerViewInfo)

namespace {

const wchar_t* const kValueNames[cxContainerStyleValueCount] = {
    L"BorderColor", L"BorderStyle", L"Color",     L"Edges",     L"Font",
    L"HotTrack",    L"Shadow",      L"TextColor", L"TextStyle", L"TransparentBorder"};

constexpr TcxContainerStyleValues kAllValues{csvBorderColor, csvBorderStyle, csvColor,    csvEdges,
                                             csvFont,        csvHotTrack,    csvShadow,   csvTextColor,
                                             csvTextStyle,   csvTransparentBorder};

// The border style of a highlighted state when hot tracking is on.
TcxContainerBorderStyle HotBorderStyle(TcxContainerBorderStyle style) {
  switch (style) {
    case cbsNone: return cbsFlat;
    case cbsSingle: return cbsThick;
    case cbsFlat: return cbs3D;
    default: return style;
  }
}

TcxContainerStyle* NewStyle(TPersistent* owner, bool direct, TcxContainerStyle* base, TcxContainerStyleState state) {
  return new TcxContainerStyle(owner, direct, base, state);
}

}  // namespace

// ---- TcxContainerStyle ---------------------------------------------------------------------------

TcxContainerStyle::TcxContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* ABaseStyle,
                                     TcxContainerStyleState AState)
    : TcxInterfacedPersistent(AOwner), state_(AState), baseStyle_(ABaseStyle), directAccess_(ADirectAccessMode) {
  if (!baseStyle_) {
    if (!directAccess_) {
      font_ = new TFont();
      ownsFont_ = true;
      font_->OnChange = TNotifyEvent(this, &TcxContainerStyle::FontChangeHandler);
    }
    lookAndFeel_ = new TcxLookAndFeel(this);
    lookAndFeel_->OnChanged = TcxLookAndFeelChangedEvent(this, &TcxContainerStyle::LookAndFeelChanged);
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  destroying_ = true;
  if (controller_) controller_->RemoveListener(this);
  if (ownsFont_) font_->Free();
  if (lookAndFeel_) lookAndFeel_->Free();
}

void TcxContainerStyle::Changed() {
  modified_ = true;
  if (updateCount_ > 0) return;
  modified_ = false;
  if (!destroying_ && !directAccess_ && OnChanged) OnChanged(this);
}

void TcxContainerStyle::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && modified_) Changed();
}

void TcxContainerStyle::MarkAssigned(TcxContainerStyleValue Value) { assigned_.Include(Value); }

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const { return directAccess_ ? kAllValues : assigned_; }

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
  if (assigned_ == Value) return;
  assigned_ = Value;
  BeginUpdate();
  if (IsBaseStyle() && !directAccess_) RefreshFont();
  Changed();
  EndUpdate();
}

bool TcxContainerStyle::FindAssigned(TcxContainerStyleValue Value, TcxContainerStyle*& Holder) {
  if (assigned_.Contains(Value)) {
    Holder = this;
    return true;
  }
  if (TcxStyleController* controller = Base()->controller_)
    return controller->Style(state_)->FindAssigned(Value, Holder);
  return false;
}

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue Value) {
  if (directAccess_) return true;
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(Value, holder);
}

bool TcxContainerStyle::StyleValueName(int Index, String& Name) {
  if (Index < 0 || Index >= cxContainerStyleValueCount) {
    Name.clear();
    return false;
  }
  Name = kValueNames[Index];
  return true;
}

bool TcxContainerStyle::HasBorder() { return IsBaseStyle() ? true : baseStyle_->HasBorder(); }

// ---- defaults ------------------------------------------------------------------------------------

TColor TcxContainerStyle::DefaultBorderColor() {
  if (state_ == cxcssDisabled) return clBtnShadow;
  return IsBaseStyle() ? clWindowFrame : baseStyle_->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() {
  if (IsBaseStyle()) {
    switch (LookAndFeel()->Kind()) {
      case lfFlat: return cbsFlat;
      case lfStandard: return cbs3D;
      case lfUltraFlat: return cbsUltraFlat;
      case lfOffice11: return cbsOffice11;
    }
    return cbs3D;
  }
  const TcxContainerBorderStyle base = baseStyle_->BorderStyle();
  const bool highlighted = state_ == cxcssFocused || state_ == cxcssHot;
  return highlighted && HotTrack() ? HotBorderStyle(base) : base;
}

TColor TcxContainerStyle::DefaultColor() { return IsBaseStyle() ? clBtnFace : baseStyle_->Color(); }

TColor TcxContainerStyle::DefaultTextColor() {
  if (state_ == cxcssDisabled) return clBtnShadow;
  return IsBaseStyle() ? Font()->Color() : baseStyle_->TextColor();
}

TFontStyles TcxContainerStyle::DefaultTextStyle() {
  return IsBaseStyle() ? Font()->Style() : baseStyle_->TextStyle();
}

// ---- readers -------------------------------------------------------------------------------------

TColor TcxContainerStyle::BorderColor() {
  if (directAccess_) return clDefault;
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvBorderColor, holder) ? holder->stored_.BorderColor : DefaultBorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() {
  if (directAccess_) return assigned_.Contains(csvBorderStyle) ? stored_.BorderStyle : DefaultBorderStyle();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvBorderStyle, holder) ? holder->stored_.BorderStyle : DefaultBorderStyle();
}

TColor TcxContainerStyle::Color() {
  if (directAccess_) return stored_.Color;
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvColor, holder) ? holder->stored_.Color : DefaultColor();
}

TcxBorders TcxContainerStyle::Edges() {
  if (directAccess_) return {};
  if (!IsBaseStyle()) return baseStyle_->Edges();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvEdges, holder) ? holder->stored_.Edges : DefaultEdges();
}

TFont* TcxContainerStyle::Font() {
  if (!IsBaseStyle()) return baseStyle_->Font();
  return font_;
}

bool TcxContainerStyle::HotTrack() {
  if (directAccess_) return assigned_.Contains(csvHotTrack) ? stored_.HotTrack : DefaultHotTrack();
  if (!IsBaseStyle()) return baseStyle_->HotTrack();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvHotTrack, holder) ? holder->stored_.HotTrack : DefaultHotTrack();
}

bool TcxContainerStyle::Shadow() {
  if (directAccess_) return false;
  if (!IsBaseStyle()) return baseStyle_->Shadow();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvShadow, holder) ? holder->stored_.Shadow : DefaultShadow();
}

TColor TcxContainerStyle::TextColor() {
  if (directAccess_) return stored_.TextColor;
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvTextColor, holder) ? holder->stored_.TextColor : DefaultTextColor();
}

TFontStyles TcxContainerStyle::TextStyle() {
  if (directAccess_) return font_ ? font_->Style() : TFontStyles();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvTextStyle, holder) ? holder->stored_.TextStyle : DefaultTextStyle();
}

bool TcxContainerStyle::TransparentBorder() {
  if (directAccess_) return true;
  if (!IsBaseStyle()) return baseStyle_->TransparentBorder();
  TcxContainerStyle* holder = nullptr;
  return FindAssigned(csvTransparentBorder, holder) ? holder->stored_.TransparentBorder : DefaultTransparentBorder();
}

TcxLookAndFeel* TcxContainerStyle::LookAndFeel() { return Base()->lookAndFeel_; }

TcxStyleController* TcxContainerStyle::StyleController() { return Base()->controller_; }

// ---- writers -------------------------------------------------------------------------------------

#define CX_STYLE_WRITER(Setter, Type, Field, ValueId)                          \
  void TcxContainerStyle::Setter(Type Value) {                                 \
    if (assigned_.Contains(ValueId) && stored_.Field == Value) return;         \
    stored_.Field = Value;                                                     \
    MarkAssigned(ValueId);                                                     \
    Changed();                                                                 \
  }

CX_STYLE_WRITER(SetBorderColor, TColor, BorderColor, csvBorderColor)
CX_STYLE_WRITER(SetBorderStyle, TcxContainerBorderStyle, BorderStyle, csvBorderStyle)
CX_STYLE_WRITER(SetColor, TColor, Color, csvColor)
#undef CX_STYLE_WRITER

// Values that live in the base style: a state style writes them there.
#define CX_BASE_WRITER(Setter, Type, Field, ValueId)                           \
  void TcxContainerStyle::Setter(Type Value) {                                 \
    if (!IsBaseStyle()) {                                                      \
      baseStyle_->Setter(Value);                                               \
      return;                                                                  \
    }                                                                          \
    if (assigned_.Contains(ValueId) && stored_.Field == Value) return;         \
    stored_.Field = Value;                                                     \
    MarkAssigned(ValueId);                                                     \
    Changed();                                                                 \
  }

CX_BASE_WRITER(SetEdges, TcxBorders, Edges, csvEdges)
CX_BASE_WRITER(SetHotTrack, bool, HotTrack, csvHotTrack)
CX_BASE_WRITER(SetShadow, bool, Shadow, csvShadow)
CX_BASE_WRITER(SetTransparentBorder, bool, TransparentBorder, csvTransparentBorder)
#undef CX_BASE_WRITER

void TcxContainerStyle::SetTextColor(TColor Value) {
  if (assigned_.Contains(csvTextColor) && TextColor() == Value) return;
  stored_.TextColor = Value;
  MarkAssigned(csvTextColor);
  Changed();
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value) {
  if (assigned_.Contains(csvTextStyle) && TextStyle() == Value) return;
  stored_.TextStyle = Value;
  MarkAssigned(csvTextStyle);
  Changed();
}

void TcxContainerStyle::SetFont(TFont* Value) {
  if (!IsBaseStyle()) {
    baseStyle_->SetFont(Value);
    return;
  }
  if (directAccess_) {
    font_ = Value;
    return;
  }
  if (Value) font_->Assign(Value);  // the font's change marks it assigned
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* Value) {
  if (!IsBaseStyle()) {
    baseStyle_->SetLookAndFeel(Value);
    return;
  }
  lookAndFeel_->Assign(Value);
}

bool TcxContainerStyle::FormsCycleWith(TcxStyleController* AController) {
  for (TcxStyleController* c = AController; c; c = c->Style()->StyleController()) {
    if (c->Style() == Base()) return true;
    if (c->Style()->StyleController() == AController) break;  // a cycle that does not reach this style
  }
  return false;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* Value) {
  if (!IsBaseStyle()) {
    baseStyle_->SetStyleController(Value);
    return;
  }
  if (GetDefaultStyleController() && GetOwner() == GetDefaultStyleController()) return;
  if (Value && FormsCycleWith(Value)) return;
  if (Value == controller_) return;
  if (controller_) {
    controller_->RemoveListener(this);
    lookAndFeel_->SetMasterLookAndFeel(nullptr);
  }
  controller_ = Value;
  if (controller_) {
    controller_->AddListener(this);
    lookAndFeel_->SetMasterLookAndFeel(controller_->Style()->LookAndFeel());
  }
  ControllerChangedNotification(controller_);
}

void TcxContainerStyle::ControllerChangedNotification(TcxStyleController*) {
  // One notice, however many changes the font refresh makes.
  BeginUpdate();
  if (IsBaseStyle() && !directAccess_) RefreshFont();
  Changed();
  EndUpdate();
}

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* AController) {
  if (!IsBaseStyle() || controller_ != AController) return;
  controller_ = nullptr;
  BeginUpdate();
  if (lookAndFeel_) lookAndFeel_->SetMasterLookAndFeel(nullptr);
  if (!directAccess_) RefreshFont();
  Changed();
  EndUpdate();
}

void TcxContainerStyle::RefreshFont() {
  if (!font_ || !ownsFont_ || assigned_.Contains(csvFont)) return;
  ++fontAssignedLock_;
  struct Unlock {
    int& lock;
    ~Unlock() { --lock; }
  } unlock{fontAssignedLock_};
  TcxContainerStyle* holder = nullptr;
  if (controller_ && controller_->Style()->FindAssigned(csvFont, holder) && holder->Font()) {
    font_->Assign(holder->Font());
  } else {
    TFont fresh;
    font_->Assign(&fresh);
  }
}

void TcxContainerStyle::FontChangeHandler(TObject*) { FontChanged(); }

void TcxContainerStyle::FontChanged() {
  if (fontAssignedLock_ == 0) MarkAssigned(csvFont);
  Changed();
}

void TcxContainerStyle::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Changed(); }

void TcxContainerStyle::RestoreDefaults() {
  BeginUpdate();
  assigned_ = {};
  if (IsBaseStyle()) {
    lookAndFeel_->ClearAssignedValues();
    if (!directAccess_) RefreshFont();
  }
  Changed();
  EndUpdate();
}

void TcxContainerStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxContainerStyle*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  struct End {
    TcxContainerStyle* style;
    ~End() { style->EndUpdate(); }
  } end{this};
  if (IsBaseStyle()) {
    SetStyleController(source->StyleController());
    lookAndFeel_->Assign(source->LookAndFeel());
  }
  stored_.BorderColor = source->stored_.BorderColor;
  stored_.BorderStyle = source->stored_.BorderStyle;
  stored_.Edges = source->stored_.Edges;
  stored_.HotTrack = source->stored_.HotTrack;
  stored_.Shadow = source->stored_.Shadow;
  stored_.TransparentBorder = source->stored_.TransparentBorder;
  stored_.Color = source->stored_.Color;
  if (directAccess_) {
    font_ = source->Font();
    stored_.TextColor = source->TextColor();
  } else {
    ++fontAssignedLock_;
    if (IsBaseStyle() && source->Font()) {
      font_->Assign(source->Font());
      if (source->directAccess_) font_->SetColor(source->TextColor());
    }
    --fontAssignedLock_;
    stored_.TextColor = source->stored_.TextColor;
    stored_.TextStyle = source->stored_.TextStyle;
  }
  assigned_ = source->AssignedValues();
  Changed();
}

void TcxContainerStyle::DefineProperties(TFiler& Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      L"IsFontAssigned",
      [this](TReader& r) {
        if (r.ReadBoolean()) MarkAssigned(csvFont);
      },
      [](TWriter& w) { w.WriteBoolean(true); }, IsBaseStyle() && assigned_.Contains(csvFont));
}

// ---- TcxContainerStyles --------------------------------------------------------------------------

TcxContainerStyles::TcxContainerStyles(TPersistent* AOwner, TStyleFactory AFactory) {
  if (!AFactory) AFactory = &NewStyle;
  styles_[cxcssNormal] = AFactory(AOwner, false, nullptr, cxcssNormal);
  for (int state = 1; state < cxContainerStyleStateCount; ++state)
    styles_[state] = AFactory(AOwner, false, styles_[cxcssNormal], TcxContainerStyleState(state));
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int state = cxContainerStyleStateCount; state-- > 0;) styles_[state]->Free();
}

void TcxContainerStyles::SetOnChanged(const TNotifyEvent& Value) {
  for (TcxContainerStyle* style : styles_) style->OnChanged = Value;
}

// ---- TcxStyleController --------------------------------------------------------------------------

TcxStyleController::TcxStyleController(TComponent* AOwner)
    : TComponent(AOwner), styles_(new TcxContainerStyles(this)) {
  styles_->SetOnChanged([this](TObject*) { Changed(); });
}

TcxStyleController::~TcxStyleController() {
  destroying_ = true;
  // Each listener hears of it, last first, and lets go of this controller.
  while (!listeners_.empty()) {
    TcxContainerStyle* style = listeners_.back();
    listeners_.pop_back();
    style->ControllerFreeNotification(this);
  }
  styles_->Free();
}

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  Changed();
}

void TcxStyleController::AddListener(TcxContainerStyle* AStyle) {
  if (std::find(listeners_.begin(), listeners_.end(), AStyle) == listeners_.end()) listeners_.push_back(AStyle);
}

void TcxStyleController::RemoveListener(TcxContainerStyle* AStyle) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), AStyle), listeners_.end());
}

void TcxStyleController::Changed() {
  if (OnStyleChanged) OnStyleChanged(this);
  if (destroying_) return;
  const std::vector<TcxContainerStyle*> listeners = listeners_;
  for (TcxContainerStyle* style : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), style) != listeners_.end())
      style->ControllerChangedNotification(this);
  }
}

// ---- TcxContainerViewInfo ------------------------------------------------------------------------

TcxRegion* TcxContainerViewInfo::UpdateRegion(TcxContainerViewInfo*) { return new TcxRegion(); }

void TcxContainerViewInfo::Offset(int DX, int DY) {
  for (TRect* r : {&BorderRect, &Bounds, &ClientRect}) *r = {r->left + DX, r->top + DY, r->right + DX, r->bottom + DY};
}

void TcxContainerViewInfo::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
    ACanvas->DrawFrameBorders(R, BorderColor, BorderWidth);
    return;
  }
  const TRect inner(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  switch (BorderStyle) {
    case cbsFlat:
      ACanvas->DrawEdgeBorders(R, true, true, Edges);
      ACanvas->DrawFrameBorders(inner, clBtnFace, 1);
      break;
    case cbs3D:
      ACanvas->DrawEdgeBorders(R, true, true, Edges);
      ACanvas->DrawTwoColorBorders(inner, cl3DDkShadow, cl3DLight);
      break;
    default:
      break;
  }
}

void TcxContainerViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  if (NativeStyle) {
    if (BorderStyle == cbsNone) {
      ACanvas->FillAreaWithColor(Bounds, BackgroundColor);
      return;
    }
    TRect content = Bounds;
    if (TdxTheme theme = ThemeHandleFor(ThemedObjectType)) {
      if (auto contentRect = Bound().GetThemeBackgroundContentRect.Get())
        contentRect(theme, ACanvas->DCHandle(), 1, NativeState, &Bounds, &content);
    }
    ACanvas->FillAreaWithColor(content, BackgroundColor);
    BOOL composition = FALSE;
    if (auto enabled = Bound().DwmIsCompositionEnabled.Get()) enabled(&composition);
    const bool listBox = composition != FALSE;
    COLORREF border = ColorToRGB(clWindowFrame);
    if (TdxTheme theme = ThemeHandleFor(listBox ? totListBox : totComboBox)) {
      if (auto color = Bound().GetThemeColor.Get()) color(theme, listBox ? 3 : 1, 1, 3801, &border);
    }
    ACanvas->PushClipRegion();
    ACanvas->SubtractFromClip(content);
    ACanvas->FillAreaWithColor(Bounds, TColor(border));
    ACanvas->PopClipRegion();
    return;
  }
  TRect outer(BorderRect.left - BorderWidth, BorderRect.top - BorderWidth, BorderRect.right, BorderRect.bottom);
  if (Edges.Contains(bRight)) outer.right += BorderWidth;
  if (Edges.Contains(bBottom)) outer.bottom += BorderWidth;
  ACanvas->PushClipRegion();
  if (Shadow) {
    const TRect right(outer.right, outer.top + 3, outer.right + 3, outer.bottom + 3);
    const TRect bottom(outer.left + 3, outer.bottom, outer.right, outer.bottom + 3);
    ACanvas->FillAreaWithColor(right, clBtnShadow);
    ACanvas->FillAreaWithColor(bottom, clBtnShadow);
    ACanvas->SubtractFromClip(right);
    ACanvas->SubtractFromClip(bottom);
  }
  if (!Edges.Contains(bRight)) outer.right += BorderWidth;
  if (!Edges.Contains(bBottom)) outer.bottom += BorderWidth;
  DrawBorder(ACanvas, outer);
  ACanvas->FillAreaWithColor(BorderRect, BackgroundColor);
  ACanvas->PopClipRegion();
}
