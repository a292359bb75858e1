#include "ui/bars/customize/QuickCustomization.h"

#include <algorithm>

#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"
#include "ui/foundation/Controls.h"

DEFINE_CLASS(TdxCustomQuickCustItemControl)
DEFINE_CLASS(TdxBarQuickCustItemControl)
DEFINE_CLASS(TdxBarQuickCustExtButtonControl)
DEFINE_CLASS(TdxBarQuickCustItem)
DEFINE_CLASS(TdxBarQuickCustExtButton)
DEFINE_CLASS(TdxBarQuickAccessItem)
DEFINE_CLASS(TdxBarQuickAccessSubControl)
DEFINE_CLASS(TdxBarQuickControl)

namespace {

TdxBarItemLink* RepresentedLinkOf(const TdxBarItemLink* Entry) {
  return Entry ? reinterpret_cast<TdxBarItemLink*>(Entry->Data) : nullptr;
}

}  // namespace

// ---- entry controls -------------------------------------------------------------------------------

void TdxCustomQuickCustItemControl::DrawContent(const TRect& R, int PaintType) {
  TdxBarPainter* painter = Painter();
  if (!painter) return;
  HDC dc = PaintCanvas()->DCHandle();
  const TRect square = TdxBarPainter::QuickCustomizeCheckSquare(R);
  painter->DrawQuickCustomizeCheckArea(this, dc, R, IsDrawnSelected());
  TdxBarButtonControl::DrawContent(TRect{square.right, R.top, R.right, R.bottom}, PaintType);
  painter->DrawQuickCustomizeCheck(this, dc, square, IsChecked());
}

int TdxCustomQuickCustItemControl::Width() { return TdxBarButtonControl::Width() + Height(); }

TdxBarItemLink* TdxBarQuickCustItemControl::RepresentedLink() const { return RepresentedLinkOf(Link()); }

void TdxBarQuickCustItemControl::DoItemClick(bool ByMouse) {
  TdxCustomQuickCustItemControl::DoItemClick(ByMouse);
  if (IsLiveBarControl(BarControl())) Repaint();
}

String TdxBarQuickCustItemControl::Caption() const {
  TdxBarItemLink* link = RepresentedLink();
  return link ? link->DisplayCaption() : TdxCustomQuickCustItemControl::Caption();
}

TBitmap* TdxBarQuickCustItemControl::Glyph() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->Glyph() : nullptr;
}

int TdxBarQuickCustItemControl::ImageIndex() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->ImageIndex() : -1;
}

TCustomImageList* TdxBarQuickCustItemControl::ImagesFor(Byte ViewSize) const {
  TdxBarItemLink* link = RepresentedLink();
  TdxBarManager* manager = link ? link->BarManager() : nullptr;
  if (!manager) return TdxCustomQuickCustItemControl::ImagesFor(ViewSize);
  return ViewSize == bvsLarge ? manager->LargeImages() : manager->Images();
}

String TdxBarQuickCustItemControl::HintText() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->Hint() : String();
}

TBitmap* TdxBarQuickCustItemControl::LargeGlyph() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->LargeGlyph() : nullptr;
}

int TdxBarQuickCustItemControl::LargeImageIndex() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->LargeImageIndex() : -1;
}

TShortCut TdxBarQuickCustItemControl::ShortCut() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Item() ? link->Item()->ShortCut() : TShortCut(0);
}

bool TdxBarQuickCustItemControl::IsChecked() const {
  TdxBarItemLink* link = RepresentedLink();
  return link && link->Visible();
}

// ---- items ----------------------------------------------------------------------------------------

void TdxBarQuickCustItem::Click() {
  TdxBarButton::Click();
  if (TdxBarItemLink* link = RepresentedLinkOf(ClickedLink)) link->SetVisible(!link->Visible());
}

TdxBarQuickAccessItem::TdxBarQuickAccessItem(TComponent* AOwner) : TdxBarSubItem(AOwner) {
  SetInternalItemLinks(true);
}

TdxBarQuickAccessItem::~TdxBarQuickAccessItem() { ReleaseAndClearObjectLink(toolbar_); }

TdxBarControl* TdxBarQuickAccessItem::Toolbar() const {
  auto* window = static_cast<TdxBarControl*>(ObjectLinkTarget(toolbar_));
  return IsLiveBarControl(window) ? window : nullptr;
}

void TdxBarQuickAccessItem::SetToolbar(TdxBarControl* Window) {
  ReleaseAndClearObjectLink(toolbar_);
  if (Window) toolbar_ = AcquireObjectLink(Window);
}

void TdxBarQuickAccessItem::Popup() {
  TdxBarSubItem::Popup();
  TdxBarControl* toolbar = Toolbar();
  TdxBarDesignController* controller = DesignControllerInstance();
  if (!toolbar || !controller) return;
  controller->FreeLinkedItems(ItemLinks());
  toolbar->FillAddRemoveList(ItemLinks());
}

TCustomdxBarControl* TdxBarQuickAccessItem::CreateBarControl() {
  TdxBarManager* manager = BarManager();
  if (TdxBarItemLink* active = ActiveLink(); active && active->BarManager()) manager = active->BarManager();
  return manager ? new TdxBarQuickAccessSubControl(manager) : nullptr;
}

// ---- the toolbar window's quick-customization content ---------------------------------------------

void TdxBarControl::FillQuickCustomizeLinks(TdxBarItemLinks* Links) {
  TdxBarItemLinks* own = ItemLinks();
  for (int i = 0; own && i < own->ShowableLinkCount(); ++i) {
    TdxBarItemLink* link = own->ShowableLinkAt(i);
    bool shown = false;
    for (int j = 0; j < own->ShownLinkCount() && !shown; ++j) shown = own->ShownLinkAt(j) == link;
    if (shown && link->ItemControl() && !link->ItemRect().IsEmpty()) continue;
    TdxBarItemLink* copy = Links->AddLink();
    copy->Assign(link);
    copy->SetOriginLink(link);
  }
  if (bar_ && bar_->AllowQuickCustomizing()) AddQuickCustomizeEntry(Links);
}

void TdxBarControl::AddQuickCustomizeEntry(TdxBarItemLinks* Links) {
  TdxBarDesignController* controller = DesignControllerInstance();
  if (!controller) return;
  TdxBarItemLink* entry = controller->AddInternalItemLink(Links, &TdxBarQuickAccessItem::ClassInfo(), true, 0, nullptr,
                                                          dxBarString(dxbsAddRemoveButtons));
  static_cast<TdxBarQuickAccessItem*>(entry->Item())->SetToolbar(this);
}

void TdxBarControl::FillAddRemoveList(TdxBarItemLinks* Links) {
  TdxBarDesignController* controller = DesignControllerInstance();
  TdxBarManager* manager = OwningBarManager();
  TdxBarItemLinks* own = ItemLinks();
  if (!controller || !own) return;
  // Owned by the manager itself, so a form with two managers gives it the right one.
  auto* entryItem = new TdxBarQuickCustItem(manager);
  controller->AddInternalItem(entryItem);
  for (int i = 0; i < own->UsableLinkCount(); ++i) {
    TdxBarItemLink* link = own->UsableLinkAt(i);
    if (link->ItemControl() && !link->ItemControl()->CanSelectWhileCustomizing()) continue;
    TdxBarItemLink* entry = Links->AddItemLink(entryItem);
    entry->Data = reinterpret_cast<NativeInt>(link);
  }
  bool reset = false;
  if (manager->CanResetBars() && bar_ && bar_->CanBeReset()) {
    TdxBar* bar = bar_;
    controller->AddInternalItemLink(Links, &TdxBarQuickCustExtButton::ClassInfo(), true, 0,
                                    [bar](TObject*) { bar->ConfirmReset(); }, dxBarString(dxbsResetToolbar));
    reset = true;
  }
  controller->AddCustomizeLink(Links, manager, !reset, &TdxBarQuickCustExtButton::ClassInfo());
}

// ---- the quick-customization bar ------------------------------------------------------------------

namespace {

// A hidden toolbar of the parent's manager (no quick customizing, the parent's font); the design
// controller's internal items of the previous popup go first.
TdxBar* NewInternalBar(TdxBarControl* ParentWindow) {
  if (TdxBarDesignController* controller = DesignControllerInstance()) controller->ClearInternalItems();
  TdxBars* bars = ParentWindow->OwningBarManager()->Bars();
  bars->LockUpdates();
  TdxBar* bar = nullptr;
  try {
    bar = bars->Add();
    bar->SetAllowQuickCustomizing(false);
    bar->SetHidden(true);
    if (TdxBar* parentBar = ParentWindow->Bar()) bar->Font()->Assign(parentBar->Font());
    bar->SetUseOwnFont(false);
  } catch (...) {
    if (bar) bar->Free();
    bars->UnlockUpdates(false);
    throw;
  }
  bars->UnlockUpdates(false);
  return bar;
}

}  // namespace

TdxBarQuickControl::TdxBarQuickControl(TdxBarControl* ParentWindow)
    : TdxBarControl(ParentWindow->OwningBarManager(), NewInternalBar(ParentWindow)) {
  internalBar_ = Bar();
  SetParentBar(ParentWindow);
  internalBar_->ItemLinks()->Internal = true;
  AssignItemLinks(internalBar_->ItemLinks());
  if (ParentWindow->HandleAllocated()) {
    TRect r = ParentWindow->ItemsRect;
    MapWindowPoints(ParentWindow->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    ParentRect = r;
  }
  SetOwnerBounds(ParentRect);
  leaveTimer_ = new TcxTimer(nullptr);
  leaveTimer_->SetEnabled(false);
  leaveTimer_->SetInterval(200);
  leaveTimer_->SetOnTimer([this](TObject*) { LeaveTimerTick(); });
}

TdxBarQuickControl::~TdxBarQuickControl() {
  delete leaveTimer_;
  // The window has left the links (BeforeDestruction); the internal toolbar goes with them.
  if (internalBar_) {
    TdxBar* bar = internalBar_;
    internalBar_ = nullptr;
    bar->Free();
  }
}

TdxBarControl* TdxBarQuickControl::ParentToolbar() const { return dynamic_cast<TdxBarControl*>(ParentBar()); }

void TdxBarQuickControl::StartLeaveTimer() { leaveTimer_->SetEnabled(true); }

void TdxBarQuickControl::LeaveTimerTick() {
  leaveTimer_->SetEnabled(false);
  TdxBarItemControl* selected = OwningBarManager()->SelectedItemControl();
  if (!selected || selected->BarControl() == this) return;
  try {
    Close();
  } catch (...) {
    // Closing from the timer must not reach the message loop.
  }
}

TSize TdxBarQuickControl::PopupSize() {
  const TSize links = SizeForWidth(dsNone, 0);
  return TSize{links.cx + FrameWidth(), links.cy + FrameHeight()};
}

void TdxBarQuickControl::ShowAtMark(const TRect& MarkRect) {
  ClosedByEscape = false;
  ChangeDockingState(dsNone, nullptr);
  const TSize size = PopupSize();
  TdxBarControl* parent = ParentToolbar();
  const bool vertical = parent && parent->IsVertical();
  TPoint p;
  if (vertical) {
    p = TPoint{MarkRect.right, MarkRect.top};
  } else {
    const bool leftAligned = parent && !parent->IsDocked() && Painter() && Painter()->PainterOptionS();
    p = TPoint{leftAligned ? MarkRect.left : MarkRect.right - size.cx, MarkRect.bottom};
  }
  const TRect work = WorkAreaAt(p);
  const TRect anchor = vertical ? MarkRect : TRect{p.x, MarkRect.top, p.x, MarkRect.bottom};
  p = ToolbarPopupPosition(anchor, size, vertical, work);
  SetWindowPos(Handle(), nullptr, p.x, p.y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  TControl::SetVisible(true);
  Relayout();
}

HBRUSH TdxBarQuickControl::BackgroundBrush() {
  TdxBarPainter* painter = Painter();
  return painter ? painter->AlternateToolbarBrush(this) : TdxBarControl::BackgroundBrush();
}

void TdxBarQuickControl::Close() {
  TdxBarControl* parent = ParentToolbar();
  if (IsLiveBarControl(parent)) {
    parent->SetMarkState(0);
    return;
  }
  if (TdxBarDesignController* controller = DesignControllerInstance()) controller->ResetQuickCustomizationBar();
}

void TdxBarQuickControl::WMNCHitTestQuick(TMessage& Message) {
  WMNCHitTest(Message);
  if (Message.Result != HTCLIENT && Message.Result != HTNOWHERE) Message.Result = HTBORDER;
  mouseWasOver_ = true;
}

void TdxBarQuickControl::WMNCPaintQuick(TMessage& Message) {
  WMNCPaint(Message);
  TdxBarPainter* painter = Painter();
  if (!painter) return;
  HDC dc = GetWindowDC(Handle());
  const TRect window = WindowRectAtOrigin();
  const TRect m = FrameMargins();
  painter->FillBarClientArea(this, dc, TRect{m.left, m.top, window.right - m.right, window.bottom - m.bottom});
  ReleaseDC(Handle(), dc);
}

void TdxBarQuickControl::WMRButtonDownQuick(TMessage& Message) {
  Message.Result = DefWindowProcW(Handle(), Message.Msg, Message.WParam, Message.LParam);
}

void RegisterQuickCustomizationItems() {
  RegisterItemControlClass(&TdxBarQuickCustExtButton::ClassInfo(), &TdxBarQuickCustExtButtonControl::ClassInfo(), false);
  RegisterItemControlClass(&TdxBarQuickCustItem::ClassInfo(), &TdxBarQuickCustItemControl::ClassInfo(), false);
  RegisterItemControlClass(&TdxBarQuickAccessItem::ClassInfo(), &TdxBarSubItemControl::ClassInfo(), false);
}
