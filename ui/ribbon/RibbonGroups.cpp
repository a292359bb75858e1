#include "ui/ribbon/RibbonGroups.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/painters/SkinnedPainter.h"
#include "ui/ribbon/RibbonController.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonViewInfo.h"
#include "ui/ribbon/RibbonSkins.h"

DEFINE_CLASS(TdxRibbonGroupsDockControlViewInfo)
DEFINE_CLASS(TdxRibbonGroupsDockControlSiteViewInfo)
DEFINE_CLASS(TdxRibbonGroupsDockControlSite)
DEFINE_CLASS(TdxRibbonCustomBarControl)
DEFINE_CLASS(TdxRibbonGroupBarControlViewInfo)
DEFINE_CLASS(TdxRibbonGroupBarControlViewInfoHelper)
DEFINE_CLASS(TdxRibbonGroupBarControl)

namespace {

// The skin parts the groups draw: a launcher button's face and the default launcher mark.
constexpr int kLauncherButtonPart = 515;
constexpr int kLauncherMarkPart = 510;
constexpr int kGroupPart = 1;
constexpr int kButtonGroupPart = 460;

TRect ToScreen(HWND Window, const TRect& R) {
  POINT p[2] = {{R.left, R.top}, {R.right, R.bottom}};
  MapWindowPoints(Window, nullptr, p, 2);
  return TRect{p[0].x, p[0].y, p[1].x, p[1].y};
}

}  // namespace

// The gap between two groups: the groups painter's dock row gap (the skin's offset of part 1).
static int GroupSpacing(TdxCustomRibbon* Ribbon) { return Ribbon->GroupsPainter()->DockRowGap(); }

static TRect GroupsDockMargins(TdxCustomRibbon* Ribbon) { return Ribbon->ViewInfo()->GetGroupsDockMargins(); }

// ---- groups dock control --------------------------------------------------------------------------

TdxRibbonGroupsDockControl::TdxRibbonGroupsDockControl(TdxRibbonTab* ATab) : TdxBarDockControl(nullptr), tab_(ATab) {
  AllowDocking = false;
  SetDockAlign(dalNone);
  SetVisible(false);
  viewInfo_ = new TdxRibbonGroupsDockControlViewInfo(this);
}

TdxRibbonGroupsDockControl::~TdxRibbonGroupsDockControl() {
  delete viewInfo_;
  viewInfo_ = nullptr;
}

TdxCustomRibbon* TdxRibbonGroupsDockControl::Ribbon() const { return tab_ ? tab_->Ribbon() : nullptr; }

TdxBarControl* TdxRibbonGroupsDockControl::CreateBarControlFor(TdxBar* Bar) { return new TdxRibbonGroupBarControl(this, Bar); }

void TdxRibbonGroupsDockControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TdxCustomRibbon* ribbon = Ribbon();
  if (!viewInfo_ || !ribbon || ribbon->IsLocked()) {
    TdxBarDockControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  site->ViewInfo()->ComputeLayout();
  // The dock starts after a left scroll button and ends before a right one.
  const int right = ALeft + AWidth;
  if (viewInfo_->ScrollButtons().Contains(rgsbLeft)) ALeft = site->ViewInfo()->LeftButtonBounds.right;
  AWidth = right - ALeft;
  if (viewInfo_->ScrollButtons().Contains(rgsbRight)) AWidth = site->ViewInfo()->RightButtonBounds.left - ALeft;
  TdxBarDockControl::SetBounds(ALeft, ATop, std::max(AWidth, 0), AHeight);
  PlaceGroupBars();
  if (site->HandleAllocated()) site->Invalidate();
}

void TdxRibbonGroupsDockControl::PlaceGroupBars() {
  const std::vector<TdxRibbonGroupBarControl*> bars = viewInfo_->GroupBars();
  const int spacing = GroupSpacing(Ribbon());
  HDWP batch = BeginDeferWindowPos(int(bars.size()));
  int x = viewInfo_->FirstGroupLeft();
  for (TdxRibbonGroupBarControl* bar : bars) {
    const TSize size = bar->GroupViewInfo()->Size();
    const TRect r{x, 0, x + size.cx, size.cy};
    if (bar->BoundsRect() != r) {
      if (bar->HandleAllocated() && batch)
        batch = DeferWindowPos(batch, bar->Handle(), nullptr, r.left, r.top, r.Width(), r.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      else
        bar->SetBounds(r.left, r.top, r.Width(), r.Height());
    }
    x = r.right + spacing;
  }
  if (batch) EndDeferWindowPos(batch);
}

void TdxRibbonGroupsDockControl::MakeRectVisible(const TRect& R) {
  const int width = ClientWidth();
  if (R.left >= 0 && R.right <= width) return;
  const int delta = R.left < 0 || R.Width() > width ? -R.left : width - R.right;
  viewInfo_->Scroll(delta, tab_->GetDockControlBounds().Width());
}

void TdxRibbonGroupsDockControl::Recalculate(const TRect& Bounds) {
  ++calculating_;
  try {
    viewInfo_->ComputeLayout(Bounds);
    SetBoundsRect(Bounds);
  } catch (...) {
    --calculating_;
    throw;
  }
  --calculating_;
}

void TdxRibbonGroupsDockControl::FitRowsToLength() {
  if (calculating_ == 0 && tab_) tab_->UpdateDockControl();
}

void TdxRibbonGroupsDockControl::FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color) {
  TdxCustomRibbon* ribbon = Ribbon();
  if (!ribbon || Parent() != ribbon->GroupsDockControlSite()) {
    TdxBarDockControl::FillBackground(DC, R, Brush, Color);
    return;
  }
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  OffsetViewportOrgEx(DC, -Left(), -Top(), nullptr);
  ribbon->GroupsDockControlSite()->PaintBackground(DC, ribbon->GroupsDockControlSite()->ClientRect());
  RestoreDC(DC, saved);
}

TdxRibbonTabGroup* FindTabGroupForBarControl(TdxRibbonGroupsDockControl* DockControl, TdxBar* Bar) {
  TdxRibbonTab* tab = DockControl ? DockControl->Tab() : nullptr;
  if (!tab || !Bar || !tab->Groups()) return nullptr;
  for (int i = 0; i < tab->Groups()->Count(); ++i)
    if (tab->Groups()->GroupAt(i)->ToolBar() == Bar) return tab->Groups()->GroupAt(i);
  return nullptr;
}

// ---- groups dock control view info --------------------------------------------------------------

std::vector<TdxRibbonGroupBarControl*> TdxRibbonGroupsDockControlViewInfo::GroupBars() const {
  std::vector<TdxRibbonGroupBarControl*> bars;
  TdxRibbonTab* tab = dockControl_->Tab();
  if (!tab || !tab->Groups()) return bars;
  for (int i = 0; i < tab->Groups()->Count(); ++i) {
    TdxBar* bar = tab->Groups()->GroupAt(i)->ToolBar();
    auto* window = bar ? dynamic_cast<TdxRibbonGroupBarControl*>(bar->Control()) : nullptr;
    if (window && window->DockControl() == dockControl_) bars.push_back(window);
  }
  return bars;
}

static std::vector<IdxRibbonFittedGroup*> FittedGroupsOf(const std::vector<TdxRibbonGroupBarControl*>& Bars) {
  std::vector<IdxRibbonFittedGroup*> groups;
  groups.reserve(Bars.size());
  for (TdxRibbonGroupBarControl* bar : Bars) groups.push_back(bar->GroupViewInfo());
  return groups;
}

int TdxRibbonGroupsDockControlViewInfo::TotalWidth() const {
  return RibbonGroupsTotalWidth(FittedGroupsOf(GroupBars()), GroupSpacing(dockControl_->Ribbon()));
}

bool TdxRibbonGroupsDockControlViewInfo::FitsIn(int Width) const {
  return RibbonGroupsFitIn(FittedGroupsOf(GroupBars()), Width, GroupSpacing(dockControl_->Ribbon()));
}

int TdxRibbonGroupsDockControlViewInfo::FirstGroupLeft() const {
  int left = scroll_.ScrollPosition;
  if (scroll_.ScrollButtons.Contains(rgsbLeft)) left += GroupsDockMargins(dockControl_->Ribbon()).left - dockControl_->Left();
  return left;
}

void TdxRibbonGroupsDockControlViewInfo::UpdateScrollButtons(int Width) { scroll_.UpdateScrollButtons(Width, TotalWidth()); }

void TdxRibbonGroupsDockControlViewInfo::Scroll(int Delta, int Width) {
  scroll_.Scroll(Delta, Width, TotalWidth());
  if (TdxRibbonTab* tab = dockControl_->Tab()) dockControl_->SetBoundsRect(tab->GetDockControlBounds());
}

void TdxRibbonGroupsDockControlViewInfo::ScrollStep(bool ToRight, int Width) { Scroll(ToRight ? -10 : 10, Width); }

void TdxRibbonGroupsDockControlViewInfo::ComputeLayout(const TRect& Bounds) {
  const std::vector<TdxRibbonGroupBarControl*> bars = GroupBars();
  const std::vector<TdxRibbonGroupCollapseChange> changes =
      FitRibbonGroups(FittedGroupsOf(bars), Bounds.Width(), GroupSpacing(dockControl_->Ribbon()));
  UpdateScrollButtons(Bounds.Width());
  TdxCustomRibbon* ribbon = dockControl_->Ribbon();
  if (!ribbon) return;
  for (const TdxRibbonGroupCollapseChange& change : changes) {
    TdxRibbonTabGroup* group = bars[change.Index]->TabGroup();
    if (change.Collapsed)
      ribbon->TabGroupCollapsed(dockControl_->Tab(), group);
    else
      ribbon->TabGroupExpanded(dockControl_->Tab(), group);
  }
}

// ---- groups site ----------------------------------------------------------------------------------

void TdxRibbonGroupsDockControlSiteViewInfo::ComputeLayout() {
  LeftButtonBounds = RightButtonBounds = TRect{};
  ScrollButtons = {};
  TdxCustomRibbon* ribbon = site_->Ribbon();
  if (!ribbon->ShowTabGroups() || !ribbon->ActiveTab() || !ribbon->ActiveTab()->GroupsDockControl()) return;
  ScrollButtons = ribbon->ActiveTab()->GroupsDockControl()->ViewInfo()->ScrollButtons();
  const int w = ribbon->ViewInfo()->TabScrollButtonWidth();
  const TRect r = site_->ClientRect();
  if (ScrollButtons.Contains(rgsbLeft)) LeftButtonBounds = TRect{r.left, r.top, r.left + w, r.bottom};
  if (ScrollButtons.Contains(rgsbRight)) RightButtonBounds = TRect{r.right - w, r.top, r.right, r.bottom};
}

int TdxRibbonGroupsDockControlSiteViewInfo::HitTest(const TPoint& P) {
  const TPoint origin = site_->OriginInRibbon();
  const TPoint p{P.x - origin.x, P.y - origin.y};
  if (LeftButtonBounds.Contains(p)) return 5;
  if (RightButtonBounds.Contains(p)) return 6;
  return 0;
}

TdxRibbonGroupsDockControlSite::TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ARibbon)
    : TcxControl(ARibbon), ribbon_(ARibbon) {
  DoubleBuffered = true;
  viewInfo_.reset(new TdxRibbonGroupsDockControlSiteViewInfo(this));
}

void TdxRibbonGroupsDockControlSite::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

TRect TdxRibbonGroupsDockControlSite::DockControlBounds() {
  const TRect m = GroupsDockMargins(ribbon_);
  const TRect r = ClientRect();
  return TRect{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

TPoint TdxRibbonGroupsDockControlSite::OriginInRibbon() {
  if (!HandleAllocated() || !ribbon_->HandleAllocated()) return TPoint{Left(), Top()};
  POINT p{0, 0};
  MapWindowPoints(Handle(), ribbon_->Handle(), &p, 1);
  return TPoint{p.x, p.y};
}

void TdxRibbonGroupsDockControlSite::PaintBackground(HDC DC, const TRect& R) {
  if (TdxCustomRibbonSkin* skin = ribbon_->ColorScheme()) {
    skin->DrawGroupsArea(DC, R);
    return;
  }
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  const RECT r = R;
  FillRect(DC, &r, brush);
}

void TdxRibbonGroupsDockControlSite::Paint() {
  HDC dc = Canvas()->Handle();
  PaintBackground(dc, ClientRect());
  TdxCustomRibbonSkin* skin = ribbon_->ColorScheme();
  if (!skin) return;
  // Side 1 is the left-hand button, 0 the right-hand one; skin states 0 normal, 2 hot, 4 pressed.
  TdxRibbonController* controller = ribbon_->Controller();
  auto state = [controller](int Kind) {
    if (!controller) return 0;
    if (controller->ScrollKind() == Kind) return 4;
    return controller->HotKind() == Kind ? 2 : 0;
  };
  if (!viewInfo_->LeftButtonBounds.IsEmpty())
    skin->DrawGroupScrollButton(dc, viewInfo_->LeftButtonBounds, state(rhtGroupsScrollLeft), 1);
  if (!viewInfo_->RightButtonBounds.IsEmpty())
    skin->DrawGroupScrollButton(dc, viewInfo_->RightButtonBounds, state(rhtGroupsScrollRight), 0);
}

TPoint TdxRibbonGroupsDockControlSite::ToRibbon(int X, int Y) {
  const TPoint origin = OriginInRibbon();
  return TPoint{X + origin.x, Y + origin.y};
}

// The site's mouse belongs to the ribbon's controller, in the ribbon's coordinates.
void TdxRibbonGroupsDockControlSite::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  if (TdxRibbonController* controller = ribbon_->Controller()) controller->MouseDown(Button, Shift, p.x, p.y);
}

void TdxRibbonGroupsDockControlSite::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  if (TdxRibbonController* controller = ribbon_->Controller()) controller->MouseMove(Shift, p.x, p.y);
}

void TdxRibbonGroupsDockControlSite::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  const TPoint p = ToRibbon(X, Y);
  if (TdxRibbonController* controller = ribbon_->Controller()) controller->MouseUp(Button, Shift, p.x, p.y);
}

void TdxRibbonGroupsDockControlSite::FireMouseLeave(TControl* AControl) {
  TcxControl::FireMouseLeave(AControl);
  if (TdxRibbonController* controller = ribbon_->Controller()) controller->MouseLeave();
}

bool TdxRibbonGroupsDockControlSite::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TcxControl::DoMouseWheelDown(Shift, MousePos)) return true;
  TdxRibbonController* controller = ribbon_->Controller();
  return controller && controller->MouseWheelDown(Shift, MousePos);
}

bool TdxRibbonGroupsDockControlSite::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TcxControl::DoMouseWheelUp(Shift, MousePos)) return true;
  TdxRibbonController* controller = ribbon_->Controller();
  return controller && controller->MouseWheelUp(Shift, MousePos);
}

// ---- the ribbon's bar windows -----------------------------------------------------------------------

void TdxRibbonCustomBarControl::CreateParams(TCreateParams& Params) {
  TdxBarControl::CreateParams(Params);
  if (!ComponentState().Contains(csDesigning)) Params.WindowClassStyle &= ~CS_DBLCLKS;
}

// ---- group bar view info ----------------------------------------------------------------------------

TdxRibbonGroupBarControlViewInfo::TdxRibbonGroupBarControlViewInfo(TdxRibbonGroupBarControl* ABarControl)
    : TCustomdxBarControlViewInfo(ABarControl) {}

TdxRibbonGroupBarControlViewInfo::~TdxRibbonGroupBarControlViewInfo() = default;

TdxRibbonGroupBarControl* TdxRibbonGroupBarControlViewInfo::GroupBar() const {
  return static_cast<TdxRibbonGroupBarControl*>(BarControl());
}

IdxRibbonGroupLayoutCalculator* TdxRibbonGroupBarControlViewInfo::CreateLayoutCalculator() {
  return new TdxRibbonGroupLayoutCalculator(groupRowHeight_, 3);
}

TSize TdxRibbonGroupBarControlViewInfo::GetNonContentSize() {
  const TRect m = GroupBar()->FrameMargins();
  return TSize{m.left + m.right, m.top + m.bottom};
}

IdxRibbonGroupLayoutCalculator* TdxRibbonGroupBarControlViewInfo::Calculator() {
  if (!calculator_) throw Exception(L"The group has no layout pass");
  return calculator_.get();
}

IdxRibbonGroupContent* TdxRibbonGroupBarControlViewInfo::Content() {
  if (!content_) content_ = InterfacePtr<IdxRibbonGroupContent>(new TdxRibbonGroupBarControlViewInfoHelper(this));
  return content_.get();
}

void TdxRibbonGroupBarControlViewInfo::PrepareCalculation() {
  ClearLayout();
  collapsed_ = false;
  if (TdxBarItemLinks* links = GroupBar()->ItemLinks()) {
    for (int i = 0; i < links->ShowableLinkCount(); ++i)
      if (TdxBarItemControl* control = links->ShowableLinkAt(i)->ItemControl()) AddItemInfo(control->ViewInfo());
  }
  groupRowHeight_ = GroupBar()->Ribbon()->ItemRowHeight();
  calculator_ = InterfacePtr<IdxRibbonGroupLayoutCalculator>(CreateLayoutCalculator());
  Calculator()->InitLayoutPass(Content());
}

void TdxRibbonGroupBarControlViewInfo::ComputeLayout() {
  nonContentSize_ = GetNonContentSize();
  if (!collapsed_) {
    Calculator()->ArrangeItemControls(Content());
    return;
  }
  contentSize_ = TSize{GroupBar()->Ribbon()->GroupsPainter()->CollapsedGroupWidth(GroupBar()), GroupBar()->Ribbon()->GroupHeight()};
  ClearSeparators();
  for (int i = 0; i < ItemInfoCount(); ++i) ItemInfoAt(i)->SetBounds(TRect{});
}

void TdxRibbonGroupBarControlViewInfo::InitReductionPass() { Calculator()->InitReductionPass(Content()); }

bool TdxRibbonGroupBarControlViewInfo::DecreaseMultiColumnItemColumnCount() {
  return Calculator()->DecreaseMultiColumnItemColumnCount(Content());
}

bool TdxRibbonGroupBarControlViewInfo::CollapseMultiColumnItem() { return Calculator()->CollapseMultiColumnItem(Content()); }

bool TdxRibbonGroupBarControlViewInfo::ReduceItemControlsViewLevel(int Stage) {
  return Calculator()->ReduceItemControlsViewLevel(Content(), Stage);
}

void TdxRibbonGroupBarControlViewInfo::Collapse() {
  collapsed_ = true;
  ComputeLayout();
}

bool TdxRibbonGroupBarControlViewInfo::CanCollapse() const {
  TdxRibbonTabGroup* group = GroupBar()->TabGroup();
  return group && group->CanCollapse();
}

void TdxRibbonGroupBarControlViewInfo::FinishCalculation() {
  keyTips_.Calculated = false;
  calculator_.reset();
  TdxRibbonGroupBarControl* bar = GroupBar();
  TdxBarItemLinks* links = bar->ItemLinks();
  if (!links) return;
  bool changed = false;
  for (int i = 0; i < links->ShowableLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShowableLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    const TRect r = control && !collapsed_ ? control->ViewInfo()->GetBounds() : TRect{};
    if (r == link->ItemRect()) continue;
    link->RowHeight = groupRowHeight_;
    link->StoreItemRect(r);
    changed = true;
  }
  if (changed && bar->HandleAllocated()) bar->RepaintWithFrame();
}

void TdxRibbonGroupBarControlViewInfo::CalculateKeyTipsBaseLines() {
  if (keyTips_.Calculated) return;
  TdxRibbonGroupBarControl* bar = GroupBar();
  if (!bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) throw Exception(L"");
  keyTips_.RowKeyTipsBaseLines[0] = bar->ClientOriginInWindow().y;
  keyTips_.RowKeyTipsBaseLines[2] = bar->CaptionBounds().top;
  keyTips_.RowKeyTipsBaseLines[1] = (keyTips_.RowKeyTipsBaseLines[0] + keyTips_.RowKeyTipsBaseLines[2]) / 2;
  keyTips_.BottomKeyTipsBaseLine = bar->Height() - 2;
  keyTips_.Calculated = true;
}

static int WindowTopOnScreen(TWinControl* Control) {
  RECT r{};
  GetWindowRect(Control->Handle(), &r);
  return r.top;
}

int TdxRibbonGroupBarControlViewInfo::RowKeyTipBaseLine(int Index) {
  if (Index < 0 || Index > 2) throw Exception(L"");
  CalculateKeyTipsBaseLines();
  return keyTips_.RowKeyTipsBaseLines[Index] + WindowTopOnScreen(GroupBar());
}

int TdxRibbonGroupBarControlViewInfo::BottomKeyTipBaseLine() {
  CalculateKeyTipsBaseLines();
  return keyTips_.BottomKeyTipsBaseLine + WindowTopOnScreen(GroupBar());
}

// ---- the layout calculator's view of a group --------------------------------------------------------

void TdxRibbonGroupBarControlViewInfoHelper::AddSeparator(const TdxBarSeparatorInfo& Info) {
  viewInfo_->AppendSeparator(Info.Bounds, Info.Kind, nullptr);
}

void TdxRibbonGroupBarControlViewInfoHelper::RemoveSeparators() { viewInfo_->ClearSeparators(); }

void TdxRibbonGroupBarControlViewInfoHelper::ItemControlLayoutAt(int Index, IdxBarItemControlViewInfo*& Item) {
  Item = viewInfo_->ItemInfoAt(Index);
}

int TdxRibbonGroupBarControlViewInfoHelper::MinimalWidth() { return viewInfo_->GroupBar()->Ribbon()->GroupsPainter()->GroupCaptionWidth(viewInfo_->GroupBar()); }

void TdxRibbonGroupBarControlViewInfoHelper::GetOffsets(TdxRibbonGroupOffsets& Offsets) {
  IdxSkin* skin = SkinOf(viewInfo_->GroupBar()->Ribbon());
  Offsets.ButtonGroupSpacing = skin ? skin->GetPartOffset(kButtonGroupPart) : 3;
  Offsets.ContentLeft = 2;
  Offsets.ContentRight = 2;
}

// ---- group bar control --------------------------------------------------------------------------

TdxRibbonGroupBarControl::TdxRibbonGroupBarControl(TdxRibbonGroupsDockControl* ADockControl, TdxBar* ABar)
    : TdxRibbonCustomBarControl(ABar->BarManager(), ABar),
      tabGroup_(FindTabGroupForBarControl(ADockControl, ABar)),
      ribbon_(ADockControl->Ribbon()) {
  // A group is drawn by the ribbon's own bar painter, whose skin is the ribbon.
  if (ribbon_) SetOwnPainter(ribbon_->GroupsPainter());
}

TdxRibbonGroupsDockControl* TdxRibbonGroupBarControl::GroupsDockControl() const {
  return dynamic_cast<TdxRibbonGroupsDockControl*>(TdxBarControl::DockControl());
}

TCustomdxBarControlViewInfo* TdxRibbonGroupBarControl::CreateViewInfo() { return new TdxRibbonGroupBarControlViewInfo(this); }

// The group layout places the links; the toolbar's own arrangement does not run.
void TdxRibbonGroupBarControl::LayoutLinks(int, int) { VisibleItemsRect = ItemsRect; }

void TdxRibbonGroupBarControl::CalcViewInfo() {
  TdxRibbonGroupsDockControl* dock = GroupsDockControl();
  if (!dock) {
    CalculateAlone();
  } else if (!dock->Calculating() && dock->Tab()) {
    dock->Tab()->UpdateDockControl();
  }
}

void TdxRibbonGroupBarControl::CalculateAlone() {
  TdxRibbonGroupBarControlViewInfo* info = GroupViewInfo();
  info->PrepareCalculation();
  try {
    info->ComputeLayout();
  } catch (...) {
    info->FinishCalculation();
    throw;
  }
  info->FinishCalculation();
}

TRect TdxRibbonGroupBarControl::CaptionBounds() {
  const TRect r = WindowRectAtOrigin();
  if (IdxSkin* skin = SkinOf(ribbon_)) return skin->CaptionBoundsOf(r, kGroupPart);
  const int bottom = r.bottom - 3;
  return TRect{r.left + 2, bottom - ribbon_->GroupCaptionHeight(), r.right - 3, bottom};
}

void TdxRibbonGroupBarControl::CalcCaptionButtonRects() {
  TdxBarCaptionButtons* buttons = Bar() ? Bar()->CaptionButtons() : nullptr;
  if (!buttons) return;
  const TRect caption = CaptionBounds();
  const int side = caption.Height();
  int right = caption.right - 1;
  for (int i = 0; i < buttons->Count(); ++i) {
    buttons->ButtonAt(i)->Bounds = TRect{right - side, caption.top, right, caption.bottom};
    right -= side + 1;
  }
}

void TdxRibbonGroupBarControl::PaintCaptionButtons(HDC DC) {
  TdxBarCaptionButtons* buttons = Bar() ? Bar()->CaptionButtons() : nullptr;
  IdxSkin* skin = SkinOf(ribbon_);
  if (!buttons || buttons->Count() == 0 || !skin || Collapsed()) return;
  CalcCaptionButtonRects();
  const int saved = SaveDC(DC);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < buttons->Count(); ++i) {
    const TRect& r = buttons->ButtonAt(i)->Bounds;
    HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  ExtSelectClipRgn(DC, region, RGN_AND);
  DeleteObject(region);
  for (int i = 0; i < buttons->Count(); ++i) {
    TdxBarCaptionButton* button = buttons->ButtonAt(i);
    const TRect& r = button->Bounds;
    skin->DrawBackground(DC, r, kLauncherButtonPart, button->State());
    TBitmap* glyph = button->Glyph();
    if (!glyph || glyph->Empty()) {
      skin->DrawBackground(DC, TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, kLauncherMarkPart, button->State());
      continue;
    }
    const int square = RibbonLauncherGlyphSide(r.Height());
    const int x = r.left + (r.Width() - square) / 2, y = r.top + (r.Height() - square) / 2;
    const int w = std::min(glyph->Width(), square), h = std::min(glyph->Height(), square);
    TransparentBlt(DC, x + (square - w) / 2, y + (square - h) / 2, w, h, glyph->Canvas()->Handle(), 0, 0, w, h,
                   ColorToRGB(glyph->TransparentColor()));
  }
  RestoreDC(DC, saved);
}

void TdxRibbonGroupBarControl::Paint() {
  // The groups area shows around and behind the group's own background.
  if (TdxRibbonGroupsDockControl* dock = GroupsDockControl(); dock && ribbon_ && ribbon_->ColorScheme()) {
    HDC dc = CurrentCanvas()->DCHandle();
    const int saved = SaveDC(dc);
    const TPoint origin = ClientOriginInWindow();
    OffsetViewportOrgEx(dc, -(Left() + dock->Left() + origin.x), -(Top() + dock->Top() + origin.y), nullptr);
    ribbon_->GroupsDockControlSite()->PaintBackground(dc, ribbon_->GroupsDockControlSite()->ClientRect());
    RestoreDC(dc, saved);
  }
  TdxRibbonCustomBarControl::Paint();
}

void TdxRibbonGroupBarControl::WMNCHitTest(TMessage& Message) {
  if (Collapsed()) {
    Message.Result = HTCLIENT;
    return;
  }
  Inherited::Dispatch(Message);
  // A group is never dragged: every point of it is its own.
  if (Message.Result != HTNOWHERE && Message.Result != HTTRANSPARENT) Message.Result = HTCLIENT;
}

void TdxRibbonGroupBarControl::WMNCPaint(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  PaintCaptionButtons(dc);
  ReleaseDC(Handle(), dc);
}

void TdxRibbonGroupBarControl::ViewStateChanged(int) {
  if (!capturingFades_ && HandleAllocated()) RepaintWithFrame();
}

void TdxRibbonGroupBarControl::MakeItemVisible(TdxBarItemControl* ItemControl) {
  TdxRibbonGroupsDockControl* dock = GroupsDockControl();
  if (!dock || !ItemControl || !HandleAllocated() || !dock->HandleAllocated()) return;
  TRect r = ItemControl->BoundsInBar();
  POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(Handle(), dock->Handle(), p, 2);
  dock->MakeRectVisible(TRect{p[0].x, p[0].y, p[1].x, p[1].y});
}

TPoint TdxRibbonGroupBarControl::GetCollapsedPopupPosition(int X, int Height, const TRect& WorkArea) {
  const TRect ribbon = ToScreen(ribbon_->Handle(), ribbon_->ClientRect());
  const TRect bar = ScreenWindowRect();
  int y = std::max(ribbon.bottom, bar.bottom + 2);
  if (WorkArea.bottom < y + Height) y = std::min(ribbon.top - Height - 2, bar.top - Height - 4);
  return TPoint{X, y};
}

bool TdxRibbonGroupBarControl::CanFade() {
  return ribbon_ && ribbon_->FadingEnabled() && !ribbon_->IsLocked() && !ComponentState().Contains(csDesigning);
}

void TdxRibbonGroupBarControl::DrawFadeImage(TBitmap* Image) {
  if (!Image || !HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  const int saved = SaveDC(dc);
  const TPoint origin = ClientOriginInWindow();
  for (int i = 0; i < ViewInfo()->ItemInfoCount(); ++i) {
    const TRect r = ViewInfo()->ItemInfoAt(i)->BoundsRect();
    ExcludeClipRect(dc, r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y);
  }
  BitBlt(dc, 0, 0, Image->Width(), Image->Height(), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
  ReleaseDC(Handle(), dc);
}

void TdxRibbonGroupBarControl::GetFadingParams(TBitmap*& NormalImage, TBitmap*& HotImage, int&, int&, int&, int&) {
  NormalImage = HotImage = nullptr;
  TdxBarPainter* painter = Painter();
  if (!painter || !HandleAllocated()) return;
  const int state = ViewState();
  const TPoint origin = ClientOriginInWindow();
  auto picture = [&](int ViewStateValue) {
    auto* image = new TBitmap();
    image->SetPixelFormat(pf32bit);
    image->SetSize(Width(), Height());
    capturingFades_ = true;
    SetViewState(ViewStateValue);
    capturingFades_ = false;
    HDC dc = image->Canvas()->Handle();
    painter->DrawBarControlBackground(this, dc, TRect{origin.x, origin.y, origin.x + ClientWidth(), origin.y + ClientHeight()});
    PaintCaptionButtons(dc);
    return image;
  };
  NormalImage = picture(bvsNormal);
  HotImage = picture(bvsHot);
  capturingFades_ = true;
  SetViewState(state);
  capturingFades_ = false;
}
