#include "ui/bars/BarItems.h"
#include "ui/bars/customize/FormPainters.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/PopupMenus.h"

DEFINE_CLASS(TdxBarItemStylesData)
DEFINE_CLASS(TdxBarItem)
DEFINE_CLASS(TdxBarItemActionLink)
DEFINE_CLASS(TdxBarLabel)
DEFINE_CLASS(TdxBarSeparator)
DEFINE_CLASS(TdxBarWindowItem)
DEFINE_CLASS(TdxBarButton)
DEFINE_CLASS(TdxBarApplicationMenuButtonItem)

// ---- styles data --------------------------------------------------------------------------------

TdxBarItemStylesData::TdxBarItemStylesData(TPersistent* AOwner, int AStyleCount)
    : TcxInterfacedPersistent(AOwner), slots_(size_t(std::max(AStyleCount, 0))) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
  destroying_ = true;
  for (size_t i = 0; i < slots_.size(); ++i) {
    TcxStyle* style = slots_[i].Style;
    if (!style) continue;
    for (Slot& slot : slots_) {
      if (slot.Style == style) slot.Style = nullptr;
    }
    style->RemoveListener(this);
  }
}

bool TdxBarItemStylesData::HeldByOtherSlot(TcxStyle* Style, int Except) const {
  for (int i = 0; i < StyleCount(); ++i) {
    if (i != Except && slots_[size_t(i)].Style == Style) return true;
  }
  return false;
}

void TdxBarItemStylesData::SetStyle(int Index, TcxStyle* Style) {
  Slot& slot = slots_.at(size_t(Index));
  if (slot.Style == Style) return;
  TcxStyle* old = slot.Style;
  slot.Style = Style;
  if (old && !HeldByOtherSlot(old, Index)) old->RemoveListener(this);
  if (Style && !HeldByOtherSlot(Style, Index)) Style->AddListener(this);
  Refresh(slot);
}

TdxBarItemStylesData::Snapshot TdxBarItemStylesData::SnapshotOf(TcxStyle* Style) {
  Snapshot snap;
  if (!Style) return snap;
  snap.Assigned = Style->AssignedValues();
  snap.Color = Style->Color();
  snap.TextColor = Style->TextColor();
  TFont* font = Style->Font();
  snap.FontHeight = font->Height();
  snap.FontPitch = font->Pitch();
  snap.FontStyle = font->Style();
  snap.FontCharset = font->Charset();
  snap.FontName = font->Name().substr(0, 31);
  return snap;
}

void TdxBarItemStylesData::Refresh(Slot& ASlot) {
  const Snapshot now = SnapshotOf(ASlot.Style);
  const Snapshot& was = ASlot.Snap;
  TdxBarItemStyleChange kind = iscNone;
  const bool fontNow = now.Assigned.Contains(svFont), fontWas = was.Assigned.Contains(svFont);
  if (fontNow != fontWas ||
      (fontNow && (now.FontHeight != was.FontHeight || now.FontPitch != was.FontPitch ||
                   now.FontStyle != was.FontStyle || now.FontCharset != was.FontCharset ||
                   now.FontName != was.FontName))) {
    kind = iscRelayout;
  } else {
    auto colourDiffers = [&](TcxStyleValue value, TColor a, TColor b) {
      const bool assignedNow = now.Assigned.Contains(value), assignedWas = was.Assigned.Contains(value);
      return assignedNow != assignedWas || (assignedNow && ColorToRGB(a) != ColorToRGB(b));
    };
    if (colourDiffers(svColor, now.Color, was.Color) || colourDiffers(svTextColor, now.TextColor, was.TextColor))
      kind = iscRepaint;
  }
  ASlot.Snap = now;
  Report(kind);
}

void TdxBarItemStylesData::Report(TdxBarItemStyleChange Kind) {
  if (Kind == iscNone || destroying_) return;
  if (changeLockCount_ > 0) {
    if (pendingChange_ != iscRelayout) pendingChange_ = Kind;
    return;
  }
  if (OnChange) OnChange(Kind);
}

void TdxBarItemStylesData::BeginChange() {
  if (changeLockCount_++ == 0) pendingChange_ = iscNone;
}

void TdxBarItemStylesData::EndChange() {
  if (changeLockCount_ == 0 || --changeLockCount_ > 0) return;
  const TdxBarItemStyleChange pending = std::exchange(pendingChange_, iscNone);
  if (pending != iscNone && !destroying_ && OnChange) OnChange(pending);
}

void TdxBarItemStylesData::StyleChanged(TcxCustomStyle* Sender) {
  BeginChange();
  for (Slot& slot : slots_) {
    if (slot.Style == Sender) Refresh(slot);
  }
  EndChange();
}

void TdxBarItemStylesData::StyleRemoved(TcxCustomStyle* Sender) {
  BeginChange();
  for (Slot& slot : slots_) {
    if (slot.Style != Sender) continue;
    slot.Style = nullptr;
    Refresh(slot);
  }
  EndChange();
}

// ---- the item: life -----------------------------------------------------------------------------

TdxBarItem::TdxBarItem(TComponent* AOwner, int AStyleCount) : TdxBarComponent(AOwner) {
  TdxBarManager* manager = dynamic_cast<TdxBarManager*>(AOwner);
  if (!manager && AOwner) manager = FindBarManagerOwnedBy(AOwner);
  if (!manager && BarManagerList()) manager = BarManagerList()->ManagerAt(0);
  SetBarManager(manager);
  stylesData_.reset(new TdxBarItemStylesData(this, AStyleCount));
  stylesData_->OnChange = [this](TdxBarItemStyleChange Kind) { StyleChanged(Kind); };
  glyph_.reset(new TBitmap);
  glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
  largeGlyph_.reset(new TBitmap);
  largeGlyph_->OnChange = [this](TObject*) { LargeGlyphChanged(); };
}

TdxBarItem::~TdxBarItem() {
  while (!links_.empty()) links_.back()->Free();
  stylesData_.reset();
  actionLink_.reset();
  if (largeGlyph_) largeGlyph_->OnChange = nullptr;
  if (glyph_) glyph_->OnChange = nullptr;
  largeGlyph_.reset();
  glyph_.reset();
  InvalidateObjectLinks(this);
}

void TdxBarItem::BeforeDestruction() {
  TdxBarComponent::BeforeDestruction();
  if (OnDestroy) OnDestroy(this);
  DeleteAllLinks();
}

void TdxBarItem::SetBarManager(TdxBarManager* Value) {
  if (barManager_ == Value) return;
  if (barManager_ && barManager_->items_) barManager_->items_->Remove(this);
  barManager_ = Value;
  if (barManager_ && barManager_->items_ && barManager_->items_->IndexOf(this) < 0) barManager_->items_->Add(this);
}

void TdxBarItem::LeaveManagerItemList() {
  if (barManager_ && barManager_->items_) barManager_->items_->Remove(this);
}

void TdxBarItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItem*>(Source);
  if (!source) return TdxBarComponent::Assign(Source);
  SetAction(source->Action());
  SetAlign(source->Align());
  SetCaption(source->Caption());
  SetCategory(source->Category());
  SetDescription(source->Description());
  SetEnabled(source->enabled_);
  SetHelpContext(source->HelpContext());
  SetHint(source->Hint());
  KeyTip = source->KeyTip;
  MergeKind = source->MergeKind;
  SetMergeOrder(source->MergeOrder());
  SetStyle(source->Style());
  SetScreenTip(source->ScreenTip());
  SetVisible(source->Visible());
  Data = source->Data;
  SetGlyph(source->Glyph());
  SetImageIndex(source->ImageIndex());
  SetLargeGlyph(source->LargeGlyph());
  SetLargeImageIndex(source->LargeImageIndex());
  SetShortCut(source->ShortCut());
  OnClick = source->OnClick;
}

void TdxBarItem::AssignTo(TPersistent* Dest) {
  auto* action = dynamic_cast<TCustomAction*>(Dest);
  if (!action) return TdxBarComponent::AssignTo(Dest);
  action->SetCaption(Caption());
  if (auto* button = dynamic_cast<TdxBarButton*>(this)) action->SetChecked(button->Down());
  action->SetEnabled(enabled_);
  action->SetHelpContext(HelpContext());
  action->SetHint(Hint());
  action->SetImageIndex(ImageIndex());
  action->SetShortCut(ShortCut());
  if (visible_ != ivInCustomizing) action->SetVisible(visible_ == ivAlways);
  action->OnExecute = OnClick;
}

void TdxBarItem::Loaded() {
  TdxBarComponent::Loaded();
  if (TBasicAction* action = Action()) ActionChange(action, true);
  // The manager applies the read visibility in its Loaded; an item it found still loading applies
  // it here.
  if (!barManager_ || !barManager_->InLoadingPhase()) ApplyLoadedVisible();
  if (OnAfterLoading) OnAfterLoading(this);
}

void TdxBarItem::ApplyLoadedVisible() {
  if (visible_ == loadedVisible_) return;
  visible_ = loadedVisible_;
  if (!IsLoading()) VisibleChanged();
}

void TdxBarItem::ReadState(TReader& Reader) {
  TdxBarComponent::ReadState(Reader);
  if (auto* manager = dynamic_cast<TdxBarManager*>(Reader.Parent())) {
    SetBarManager(manager);
    BarManagerAssigned();
  }
}

void TdxBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == Action()) SetAction(nullptr);
  if (Operation == opRemove && AComponent && AComponent == screenTip_) screenTip_ = nullptr;
}

void TdxBarItem::SetScreenTip(TdxBarScreenTip* Value) {
  if (screenTip_ == Value) return;
  if (screenTip_) screenTip_->RemoveFreeNotification(this);
  screenTip_ = Value;
  if (screenTip_) screenTip_->FreeNotification(this);
}

void TdxBarItem::SetName(const String& NewName) {
  TdxBarComponent::SetName(NewName);
  if (!(IsDesigning() && NewName.empty())) Changed();
}

TComponent* TdxBarItem::GetParentComponent() const { return HasParent() ? barManager_ : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* Value) {
  if (IsLoading()) return;
  SetBarManager(As<TdxBarManager>(Value));
  BarManagerAssigned();
}

// ---- properties ---------------------------------------------------------------------------------

TBasicAction* TdxBarItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

TdxBarItemActionLink* TdxBarItem::CreateActionLink() { return new TdxBarItemActionLink(this); }

void TdxBarItem::SetAction(TBasicAction* Value) {
  if (Value == Action()) return;
  if (!Value) {
    actionLink_.reset();
    return;
  }
  const bool actionLoading = Value->ComponentState().Contains(csLoading);
  if (actionLoading && barManager_) barManager_->LockDesignerModified(true);
  try {
    if (!actionLink_) actionLink_.reset(CreateActionLink());
    actionLink_->SetAction(Value);
    actionLink_->OnChange = TNotifyEvent(this, &TdxBarItem::DoActionChange);
    ActionChange(Value, actionLoading);
    Value->FreeNotification(this);
  } catch (...) {
    if (actionLoading && barManager_) barManager_->LockDesignerModified(false);
    throw;
  }
  if (actionLoading && barManager_) barManager_->LockDesignerModified(false);
}

void TdxBarItem::DoActionChange(TObject* Sender) {
  if (Sender == Action()) ActionChange(Sender, false);
}

void TdxBarItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty()) {
    checkDefaults_ = true;
    try {
      SetCaption(action->Caption());
    } catch (...) {
      checkDefaults_ = false;
      throw;
    }
    checkDefaults_ = false;
  }
  if (auto* button = dynamic_cast<TdxBarButton*>(this)) {
    if (!CheckDefaults || !button->Down()) button->SetDown(action->Checked());
  }
  if (!CheckDefaults || enabled_) SetEnabled(action->Enabled());
  if (!CheckDefaults || helpContext_ == 0) SetHelpContext(action->HelpContext());
  if (!CheckDefaults || hint_.empty()) hint_ = action->Hint();
  if (!CheckDefaults || GetLinkedImageIndex() == -1) SetLinkedImageIndex(action->ImageIndex());
  if (!CheckDefaults || shortCut_ == scNone) SetShortCut(action->ShortCut());
  if (!CheckDefaults || visible_ == ivAlways) SetVisible(action->Visible() ? ivAlways : ivNever);
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}


void TdxBarItem::SetCaption(const String& Value) {
  if (caption_ == Value) return;
  const bool hintFollows = !checkDefaults_ && CaptionSetsHint() && (hint_.empty() || HintFollowsCaption());
  caption_ = Value;
  if (IsLoading()) return;
  if (hintFollows) {
    const size_t bar = hint_.find(L'|');
    hint_ = CaptionWithoutAccelerator() + (bar == String::npos ? String() : hint_.substr(bar));
  }
  CaptionChanged();
}

bool TdxBarItem::IsCaptionStored() const { return !(actionLink_ && actionLink_->IsCaptionLinked()); }

void TdxBarItem::SetCategory(int Value) {
  if (IsLoading()) {
    category_ = Value;
    return;
  }
  if (Value == category_ || !barManager_ || Value < 0 || Value >= barManager_->Categories()->Count()) return;
  int last = -1;
  for (int i = 0; i < barManager_->ItemCount(); ++i) {
    if (barManager_->ItemAt(i)->category_ == Value) last = i;
  }
  if (last >= 0) {
    const int current = ItemIndexInManager();
    MoveInManager(last < current ? last + 1 : last);
  }
  category_ = Value;
  Changed(true);
}

void TdxBarItem::SetDescription(const String& Value) {
  if (description_ == Value) return;
  description_ = Value;
  Changed();
}

bool TdxBarItem::GetEnabled() const {
  if (barManager_ && barManager_->IsCustomizing() && !IsDesigning() && category_ >= 0) return true;
  return enabled_;
}

void TdxBarItem::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetHelpContext(int Value) { helpContext_ = Value; }
void TdxBarItem::SetHint(const String& Value) { hint_ = Value; }

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
  if (IsLoading()) {
    loadedVisible_ = Value;
    return;
  }
  if (visible_ == Value) return;
  visible_ = Value;
  VisibleChanged();
}

void TdxBarItem::SetWidth(int Value) {
  if (Value < 0 || Value == width_) return;
  width_ = Value;
  WidthChanged();
}

void TdxBarItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  GlyphChanged();
}

void TdxBarItem::SetLargeImageIndex(int Value) {
  if (largeImageIndex_ == Value) return;
  largeImageIndex_ = Value;
  LargeGlyphChanged();
}

void TdxBarItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value) return;
  shortCut_ = Value;
  if (!IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle Value) {
  if (paintStyle_ == Value) return;
  paintStyle_ = Value;
  if (!IsLoading()) PaintStyleChanged();
}

void TdxBarItem::SetAlign(TdxBarItemAlign Value) {
  if (align_ == Value) return;
  align_ = Value;
  RebuildBars({0, 1, 2});
}

void TdxBarItem::SetShowCaption(bool Value) {
  if (showCaption_ == Value) return;
  showCaption_ = Value;
  if (!IsLoading()) RebuildBars({0, 1, 2});
}

void TdxBarItem::SetGlyphLayout(TdxBarGlyphLayout Value) {
  if (glyphLayout_ == Value) return;
  glyphLayout_ = Value;
  RebuildBars({0, 1, 2});
}

TdxBarItemLink* TdxBarItem::LinkAt(int Index) const {
  return Index >= 0 && Index < LinkCount() ? links_[size_t(Index)] : nullptr;
}

TdxBarItemLink* TdxBarItem::ActiveLink() const {
  for (TdxBarItemLink* link : links_) {
    if (link->ItemControl() && link->ItemControl()->Active()) return link;
  }
  return nullptr;
}

// ---- change fan-out to the item controls ----------------------------------------------------------

namespace {

// The controls of the links, taken before anything runs (a control may go while it is told).
std::vector<TdxBarItemControl*> ControlsOf(const std::vector<TdxBarItemLink*>& Links,
                                           TdxBarUserDefine Except = TdxBarUserDefine(-1)) {
  std::vector<TdxBarItemControl*> controls;
  for (TdxBarItemLink* link : Links) {
    if (!link->ItemControl()) continue;
    if (Except != TdxBarUserDefine(-1) && link->UserDefine().Contains(Except)) continue;
    controls.push_back(link->ItemControl());
  }
  return controls;
}

// The control is still shown by one of the links.
bool StillShown(const std::vector<TdxBarItemLink*>& Links, TdxBarItemControl* Control) {
  for (TdxBarItemLink* link : Links) {
    if (link->ItemControl() == Control) return true;
  }
  return false;
}

}  // namespace

TdxBarItemControlClass TdxBarItem::ItemControlClass(bool) const {
  TdxBarItemList* registry = ItemClassRegistry();
  return registry ? registry->ControlClassOf(ClassType()) : nullptr;
}

void TdxBarItem::RefreshControls() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (StillShown(links_, control)) control->Recalculate();
  }
}

void TdxBarItem::RepaintControls() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (StillShown(links_, control)) control->Repaint();
  }
}

void TdxBarItem::ResizeControls() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (!StillShown(links_, control)) continue;
    control->ViewInfo()->ResetWidthCache();
    control->SizeAffectingChange();
  }
}

void TdxBarItem::RebuildBars(TSet<int> Kinds) {
  std::vector<TCustomdxBarControl*> windows;
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    TCustomdxBarControl* window = control->BarControl();
    if (window && Kinds.Contains(window->BarKind()) &&
        std::find(windows.begin(), windows.end(), window) == windows.end())
      windows.push_back(window);
  }
  for (TCustomdxBarControl* window : windows) {
    if (IsLiveBarControl(window)) window->SettingsChanged();
  }
}

void TdxBarItem::CaptionChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_, udCaption)) {
    if (StillShown(links_, control)) control->SizeAffectingChange();
  }
  Changed();
}

void TdxBarItem::EnabledChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (!StillShown(links_, control)) continue;
    control->CachedImage()->Invalidate();
    control->EnabledChanged();
  }
}

void TdxBarItem::GlyphChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_, udGlyph)) {
    if (!StillShown(links_, control)) continue;
    control->CachedImage()->Invalidate();
    control->ViewInfo()->ResetWidthCache();
    control->GlyphChanged();
  }
  Changed();
}

void TdxBarItem::HotGlyphChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (!StillShown(links_, control)) continue;
    control->CachedImage()->Invalidate();
    control->HotGlyphChanged();
  }
}

void TdxBarItem::LargeGlyphChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_)) {
    if (!StillShown(links_, control)) continue;
    control->CachedImage()->Invalidate();
    control->ViewInfo()->ResetWidthCache();
    control->LargeGlyphChanged();
  }
  Changed();
}

void TdxBarItem::ShortCutChanged() {
  RebuildBars({2});
  Changed();
}

void TdxBarItem::WidthChanged() {
  for (TdxBarItemControl* control : ControlsOf(links_, udWidth)) {
    if (StillShown(links_, control)) control->WidthChanged();
  }
}

void TdxBarItem::VisibleChanged() {
  if (IsDesigning()) return;
  if (barManager_) barManager_->BeginBarsUpdate();
  try {
    const bool showable = IsShowable();
    const std::vector<TdxBarItemLink*> links = links_;
    for (TdxBarItemLink* link : links) {
      if (TdxBarItemLinks* owner = link->OwnerLinks()) owner->RefreshLinkLists();
      if (showable) {
        link->MarkRecentlyUsed(false);
        link->CreateItemControl();
        if (link->ItemControl()) link->ItemControl()->ItemVisibleChanged();
      } else if (link->ItemControl()) {
        link->ItemControl()->ItemVisibleChanged();
        link->DestroyItemControl();
      }
    }
  } catch (...) {
    if (barManager_) barManager_->EndBarsUpdate(true);
    throw;
  }
  if (barManager_) barManager_->EndBarsUpdate(true);
  Changed();
}

void TdxBarItem::StyleChanged(TdxBarItemStyleChange Kind) {
  if (ComponentState().Contains(csDestroying)) return;
  if (Kind == iscRelayout) {
    const std::vector<TdxBarItemLink*> links = links_;
    for (TdxBarItemLink* link : links) {
      if (link->ItemControl()) link->RecreateItemControl();
    }
    RebuildBars({0, 1, 2});
  } else if (Kind == iscRepaint) {
    for (TdxBarItemControl* control : ControlsOf(links_)) control->PrepareWithItemFont();
    RepaintControls();
  }
}

// ---- queries ------------------------------------------------------------------------------------

bool TdxBarItem::IsShowable() const {
  const bool customizing = barManager_ && barManager_->InDesignOrCustomizing();
  if (visible_ == ivAlways) return HasContent() || customizing;
  return visible_ == ivInCustomizing && customizing;
}

int TdxBarItem::ItemIndexInManager() const { return barManager_ ? barManager_->items_->IndexOf(this) : -1; }

void TdxBarItem::MoveInManager(int NewIndex) {
  const int current = ItemIndexInManager();
  if (current < 0 || NewIndex < 0 || NewIndex >= barManager_->ItemCount() || NewIndex == current) return;
  barManager_->items_->Move(current, NewIndex);
}

bool TdxBarItem::HasValidImageIndex() const { return IsValidImage(GetImages(), imageIndex_); }

bool TdxBarItem::IsValidImage(TCustomImageList* Images, int Index) {
  return Images && Index >= 0 && Index < Images->Count();
}

String TdxBarItem::CaptionWithoutAccelerator() const {
  String text = Caption();
  if (const size_t amp = text.find(L'&'); amp != String::npos) text.erase(amp, 1);
  if (const size_t dots = text.find(L"..."); dots != String::npos) text.erase(dots, 3);
  return text;
}

bool TdxBarItem::HintFollowsCaption() const { return hint_.substr(0, hint_.find(L'|')) == CaptionWithoutAccelerator(); }

TcxViewParamSet TdxBarItem::ViewParamsFor(TcxStyle* AStyle) const {
  TcxViewParamSet params;
  if (!AStyle) return params;
  const TcxStyleValues assigned = AStyle->AssignedValues();
  if (assigned.Contains(svBitmap)) params.Bitmap = AStyle->Bitmap();
  if (assigned.Contains(svColor)) params.Color = AStyle->Color();
  if (assigned.Contains(svFont)) params.Font = AStyle->Font();
  if (assigned.Contains(svTextColor)) params.TextColor = AStyle->TextColor();
  return params;
}

void TdxBarItem::StyleParams(TColor& TextColor, TColor& Color) const {
  const TcxViewParamSet params = ViewParams();
  TextColor = params.TextColor;
  Color = params.Color;
}

void TdxBarItem::ShowDefaultEventHandler() {
  if (barManager_) barManager_->ShowDefaultEventHandler(this);
}

void TdxBarItem::DeleteAllLinks() {
  bool onToolbarWindow = false;
  if (barManager_ && !barManager_->BeingDestroyed()) {
    for (TdxBarItemLink* link : links_) {
      TCustomdxBarControl* window = link->OwnerBarControl();
      if (window && window->BarKind() == 0 && !window->OwningBarManager()->IsUpdateLocked()) onToolbarWindow = true;
    }
  }
  if (onToolbarWindow) barManager_->BeginBarsUpdate();
  try {
    while (!links_.empty()) links_.back()->Free();
  } catch (...) {
    if (onToolbarWindow) barManager_->EndBarsUpdate(true);
    throw;
  }
  if (onToolbarWindow) barManager_->EndBarsUpdate(true);
}

TCustomImageList* TdxBarItem::GetImages() const { return barManager_ ? barManager_->Images() : nullptr; }

String TdxBarItem::GetDefaultCaption() const { return dxBarString(dxbsNewItem); }

bool TdxBarItem::CanBePlacedOn(TdxBarItemPlaceKind, TComponent*, String& ErrorText) {
  ErrorText.clear();
  return true;
}

void TdxBarItem::DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected) {
  DrawCustomizingEntry(ACanvas, R, 2, Selected, this);
}

void TdxBarItem::DrawCustomizingImageContent(TCanvas* ACanvas, const TRect& R, bool) {
  ACanvas->Brush()->SetColor(clWindow);
  ACanvas->FillRect(R);
}

bool TdxBarItem::AcceptsAccelerator(TdxBarItemLink*) const { return Enabled(); }

bool TdxBarItem::IsEnabledStored() const { return !(actionLink_ && actionLink_->IsEnabledLinked()); }
bool TdxBarItem::IsHelpContextStored() const { return !(actionLink_ && actionLink_->IsHelpContextLinked()); }
bool TdxBarItem::IsHintStored() const { return !(actionLink_ && actionLink_->IsHintLinked()); }
bool TdxBarItem::IsImageIndexStored() const { return !(actionLink_ && actionLink_->IsImageIndexLinked()); }
bool TdxBarItem::IsShortCutStored() const { return !(actionLink_ && actionLink_->IsShortCutLinked()); }
bool TdxBarItem::IsVisibleStored() const { return !(actionLink_ && actionLink_->IsVisibleLinked()); }
bool TdxBarItem::IsOnClickStored() const { return !(actionLink_ && actionLink_->IsOnExecuteLinked()); }

// ---- clicks -------------------------------------------------------------------------------------

void TdxBarItem::ClickFromLink() {
  if (CanClick()) DirectClick();
}

void TdxBarItem::DirectClick() {
  if (!Enabled()) return;
  try {
    if (barManager_) barManager_->DoClickItem(this);
    Click();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TdxBarItem::Click() {
  TBasicAction* action = Action();
  if (OnClick && (!action || !SameHandler(OnClick, action->OnExecute))) {
    OnClick(this);
    return;
  }
  if (IsDesigning()) return;
  if (actionLink_) actionLink_->Execute(this);
}

bool TdxBarItem::IsShortCut(TShortCut AShortCut) {
  if (!Enabled()) return false;
  if (CanClick() && IsExecutable() && AShortCut != scNone && AShortCut == shortCut_) {
    ClickFromLink();
    return true;
  }
  if (TdxBarItemLinks* links = GetItemLinks()) return links->HandleShortCut(AShortCut);
  return false;
}

// ---- design selection ---------------------------------------------------------------------------

bool TdxBarItem::AllowsDelete(bool DeleteComponent) {
  return (LinkCount() > 0 && !DeleteComponent) || TdxBarComponent::AllowsDelete(DeleteComponent);
}

void TdxBarItem::DeleteSelected(IdxBarSelectableItem*& Reference, bool DeleteComponent) {
  if (!AllowsDelete(DeleteComponent)) return;
  Reference = nullptr;
  if (LinkCount() == 0 || DeleteComponent)
    Free();
  else
    DeleteAllLinks();
}

int TdxBarItem::SelectionStatus() {
  TdxBarItemLink* link = CurrentLink();
  return link ? link->SelectionStatus() : TdxBarComponent::SelectionStatus();
}

int TdxBarItem::DesignMenuFlags() { return IsDesigning() ? 2 : 537; }

void TdxBarItem::Select(int Mode) {
  if (LinkCount() == 1)
    links_.front()->Select(Mode);
  else
    TdxBarComponent::Select(Mode);
}

// ---- the action link ----------------------------------------------------------------------------

TCustomAction* TdxBarItemActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TdxBarItemActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && item_->Caption() == CustomAction()->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked() {
  auto* button = dynamic_cast<TdxBarButton*>(item_);
  return TActionLink::IsCheckedLinked() && button && button->Down() == CustomAction()->Checked();
}

bool TdxBarItemActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && item_->Enabled() == CustomAction()->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() && item_->HelpContext() == CustomAction()->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && (item_->Hint() == CustomAction()->Hint() || item_->HintFollowsCaption());
}

bool TdxBarItemActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && item_->GetLinkedImageIndex() == CustomAction()->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && item_->ShortCut() == CustomAction()->ShortCut();
}

bool TdxBarItemActionLink::IsVisibleLinked() {
  if (!TActionLink::IsVisibleLinked()) return false;
  const TdxBarItemVisible visible = item_->IsLoading() ? item_->LoadedVisible() : item_->Visible();
  return visible == (CustomAction()->Visible() ? ivAlways : ivNever);
}

bool TdxBarItemActionLink::IsOnExecuteLinked() { return Action() && SameHandler(item_->OnClick, Action()->OnExecute); }

void TdxBarItemActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) item_->SetCaption(Value);
}

void TdxBarItemActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) static_cast<TdxBarButton*>(item_)->SetDown(Value);
}

void TdxBarItemActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) item_->SetEnabled(Value);
}

void TdxBarItemActionLink::SetHelpContext(int Value) {
  if (IsHelpContextLinked()) item_->helpContext_ = Value;
}

void TdxBarItemActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) item_->hint_ = Value;
}

void TdxBarItemActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) item_->SetLinkedImageIndex(Value);
}

void TdxBarItemActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) item_->SetShortCut(Value);
}

void TdxBarItemActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) item_->SetVisible(Value ? ivAlways : ivNever);
}

void TdxBarItemActionLink::SetOnExecute(const TNotifyEvent& Value) {
  if (IsOnExecuteLinked()) item_->OnClick = Value;
}

// ---- labels, separators, window items -----------------------------------------------------------

TdxBarLabel::TdxBarLabel(TComponent* AOwner) : TdxBarItem(AOwner) { SetShowCaption(true); }

bool TdxBarSeparator::CanBePlacedOn(TdxBarItemPlaceKind Kind, TComponent*, String& ErrorText) {
  if (Kind == pkMenu) {
    ErrorText.clear();
    return true;
  }
  ErrorText = dxBarString(dxbsSeparatorOnToolbar);
  return false;
}

String TdxBarSeparator::GetDefaultCaption() const { return dxBarString(dxbsNewSeparator); }

void TdxBarWindowItem::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  RepaintControls();
  Change();
  RepaintControls();
}

String TdxBarWindowItem::DisplayedText() const {
  TdxBarItemLink* link = EditingLink();
  auto* control = link ? dynamic_cast<TdxBarWinControl*>(link->ItemControl()) : nullptr;
  return control ? control->GetEditorText() : GetText();
}

void TdxBarWindowItem::SetDisplayedText(const String& Value) {
  TdxBarItemLink* link = EditingLink();
  if (auto* control = link ? dynamic_cast<TdxBarWinControl*>(link->ItemControl()) : nullptr)
    control->SetEditorText(Value);
  else
    SetText(Value);
}

TdxBarItemLink* TdxBarWindowItem::EditingLink() const {
  TdxBarItemLink* link = ActiveLink();
  auto* control = link ? dynamic_cast<TdxBarWinControl*>(link->ItemControl()) : nullptr;
  return control && control->Focused() ? link : nullptr;
}

void TdxBarWindowItem::ActivateEditor(bool RequireEnabledWindow) {
  for (TdxBarItemLink* link : Links()) {
    auto* control = dynamic_cast<TdxBarWinControl*>(link->ItemControl());
    if (!control) continue;
    TCustomdxBarControl* window = control->BarControl();
    if (RequireEnabledWindow && !(window && window->WindowIsEnabled())) continue;
    auto* toolbar = dynamic_cast<TdxBarControl*>(window);
    if (!toolbar)
      throw EdxBarException(L"The editor of " + Name() + L" cannot be opened in a window of class " +
                            (window ? window->ClassName() : String(L"(none)")) + L"; a toolbar window is required");
    toolbar->SetSelected(control);
    control->ControlClick(false, 0);
    return;
  }
}

TdxBarItemControlClass TdxBarWindowItem::ItemControlClass(bool Vertical) const {
  return Vertical ? &TdxBarButtonControl::ClassInfo() : TdxBarItem::ItemControlClass(Vertical);
}

void TdxBarWindowItem::Change() {
  if (!IsLoading() && OnChange) OnChange(this);
}

void TdxBarWindowItem::CurChange() {
  if (OnCurChange) OnCurChange(this);
}

void TdxBarWindowItem::Enter() {
  if (OnEnter) OnEnter(this);
}

void TdxBarWindowItem::Exit() {
  if (OnExit) OnExit(this);
}

void TdxBarWindowItem::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TdxBarWindowItem::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TdxBarWindowItem::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

// ---- buttons ------------------------------------------------------------------------------------

TdxBarButton::TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) {
  CloseSubMenuOnClick = true;
  dropDownEnabled_ = true;
  UnclickAfterDoing = true;
}

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (int(Value) == styleBits_) return;
  styleBits_ = int(Value);
  // Any change of style releases the button, whatever its group says.
  down_ = false;
  if (!IsLoading()) RebuildBars({0, 1, 2});
  Changed();
}

void TdxBarButton::SetGroupIndex(int Value) {
  if (Value == groupIndex_) return;
  groupIndex_ = IsCheckable() ? Value : 0;
  down_ = false;
}

void TdxBarButton::SetAllowAllUp(bool Value) {
  if (allowAllUp_ == Value) return;
  allowAllUp_ = Value;
  if (groupIndex_ == 0 || !barManager_) return;
  for (int i = 0; i < barManager_->ItemCount(); ++i) {
    auto* button = dynamic_cast<TdxBarButton*>(barManager_->ItemAt(i));
    if (button && button->groupIndex_ == groupIndex_) button->allowAllUp_ = Value;
  }
}

void TdxBarButton::SetDown(bool Value) {
  if (Value == down_) return;
  if (Value && !IsCheckable()) return;
  TdxBarButton* formerDown = nullptr;
  if (!IsLoading() && IsCheckable() && groupIndex_ != 0 && barManager_) {
    bool anotherDown = false;
    for (int i = 0; i < barManager_->ItemCount(); ++i) {
      auto* button = dynamic_cast<TdxBarButton*>(barManager_->ItemAt(i));
      if (!button || button == this || !button->IsCheckable() || button->groupIndex_ != groupIndex_ || !button->down_)
        continue;
      if (!formerDown) formerDown = button;
      anotherDown = true;
    }
    if (!Value) {
      formerDown = nullptr;
      if (!allowAllUp_ && !anotherDown) return;
    }
  }
  down_ = Value;
  if (IsLoading()) return;
  if (formerDown) formerDown->SetDown(false);
  RepaintControls();
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
  if (dropDownEnabled_ == Value) return;
  dropDownEnabled_ = Value;
  if (!IsLoading()) RepaintControls();
}

void TdxBarButton::SetLowered(bool Value) {
  if (lowered_ == Value) return;
  lowered_ = Value;
  if (!IsLoading()) RebuildBars({0, 1, 2});
}

void TdxBarButton::PaintStyleChanged() {
  for (TdxBarItemControl* control : ControlsOf(Links(), udPaintStyle)) {
    if (StillShown(Links(), control)) control->PaintStyleChanged();
  }
}

namespace {

// The links hold the item itself, or an item whose own links hold it, at any depth.
bool LinksHoldItem(TdxBarItemLinks* Links, TdxBarItem* Item, int Depth = 0) {
  if (!Links || Depth > 64) return false;
  for (int i = 0; i < Links->Count(); ++i) {
    TdxBarItem* linked = Links->LinkAt(i)->Item();
    if (!linked) continue;
    if (linked == Item || LinksHoldItem(linked->GetItemLinks(), Item, Depth + 1)) return true;
  }
  return false;
}

}  // namespace

TdxBarItemLinks* TdxBarButton::GetItemLinks() const { return dropDownMenu_ ? dropDownMenu_->ItemLinks() : nullptr; }

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (dropDownMenu_ == Value) return;
  if (Value && LinksHoldItem(Value->ItemLinks(), this)) throw EdxBarException(dxBarString(dxbsRecursiveMenus));
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = Value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TdxBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TdxBarButton::DropDown(TdxBarItemControl* Control, int X, int Y, bool ByMouse) {
  TdxBarPopupMenu* menu = dropDownMenu_;
  if (!menu) return;
  TCustomdxBarControl* window = Control ? Control->BarControl() : nullptr;
  TRect bounds{};
  if (window && window->HandleAllocated()) bounds = window->ItemControlScreenRect(Control);
  const TRect r = Control ? Control->BoundsInBar() : TRect{};
  const bool beside = window && (window->BarKind() == 2 || window->IsVertical());
  TdxBarItemControl* saved = menu->OpenerItemControl;
  menu->OpenerItemControl = Control;
  try {
    menu->PopupFromControl(X, Y, window, false, &bounds, true, beside ? 0 : r.Height(), beside ? r.Width() : 0);
  } catch (...) {
    menu->OpenerItemControl = saved;
    throw;
  }
  menu->OpenerItemControl = saved;
  TdxBarSubMenuControl* opened = menu->MenuWindow();
  if (!opened) return;
  opened->DropDownOpener = Control;
  if (!ByMouse) {
    if (TdxBarItemLink* first = opened->ItemLinks()->FirstSelectableShown()) opened->SetSelected(first->ItemControl());
  }
}

bool TdxBarButton::IsDownStored() const { return !(ActionLink() && ActionLink()->IsCheckedLinked()); }

bool TdxBarButton::ShowsCaptionForLink(TdxBarItemLink* Link) const {
  const TdxBarPaintStyle style = Link ? Link->PaintStyle() : PaintStyle();
  return style == psCaption || style == psCaptionGlyph;
}

bool TdxBarButton::AcceptsAccelerator(TdxBarItemLink* Link) const {
  TdxBarItemLinks* links = Link ? Link->OwnerLinks() : nullptr;
  if (links && links->OwnerIsToolbar()) return Enabled() && ShowsCaptionForLink(Link);
  return Enabled();
}

String TdxBarButton::GetDefaultCaption() const { return dxBarString(dxbsNewButton); }

void TdxBarButton::ClickFromLink() {
  if (IsCheckable() && Enabled()) SetDown(!down_);
  TdxBarItem::ClickFromLink();
}

bool TdxBarButton::CanAddItem(TdxBarItem*, String& ErrorText) {
  // Items go into the drop-down menu's links; without a drop-down menu there is nowhere to put them.
  ErrorText.clear();
  return false;
}
