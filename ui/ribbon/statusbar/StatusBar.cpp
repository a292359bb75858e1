#include "ui/ribbon/statusbar/StatusBar.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/ribbon/statusbar/RibbonStatusBar.h"
#include "ui/ribbon/statusbar/StatusBarPainters.h"
#include "ui/ribbon/statusbar/StatusBarStyles.h"

DEFINE_CLASS(TdxStatusBarPanelStyle)
DEFINE_CLASS(TdxStatusBarPanel)
DEFINE_CLASS(TdxStatusBarPanels)
DEFINE_CLASS(TdxStatusBarViewInfo)
DEFINE_CLASS(TdxCustomStatusBar)

namespace {

const wchar_t kCannotDelete[] = L"Selection contains a component introduced in an ancestor form which cannot be deleted";

TcxRegisteredClasses* registry = nullptr;

}  // namespace

TcxRegisteredClasses* PanelStyleRegistry() {
  if (!registry) registry = new TcxRegisteredClasses(true);
  return registry;
}

// ---- TdxStatusBarPanelStyle -----------------------------------------------------------------------

TdxStatusBarPanelStyle::TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner) : owner_(AOwner) {
  font_ = new TFont;
  font_->OnChange = TNotifyEvent(this, &TdxStatusBarPanelStyle::FontChanged);
  parentFont_ = true;
}

TdxStatusBarPanelStyle::~TdxStatusBarPanelStyle() { font_->Free(); }

TdxCustomStatusBar* TdxStatusBarPanelStyle::StatusBar() const { return owner_ ? owner_->StatusBar() : nullptr; }

bool TdxStatusBarPanelStyle::PanelFixed() const { return owner_ && owner_->StoredFixed(); }

void TdxStatusBarPanelStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanelStyle*>(Source);
  if (!source) {
    Inherited::Assign(Source);
    return;
  }
  TCollection* collection = owner_ ? owner_->Collection() : nullptr;
  if (collection) collection->BeginUpdate();
  try {
    CopyFrom(source);
  } catch (...) {
    if (collection) collection->EndUpdate();
    throw;
  }
  if (collection) collection->EndUpdate();
}

void TdxStatusBarPanelStyle::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Changed();
}

TColor TdxStatusBarPanelStyle::Color() { return colorAssigned_ ? color_ : DefaultColor(); }

void TdxStatusBarPanelStyle::SetColor(TColor Value) {
  if (colorAssigned_ && color_ == Value) return;
  color_ = Value;
  colorAssigned_ = true;
  Changed();
}

void TdxStatusBarPanelStyle::SetParentFont(bool Value) {
  if (parentFont_ == Value) return;
  parentFont_ = Value;
  SyncParentFont();
  Changed();
}

void TdxStatusBarPanelStyle::AdjustTextColor(TColor& AColor, bool Active) {
  if (AColor == clDefault && StatusBar()) StatusBar()->AdjustDefaultTextColor(AColor, Active);
}

void TdxStatusBarPanelStyle::Changed() {
  if (owner_) owner_->NotifyChanged();
}

void TdxStatusBarPanelStyle::ExcludeSizeGrip(TRect& R) {
  TdxCustomStatusBar* bar = StatusBar();
  if (!bar || owner_->Index() != bar->Panels()->Count() - 1 || !bar->IsSizeGripVisible()) return;
  R.right -= bar->Painter()->SizeGripSize().cx;
}

TColor TdxStatusBarPanelStyle::DefaultColor() { return StatusBar() ? StatusBar()->Color() : clBtnFace; }

void TdxStatusBarPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  RestoreDefaults();
  SetAlignment(Source->Alignment());
  if (Source->ColorAssigned()) SetColor(Source->Color());
  if (!Source->ParentFont())
    SetFont(Source->Font());
  else
    SyncParentFont();
}

void TdxStatusBarPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  APainter->FillPanelBackground(StatusBar(), owner_, R, ACanvas);
}

void TdxStatusBarPanelStyle::SyncParentFont() {
  if (!parentFont_ || !StatusBar()) return;
  font_->Assign(StatusBar()->Font());
  parentFont_ = true;
}

void TdxStatusBarPanelStyle::RestoreDefaults() {
  alignment_ = taLeftJustify;
  colorAssigned_ = false;
  color_ = clDefault;
  parentFont_ = true;
  SyncParentFont();
  if (owner_) owner_->NotifyChanged();
}

void TdxStatusBarPanelStyle::FontChanged(TObject*) {
  parentFont_ = false;
  Changed();
}

// ---- TdxStatusBarPanel ----------------------------------------------------------------------------

TdxStatusBarPanel::TdxStatusBarPanel(TCollection* Collection) : TCollectionItem(Collection) {
  TakeBarBiDiMode();
  TdxCustomStatusBar* bar = StatusBar();
  if (bar && !bar->IsLoadingOrReading()) SetPanelStyleClass(bar->DefaultPanelStyleClass());
}

TdxStatusBarPanel::~TdxStatusBarPanel() {
  if (panelStyle_) {
    panelStyle_->Free();
    panelStyle_ = nullptr;
  }
}

TdxCustomStatusBar* TdxStatusBarPanel::StatusBar() const {
  auto* panels = dynamic_cast<TdxStatusBarPanels*>(Collection());
  return panels ? panels->StatusBar() : nullptr;
}

void TdxStatusBarPanel::TakeBarBiDiMode() {
  if (!parentBiDiMode_ || !StatusBar()) return;
  SetBiDiMode(StatusBar()->BiDiMode());
  parentBiDiMode_ = true;
}

void TdxStatusBarPanel::SetBevel(TdxStatusBarPanelBevel Value) {
  if (bevel_ == Value) return;
  bevel_ = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetBiDiMode(TBiDiMode Value) {
  parentBiDiMode_ = false;
  if (biDiMode_ == Value) return;
  biDiMode_ = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetParentBiDiMode(bool Value) {
  if (parentBiDiMode_ == Value) return;
  parentBiDiMode_ = Value;
  if (Value) TakeBarBiDiMode();
  Changed(false);
}

bool TdxStatusBarPanel::Fixed() {
  if (panelStyle_ && !panelStyle_->HasAdjustableWidth()) return true;
  return fixed_;
}

void TdxStatusBarPanel::SetFixed(bool Value) {
  if (fixed_ == Value) return;
  fixed_ = Value;
  Changed(false);
}

int TdxStatusBarPanel::MinWidth() {
  return minWidthAssigned_ && StyleAdjustsWidth() ? minWidth_ : DefaultMinWidth();
}

void TdxStatusBarPanel::SetMinWidth(int Value) {
  minWidth_ = Value < 0 ? 0 : Value;
  minWidthAssigned_ = true;
  if (width_ < minWidth_) {
    width_ = minWidth_;
  }
  Changed(false);
}

int TdxStatusBarPanel::Width() { return widthAssigned_ && StyleAdjustsWidth() ? width_ : DefaultWidth(); }

void TdxStatusBarPanel::SetWidth(int Value) {
  width_ = Value < minWidth_ ? minWidth_ : Value;
  widthAssigned_ = true;
  Changed(false);
}

void TdxStatusBarPanel::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  if (panelStyle_) panelStyle_->VisibilityChanged();
  Changed(false);
}

void TdxStatusBarPanel::SetPanelStyle(TdxStatusBarPanelStyle* Value) {
  if (panelStyle_ && Value) panelStyle_->Assign(Value);
}

String TdxStatusBarPanel::PanelStyleClassName() const { return panelStyle_ ? panelStyle_->ClassName() : String(); }

void TdxStatusBarPanel::SetPanelStyleClassName(const String& Value) {
  TClass found = PanelStyleRegistry()->ClassByName(Value);
  SetPanelStyleClass(found && found->InheritsFrom(&TdxStatusBarPanelStyle::ClassInfo())
                         ? static_cast<TdxStatusBarPanelStyleClass>(found)
                         : nullptr);
}

void TdxStatusBarPanel::SetPanelStyleClass(TdxStatusBarPanelStyleClass Value) {
  if (panelStyleClass_ == Value) return;
  TdxCustomStatusBar* bar = StatusBar();
  if (bar && !bar->AcceptsPanelStyleClass(Value)) return;
  FreePanelStyle();
  panelStyleClass_ = Value;
  CreatePanelStyle();
}

void TdxStatusBarPanel::CreatePanelStyle() {
  if (panelStyleClass_) panelStyle_ = panelStyleClass_->CreateForPanel(this);
  if (TdxCustomStatusBar* bar = StatusBar()) bar->Invalidate();
}

void TdxStatusBarPanel::CheckStyleCanBeDeleted() {
  if (!panelStyle_) return;
  TdxCustomStatusBar* bar = StatusBar();
  const bool busy = !bar || bar->IsLoadingDestroyingOrUpdating();
  if (!busy && !panelStyle_->CanBeDeleted()) throw Exception(kCannotDelete);
}

void TdxStatusBarPanel::BeforeDestruction() {
  CheckStyleCanBeDeleted();
  Inherited::BeforeDestruction();
}

void TdxStatusBarPanel::FreePanelStyle() {
  if (!panelStyle_) return;
  CheckStyleCanBeDeleted();
  TdxStatusBarPanelStyle* doomed = panelStyle_;
  panelStyle_ = nullptr;
  panelStyleClass_ = nullptr;
  doomed->Free();
}

void TdxStatusBarPanel::Click() {
  if (OnClick) OnClick(this);
}

void TdxStatusBarPanel::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

int TdxStatusBarPanel::DefaultMinWidth() { return panelStyle_ ? panelStyle_->DefaultMinWidth() : 20; }

int TdxStatusBarPanel::DefaultWidth() { return StyleAdjustsWidth() ? 50 : DefaultMinWidth(); }

void TdxStatusBarPanel::AddFrameExtent(int& W) {
  if (!panelStyle_) return;
  if (!panelStyle_->DrawsOwnBorder()) W += 2;
  TdxCustomStatusBar* bar = StatusBar();
  if (bar && Index() == bar->Panels()->Count() - 1 && bar->IsSizeGripVisible())
    W += bar->Painter()->SizeGripSize().cx;
}

int TdxStatusBarPanel::EffectiveMinWidth() {
  int w = MinWidth();
  AddFrameExtent(w);
  return w;
}

int TdxStatusBarPanel::EffectiveWidth() {
  int w = Width();
  AddFrameExtent(w);
  return w;
}

void TdxStatusBarPanel::RestoreDefaults() {
  visible_ = true;
  minWidth_ = 20;
  width_ = 50;
  fixed_ = true;
  parentBiDiMode_ = true;
  bevel_ = dxpbLowered;
  minWidthAssigned_ = widthAssigned_ = false;
  TakeBarBiDiMode();
  Changed(true);
}

String TdxStatusBarPanel::GetDisplayName() const { return text_.empty() ? Inherited::GetDisplayName() : text_; }

void TdxStatusBarPanel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanel*>(Source);
  if (!source) {
    Inherited::Assign(Source);
    return;
  }
  TCollection* collection = Collection();
  if (collection) collection->BeginUpdate();
  try {
    RestoreDefaults();
    SetPanelStyleClassName(source->PanelStyleClassName());
    SetPanelStyle(source->PanelStyle());
    SetVisible(source->Visible());
    SetBevel(source->Bevel());
    SetBiDiMode(source->BiDiMode());
    SetFixed(source->Fixed());
    if (source->MinWidthAssigned()) SetMinWidth(source->MinWidth());
    SetParentBiDiMode(source->ParentBiDiMode());
    SetText(source->Text());
    if (source->WidthAssigned()) SetWidth(source->Width());
    OnClick = source->OnClick;
    OnDblClick = source->OnDblClick;
    OnDrawPanel = source->OnDrawPanel;
  } catch (...) {
    if (collection) collection->EndUpdate();
    throw;
  }
  if (collection) collection->EndUpdate();
}

// ---- TdxStatusBarPanels ---------------------------------------------------------------------------

TdxStatusBarPanels::TdxStatusBarPanels(TdxCustomStatusBar* AStatusBar)
    : TCollection(AStatusBar->PanelClass()), statusBar_(AStatusBar) {}

TPersistent* TdxStatusBarPanels::GetOwner() { return statusBar_; }

void TdxStatusBarPanels::Update(TCollectionItem*) { statusBar_->UpdateLayout(); }

void TdxStatusBarPanels::NotifyStylesLoaded() {
  for (int i = 0; i < Count(); ++i)
    if (TdxStatusBarPanelStyle* style = PanelAt(i)->PanelStyle()) style->AfterLoad();
}

// ---- TdxStatusBarViewInfo -------------------------------------------------------------------------

void TdxStatusBarViewInfo::ComputeLayout(const TRect& R) {
  panels_.clear();
  widths_.clear();
  TdxStatusBarPanels* panels = statusBar_->Panels();
  for (int i = 0; i < panels->Count(); ++i)
    if (panels->PanelAt(i)->Visible()) panels_.push_back(panels->PanelAt(i));
  sizeGripOverlapped_ = false;
  if (panels_.empty()) return;
  TcxAutoWidthObject items(int(panels_.size()) * 2 - 1);
  const int separator = statusBar_->Painter()->SeparatorWidth();
  bool autoBefore = false;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    TdxStatusBarPanel* panel = panels_[i];
    TcxAutoWidthItem* item = items.NewItem();
    item->MinWidth = panel->EffectiveMinWidth();
    item->Width = panel->EffectiveWidth();
    const bool last = i + 1 == panels_.size();
    item->Fixed = panel->Fixed() && !(last && !autoBefore);
    if (!panel->Fixed()) autoBefore = true;
    if (!last) {
      TcxAutoWidthItem* gap = items.NewItem();
      gap->MinWidth = gap->Width = separator;
      gap->Fixed = true;
    }
  }
  items.AvailableWidth = R.right - R.left;
  items.DistributeWidths();
  int sum = 0;
  for (int i = 0; i < items.ItemCount(); ++i) sum += items.ItemAt(i)->Width;
  sizeGripOverlapped_ = sum >= items.AvailableWidth;
  for (int i = 0; i < items.ItemCount(); ++i) widths_.push_back(items.ItemAt(i)->AutoWidth);
}

// ---- TdxCustomStatusBar ---------------------------------------------------------------------------

TdxCustomStatusBar::TdxCustomStatusBar(TComponent* AOwner) : TcxControl(AOwner) {
  UpdateScrollBarsPresence();
  viewInfo_ = CreateViewInfo();
  ControlStyle.Exclude(csSetCaption);
  ControlStyle.Include(csCaptureMouse);
  ControlStyle.Include(csClickEvents);
  ControlStyle.Include(csOpaque);
  ControlStyle.Include(csDoubleClicks);
  DoubleBuffered = true;
  SetParentBackground(false);
  SetColor(clBtnFace);
  SetHeight(20);
  SetAlign(alBottom);
  SetParentFont(false);
  imageChangeLink_ = new TChangeLink;
  imageChangeLink_->OnChange = TNotifyEvent(this, &TdxCustomStatusBar::ImageListChanged);
  themeNotificator_ = new TdxThemeChangedNotificator;
  themeNotificator_->OnThemeChanged = TEvent<void()>(this, &TdxCustomStatusBar::ThemeChanged);
  panels_ = CreatePanels();
  PainterChanged();
  AcquireOffice11Colors();
  office11Acquired_ = true;
}

TdxCustomStatusBar::~TdxCustomStatusBar() {
  if (office11Acquired_) UnacquireOffice11Colors();
  FreeAndNil(themeNotificator_);
  if (images_) images_->UnRegisterChanges(imageChangeLink_);
  FreeAndNil(imageChangeLink_);
  FreeAndNil(panels_);
  FreeAndNil(viewInfo_);
}

bool TdxCustomStatusBar::IsLoadingOrReading() const {
  return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

bool TdxCustomStatusBar::IsUpdating() const {
  return ComponentState().Contains(csUpdating) || (panels_ && panels_->UpdateCount() > 0);
}

void TdxCustomStatusBar::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (borderWidth_ == Value) return;
  borderWidth_ = Value;
  UpdateLayout();
}

void TdxCustomStatusBar::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) {
    images_->UnRegisterChanges(imageChangeLink_);
    images_->RemoveFreeNotification(this);
  }
  images_ = Value;
  if (images_) {
    images_->RegisterChanges(imageChangeLink_);
    images_->FreeNotification(this);
  }
  UpdateLayout();
}

void TdxCustomStatusBar::SetSizeGrip(bool Value) {
  if (sizeGrip_ == Value) return;
  sizeGrip_ = Value;
  UpdateLayout();
}

void TdxCustomStatusBar::SetLookAndFeel(TcxLookAndFeel* Value) {
  TcxControl::SetLookAndFeel(Value);
  UpdateLayout();
}

void TdxCustomStatusBar::SetPaintStyle(Byte Value) {
  if (paintStyle_ == Value) return;
  paintStyle_ = Value;
  PainterChanged();
}

TdxStatusBarViewInfo* TdxCustomStatusBar::CreateViewInfo() { return new TdxStatusBarViewInfo(this); }

void TdxCustomStatusBar::RecreateViewInfo() {
  FreeAndNil(viewInfo_);
  viewInfo_ = CreateViewInfo();
  Recalculate();
}

void TdxCustomStatusBar::CalculateLayout() {
  TRect R;
  ContentBounds(R);
  viewInfo_->ComputeLayout(R);
}

TdxStatusBarPanel* TdxCustomStatusBar::AddPanel() { return panels_->Add(); }

TdxStatusBarPanels* TdxCustomStatusBar::CreatePanels() { return new TdxStatusBarPanels(this); }

bool TdxCustomStatusBar::FireHint() {
  if (!OnHint) return false;
  OnHint(this);
  return true;
}

TdxStatusBarPanelStyleClass TdxCustomStatusBar::DefaultPanelStyleClass() {
  return &TdxStatusBarTextPanelStyle::ClassInfo();
}

Byte TdxCustomStatusBar::EffectivePaintStyle() {
  if (paintStyle_ != stpsUseLookAndFeel) return paintStyle_;
  TcxLookAndFeel* lf = LookAndFeel();
  if (lf->NativeStyle() && themesAvailable_) return stpsXP;
  switch (lf->Kind()) {
    case lfUltraFlat:
      return stpsFlat;
    case lfOffice11:
      return stpsOffice11;
    default:
      return stpsStandard;
  }
}

TdxStatusBarPainterClass TdxCustomStatusBar::SelectPainterClass() {
  switch (EffectivePaintStyle()) {
    case stpsFlat:
      return TdxStatusBarFlatPainter::Class();
    case stpsXP:
      return themesAvailable_ ? TdxStatusBarXPPainter::Class() : TdxStatusBarStandardPainter::Class();
    case stpsOffice11:
      return TdxStatusBarOffice11Painter::Class();
    default:
      return TdxStatusBarStandardPainter::Class();
  }
}

TCollectionItemClass TdxCustomStatusBar::PanelClass() { return &TdxStatusBarPanel::ClassInfo(); }

void TdxCustomStatusBar::UpdatePainter() {
  themesAvailable_ = VisualStylesAvailable(totStatus);
  painter_ = SelectPainterClass();
}

void TdxCustomStatusBar::PainterChanged() {
  UpdatePainter();
  UpdateLayout();
}

bool TdxCustomStatusBar::IsSizeGripVisible() {
  if (!sizeGrip_) return false;
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin) return false;
  if (form->WindowState() == wsMaximized || form->WindowState() == wsMinimized) return false;
  const TPoint corner = PointToParentForm(TPoint(Width(), Height()));
  return corner.x == form->ClientWidth() && corner.y == form->ClientHeight();
}

void TdxCustomStatusBar::UpdateLayout() {
  Recalculate();
  Invalidate();
}

bool TdxCustomStatusBar::AcceptsPanelStyleClass(TdxStatusBarPanelStyleClass AClass) {
  return !(AClass && AClass->RequiresRibbonStatusBar());
}

TdxStatusBarPanel* TdxCustomStatusBar::PanelAtPoint(int X, int Y) {
  const TRect R = PanelsBounds();
  if (Y < R.top || Y >= R.bottom) return nullptr;
  const auto& widths = viewInfo_->Widths();
  const auto& panels = viewInfo_->VisiblePanels();
  int left = R.left;
  for (std::size_t j = 0; j < panels.size(); ++j) {
    const int width = widths[j * 2];
    if (X >= left && X < left + width) return panels[j];
    left += width;
    if (j * 2 + 1 < widths.size()) left += widths[j * 2 + 1];
  }
  return nullptr;
}

void TdxCustomStatusBar::Recalculate() {
  if (IsBeingDestroyed() || !panels_ || !painter_) return;
  CalculateLayout();
}

TRect TdxCustomStatusBar::PanelsBounds() {
  TRect R;
  ContentBounds(R);
  const TRect borders = painter_->BorderSizes(this);
  return {R.left + borders.left, R.top + borders.top, R.right - borders.right, R.bottom - borders.bottom};
}

TPoint TdxCustomStatusBar::PointToParentForm(const TPoint& P) {
  TCustomForm* form = GetParentForm(this);
  if (!form) throw EInvalidOperation(Format(L"Control '%s' has no parent window", {Name()}));
  TPoint result(P.x + Left(), P.y + Top());
  TWinControl* parent = Parent();
  while (parent && parent != form) {
    result.x += parent->Left();
    result.y += parent->Top();
    parent = parent->Parent();
  }
  if (!parent) throw EInvalidOperation(Format(L"Parent given is not a parent of '%s'", {Name()}));
  return result;
}

void TdxCustomStatusBar::Loaded() {
  Inherited::Loaded();
  panels_->NotifyStylesLoaded();
  Recalculate();
}

void TdxCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  Inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TdxCustomStatusBar::Resize() {
  Inherited::Resize();
  Recalculate();
  Invalidate();
}

void TdxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble))
    if (TdxStatusBarPanel* panel = PanelAtPoint(X, Y)) panel->DblClick();
}

void TdxCustomStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Inherited::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft)
    if (TdxStatusBarPanel* panel = PanelAtPoint(X, Y)) panel->Click();
}

void TdxCustomStatusBar::NotifyFontListeners() {
  Inherited::NotifyFontListeners();
  if (!panels_) return;
  for (int i = 0; i < panels_->Count(); ++i)
    if (TdxStatusBarPanelStyle* style = panels_->PanelAt(i)->PanelStyle()) style->SyncParentFont();
}

void TdxCustomStatusBar::Paint() {
  Inherited::Paint();
  TcxCanvas* canvas = cxCanvas();
  TRect R;
  ContentBounds(R);
  painter_->DrawBorder(this, canvas, R);
  canvas->PushClipRegion();
  canvas->ClipToRect(R);
  const auto& panels = viewInfo_->VisiblePanels();
  const bool overlapped = !panels.empty() && viewInfo_->SizeGripOverlapped();
  const bool grip = IsSizeGripVisible();
  if (painter_->DrawsSizeGripFirst() && grip) painter_->PaintSizeGrip(this, canvas, overlapped, R);
  if (!panels.empty()) {
    const auto& widths = viewInfo_->Widths();
    int left = R.left;
    for (std::size_t j = 0; j < panels.size(); ++j) {
      const TRect panelRect(left, R.top, left + widths[j * 2], R.bottom);
      painter_->DrawPanel(this, panels[j], panelRect, canvas);
      left = panelRect.right;
      if (j * 2 + 1 < widths.size()) {
        const TRect gap(left, R.top, left + widths[j * 2 + 1], R.bottom);
        painter_->DrawSeparator(this, canvas, gap);
        left = gap.right;
      }
    }
  } else {
    painter_->DrawEmptyArea(this, canvas, R);
  }
  if (!painter_->DrawsSizeGripFirst() && grip) painter_->PaintSizeGrip(this, canvas, overlapped, R);
  canvas->PopClipRegion();
}

void TdxCustomStatusBar::CMActionExecute(TMessage& Message) {
  auto* action = reinterpret_cast<TBasicAction*>(Message.LParam);
  TdxStatusBarPanel* hintPanel = nullptr;
  for (int i = 0; i < panels_->Count(); ++i) {
    auto* style = dynamic_cast<TdxStatusBarTextPanelStyle*>(panels_->PanelAt(i)->PanelStyle());
    if (style && style->AutoHint()) hintPanel = panels_->PanelAt(i);
  }
  auto* hint = dynamic_cast<THintAction*>(action);
  if (!IsDesigning() && hintPanel && hint && !FireHint()) {
    hintPanel->SetText(hint->Hint());
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TdxCustomStatusBar::CMBiDiModeChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (HandleAllocated())
    for (int i = 0; i < panels_->Count(); ++i)
      if (panels_->PanelAt(i)->ParentBiDiMode()) {
        panels_->PanelAt(i)->SetBiDiMode(BiDiMode());
        panels_->PanelAt(i)->SetParentBiDiMode(true);
      }
  UpdateLayout();
}

void TdxCustomStatusBar::CMRelayout(TMessage& Message) {
  Inherited::Dispatch(Message);
  UpdateLayout();
}

void TdxCustomStatusBar::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  Invalidate();
}

void TdxCustomStatusBar::CMSysColorChange(TMessage& Message) {
  Inherited::Dispatch(Message);
  RefreshOffice11Palette();
  UpdateLayout();
}

void TdxCustomStatusBar::WMNCHitTest(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsDesigning() || !IsSizeGripVisible()) return;
  TRect R;
  ContentBounds(R);
  const TSize grip = painter_->SizeGripSize();
  const TPoint P = ScreenToClient(
      TPoint(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))));
  const TRect area(R.right - grip.cx - 2, R.bottom - grip.cy - 2, R.right, R.bottom);
  if (PtInRect(&area, P)) Message.Result = HTBOTTOMRIGHT;
}

// ---- unit -----------------------------------------------------------------------------------------

void StartStatusBarUnit() {
  TcxRegisteredClasses* classes = PanelStyleRegistry();
  classes->RegisterEntry(&TdxStatusBarTextPanelStyle::ClassInfo(), L"Text Panel");
  classes->RegisterEntry(&TdxStatusBarContainerPanelStyle::ClassInfo(), L"Container Panel");
  classes->RegisterEntry(&TdxStatusBarKeyboardStatePanelStyle::ClassInfo(), L"Keyboard State Panel");
  classes->RegisterEntry(&TdxStatusBarStateIndicatorPanelStyle::ClassInfo(), L"State Indicator Panel");
  classes->RegisterEntry(&TdxStatusBarToolbarPanelStyle::ClassInfo(), L"Toolbar Panel");
  RegisterClass(&TdxStatusBarContainerControl::ClassInfo());
  RegisterClass(&TdxRibbonStatusBar::ClassInfo());
}

void EndStatusBarUnit() {
  if (registry) {
    registry->UnregisterEntry(&TdxStatusBarTextPanelStyle::ClassInfo());
    registry->UnregisterEntry(&TdxStatusBarContainerPanelStyle::ClassInfo());
    registry->UnregisterEntry(&TdxStatusBarKeyboardStatePanelStyle::ClassInfo());
    registry->UnregisterEntry(&TdxStatusBarStateIndicatorPanelStyle::ClassInfo());
    registry->UnregisterEntry(&TdxStatusBarToolbarPanelStyle::ClassInfo());
  }
  FreeAndNil(registry);
}

namespace {
const TUnitRegistration statusBarUnit(&StartStatusBarUnit, &EndStatusBarUnit);
}  // namespace
