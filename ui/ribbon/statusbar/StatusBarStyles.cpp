#include "ui/ribbon/statusbar/StatusBarStyles.h"

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/ribbon/statusbar/StatusBarPainters.h"

DEFINE_CLASS(TdxStatusBarTextPanelStyle)
DEFINE_CLASS(TdxStatusBarStateIndicatorItem)
DEFINE_CLASS(TdxStatusBarStateIndicators)
DEFINE_CLASS(TdxStatusBarStateIndicatorPanelStyle)
DEFINE_CLASS(TdxStatusBarKeyStateAppearance)
DEFINE_CLASS(TdxStatusBarKeyboardStateNotifier)
DEFINE_CLASS(TdxStatusBarKeyboardStatePanelStyle)
DEFINE_CLASS(TdxStatusBarContainerControl)
DEFINE_CLASS(TdxStatusBarContainerPanelStyle)

namespace {

bool Designing(TdxCustomStatusBar* ABar) { return ABar && ABar->IsDesigning(); }

// Text drawn with a clear brush, solid again afterwards.
void DrawClearText(TcxCanvas* ACanvas, const String& Text, const TRect& R, int Flags, bool Enabled) {
  ACanvas->CurrentBrush()->SetStyle(bsClear);
  ACanvas->DrawTextWithEnabledState(Text, R, Flags, Enabled);
  ACanvas->CurrentBrush()->SetStyle(bsSolid);
}

}  // namespace

// ---- text -----------------------------------------------------------------------------------------

TdxStatusBarTextPanelStyle::TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner) : TdxStatusBarPanelStyle(AOwner) {
  imageIndex_ = -1;
}

void TdxStatusBarTextPanelStyle::SetAutoHint(bool Value) {
  if (autoHint_ == Value) return;
  if (TdxCustomStatusBar* bar = StatusBar()) {
    TdxStatusBarPanels* panels = bar->Panels();
    for (int i = 0; i < panels->Count(); ++i)
      if (auto* text = dynamic_cast<TdxStatusBarTextPanelStyle*>(panels->PanelAt(i)->PanelStyle()))
        text->autoHint_ = false;
  }
  autoHint_ = Value;
  Changed();
}

void TdxStatusBarTextPanelStyle::SetEllipsisType(TdxStatusBarEllipsisType Value) {
  if (ellipsisType_ == Value) return;
  ellipsisType_ = Value;
  Changed();
}

void TdxStatusBarTextPanelStyle::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  Changed();
}

void TdxStatusBarTextPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  Inherited::CopyFrom(Source);
  if (auto* text = dynamic_cast<TdxStatusBarTextPanelStyle*>(Source)) {
    SetAutoHint(text->AutoHint());
    SetImageIndex(text->ImageIndex());
    SetEllipsisType(text->EllipsisType());
  }
}

void TdxStatusBarTextPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  Inherited::DrawContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = StatusBar();
  TCustomImageList* images = bar->Images();
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    images->Draw(ACanvas->Canvas(), R.left + 1, (R.top + R.bottom) / 2 - images->Height() / 2, imageIndex_,
                 bar->Enabled());
    R.left += images->Width() + 2;
  }
  TColor color = Font()->Color();
  APainter->AdjustTextColor(bar, color, true);
  AdjustTextColor(color, true);
  ACanvas->CurrentFont()->Assign(Font());
  ACanvas->CurrentFont()->SetColor(color);
  R.left += 2;
  R.right -= 2;
  String text = Owner()->Text();
  R = APainter->AdjustPanelTextRect(bar, Owner(), R);
  if (OnGetText) OnGetText(this, R, text);
  int flags = ctfSingleLine | ctfVCenter;
  flags |= Alignment() == taRightJustify ? ctfRight : Alignment() == taCenter ? ctfHCenter : ctfLeft;
  if (ellipsisType_ == dxetTruncate) flags |= ctfEndEllipsis;
  if (ellipsisType_ == dxetSmartPath) flags |= ctfPathEllipsis;
  DrawClearText(ACanvas, text, R, flags, bar->Enabled());
}

void TdxStatusBarTextPanelStyle::RestoreDefaults() {
  autoHint_ = false;
  imageIndex_ = -1;
  ellipsisType_ = dxetNone;
  Inherited::RestoreDefaults();
}

// ---- state indicators -----------------------------------------------------------------------------

TdxStatusBarStateIndicatorItem::TdxStatusBarStateIndicatorItem(TCollection* Collection)
    : TCollectionItem(Collection), bitmap_(new TBitmap) {
  LoadIndicatorBitmap();
}

TdxStatusBarStateIndicatorItem::~TdxStatusBarStateIndicatorItem() { bitmap_->Free(); }

void TdxStatusBarStateIndicatorItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TdxStatusBarStateIndicatorItem*>(Source)) {
    SetIndicatorType(item->IndicatorType());
    SetVisible(item->Visible());
  } else {
    Inherited::Assign(Source);
  }
}

void TdxStatusBarStateIndicatorItem::SetIndicatorType(TdxStatusBarStateIndicatorType Value) {
  indicatorType_ = Value;
  LoadIndicatorBitmap();
  Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetVisible(bool Value) {
  visible_ = Value;
  Changed(false);
}

void TdxStatusBarStateIndicatorItem::LoadIndicatorBitmap() {
  static const wchar_t* const kNames[] = {L"DXSTATUSBAR_GRAY", L"DXSTATUSBAR_YELLOW", L"DXSTATUSBAR_BLUE",
                                          L"DXSTATUSBAR_GREEN", L"DXSTATUSBAR_RED",  L"DXSTATUSBAR_TEAL",
                                          L"DXSTATUSBAR_PURPLE"};
  try {
    bitmap_->LoadFromResourceName(GetModuleHandleW(nullptr), kNames[indicatorType_]);
  } catch (const Exception&) {
    // A missing bitmap leaves the indicator empty: it is skipped in drawing and in the width.
    bitmap_->SetSize(0, 0);
  }
}

TdxStatusBarStateIndicators::TdxStatusBarStateIndicators()
    : TCollection(&TdxStatusBarStateIndicatorItem::ClassInfo()) {}

void TdxStatusBarStateIndicators::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}

TdxStatusBarStateIndicatorPanelStyle::TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner), indicators_(new TdxStatusBarStateIndicators) {
  indicators_->OnChange = TNotifyEvent(this, &TdxStatusBarStateIndicatorPanelStyle::IndicatorsChanged);
}

TdxStatusBarStateIndicatorPanelStyle::~TdxStatusBarStateIndicatorPanelStyle() {
  indicators_->OnChange = nullptr;
  indicators_->Free();
}

void TdxStatusBarStateIndicatorPanelStyle::SetSpacing(int Value) {
  if (spacing_ == Value) return;
  spacing_ = Value;
  Changed();
}

void TdxStatusBarStateIndicatorPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  Inherited::CopyFrom(Source);
  if (auto* style = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(Source)) {
    SetSpacing(style->Spacing());
    indicators_->Assign(style->Indicators());
  }
}

void TdxStatusBarStateIndicatorPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R,
                                                       TdxStatusBarPainterClass APainter) {
  Inherited::DrawContent(ACanvas, R, APainter);
  int x = R.left + spacing_;
  for (int i = 0; i < indicators_->Count(); ++i) {
    TdxStatusBarStateIndicatorItem* item = indicators_->ItemAt(i);
    if (!item->Visible() || item->Bitmap()->Empty()) continue;
    ACanvas->DrawGraphicAt(x, (R.top + R.bottom) / 2 - item->Bitmap()->Height() / 2, item->Bitmap());
    x += item->Bitmap()->Width() + spacing_;
  }
}

int TdxStatusBarStateIndicatorPanelStyle::DefaultMinWidth() {
  if (indicators_->Count() == 0) return 20;
  int width = spacing_;
  for (int i = 0; i < indicators_->Count(); ++i) {
    TdxStatusBarStateIndicatorItem* item = indicators_->ItemAt(i);
    if (item->Visible() && !item->Bitmap()->Empty()) width += item->Bitmap()->Width() + spacing_;
  }
  return width;
}

void TdxStatusBarStateIndicatorPanelStyle::RestoreDefaults() {
  spacing_ = 4;
  Inherited::RestoreDefaults();
}

// ---- keyboard states ------------------------------------------------------------------------------

TdxStatusBarKeyStateAppearance::TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AKind, int ACode,
                                                               TColor AActiveFontColor,
                                                               const String& AActiveCaption,
                                                               const String& AInactiveCaption,
                                                               const TNotifyEvent& AOnChange)
    : kind_(AKind),
      code_(ACode),
      activeFontColor_(AActiveFontColor),
      activeCaption_(AActiveCaption),
      inactiveCaption_(AInactiveCaption),
      onChange_(AOnChange) {}

void TdxStatusBarKeyStateAppearance::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxStatusBarKeyStateAppearance*>(Source)) {
    SetActiveFontColor(source->ActiveFontColor());
    SetInactiveFontColor(source->InactiveFontColor());
    SetActiveCaption(source->ActiveCaption());
    SetInactiveCaption(source->InactiveCaption());
  } else {
    Inherited::Assign(Source);
  }
}

void TdxStatusBarKeyStateAppearance::SetActiveFontColor(TColor Value) {
  activeFontColor_ = Value;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetInactiveFontColor(TColor Value) {
  inactiveFontColor_ = Value;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetActiveCaption(const String& Value) {
  activeCaption_ = Value;
  Changed();
}

void TdxStatusBarKeyStateAppearance::SetInactiveCaption(const String& Value) {
  inactiveCaption_ = Value;
  Changed();
}

TdxStatusBarKeyboardStateNotifier::TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar)
    : statusBar_(AStatusBar), timer_(new TTimer(nullptr)) {
  timer_->SetInterval(100);
  timer_->SetOnTimer(TNotifyEvent(this, &TdxStatusBarKeyboardStateNotifier::PollKeyboardState));
  timer_->SetEnabled(true);
}

TdxStatusBarKeyboardStateNotifier::~TdxStatusBarKeyboardStateNotifier() { timer_->Free(); }

void TdxStatusBarKeyboardStateNotifier::AddKey(int Code) {
  RemoveKey(Code);
  keys_.push_back({Code, KeyToggleOn(Bound().GetKeyState(Code))});
}

void TdxStatusBarKeyboardStateNotifier::RemoveKey(int Code) {
  for (auto it = keys_.begin(); it != keys_.end(); ++it)
    if (it->Code == Code) {
      keys_.erase(it);
      return;
    }
}

// Compares the toggle bit only: a held lock key (0x81, "down" and "on") is still on, and pressing or
// releasing it changes nothing.
void TdxStatusBarKeyboardStateNotifier::PollKeyboardState(TObject*) {
  bool changed = false;
  for (auto& key : keys_) {
    const bool toggled = KeyToggleOn(Bound().GetKeyState(key.Code));
    if (toggled == key.Toggled) continue;
    key.Toggled = toggled;
    changed = true;
  }
  if (changed && statusBar_) statusBar_->UpdateLayout();
}

namespace {

constexpr int kKeyCodes[4] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_INSERT};
constexpr TdxStatusBarKeyboardStates kAllKeys{dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert};

// The last key of the set (the highest kind in it).
int LastShownKey(TdxStatusBarKeyboardStates States) {
  for (int k = dxksInsert; k >= dxksCapsLock; --k)
    if (States.Contains(TdxStatusBarKeyboardState(k))) return k;
  return -1;
}

}  // namespace

TdxStatusBarKeyboardStatePanelStyle::TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  const TNotifyEvent changed(this, &TdxStatusBarKeyboardStatePanelStyle::AppearanceChanged);
  const TColor active = Font()->Color();
  appearances_[dxksCapsLock] = new TdxStatusBarKeyStateAppearance(dxksCapsLock, VK_CAPITAL, active, L"CAPS", L"CAPS", changed);
  appearances_[dxksNumLock] = new TdxStatusBarKeyStateAppearance(dxksNumLock, VK_NUMLOCK, active, L"NUM", L"NUM", changed);
  appearances_[dxksScrollLock] = new TdxStatusBarKeyStateAppearance(dxksScrollLock, VK_SCROLL, active, L"SCRL", L"SCRL", changed);
  appearances_[dxksInsert] = new TdxStatusBarKeyStateAppearance(dxksInsert, VK_INSERT, active, L"OVR", L"INS", changed);
  keyboardStates_ = kAllKeys;
  notifier_ = new TdxStatusBarKeyboardStateNotifier(StatusBar());
  for (int code : kKeyCodes) notifier_->AddKey(code);
}

TdxStatusBarKeyboardStatePanelStyle::~TdxStatusBarKeyboardStatePanelStyle() {
  for (int k = 3; k >= 0; --k) notifier_->RemoveKey(kKeyCodes[k]);
  notifier_->Free();
  for (auto* appearance : appearances_) appearance->Free();
}

void TdxStatusBarKeyboardStatePanelStyle::SetFullRect(bool Value) {
  if (fullRect_ == Value) return;
  fullRect_ = Value;
  if (Owner()) Owner()->NotifyChanged();
}

void TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TdxStatusBarKeyboardStates Value) {
  if (keyboardStates_ == Value) return;
  keyboardStates_ = Value;
  Changed();
}

void TdxStatusBarKeyboardStatePanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  Inherited::CopyFrom(Source);
  if (auto* style = dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(Source)) {
    SetKeyboardStates(style->KeyboardStates());
    SetFullRect(style->FullRect());
    for (int k = 0; k < 4; ++k) appearances_[k]->Assign(style->appearances_[k]);
  }
}

int TdxStatusBarKeyboardStatePanelStyle::CellWidth(TcxCanvas* ACanvas, TdxStatusBarKeyboardState Key) {
  ACanvas->CurrentFont()->Assign(Font());
  const TdxStatusBarKeyStateAppearance* a = appearances_[Key];
  return std::max(ACanvas->TextPixelWidth(a->ActiveCaption()), ACanvas->TextPixelWidth(a->InactiveCaption())) + 4;
}

int TdxStatusBarKeyboardStatePanelStyle::DefaultMinWidth() {
  if (keyboardStates_.Empty()) return 50;
  TdxCustomStatusBar* bar = StatusBar();
  TcxCanvas* canvas = bar ? bar->CurrentCanvas() : ScreenCanvas();
  const int separator = bar ? bar->Painter()->SeparatorWidth() : 2;
  const int last = LastShownKey(keyboardStates_);
  canvas->PushState();
  int width = 0;
  for (int k = dxksCapsLock; k <= dxksInsert; ++k) {
    if (!keyboardStates_.Contains(TdxStatusBarKeyboardState(k))) continue;
    width += CellWidth(canvas, TdxStatusBarKeyboardState(k)) + (fullRect_ ? 0 : 2);
    if (k != last) width += separator;
  }
  canvas->PopState();
  return width;
}

void TdxStatusBarKeyboardStatePanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R,
                                                      TdxStatusBarPainterClass APainter) {
  Inherited::DrawContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = StatusBar();
  const int last = LastShownKey(keyboardStates_);
  int left = R.left;
  for (int k = dxksCapsLock; k <= dxksInsert; ++k) {
    const auto key = TdxStatusBarKeyboardState(k);
    if (!keyboardStates_.Contains(key)) continue;
    const TdxStatusBarKeyStateAppearance* a = appearances_[k];
    const bool active = !Designing(bar) && KeyToggleOn(Bound().GetKeyState(a->Code()));
    TColor color = active ? a->ActiveFontColor() : a->InactiveFontColor();
    APainter->AdjustTextColor(bar, color, active);
    AdjustTextColor(color, active);
    TRect cell(left, R.top, left + CellWidth(ACanvas, key) + (fullRect_ ? 0 : 2), R.bottom);
    const int cellRight = cell.right;
    if (!fullRect_) APainter->DrawPanelBevel(bar, Owner()->Bevel(), cell, ACanvas);
    ACanvas->CurrentFont()->SetColor(color);
    DrawClearText(ACanvas, active ? a->ActiveCaption() : a->InactiveCaption(), cell,
                  ctfHCenter | ctfVCenter | ctfSingleLine, bar->Enabled());
    if (k != last) left = cellRight + APainter->SeparatorWidth();
  }
}

void TdxStatusBarKeyboardStatePanelStyle::RestoreDefaults() {
  keyboardStates_ = kAllKeys;
  Inherited::RestoreDefaults();
}

// ---- container ------------------------------------------------------------------------------------

TdxStatusBarContainerControl::TdxStatusBarContainerControl(TComponent* AOwner) : TcxControl(AOwner) {
  UpdateScrollBarsPresence();
  ControlStyle.Include(csAcceptsControls);
  ControlStyle.Include(csNoDesignVisible);
  SetParentBackground(false);
}

void TdxStatusBarContainerControl::BeforeDestruction() {
  if (style_) {
    TdxStatusBarContainerPanelStyle* style = style_;
    style_ = nullptr;
    style->container_ = nullptr;
    // The panel loses its style (which no longer holds this control).
    if (TdxStatusBarPanel* panel = style->Owner()) panel->SetPanelStyleClass(nullptr);
  }
  Inherited::BeforeDestruction();
}

TdxStatusBarContainerControl::~TdxStatusBarContainerControl() = default;

void TdxStatusBarContainerControl::Paint() {
  Inherited::Paint();
  TcxCanvas* canvas = cxCanvas();
  const TRect client = ClientRect();
  TdxCustomStatusBar* bar = style_ ? style_->StatusBar() : nullptr;
  if (bar) {
    TRect R;
    bar->ContentBounds(R);
    R = TRect(R.left - Left(), R.top - Top(), R.right - Left(), R.bottom - Top());
    bar->Painter()->DrawBorder(bar, canvas, R);
    bar->Painter()->FillPanelBackground(bar, style_->Owner(), client, canvas);
  } else {
    FillRectSolid(canvas->DCHandle(), client, clBtnFace);
  }
  if (IsDesigning()) {
    HDC dc = canvas->DCHandle();
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, shadow);
    HPEN pen = CreatePen(PS_SOLID, 1, shadow);
    HGDIOBJ oldBrush = SelectObject(dc, hatch), oldPen = SelectObject(dc, pen);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(hatch);
    DeleteObject(pen);
  }
}

TdxStatusBarContainerPanelStyle::TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  alignControl_ = true;
  TdxCustomStatusBar* bar = StatusBar();
  if (!bar || bar->IsLoadingOrReading() || bar->IsUpdating()) return;
  auto* control = new TdxStatusBarContainerControl(bar->Owner());
  container_ = control;
  control->style_ = this;
  control->SetParent(bar);
  if (bar->IsDesigning()) NameContainerControl();
}

TdxStatusBarContainerPanelStyle::~TdxStatusBarContainerPanelStyle() { SetContainer(nullptr); }

void TdxStatusBarContainerPanelStyle::NameContainerControl() {
  TdxCustomStatusBar* bar = StatusBar();
  for (int n = Owner()->ID();; ++n) {
    try {
      container_->SetName(bar->Name() + L"Container" + IntToStr(n));
      return;
    } catch (const Exception&) {
      // The name is taken: try the next number.
    }
  }
}

void TdxStatusBarContainerPanelStyle::SetAlignControl(bool Value) {
  if (alignControl_ == Value) return;
  alignControl_ = Value;
  Changed();
}

void TdxStatusBarContainerPanelStyle::SetContainer(TdxStatusBarContainerControl* Value) {
  if (container_ == Value) return;
  TdxStatusBarContainerControl* old = container_;
  container_ = nullptr;
  if (old) old->style_ = nullptr;
  if (Value) {
    container_ = Value;
    Value->style_ = this;
  } else if (old) {
    TdxCustomStatusBar* bar = StatusBar();
    const bool busy = !bar || bar->IsLoadingDestroyingOrUpdating();
    if (!busy) old->Free();
  }
  VisibilityChanged();
}

TdxStatusBarContainerControl* TdxStatusBarContainerPanelStyle::FindContainerControlByName(const String& AName) {
  TdxCustomStatusBar* bar = StatusBar();
  if (!bar) return nullptr;
  for (int i = 0; i < bar->ControlCount(); ++i)
    if (auto* control = dynamic_cast<TdxStatusBarContainerControl*>(bar->Controls(i)))
      if (SameText(control->Name(), AName)) return control;
  return nullptr;
}

bool TdxStatusBarContainerPanelStyle::CanBeDeleted() {
  return !(container_ && container_->ComponentState().Contains(csAncestor));
}

void TdxStatusBarContainerPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  Inherited::CopyFrom(Source);
  if (auto* style = dynamic_cast<TdxStatusBarContainerPanelStyle*>(Source)) {
    SetAlignControl(style->AlignControl());
    if (style->Container()) SetContainer(FindContainerControlByName(style->Container()->Name()));
  }
}

void TdxStatusBarContainerPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  Inherited::DrawContent(ACanvas, R, APainter);
  if (!container_) return;
  ExcludeSizeGrip(R);
  container_->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  if (!alignControl_ || container_->IsDesigning()) return;
  for (int i = 0; i < container_->ControlCount(); ++i)
    container_->Controls(i)->SetBounds(0, 0, container_->Width(), container_->Height());
}

void TdxStatusBarContainerPanelStyle::VisibilityChanged() {
  if (container_ && Owner()) container_->SetVisible(Owner()->Visible());
}

void TdxStatusBarContainerPanelStyle::RestoreDefaults() {
  alignControl_ = true;
  Inherited::RestoreDefaults();
}
