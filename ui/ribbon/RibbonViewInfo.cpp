#include "ui/ribbon/RibbonViewInfo.h"

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/ribbon/ApplicationButton.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonController.h"
#include "ui/ribbon/RibbonGroups.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonSkins.h"

namespace {

// A tab's padding around its caption, and what compression takes away from it.
constexpr int kTabPadding = 27;
constexpr int kTabCompressedPadding = 10;
constexpr int kTabCompressibleWidth = kTabPadding - kTabCompressedPadding;
// A form smaller than this hides the ribbon's groups and toolbar.
constexpr int kMinShownWidth = 300;
constexpr int kMinShownHeight = 250;
// A ribbon being designed that would be lower than this is shown 24 pixels high and hatched.
constexpr int kDesignMinHeight = 8;
constexpr int kDesignPlaceholderHeight = 24;

TRect Shrunk(const TRect& R, const TRect& M) {
  return TRect{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}

}  // namespace

// ---- one tab ----------------------------------------------------------------------------------

TdxRibbonTabViewInfo::TdxRibbonTabViewInfo(TdxRibbonTabsViewInfo* AOwner, TdxRibbonTab* ATab)
    : owner_(AOwner), tab_(ATab),
      painter_(std::make_unique<TdxRibbonTabPainter>(AOwner->Owner()->Ribbon()->ColorScheme())) {}

TdxRibbonTabViewInfo::~TdxRibbonTabViewInfo() = default;

void TdxRibbonTabViewInfo::CalculateWidths() {
  TdxRibbonViewInfo* info = owner_->Owner();
  TFont* font = info->Ribbon()->Fonts()->GetTabHeaderFont(0);
  const String& caption = tab_->Caption();
  TextWidth = info->TextWidth(font, caption);
  OptimalWidth = TextWidth + kTabPadding;
  MinWidth = std::max<int>(info->TextWidth(font, caption.substr(0, 3)) + kTabCompressedPadding, kTabPadding);
}

void TdxRibbonTabViewInfo::ComputeLayout(const TRect& R, int Alpha) {
  Bounds = R;
  SeparatorAlpha = Alpha;
  SeparatorBounds = HasSeparator && Alpha > 0 ? TRect{R.right - 1, R.top, R.right, R.bottom - 1} : TRect{};
  TextBounds = TRect{R.left + 5, R.top + 4, R.right - 5, R.bottom - 4};
}

int TdxRibbonTabViewInfo::StateOf() {
  TdxRibbonViewInfo* info = owner_->Owner();
  TdxCustomRibbon* ribbon = info->Ribbon();
  const bool hot = ribbon->HotObject() == tab_;
  const bool active = ribbon->ActiveTab() == tab_;
  const bool groupsShown = info->AreGroupsShown();
  if (!hot && !active) return 0;
  if (!groupsShown || !active) return 1;
  return !hot || ribbon->TabGroupsPopupShowing() ? 2 : 3;
}

int TdxRibbonTabViewInfo::FontState() {
  TdxRibbonViewInfo* info = owner_->Owner();
  if (info->Ribbon()->ActiveTab() == tab_ && info->AreGroupsShown()) return 3;
  return StateOf() > 0 ? 2 : 0;
}

void TdxRibbonTabViewInfo::Paint(TcxCanvas* Canvas) {
  TdxCustomRibbon* ribbon = owner_->Owner()->Ribbon();
  painter_->DrawBackground(Canvas, Bounds, StateOf());
  Canvas->UseFont(ribbon->Fonts()->GetTabHeaderFont(FontState()));
  painter_->DrawText(Canvas, TextBounds, SeparatorAlpha == 255, tab_->Caption());
  if (HasSeparator && SeparatorAlpha > 0) painter_->DrawSeparator(Canvas, SeparatorBounds, SeparatorAlpha);
}

// ---- the tab strip ----------------------------------------------------------------------------

TdxRibbonTabsViewInfo::~TdxRibbonTabsViewInfo() = default;

void TdxRibbonTabsViewInfo::Rebuild() {
  items_.clear();
  TdxCustomRibbon* ribbon = owner_->Ribbon();
  for (int i = 0; i < ribbon->Tabs()->ItemCount(); ++i)
    if (ribbon->Tabs()->TabAt(i)->Visible())
      items_.push_back(std::make_unique<TdxRibbonTabViewInfo>(this, ribbon->Tabs()->TabAt(i)));
}

void TdxRibbonTabsViewInfo::Remove(TdxRibbonTab* Tab) {
  items_.erase(std::remove_if(items_.begin(), items_.end(), [Tab](const auto& item) { return item->Tab() == Tab; }),
               items_.end());
}

TdxRibbonTabViewInfo* TdxRibbonTabsViewInfo::Find(TdxRibbonTab* Tab) const {
  for (const auto& item : items_)
    if (item->Tab() == Tab) return item.get();
  return nullptr;
}

void TdxRibbonTabsViewInfo::ComputeLayout(const TRect& R) {
  Bounds = R;
  Scrolling = false;
  ScrollButtons = 0;
  ScrollButtonBounds = {};
  MaxScrollOffset = 0;
  HasButtonsAfter = owner_->AreMDIButtonsVisible() || owner_->IsHelpButtonVisible();
  TotalMinWidth = TotalOptimalWidth = 0;
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    TdxRibbonTabViewInfo* tab = Item(i);
    tab->CalculateWidths();
    tab->HasSeparator = i < n - 1 || HasButtonsAfter;
    TotalMinWidth += tab->MinWidth;
    TotalOptimalWidth += tab->OptimalWidth;
  }
  const int width = R.Width();
  if (width >= TotalOptimalWidth)
    CalculateOptimal();
  else if (width < TotalMinWidth)
    CalculateScrolled();
  else
    CalculateCompressed();
}

void TdxRibbonTabsViewInfo::PlaceTabs(int Left) {
  int x = Left;
  for (const auto& tab : items_) {
    tab->ComputeLayout(TRect{x, Bounds.top, x + tab->Width, Bounds.bottom}, SeparatorAlpha);
    x += tab->Width;
  }
}

void TdxRibbonTabsViewInfo::CalculateOptimal() {
  SeparatorAlpha = 0;
  for (const auto& tab : items_) tab->Width = tab->OptimalWidth;
  PlaceTabs(Bounds.left);
}

void TdxRibbonTabsViewInfo::CalculateScrolled() {
  SeparatorAlpha = 255;
  int total = 0;
  for (int i = 0; i < Count(); ++i) {
    Item(i)->Width = Item(i)->MinWidth + (i < Count() - 1 ? 1 : 0);
    total += Item(i)->Width;
  }
  MaxScrollOffset = total - Bounds.Width();
  ScrollOffset = std::clamp(ScrollOffset, 0, MaxScrollOffset);
  PlaceTabs(Bounds.left - ScrollOffset);
  if (ScrollOffset == 0)
    ScrollButtons = 2;
  else if (ScrollOffset == MaxScrollOffset)
    ScrollButtons = 1;
  else
    ScrollButtons = 3;
  const int w = owner_->TabScrollButtonWidth();
  ScrollButtonBounds[0] = TRect{Bounds.left, Bounds.top, Bounds.left + w, Bounds.bottom};
  ScrollButtonBounds[1] = TRect{Bounds.right - w, Bounds.top, Bounds.right, Bounds.bottom};
  Scrolling = true;
}

void TdxRibbonTabsViewInfo::CalculateCompressed() {
  const int n = Count();
  const int overflow = TotalOptimalWidth - Bounds.Width();
  if (overflow <= kTabCompressibleWidth * n) {
    SeparatorAlpha = MulDiv(overflow, 255, kTabCompressibleWidth * n);
    for (int i = 0; i < n; ++i)
      Item(i)->Width = Item(i)->OptimalWidth - overflow / n - (i >= n - overflow % n ? 1 : 0);
    PlaceTabs(Bounds.left);
    return;
  }
  SeparatorAlpha = 255;
  int widest = 0;
  for (const auto& tab : items_) {
    tab->Width = tab->TextWidth + kTabCompressedPadding;
    widest = std::max<int>(widest, tab->Width);
  }
  // Levelling: the widest tabs give a pixel each round, down to their least widths.
  int remainder = overflow - kTabCompressibleWidth * n;
  bool removed = true;
  for (int level = widest - 1; remainder > 0 && removed; --level) {
    removed = false;
    for (int i = 0; i < n && remainder > 0; ++i) {
      TdxRibbonTabViewInfo* tab = Item(i);
      const int least = tab->MinWidth + (i < n - 1 ? 1 : 0);
      if (tab->Width > level && tab->Width > least) {
        --tab->Width;
        --remainder;
        removed = true;
      }
    }
  }
  Scrolling = removed;
  PlaceTabs(Bounds.left);
}

static int ScrollButtonOfKind(int Kind) {
  if (Kind == rhtTabScrollLeft) return 0;
  return Kind == rhtTabScrollRight ? 1 : -1;
}

int TdxRibbonTabsViewInfo::PressedScrollButton() const {
  TdxRibbonController* controller = owner_->Ribbon()->Controller();
  return controller ? ScrollButtonOfKind(controller->ScrollKind()) : -1;
}

int TdxRibbonTabsViewInfo::HotScrollButton() const { return ScrollButtonOfKind(owner_->HotKind()); }

TRect TdxRibbonTabsViewInfo::TabsArea() const {
  TRect r = Bounds;
  if (ScrollButtons & 1) r.left = ScrollButtonBounds[0].right;
  if (ScrollButtons & 2) r.right = ScrollButtonBounds[1].left;
  return r;
}

TdxRibbonHitInfo TdxRibbonTabsViewInfo::HitTest(const TPoint& P) const {
  if ((ScrollButtons & 1) && ScrollButtonBounds[0].Contains(P)) return {rhtTabScrollLeft, nullptr};
  if ((ScrollButtons & 2) && ScrollButtonBounds[1].Contains(P)) return {rhtTabScrollRight, nullptr};
  if (!TabsArea().Contains(P)) return {};
  for (const auto& tab : items_)
    if (tab->Bounds.Contains(P)) return {rhtTab, tab->Tab()};
  return {};
}

void TdxRibbonTabsViewInfo::ScrollBy(int Delta) {
  const int offset = std::clamp(ScrollOffset + Delta, 0, std::max<int>(MaxScrollOffset, 0));
  if (offset == ScrollOffset) return;
  ScrollOffset = offset;
  owner_->Ribbon()->Changed();
}

void TdxRibbonTabsViewInfo::MakeTabVisible(TdxRibbonTab* Tab) {
  TdxRibbonTabViewInfo* tab = Find(Tab);
  if (!tab || ScrollButtons == 0) return;
  const int index = int(std::find_if(items_.begin(), items_.end(), [tab](const auto& i) { return i.get() == tab; }) -
                        items_.begin());
  const int buttonWidth = owner_->TabScrollButtonWidth();
  int offset = ScrollOffset;
  if (tab->Bounds.left < Bounds.left) {
    offset -= Bounds.left - tab->Bounds.left;
    if (index > 0) offset -= buttonWidth;
  } else if (tab->Bounds.right > Bounds.right) {
    offset += tab->Bounds.right - Bounds.right;
    if (index < Count() - 1) offset += buttonWidth;
  }
  ScrollBy(offset - ScrollOffset);
}

void TdxRibbonTabsViewInfo::Paint(TcxCanvas* Canvas) {
  TdxRibbonPainter* painter = owner_->Painter();
  for (int side = 0; side < 2; ++side) {
    if (!(ScrollButtons & (1 << side))) continue;
    // The left button is drawn as side 1, the right one as side 0.
    painter->DrawTabScrollButton(Canvas, ScrollButtonBounds[side], HotScrollButton() == side,
                                 PressedScrollButton() == side, 1 - side);
  }
  Canvas->PushClipRegion();
  Canvas->ClipToRect(TabsArea());
  for (const auto& tab : items_) tab->Paint(Canvas);
  Canvas->PopClipRegion();
  const TRect area = TabsArea();
  for (const auto& tab : items_) {
    TRect visible{std::max<int>(tab->Bounds.left, area.left), tab->Bounds.top, std::min<int>(tab->Bounds.right, area.right),
                  tab->Bounds.bottom};
    if (!visible.IsEmpty()) Canvas->SubtractFromClip(visible);
  }
}

// ---- the ribbon -------------------------------------------------------------------------------

TdxRibbonViewInfo::TdxRibbonViewInfo(TdxCustomRibbon* ARibbon)
    : ribbon_(ARibbon), tabs_(std::make_unique<TdxRibbonTabsViewInfo>(this)) {}

TdxRibbonViewInfo::~TdxRibbonViewInfo() = default;

TdxRibbonPainter* TdxRibbonViewInfo::Painter() const { return ribbon_->Painter(); }

int TdxRibbonViewInfo::TextWidth(TFont* Font, const String& Text) { return TextWidthForFont(Font, Text); }

// ---- element tests

bool TdxRibbonViewInfo::AreTabHeadersVisible(bool Force) const {
  return (Force || !ribbon_->Hidden()) && ribbon_->ShowTabHeaders();
}

bool TdxRibbonViewInfo::HasBarManager(bool Force) const {
  return ribbon_->BarManagerUsable() && (Force || !ribbon_->Hidden());
}

bool TdxRibbonViewInfo::IsQuickAccessVisible(bool Force) const {
  TdxRibbonQuickAccessToolbar* qat = ribbon_->QuickAccessToolbar();
  return HasBarManager(Force) && qat->Visible() && qat->Toolbar() && qat->Toolbar()->Visible();
}

bool TdxRibbonViewInfo::IsQuickAccessBelow() const {
  return ribbon_->QuickAccessToolbar()->Position() == qtpBelowRibbon;
}

bool TdxRibbonViewInfo::IsQuickAccessInCaption() const {
  return paintsFormFrame_ && !IsQuickAccessBelow() && IsQuickAccessVisible();
}

bool TdxRibbonViewInfo::IsApplicationButtonVisible(bool Force) const {
  return (Force || !ribbon_->Hidden()) && ribbon_->ApplicationButton()->Visible() && AreTabHeadersVisible(Force) &&
         (paintsFormFrame_ || (IsQuickAccessVisible(Force) && !IsQuickAccessBelow()));
}

bool TdxRibbonViewInfo::AreGroupsShown(bool Force) const {
  return HasBarManager(Force) && (ribbon_->ShowTabGroups() || ribbon_->TabGroupsPopupShowing()) && tabs_->Count() > 0;
}

bool TdxRibbonViewInfo::IsHelpButtonVisible() const {
  return !ribbon_->Hidden() && AreTabHeadersVisible() && bool(ribbon_->OnHelpButtonClick);
}

bool TdxRibbonViewInfo::AreMDIButtonsVisible() const {
  if (ribbon_->Hidden() || !AreTabHeadersVisible() || !ribbon_->BarManagerUsable()) return false;
  TdxBarManager* manager = ribbon_->BarManager();
  if (!manager->MDIChildMaximized()) return false;
  TCustomForm* child = manager->RememberedMDIChild();
  return child && child->HandleAllocated() && (GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_SYSMENU);
}

bool TdxRibbonViewInfo::IsFormActive() const {
  if (!paintsFormFrame_) return false;
  auto* form = dynamic_cast<TCustomForm*>(ribbon_->Owner());
  return form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
}

bool TdxRibbonViewInfo::ShouldBeHidden() const {
  if (ribbon_->IsDesigning()) return false;
  TCustomForm* form = GetParentForm(ribbon_);
  if (!form) return false;
  return (form->HandleAllocated() && IsIconic(form->Handle())) || form->Width() < kMinShownWidth ||
         form->Height() < kMinShownHeight;
}

// ---- layout

void TdxRibbonViewInfo::ComputeLayout(const TRect& R) {
  bounds_ = R;
  // The ribbon paints the form's frame only on a ribbon form, which this library does not have yet.
  paintsFormFrame_ = false;
  useGlass_ = false;
  ribbon_->Fonts()->UpdateFonts();
  CalculateApplicationButton();
  CalculateQuickAccessToolbar();
  captionTextBounds_ = TRect{};
  if (ShouldBeHidden() != ribbon_->Hidden()) {
    ribbon_->hidden_ = !ribbon_->hidden_;
    ComputeLayout(R);
    if (ribbon_->Hidden() && ribbon_->ActiveTab()) ribbon_->ActiveTab()->GroupsDockControl()->SetVisible(false);
    return;
  }
  tabs_->Rebuild();
  CalculateGroupsArea();
  CalculateMDIButtons();
  CalculateHelpButton();
  CalculateTabs();
  SetRibbonHeight(ribbon_->Hidden() && !ribbon_->IsDesigning() ? GetCaptionAreaHeight() : GetRibbonHeight());
}

void TdxRibbonViewInfo::CalculateApplicationButton() {
  if (!IsApplicationButtonVisible()) {
    applicationButtonArea_ = applicationButtonBounds_ = TRect{};
    return;
  }
  TdxCustomRibbonSkin* skin = ribbon_->ColorScheme();
  const TSize size = skin ? skin->ApplicationButtonSize() : TSize{42, 42};
  const int w = ScaleToScreenPPI(size.cx), h = ScaleToScreenPPI(size.cy);
  applicationButtonArea_ = TRect{0, 0, w + 2 * ScaleToScreenPPI(4), h + ScaleToScreenPPI(10)};
  const int left = (applicationButtonArea_.Width() - w) / 2, top = (applicationButtonArea_.Height() - h) / 2;
  applicationButtonBounds_ = TRect{left, top, left + w, top + h};
}

void TdxRibbonViewInfo::CalculateQuickAccessToolbar() {
  quickAccessSize_ = TSize{0, 0};
  quickAccessBounds_ = TRect{};
  if (!IsQuickAccessVisible()) return;
  const TRect margins = GetQuickAccessMargins();
  quickAccessSize_ = ribbon_->QuickAccessBarSize(std::max<int>(GetQuickAccessMaxWidth() - margins.left - margins.right, 0));
  quickAccessBounds_ = GetQuickAccessBounds();
}

void TdxRibbonViewInfo::CalculateGroupsArea() {
  const bool popup = ribbon_->TabGroupsPopupShowing();
  if (AreGroupsShown() && !popup) {
    groupsAreaBounds_ = GetGroupsAreaBounds();
    groupsDockBounds_ = GetGroupsDockBounds();
  } else {
    groupsAreaBounds_ = groupsDockBounds_ = TRect{};
  }
  // While the minimised ribbon's popup shows, the site is the popup's and keeps its bounds.
  if (!popup) {
    TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
    site->SetVisible(!groupsAreaBounds_.IsEmpty());
    if (!groupsAreaBounds_.IsEmpty()) site->SetBoundsRect(groupsAreaBounds_);
    site->ViewInfo()->ComputeLayout();
  }
  // Each tab shows or hides its dock control; the active one is fitted into the site.
  for (int i = 0; i < ribbon_->Tabs()->ItemCount(); ++i) ribbon_->Tabs()->TabAt(i)->UpdateDockControl();
}

TRect TdxRibbonViewInfo::ButtonRow() const {
  const int top = bounds_.top + GetTabsTop();
  return TRect{bounds_.left, top, bounds_.right, top + GetTabsHeight() - 2};
}

void TdxRibbonViewInfo::CalculateMDIButtons() {
  mdiButtonBounds_ = {};
  if (!AreMDIButtonsVisible()) return;
  const TRect row = ButtonRow();
  const int side = row.Height();
  int right = row.right;
  for (int i = 2; i >= 0; --i) {
    mdiButtonBounds_[i] = TRect{right - side, row.top, right, row.bottom};
    right -= side;
  }
}

void TdxRibbonViewInfo::CalculateHelpButton() {
  helpButtonBounds_ = TRect{};
  if (!IsHelpButtonVisible()) return;
  const TRect row = ButtonRow();
  const int right = AreMDIButtonsVisible() ? mdiButtonBounds_[0].left : row.right;
  helpButtonBounds_ = TRect{right - row.Height(), row.top, right, row.bottom};
}

void TdxRibbonViewInfo::CalculateTabs() { tabs_->ComputeLayout(GetTabsBounds()); }

void TdxRibbonViewInfo::SetRibbonHeight(int Value) {
  ribbonHeight_ = Value;
  if (ribbon_->Height() != Value) ribbon_->SetHeight(Value);
}

int TdxRibbonViewInfo::GetTabsHeight() const {
  if (!AreTabHeadersVisible()) return 0;
  return 2 * std::abs(ribbon_->Fonts()->GetTabHeaderFont(0)->Height()) + 2;
}

int TdxRibbonViewInfo::GetCaptionAreaHeight() const { return 0; }

int TdxRibbonViewInfo::GetTabsTop() const {
  if (paintsFormFrame_) return GetCaptionAreaHeight();
  if (IsQuickAccessVisible() && !IsQuickAccessBelow()) return quickAccessBounds_.bottom;
  return 0;
}

TRect TdxRibbonViewInfo::GetTabsBounds() const {
  int right = bounds_.right - 6;
  if (IsHelpButtonVisible())
    right = helpButtonBounds_.left - 1;
  else if (AreMDIButtonsVisible())
    right = mdiButtonBounds_[0].left - 1;
  const int top = bounds_.top + GetTabsTop();
  return TRect{std::max<int>(applicationButtonArea_.right, 8), top, right, top + GetTabsHeight()};
}

int TdxRibbonViewInfo::GetGroupsAreaHeight(bool Force) const {
  if (!Force && !AreGroupsShown()) return 0;
  return ribbon_->GroupHeight() + 3 + 4;
}

TRect TdxRibbonViewInfo::GetGroupsAreaBounds(bool Force) const {
  int top = bounds_.top + GetTabsTop() + GetTabsHeight();
  if (AreTabHeadersVisible()) --top;
  return TRect{bounds_.left, top, bounds_.right, top + GetGroupsAreaHeight(Force)};
}

TRect TdxRibbonViewInfo::GetGroupsDockBounds() const {
  const TRect area = GetGroupsAreaBounds();
  return Shrunk(TRect{0, 0, area.Width(), area.Height()}, GetGroupsDockMargins());
}

int TdxRibbonViewInfo::GetRibbonHeight() {
  const bool popup = ribbon_->TabGroupsPopupShowing();
  int height;
  if (IsQuickAccessVisible() && IsQuickAccessBelow() && !popup)
    height = quickAccessBounds_.bottom;
  else if (AreGroupsShown() && !popup)
    height = groupsAreaBounds_.bottom;
  else
    height = GetTabsHeight() + GetTabsTop() + 1;
  designPlaceholder_ = ribbon_->IsDesigning() && height < kDesignMinHeight;
  return designPlaceholder_ ? kDesignPlaceholderHeight : height;
}

// ---- quick-access toolbar

TRect TdxRibbonViewInfo::GetQuickAccessMargins() const {
  if (IsQuickAccessBelow()) return TRect{2, 2, 2, 2};
  TdxCustomRibbonSkin* skin = ribbon_->ColorScheme();
  const bool button = IsApplicationButtonVisible();
  TRect m{(skin ? skin->QuickAccessOverlap(button, useGlass_) : 0) + 1, 0, 0, 0};
  if (quickAccessSize_.cx > 0 && !ribbon_->PopupMenuItems().Empty()) m.right = (((quickAccessSize_.cy + 2) / 2) | 1) + 12;
  if (IsQuickAccessInCaption()) {
    const int rest = GetCaptionAreaHeight() - quickAccessSize_.cy;
    m.bottom = rest / 2;
    m.top = rest - m.bottom;
  }
  return m;
}

int TdxRibbonViewInfo::GetQuickAccessLeft() const {
  if (IsQuickAccessBelow()) return bounds_.left;
  TdxCustomRibbonSkin* skin = ribbon_->ColorScheme();
  const bool button = IsApplicationButtonVisible();
  int left;
  if (button)
    left = applicationButtonArea_.right - (skin ? skin->QuickAccessOverlap(true, useGlass_) : 0);
  else if (paintsFormFrame_)
    left = ribbon_->CaptionHelperTextArea().left + 4;
  else
    left = bounds_.left + 2;
  return left + (skin ? skin->QuickAccessLeftIndent(button, useGlass_) : 0);
}

int TdxRibbonViewInfo::GetQuickAccessTop() const {
  if (!IsQuickAccessBelow()) return 0;
  return GetCaptionAreaHeight() + GetTabsHeight() + GetGroupsAreaHeight(false) - (AreTabHeadersVisible() ? 1 : 0);
}

int TdxRibbonViewInfo::GetQuickAccessWidth() const {
  if (IsQuickAccessBelow()) return bounds_.right;
  const TRect m = GetQuickAccessMargins();
  return quickAccessSize_.cx + m.left + m.right;
}

int TdxRibbonViewInfo::GetQuickAccessHeight() const {
  const TRect m = GetQuickAccessMargins();
  return quickAccessSize_.cy + m.top + m.bottom;
}

TRect TdxRibbonViewInfo::GetQuickAccessBounds() const {
  const int left = GetQuickAccessLeft(), top = GetQuickAccessTop();
  return TRect{left, top, left + GetQuickAccessWidth(), top + GetQuickAccessHeight()};
}

TRect TdxRibbonViewInfo::GetQuickAccessToolbarBounds() const {
  TRect r = Shrunk(quickAccessBounds_, GetQuickAccessMargins());
  r.right = r.left + quickAccessSize_.cx;
  return r;
}

int TdxRibbonViewInfo::GetQuickAccessMaxWidth() const {
  if (IsQuickAccessBelow()) return bounds_.right;
  TdxCustomRibbonSkin* skin = ribbon_->ColorScheme();
  int left = 0, right = bounds_.right;
  if (IsApplicationButtonVisible())
    left = applicationButtonArea_.right - (skin ? skin->QuickAccessOverlap(true, useGlass_) : 0);
  if (paintsFormFrame_) {
    const TRect text = ribbon_->CaptionHelperTextArea();
    left = std::max<int>(text.left + (skin ? skin->CaptionTextIndent(IsApplicationButtonVisible()) : 0), left);
    right = text.right - 70 + (useGlass_ ? 0 : 20);
  }
  return std::max<int>(right - left, 0);
}

// ---- states, hit tests and painting

int TdxRibbonViewInfo::HotKind() const {
  TdxRibbonController* controller = ribbon_->Controller();
  return controller ? controller->HotKind() : rhtNone;
}

int TdxRibbonViewInfo::PressedKind() const {
  TdxRibbonController* controller = ribbon_->Controller();
  return controller ? controller->PressedKind() : rhtNone;
}

int TdxRibbonViewInfo::ElementState(int Kind) const {
  if (Kind != HotKind()) return 0;
  return Kind == PressedKind() && PressedKind() > 1 ? 2 : 1;
}

int TdxRibbonViewInfo::MDIButtonState(int Index) const {
  const int kinds[3] = {rhtMDIMinimizeButton, rhtMDIRestoreButton, rhtMDICloseButton};
  const UINT commands[3] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  TCustomForm* child = ribbon_->BarManagerUsable() ? ribbon_->BarManager()->RememberedMDIChild() : nullptr;
  if (Index != 1 && child && child->HandleAllocated()) {
    HMENU menu = GetSystemMenu(child->Handle(), FALSE);
    const UINT state = menu ? GetMenuState(menu, commands[Index], MF_BYCOMMAND) : UINT(-1);
    if (state != UINT(-1) && (state & (MF_DISABLED | MF_GRAYED))) return 3;
  }
  return ElementState(kinds[Index]);
}

void TdxRibbonViewInfo::InvalidateRect(const TRect& R) const {
  if (ribbon_->HandleAllocated() && !R.IsEmpty()) InvalidateArea(ribbon_->Handle(), R, false);
}

void TdxRibbonViewInfo::InvalidateHelpButton() const { InvalidateRect(helpButtonBounds_); }

void TdxRibbonViewInfo::InvalidateMDIButtons() const {
  InvalidateRect(TRect{mdiButtonBounds_[0].left, mdiButtonBounds_[0].top, mdiButtonBounds_[2].right,
                       mdiButtonBounds_[2].bottom});
}

void TdxRibbonViewInfo::InvalidateTabs() const { InvalidateRect(tabs_->Bounds); }

int TdxRibbonViewInfo::GetApplicationButtonState() const { return ribbon_->ApplicationButtonState(); }

TdxRibbonHitInfo TdxRibbonViewInfo::HitTest(int X, int Y) const {
  const TPoint p{X, Y};
  const TdxRibbonHitTest mdiKinds[3] = {rhtMDIMinimizeButton, rhtMDIRestoreButton, rhtMDICloseButton};
  for (int i = 0; i < 3; ++i)
    if (mdiButtonBounds_[i].Contains(p)) return {mdiKinds[i], nullptr};
  if (helpButtonBounds_.Contains(p)) return {rhtHelpButton, nullptr};
  if (AreTabHeadersVisible() && tabs_->Bounds.Contains(p)) {
    const TdxRibbonHitInfo hit = tabs_->HitTest(p);
    if (hit.Kind != rhtNone) return hit;
  }
  if (const int kind = ribbon_->GroupsDockControlSite()->ViewInfo()->HitTest(p); kind != rhtNone) return {kind, nullptr};
  if (applicationButtonBounds_.Contains(p)) return {rhtApplicationButton, nullptr};
  return {};
}

TdxRibbonTab* TdxRibbonViewInfo::TabAtPoint(int X, int Y) const {
  for (int i = 0; i < tabs_->Count(); ++i)
    if (tabs_->Item(i)->Bounds.Contains(TPoint{X, Y})) return tabs_->Item(i)->Tab();
  return nullptr;
}

void TdxRibbonViewInfo::Paint(TcxCanvas* Canvas) {
  TdxRibbonPainter* painter = Painter();
  if (designPlaceholder_) {
    painter->DrawDesignPlaceholder(Canvas);
    return;
  }
  Canvas->PushClipRegion();
  Canvas->ClipToRect(TRect{bounds_.left, captionTextBounds_.bottom, bounds_.right, bounds_.bottom});
  painter->DrawBackground(Canvas, bounds_);
  Canvas->PopClipRegion();
  if (AreMDIButtonsVisible())
    for (int i = 0; i < 3; ++i) painter->DrawMDIButton(Canvas, mdiButtonBounds_[i], MDIButtonState(i), i);
  if (IsHelpButtonVisible()) painter->DrawHelpButton(Canvas, helpButtonBounds_, ElementState(rhtHelpButton));
  const bool quickAccess = IsQuickAccessVisible();
  if (quickAccess && !IsQuickAccessInCaption()) painter->DrawQuickAccessBackground(Canvas, quickAccessBounds_, true);
  const bool groups = AreGroupsShown() && !ribbon_->TabGroupsPopupShowing();
  if (AreTabHeadersVisible() && !groups && !(quickAccess && IsQuickAccessBelow()))
    painter->DrawTabAreaBottomLines(Canvas);
  if (AreTabHeadersVisible() && tabs_->Count() > 0) tabs_->Paint(Canvas);
  if (groups) painter->DrawGroupsArea(Canvas, groupsAreaBounds_);
  if (IsApplicationButtonVisible())
    painter->DrawApplicationButton(Canvas, applicationButtonBounds_, GetApplicationButtonState());
}
