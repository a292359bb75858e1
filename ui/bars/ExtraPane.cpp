#include "ui/bars/ExtraPane.h"

#include "ui/bars/ApplicationMenu.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"

DEFINE_CLASS(TdxBarExtraPaneControlViewInfo)
DEFINE_CLASS(TdxBarExtraPaneControl)
DEFINE_CLASS(TdxBarExtraPaneDockControl)

namespace {
// The pane's items start this far right of a toolbar's.
constexpr int kPaneItemIndent = 2;
}  // namespace

// ---- the view info ------------------------------------------------------------------------------

void TdxBarExtraPaneControlViewInfo::ComputeLayout() {
  TCustomdxBarControlViewInfo::ComputeLayout();
  PlaceShownLinks();
}

void TdxBarExtraPaneControlViewInfo::AddGroupSeparator(int ShownIndex, TdxBarItemLink*, TdxBarItemControl* Control,
                                                       const TRect& R) {
  if (ShownIndex > 0)
    AppendSeparator(TRect{R.left, R.top - BarControl()->SeparatorSize(), R.right, R.top}, 0, Control);
}

// ---- the pane's window --------------------------------------------------------------------------

TdxBarApplicationMenuControl* TdxBarExtraPaneControl::MenuWindow() {
  auto* site = dynamic_cast<TdxBarExtraPaneDockControl*>(DockControl());
  TdxBarApplicationMenuControl* menu = site ? site->MenuWindow() : nullptr;
  return menu && IsLiveBarControl(menu) ? menu : nullptr;
}

TdxBarPainter* TdxBarExtraPaneControl::Painter() {
  TdxBarApplicationMenuControl* menu = MenuWindow();
  return menu ? menu->Painter() : TdxBarControl::Painter();
}

int TdxBarExtraPaneControl::FeatureFlags() {
  TdxBarApplicationMenuControl* menu = MenuWindow();
  return menu ? menu->FeatureFlags() : TdxBarControl::FeatureFlags();
}

void TdxBarExtraPaneControl::CloseByEscape() {
  if (TdxBarApplicationMenuControl* menu = MenuWindow())
    menu->CloseByEscape();
  else
    TdxBarControl::CloseByEscape();
}

void TdxBarExtraPaneControl::Close() {
  TdxBarApplicationMenuControl* menu = MenuWindow();
  TdxBarControl::Close();
  if (menu && IsLiveBarControl(menu)) menu->GuardedClose();
}

TdxBarItemLink* TdxBarExtraPaneControl::FindEnabledLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After,
                                                             bool& Ambiguous) {
  TdxBarApplicationMenuControl* menu = MenuWindow();
  return menu ? menu->FindEnabledLinkByKey(Key, Shift, After, Ambiguous)
              : TdxBarControl::FindEnabledLinkByKey(Key, Shift, After, Ambiguous);
}

void TdxBarExtraPaneControl::ActivateByKey(TdxBarItemControl* Control, bool NoEnter) {
  if (TdxBarApplicationMenuControl* menu = MenuWindow())
    menu->ActivateByKey(Control, NoEnter);
  else
    TdxBarControl::ActivateByKey(Control, NoEnter);
}

bool TdxBarExtraPaneControl::ContextMenuOnPress(bool Down) {
  TdxBarApplicationMenuControl* menu = MenuWindow();
  return menu ? menu->ContextMenuOnPress(Down) : TdxBarControl::ContextMenuOnPress(Down);
}

void TdxBarExtraPaneControl::DesignPopupRequest(TdxBarItemLinks* Links) {
  if (TdxBarApplicationMenuControl* menu = MenuWindow()) menu->DesignPopupRequest(Links);
}

void TdxBarExtraPaneControl::ShowDesignPopup(TdxBarItemControl* Control) {
  if (TdxBarApplicationMenuControl* menu = MenuWindow())
    menu->ShowDesignPopup(Control);
  else
    TdxBarControl::ShowDesignPopup(Control);
}

bool TdxBarExtraPaneControl::InActiveChain() {
  if (TdxBarControl::InActiveChain()) return true;
  TdxBarApplicationMenuControl* menu = MenuWindow();
  return menu && menu->InActiveChain();
}

void TdxBarExtraPaneControl::CalcItemsRect() {
  TdxBarControl::CalcItemsRect();
  ItemsRect.left += kPaneItemIndent;
}

void TdxBarExtraPaneControl::ArrangeLinks() {
  // One column from the first link.
  int bottom = 0;
  StackLinksFrom(0, bottom);
}

void TdxBarExtraPaneControl::Paint() {
  TcxCanvas* canvas = CurrentCanvas();
  PaintItemControls();
  for (int i = 0; i < ViewInfo()->SeparatorCount(); ++i) {
    TdxBarSeparatorInfo info;
    ViewInfo()->GetSeparatorInfo(i, info);
    if (Painter()) Painter()->DrawBarSeparatorOn(this, canvas, info.Bounds, true);
    canvas->SubtractFromClip(info.Bounds);
  }
  if (Painter()) Painter()->FillExtraPaneBackground(this, canvas->DCHandle(), ClientRect());
}

void TdxBarExtraPaneControl::PaintNonClient(HDC DC, const TRect& R, HBRUSH, TColor, bool) {
  if (Painter()) Painter()->FillExtraPaneBackground(this, DC, R);
}

void TdxBarExtraPaneControl::CreateControlsForLinks() {
  if (!IsCustomizing()) ExpandContainerLinks();
  TdxBarControl::CreateControlsForLinks();
}

void TdxBarExtraPaneControl::DestroyControlsForLinks() {
  TdxBarControl::DestroyControlsForLinks();
  CollapseContainerLinks();
}

// ---- the pane's dock site -----------------------------------------------------------------------

TdxBarExtraPaneDockControl::TdxBarExtraPaneDockControl(TComponent* AOwner, TdxBarApplicationMenuControl* AMenu)
    : TdxBarDockControl(AOwner), menu_(AMenu) {
  AllowDocking = false;
  SetDockAlign(dalNone);
  SetAlign(alNone);
}

TdxBarControl* TdxBarExtraPaneDockControl::CreateBarControlFor(TdxBar* Bar) {
  return new TdxBarExtraPaneControl(BarManager(), Bar);
}

void TdxBarExtraPaneDockControl::FitRowsToLength() {
  const TRect client = ClientRect();
  for (TdxBarControl* window : DockedWindows()) {
    window->SetBoundsIfChanged(client);
    if (!window->HandleAllocated()) continue;
    // Its links were laid out for its size before the site gave it the pane's.
    window->Relayout();
    RedrawWindow(window->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
}
