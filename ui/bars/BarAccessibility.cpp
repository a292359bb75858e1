#include "ui/bars/BarAccessibility.h"

#include <algorithm>
#include <cwctype>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/ApplicationMenu.h"
#include "ui/bars/BarAnimation.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"

DEFINE_CLASS(TdxBarAccessibilityHelper)
DEFINE_CLASS(TdxDockControlAccessibilityHelper)
DEFINE_CLASS(TCustomdxBarControlAccessibilityHelper)
DEFINE_CLASS(TdxBarControlAccessibilityHelper)
DEFINE_CLASS(TdxBarSubMenuControlAccessibilityHelper)
DEFINE_CLASS(TdxBarApplicationMenuControlAccessibilityHelper)
DEFINE_CLASS(TdxBarControlMarkAccessibilityHelper)
DEFINE_CLASS(TdxBarCaptionButtonsAccessibilityHelper)
DEFINE_CLASS(TdxBarCaptionButtonAccessibilityHelper)
DEFINE_CLASS(TdxBarItemControlAccessibilityHelper)
DEFINE_CLASS(TdxBarButtonLikeControlAccessibilityHelper)
DEFINE_CLASS(TdxBarButtonControlAccessibilityHelper)
DEFINE_CLASS(TdxBarSubItemControlAccessibilityHelper)
DEFINE_CLASS(TdxBarWinControlAccessibilityHelper)

namespace {

constexpr int kInvisible = STATE_SYSTEM_INVISIBLE;

TdxBarNavigationController* Nav() { return BarNavigationController(); }

// The shift state as the bar keyboard code reads it (through the replaceable key-state query).
TShiftState KeyboardShiftState() {
  TShiftState shift;
  const std::pair<int, TShiftStateItem> keys[] = {{VK_SHIFT, ssShift},   {VK_CONTROL, ssCtrl},  {VK_MENU, ssAlt},
                                                  {VK_LBUTTON, ssLeft}, {VK_RBUTTON, ssRight}, {VK_MBUTTON, ssMiddle}};
  for (const auto& [key, item] : keys) {
    if (BarKeyDown(key)) shift.Include(item);
  }
  return shift;
}

TRect WindowRectOf(HWND Window) {
  RECT r{};
  if (Window) GetWindowRect(Window, &r);
  return r;
}

bool WindowShown(TWinControl* Control) {
  return Control && Control->HandleAllocated() && IsWindowVisible(Control->Handle());
}

TRect Offset(TRect R, const TPoint& By) {
  OffsetRect(&R, By.x, By.y);
  return R;
}

TdxBarAccessibilityHelper* HelperOfLink(TdxBarItemLink* Link) {
  TdxBarItemControl* control = Link ? Link->ItemControl() : nullptr;
  return control ? ItemControlAccessibilityHelper(control) : nullptr;
}

TdxBarItemLink* LinkOf(TdxBarItemControl* Control) { return Control ? Control->Link() : nullptr; }

// The number of a list's shown links that fit its window.
int FittingCount(TdxBarItemLinks* Links) { return Links ? Links->FittingShownCount() : 0; }

// A run of equal texts gets 1..n; a lone text that begins another one gets 1. True when anything changed.
bool UniqueKeyTipsPass(TdxBarKeyTipList& List) {
  bool changed = false;
  const size_t n = List.size();
  for (size_t i = 0; i < n; ++i) {
    const String text = List[i]->Info.KeyTip;
    std::vector<size_t> group;
    for (size_t j = 0; j < n; ++j) {
      if (List[j]->Info.KeyTip == text) group.push_back(j);
    }
    if (group.size() > 1) {
      const int digits = int(std::to_wstring(group.size()).size());
      for (size_t k = 0; k < group.size(); ++k) {
        String suffix = std::to_wstring(k + 1);
        suffix.insert(0, size_t(digits) - suffix.size(), L'0');
        List[group[k]]->Info.KeyTip += suffix;
      }
      changed = true;
      continue;
    }
    for (size_t j = 0; j < n; ++j) {
      const String& other = List[j]->Info.KeyTip;
      if (j != i && other.size() > text.size() && other.compare(0, text.size(), text) == 0) {
        List[i]->Info.KeyTip += L"1";
        changed = true;
        break;
      }
    }
  }
  return changed;
}

}  // namespace

// ---- owners' side ---------------------------------------------------------------------------------

TdxBarAccessibilityHelper* EnsureBarAccessibilityHelper(TdxBarAccessibilityHelper*& Slot,
                                                        TdxBarAccessibilityHelperClass Class, TObject* Owner) {
  if (!Slot && Class) {
    Slot = Class->Create(Owner);
    Slot->_AddRef();
  }
  return Slot;
}

void DetachAccessibilityHelper(TdxBarAccessibilityHelper*& Slot) {
  TdxBarAccessibilityHelper* helper = std::exchange(Slot, nullptr);
  if (!helper) return;
  helper->MarkOwnerDestroyed();
  if (TdxBarNavigationController* nav = Nav()) nav->UnassignObject(helper);
  helper->_Release();
}

TdxBarAccessibilityHelper* QueryBarAccessibilityHelper(IdxBarAccessibilityHelper* Helper) {
  return dynamic_cast<TdxBarAccessibilityHelper*>(Helper);
}

TdxBarAccessibilityHelper* KeyTipContainerOf(TdxBarAccessibilityHelper* Helper) {
  TdxBarAccessibilityHelper* parent = Helper ? Helper->KeyTipParent() : nullptr;
  while (parent && !parent->IsKeyTipContainer()) {
    TdxBarAccessibilityHelper* next = parent->KeyTipParent();
    if (!next) break;
    parent = next;
  }
  return parent;
}

TdxBarAccessibilityHelper* BarWindowAccessibilityHelper(TCustomdxBarControl* Window) {
  return IsLiveBarControl(Window) ? Window->AccessibilityHelper() : nullptr;
}

TdxBarAccessibilityHelper* ItemControlAccessibilityHelper(TdxBarItemControl* Control) {
  return Control ? Control->AccessibilityHelper() : nullptr;
}

IdxBarAccessibilityHelper* RootAccessibilityHelperOf(TdxBarManager* Manager) {
  TdxBar* main = Manager ? Manager->MainMenuBar() : nullptr;
  TdxBarControl* window = main && main->Visible() ? main->Control() : nullptr;
  if (!WindowShown(window)) return nullptr;
  return BarWindowAccessibilityHelper(window);
}

// The classes each owner names.
const TdxBarAccessibilityHelperMetaClass* TCustomdxBarControl::AccessibilityHelperClass() {
  return &TCustomdxBarControlAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TCustomdxBarControl::AccessibilityHelper() {
  return EnsureBarAccessibilityHelper(accessibilityHelper_, AccessibilityHelperClass(), this);
}
const TdxBarAccessibilityHelperMetaClass* TdxBarControl::AccessibilityHelperClass() {
  return &TdxBarControlAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TdxBarControl::MarkAccessibilityHelper() {
  return EnsureBarAccessibilityHelper(markAccessibilityHelper_, &TdxBarControlMarkAccessibilityHelper::ClassInfo(),
                                      this);
}
const TdxBarAccessibilityHelperMetaClass* TdxBarSubMenuControl::AccessibilityHelperClass() {
  return &TdxBarSubMenuControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxBarApplicationMenuControl::AccessibilityHelperClass() {
  return &TdxBarApplicationMenuControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxDockControl::AccessibilityHelperClass() {
  return &TdxDockControlAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TdxDockControl::AccessibilityHelper() {
  return EnsureBarAccessibilityHelper(accessibilityHelper_, AccessibilityHelperClass(), this);
}
const TdxBarAccessibilityHelperMetaClass* TdxBarItemControl::AccessibilityHelperClass() {
  return &TdxBarItemControlAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TdxBarItemControl::AccessibilityHelper() {
  return EnsureBarAccessibilityHelper(accessibilityHelper_, AccessibilityHelperClass(), this);
}
const TdxBarAccessibilityHelperMetaClass* TdxBarButtonLikeControl::AccessibilityHelperClass() {
  return &TdxBarButtonLikeControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxBarButtonControl::AccessibilityHelperClass() {
  return &TdxBarButtonControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxBarSubItemControl::AccessibilityHelperClass() {
  return &TdxBarSubItemControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxBarWinControl::AccessibilityHelperClass() {
  return &TdxBarWinControlAccessibilityHelper::ClassInfo();
}
const TdxBarAccessibilityHelperMetaClass* TdxBarCaptionButtons::AccessibilityHelperClass() {
  return &TdxBarCaptionButtonsAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TdxBarCaptionButtons::AccessibilityHelper() {
  return EnsureBarAccessibilityHelper(accessibilityHelper_, AccessibilityHelperClass(), this);
}
const TdxBarAccessibilityHelperMetaClass* TdxBarCaptionButton::AccessibilityHelperClass() {
  return &TdxBarCaptionButtonAccessibilityHelper::ClassInfo();
}
TdxBarAccessibilityHelper* TdxBarCaptionButton::AccessibilityHelper() {
  return EnsureBarAccessibilityHelper(accessibilityHelper_, AccessibilityHelperClass(), this);
}

// ---- the base -------------------------------------------------------------------------------------

void TdxBarAccessibilityHelper::RaiseUnanswered(const wchar_t* Operation) {
  throw EdxBarAccessibilityError(ClassName() + L"." + Operation + L" is not implemented");
}

IdxBarKeyTipWindowsManager* TdxBarAccessibilityHelper::KeyTipsSupported() {
  TdxBarAccessibilityHelper* parent = KeyTipParent();
  return parent ? parent->KeyTipsSupported() : nullptr;
}

bool TdxBarAccessibilityHelper::ChildrenNavigable(Word) { return true; }
TdxBarManager* TdxBarAccessibilityHelper::BarManager() { RaiseUnanswered(L"BarManager"); }
IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::DefaultSelectableObject() {
  RaiseUnanswered(L"DefaultSelectableObject");
}
String TdxBarAccessibilityHelper::ExplicitKeyTip() { RaiseUnanswered(L"ExplicitKeyTip"); }
String TdxBarAccessibilityHelper::DefaultKeyTip() { RaiseUnanswered(L"DefaultKeyTip"); }

bool TdxBarAccessibilityHelper::ProcessNavigationKey(Word) { return false; }
bool TdxBarAccessibilityHelper::WantsKey(Word) { return false; }

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::ChildAsBarHelper(int Index) {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ChildAt(Index));
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::ParentAsBarHelper() {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ParentHelper());
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::RootAsBarHelper() {
  return dynamic_cast<TdxBarAccessibilityHelper*>(RootHelper());
}

bool TdxBarAccessibilityHelper::HoldsSelection() {
  TdxBarNavigationController* nav = Nav();
  return nav && nav->StoredSelected() == this;
}

bool LiesInDirection(const TRect& R, const TRect& B, int Direction, bool RequireOverlap) {
  const bool vertical = Direction == bndUp || Direction == bndDown;
  const bool horizontal = Direction == bndLeft || Direction == bndRight;
  if (RequireOverlap) {
    if (vertical && !(R.left < B.right && B.left < R.right)) return false;
    if (horizontal && !(R.top < B.bottom && B.top < R.bottom)) return false;
  }
  if (Direction == bndUp) return R.top >= B.bottom;
  if (Direction == bndDown) return B.top >= R.bottom;
  if (horizontal) return !(B.left == R.left && B.right == R.right);
  return true;
}

void TdxBarAccessibilityHelper::CollectCandidates(TdxBarAccessibilityHelper* Start, TdxBarAccessibilityHelper* Node,
                                                  std::vector<TdxBarAccessibilityHelper*>& List, bool RequireOverlap,
                                                  int Direction, const TRect& R) {
  if (!Node || !Node->IsVisible()) return;
  if (Node != Start && Node->IsNavigable() &&
      LiesInDirection(R, Node->OwnScreenBounds(), Direction, RequireOverlap))
    List.push_back(Node);
  for (int i = 0; i < Node->ChildCount(); ++i)
    CollectCandidates(Start, Node->ChildAsBarHelper(i), List, RequireOverlap, Direction, R);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NearestInSubtree(TdxBarAccessibilityHelper* Start,
                                                                       TdxBarAccessibilityHelper* Node, int Direction,
                                                                       const TRect& R, bool Wrap) {
  std::vector<TdxBarAccessibilityHelper*> candidates;
  CollectCandidates(Start, Node, candidates, true, Direction, R);
  if (candidates.empty()) return nullptr;
  std::vector<TRect> bounds;
  bounds.reserve(candidates.size());
  for (TdxBarAccessibilityHelper* c : candidates) bounds.push_back(c->OwnScreenBounds());
  const int index = NearestHelperInDirection(R, bounds, Direction, Wrap);
  return index >= 0 ? candidates[size_t(index)] : nullptr;
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNextInDirection(int Direction) {
  return NearestInSubtree(this, RootAsBarHelper(), Direction, OwnScreenBounds(), true);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NavigableInside(bool Forward) {
  const int count = NavigationChildCount();
  for (int k = 0; k < count; ++k) {
    TdxBarAccessibilityHelper* child = NavigationChildAt(Forward ? k : count - 1 - k);
    if (!child || !child->IsVisible()) continue;
    if (child->IsNavigable()) return child;
    if (TdxBarAccessibilityHelper* inner = child->NavigableInside(Forward)) return inner;
  }
  return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NextNavigableInOrder(int Index, bool Forward) {
  const int count = NavigationChildCount();
  for (int i = Index + (Forward ? 1 : -1); i >= 0 && i < count; i += Forward ? 1 : -1) {
    TdxBarAccessibilityHelper* child = NavigationChildAt(i);
    if (!child || !child->IsVisible()) continue;
    if (child->IsNavigable()) return child;
    if (TdxBarAccessibilityHelper* inner = child->NavigableInside(Forward)) return inner;
  }
  if (TdxBarAccessibilityHelper* parent = ParentAsBarHelper()) {
    const int own = parent->NavigationIndexOf(this);
    if (own >= 0) return parent->NextNavigableInOrder(own, Forward);
  }
  // Past the end of the whole tree: again from the root's other end.
  return NavigableInside(Forward);
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::SiblingInDirection(bool Forward) {
  TdxBarAccessibilityHelper* parent = ParentAsBarHelper();
  return parent ? parent->NextNavigableInOrder(parent->NavigationIndexOf(this), Forward) : nullptr;
}

void TdxBarAccessibilityHelper::TakeSelection(int) {
  if (TdxBarNavigationController* nav = Nav()) nav->SetSelected(this, ParentAsBarHelper());
}

void TdxBarAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper*) {
  TdxBarNavigationController* nav = Nav();
  if (nav && nav->StoredSelected() == this) nav->SetSelected(nullptr, nullptr);
}

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FirstSelectableInTree() {
  if (!IsVisible()) return nullptr;
  if (IsNavigable()) return this;
  for (int i = 0; i < ChildCount(); ++i) {
    TdxBarAccessibilityHelper* child = ChildAsBarHelper(i);
    if (IdxBarAccessibilityHelper* found = child ? child->FirstSelectableInTree() : nullptr) return found;
  }
  return nullptr;
}

String TdxBarAccessibilityHelper::KeyTipText() { 
  String text = ExplicitKeyTip();
  if (text.empty()) text = DefaultKeyTip();
  return text.substr(0, 3);
}

void TdxBarAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  Info = TdxBarKeyTipInfo{};
  Info.KeyTip = KeyTipText();
  Info.Visible = IsVisible();
  Info.OnExecute = [this] { KeyTipActivated(); };
}

std::unique_ptr<TdxBarKeyTipData> TdxBarAccessibilityHelper::CreateKeyTipData() {
  TdxBarKeyTipInfo info;
  FillKeyTipInfo(info);
  return std::make_unique<TdxBarKeyTipData>(info);
}

void TdxBarAccessibilityHelper::AddChildKeyTips(TdxBarKeyTipList& List) {
  if (!IsVisible()) return;
  for (int i = 0; i < ChildCount(); ++i) {
    TdxBarAccessibilityHelper* child = ChildAsBarHelper(i);
    if (!child) continue;
    if (child->IsNavigable())
      child->AddOwnKeyTip(List);
    else
      child->AddChildKeyTips(List);
  }
}

void MakeKeyTipsUnique(TdxBarKeyTipList& List) {
  while (UniqueKeyTipsPass(List)) {
  }
}

void TdxBarAccessibilityHelper::CollectKeyTips(TdxBarKeyTipList& List) {
  AddChildKeyTips(List);
  MakeKeyTipsUnique(List);
}

void TdxBarAccessibilityHelper::ReturnToParentKeyTips() {
  TdxBarNavigationController* nav = Nav();
  if (!nav) return;
  if (TdxBarAccessibilityHelper* container = KeyTipContainerOf(this)) {
    nav->SetKeyTipsContainer(container, String());
    nav->ChangeSelectedObject(1, this, nullptr);
  } else {
    nav->StopKeyboardHandling();
  }
}

// ---- docks --------------------------------------------------------------------------------------

TdxDockControl* TdxDockControlAccessibilityHelper::DockControl() {
  return IsOwnerObjectLive() ? static_cast<TdxDockControl*>(OwnerObject()) : nullptr;
}

TdxBarManager* TdxDockControlAccessibilityHelper::BarManager() {
  TdxDockControl* dock = DockControl();
  return dock ? dock->BarManager() : nullptr;
}

TcxAccessibilityHelper* TdxDockControlAccessibilityHelper::ChildAt(int Index) {
  TdxDockControl* dock = DockControl();
  for (int r = 0; dock && r < dock->RowCount(); ++r) {
    TdxDockRow* row = dock->RowAt(r);
    if (Index < row->ColumnCount()) return BarWindowAccessibilityHelper(row->ColumnAt(Index)->BarControl);
    Index -= row->ColumnCount();
  }
  throw EcxAccessibilityInvalidChild(L"The dock site has no such toolbar");
}

int TdxDockControlAccessibilityHelper::ChildCount() {
  TdxDockControl* dock = DockControl();
  int count = 0;
  for (int r = 0; dock && r < dock->RowCount(); ++r) count += dock->RowAt(r)->ColumnCount();
  return count;
}

int TdxDockControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  TdxDockControl* dock = DockControl();
  int index = 0;
  for (int r = 0; dock && r < dock->RowCount(); ++r) {
    TdxDockRow* row = dock->RowAt(r);
    for (int c = 0; c < row->ColumnCount(); ++c, ++index) {
      if (BarWindowAccessibilityHelper(row->ColumnAt(c)->BarControl) == Child) return index;
    }
  }
  return -1;
}

HWND TdxDockControlAccessibilityHelper::OwnerWindow() {
  TdxDockControl* dock = DockControl();
  return dock && dock->HandleAllocated() ? dock->Handle() : nullptr;
}

TRect TdxDockControlAccessibilityHelper::ScreenBounds(int) {
  return IsVisible() ? WindowRectOf(OwnerWindow()) : TRect{};
}

int TdxDockControlAccessibilityHelper::StateFlags(int) { return WindowShown(DockControl()) ? 0 : kInvisible; }

// ---- bar windows ----------------------------------------------------------------------------------

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::BarWindow() {
  return IsOwnerObjectLive() ? static_cast<TCustomdxBarControl*>(OwnerObject()) : nullptr;
}

TdxBarManager* TCustomdxBarControlAccessibilityHelper::BarManager() {
  TCustomdxBarControl* window = BarWindow();
  return window ? window->OwningBarManager() : nullptr;
}

int TCustomdxBarControlAccessibilityHelper::ItemControlCount() {
  TCustomdxBarControl* window = BarWindow();
  return window ? window->ViewInfo()->ItemInfoCount() : 0;
}

TdxBarItemControl* TCustomdxBarControlAccessibilityHelper::ItemControlAt(int Index) {
  TCustomdxBarControl* window = BarWindow();
  if (!window || Index < 0 || Index >= window->ViewInfo()->ItemInfoCount()) return nullptr;
  return window->ViewInfo()->ItemInfoAt(Index)->Control();
}

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::ChildAt(int Index) {
  TdxBarItemControl* control = ItemControlAt(Index);
  if (!control) throw EcxAccessibilityInvalidChild(L"The bar window has no such item control");
  return ItemControlAccessibilityHelper(control);
}

int TCustomdxBarControlAccessibilityHelper::ChildCount() { return ItemControlCount(); }

int TCustomdxBarControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  auto* item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(Child);
  TdxBarItemControl* control = item ? item->ItemControl() : nullptr;
  TCustomdxBarControl* window = BarWindow();
  return control && window ? window->ViewInfo()->ItemControlIndex(control) : -1;
}

bool TCustomdxBarControlAccessibilityHelper::ChildrenNavigable(Word) {
  TCustomdxBarControl* window = BarWindow();
  TdxBarItemControl* selected = window ? window->SelectedItemControl() : nullptr;
  return !(selected && selected->IsWindowedControl() && selected->IsEditing());
}

HWND TCustomdxBarControlAccessibilityHelper::OwnerWindow() {
  TCustomdxBarControl* window = BarWindow();
  return window && window->HandleAllocated() ? window->Handle() : nullptr;
}

TRect TCustomdxBarControlAccessibilityHelper::ScreenBounds(int) {
  return IsVisible() ? WindowRectOf(OwnerWindow()) : TRect{};
}

int TCustomdxBarControlAccessibilityHelper::StateFlags(int) { return WindowShown(BarWindow()) ? 0 : kInvisible; }

TCustomdxBarControlAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::OpenChildrenPopup() {
  RaiseUnanswered(L"OpenChildrenPopup");
}

void TCustomdxBarControlAccessibilityHelper::ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point,
                                                                Byte& VertAlign, Byte& HorzAlign) {
  TdxBarAccessibilityHelper* helper = ItemControlAccessibilityHelper(Child);
  const TRect r = helper ? helper->OwnScreenBounds() : TRect{};
  Point = TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  VertAlign = 2;
  HorzAlign = 2;
}

TdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::NearestChildInDirection(TdxBarItemControl* Child,
                                                                                          int Direction) {
  TdxBarAccessibilityHelper* start = ItemControlAccessibilityHelper(Child);
  if (!start) return nullptr;
  return NearestInSubtree(start, this, Direction, start->OwnScreenBounds(), false);
}

void TCustomdxBarControlAccessibilityHelper::ReleaseChildSelection() {
  TCustomdxBarControl* window = BarWindow();
  if (!window) return;
  if (window->IsKeyboardFocusedBar())
    window->ReleaseKeyboardFocus();
  else
    window->SetSelected(nullptr);
}

// ---- toolbar windows ------------------------------------------------------------------------------

TdxBarControl* TdxBarControlAccessibilityHelper::Toolbar() { return static_cast<TdxBarControl*>(BarWindow()); }

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ChildAt(int Index) {
  if (Index == ItemControlCount()) {
    TdxBarControl* toolbar = Toolbar();
    TdxBarCaptionButtons* buttons = toolbar && toolbar->Bar() ? toolbar->Bar()->CaptionButtons() : nullptr;
    if (buttons) return buttons->AccessibilityHelper();
  }
  return TCustomdxBarControlAccessibilityHelper::ChildAt(Index);
}

int TdxBarControlAccessibilityHelper::ChildCount() {
  TdxBarControl* toolbar = Toolbar();
  const bool group = toolbar && toolbar->Bar() && toolbar->Bar()->CaptionButtons();
  return ItemControlCount() + (group ? 1 : 0);
}

int TdxBarControlAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  if (dynamic_cast<TdxBarCaptionButtonsAccessibilityHelper*>(Child)) return ItemControlCount();
  return TCustomdxBarControlAccessibilityHelper::IndexOfChild(Child);
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  TdxDockControl* dock = toolbar && toolbar->IsDocked() ? toolbar->DockControl() : nullptr;
  return dock ? dock->AccessibilityHelper() : nullptr;
}

bool TdxBarControlAccessibilityHelper::ProcessNavigationKey(Word Key) {
  if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar) return false;
  Word turned = Key;
  if (toolbar->IsVertical()) {
    static const Word kTurn[4] = {VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT};
    if (Key >= VK_LEFT && Key <= VK_DOWN) turned = kTurn[Key - VK_LEFT];
  }
  return toolbar->SelectedControlTakesKey(turned);
}

void TdxBarControlAccessibilityHelper::TakeSelection(int) {
  // The toolbar becomes active with its first selectable control selected, so Alt on the main menu
  // shows where the arrows start.
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar) return;
  TdxBarItemLinks* links = toolbar->ItemLinks();
  TdxBarItemLink* first = links ? links->FirstSelectableShown() : nullptr;
  toolbar->SelectAndActivate(first ? first->ItemControl() : nullptr);
}

void TdxBarControlAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) {
  TCustomdxBarControlAccessibilityHelper::ReleaseSelection(NewSelection);
  if (TdxBarControl* toolbar = Toolbar()) toolbar->GuardedClose();
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::NearestChildInDirection(TdxBarItemControl* Child,
                                                                                    int Direction) {
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar) return nullptr;
  if (toolbar->IsVertical()) Direction ^= 1;
  if (Direction == bndLeft || Direction == bndRight) {
    TdxBarItemLinks* links = toolbar->ItemLinks();
    TdxBarItemLink* link = LinkOf(Child);
    if (!links || !link) return nullptr;
    return HelperOfLink(Direction == bndLeft ? links->PriorShownLink(link, false) : links->NextShownLink(link, false));
  }
  return TCustomdxBarControlAccessibilityHelper::NearestChildInDirection(Child, Direction);
}

// A plain toolbar hangs the tip on the button's middle, as it does its items' tips.
void TdxBarControlAccessibilityHelper::CaptionButtonKeyTipPosition(TdxBarCaptionButton* Button, int& Y,
                                                                   Byte& VertAlign) {
  TdxBarAccessibilityHelper* helper = Button ? Button->AccessibilityHelper() : nullptr;
  const TRect r = helper ? helper->OwnScreenBounds() : TRect{};
  Y = (r.top + r.bottom) / 2;
  VertAlign = 2;
}

// ---- menu windows -----------------------------------------------------------------------------------

TdxBarSubMenuControl* TdxBarSubMenuControlAccessibilityHelper::Menu() {
  return static_cast<TdxBarSubMenuControl*>(BarWindow());
}

TdxBarManager* TdxBarSubMenuControlAccessibilityHelper::BarManager() {
  TdxBarSubMenuControl* menu = Menu();
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  TdxBarManager* manager = links ? links->BarManager() : nullptr;
  return manager ? manager : TCustomdxBarControlAccessibilityHelper::BarManager();
}

void TdxBarSubMenuControlAccessibilityHelper::ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point,
                                                                 Byte& VertAlign, Byte& HorzAlign) {
  TdxBarSubMenuControl* menu = Menu();
  TdxBarAccessibilityHelper* helper = ItemControlAccessibilityHelper(Child);
  if (!menu || !helper || !menu->HandleAllocated()) return;
  const TRect r = helper->OwnScreenBounds();
  const TPoint origin = menu->ClientToScreen(TPoint{0, 0});
  Point = TPoint{origin.x + menu->OwnerBarRect().right + menu->ImageColumnWidth() / 2, (r.top + r.bottom) / 2};
  VertAlign = 1;
  HorzAlign = 1;
}

TdxBarAccessibilityHelper* TdxBarSubMenuControlAccessibilityHelper::KeyTipParent() {
  TdxBarSubMenuControl* menu = Menu();
  TCustomdxBarControl* parent = menu ? menu->ParentBar() : nullptr;
  TdxBarItemControl* opener = IsLiveBarControl(parent) ? parent->SelectedItemControl() : nullptr;
  return opener ? ItemControlAccessibilityHelper(opener) : nullptr;
}

void TdxBarSubMenuControlAccessibilityHelper::ReturnToParentKeyTips() {
  TdxBarAccessibilityHelper* parent = KeyTipParent();
  TdxBarAccessibilityHelper* container = KeyTipContainerOf(parent);
  if (!container) container = parent;
  if (TdxBarSubMenuControl* menu = Menu(); menu && menu->HandleAllocated())
    SendMessageW(menu->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  if (TdxBarNavigationController* nav = Nav()) nav->SetKeyTipsContainer(container, String());
}

void TdxBarSubMenuControlAccessibilityHelper::ReleaseChildSelection() {
  if (TdxBarSubMenuControl* menu = Menu()) menu->SetSelected(nullptr);
}

TdxBarItemLink* TdxBarSubMenuControlAccessibilityHelper::AdjacentLink(TdxBarItemLink* Link, bool Forward) {
  TdxBarSubMenuControl* menu = Menu();
  TdxBarItemLinks* links = menu ? menu->ItemLinks() : nullptr;
  if (!links) return nullptr;
  if (!Link) return FittingCount(links) > 0 ? links->FirstSelectableShown() : nullptr;
  return Forward ? links->NextShownLink(Link, false) : links->PriorShownLink(Link, false);
}

void TdxBarSubMenuControlAccessibilityHelper::MoveSelectionVertically(bool Up, bool ByTab) {
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return;
  TdxBarItemLink* selected = menu->SelectedLink();
  TdxBarItemLink* next = AdjacentLink(selected, !Up);
  TdxBarAccessibilityHelper* target = HelperOfLink(next);
  if (!target) return;
  if (TdxBarAccessibilityHelper* old = HelperOfLink(selected)) old->ReleaseSelection(target);
  target->TakeSelection(ByTab ? 1 : 0);
}

void TdxBarSubMenuControlAccessibilityHelper::MoveSelectionHorizontally(bool Left) {
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return;
  if (TdxBarAccessibilityHelper* current = HelperOfLink(menu->SelectedLink())) {
    auto* next = QueryBarAccessibilityHelper(current->FindNextInDirection(Left ? bndLeft : bndRight));
    if (next && next != current) {
      current->ReleaseSelection(next);
      next->TakeSelection(0);
      return;
    }
  }
  TdxBarNavigationController* nav = Nav();
  auto handOver = [&](TCustomdxBarControl* Toolbar, Word Key) {
    if (!nav || !IsLiveBarControl(Toolbar) || (Toolbar->FeatureFlags() & bfSelectClearsDowned)) return;
    nav->HandleKey(Key, BarWindowAccessibilityHelper(Toolbar),
                   ItemControlAccessibilityHelper(Toolbar->SelectedItemControl()));
  };
  if (!Left) {
    handOver(TopToolbarOfChain(menu), VK_RIGHT);
    return;
  }
  TCustomdxBarControl* parent = menu->ParentBar();
  TdxBarItemControl* opener = IsLiveBarControl(parent) ? parent->SelectedItemControl() : nullptr;
  if (!opener) return;
  if (dynamic_cast<TdxBarSubMenuControl*>(parent)) {
    opener->Deactivate(true);
    return;
  }
  TCustomdxBarControl* toolbar = TopToolbarOfChain(menu);
  if (!toolbar) return;
  if (toolbar->IsVertical()) {
    SendMessageW(menu->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  handOver(toolbar, VK_LEFT);
}

bool TdxBarSubMenuControlAccessibilityHelper::ProcessNavigationKey(Word Key) {
  if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TdxBarSubMenuControl* menu = Menu();
  if (!menu) return false;
  if (menu->AnimationWorker) StopAnimationWorker(menu->AnimationWorker);
  if (!IsLiveBarControl(menu)) return true;
  const TShiftState shift = KeyboardShiftState();
  if (menu->ShowsMark()) {
    TdxBarItemLink* selected = menu->SelectedLink();
    TdxBarItemLinks* links = menu->ItemLinks();
    const bool onLast = selected && links && selected->ShownIndex() + 1 == links->ShownLinkCount();
    if (Key == VK_DOWN && shift == TShiftState{ssCtrl}) {
      menu->SetMarkState(2);
      return true;
    }
    if ((Key == VK_DOWN || (Key == VK_TAB && shift.Empty())) && onLast) {
      menu->SetMarkState(2);
      return ProcessNavigationKey(VK_DOWN);
    }
  }
  bool byTab = false;
  if (Key == VK_TAB) {
    byTab = true;
    Key = shift.Empty() ? VK_DOWN : VK_UP;
  }
  if (menu->SelectedControlTakesKey(Key)) return true;
  if (Key == VK_LEFT || Key == VK_RIGHT)
    MoveSelectionHorizontally(Key == VK_LEFT);
  else if (Key == VK_UP || Key == VK_DOWN)
    MoveSelectionVertically(Key == VK_UP, byTab);
  return true;
}

// ---- the application menu ---------------------------------------------------------------------------

TdxBarApplicationMenuControl* TdxBarApplicationMenuControlAccessibilityHelper::ApplicationMenuWindow() {
  return static_cast<TdxBarApplicationMenuControl*>(BarWindow());
}

std::vector<TdxBarItemLinks*> TdxBarApplicationMenuControlAccessibilityHelper::LinkListsInOrder() {
  std::vector<TdxBarItemLinks*> lists;
  TdxBarApplicationMenuControl* menu = ApplicationMenuWindow();
  if (!menu) return lists;
  if (FittingCount(menu->ItemLinks()) > 0) lists.push_back(menu->ItemLinks());
  if (FittingCount(menu->ButtonLinks()) > 0) lists.push_back(menu->ButtonLinks());
  return lists;
}

TdxBarItemLinks* TdxBarApplicationMenuControlAccessibilityHelper::NextLinkList(TdxBarItemLinks* Links) {
  const std::vector<TdxBarItemLinks*> lists = LinkListsInOrder();
  if (lists.empty()) return nullptr;
  auto it = std::find(lists.begin(), lists.end(), Links);
  if (it == lists.end() || ++it == lists.end()) return lists.front();
  return *it;
}

TdxBarItemLinks* TdxBarApplicationMenuControlAccessibilityHelper::PriorLinkList(TdxBarItemLinks* Links) {
  const std::vector<TdxBarItemLinks*> lists = LinkListsInOrder();
  if (lists.empty()) return nullptr;
  auto it = std::find(lists.begin(), lists.end(), Links);
  if (it == lists.end()) return lists.front();
  return it == lists.begin() ? lists.back() : *(it - 1);
}

TdxBarItemLink* TdxBarApplicationMenuControlAccessibilityHelper::AdjacentLinkAcrossLists(TdxBarItemLinks* Links,
                                                                                        TdxBarItemLink* Link,
                                                                                        int FirstIndex, bool Backward) {
  if (!Links || !Link) return nullptr;
  if (Backward) {
    if (Link->ShownIndex() == FirstIndex) {
      TdxBarItemLinks* prior = PriorLinkList(Links);
      return prior ? prior->LastSelectableShown() : nullptr;
    }
    return Links->PriorShownLink(Link, false);
  }
  if (Link->ShownIndex() + 1 == FittingCount(Links)) {
    TdxBarItemLinks* next = NextLinkList(Links);
    return next ? next->FirstSelectableShown() : nullptr;
  }
  return Links->NextShownLink(Link, false);
}

TdxBarItemLink* TdxBarApplicationMenuControlAccessibilityHelper::AdjacentLink(TdxBarItemLink* Link, bool Forward) {
  TdxBarApplicationMenuControl* menu = ApplicationMenuWindow();
  if (!Link || !menu) return TdxBarSubMenuControlAccessibilityHelper::AdjacentLink(Link, Forward);
  TdxBarItemLinks* buttons = menu->ButtonLinks();
  TdxBarItemLinks* links = buttons && buttons->IndexOfLink(Link) >= 0 ? buttons : menu->ItemLinks();
  return AdjacentLinkAcrossLists(links, Link, 0, !Forward);
}

TdxBarAccessibilityHelper* TdxBarApplicationMenuControlAccessibilityHelper::NearestChildInDirection(
    TdxBarItemControl* Child, int Direction) {
  TdxBarApplicationMenuControl* menu = ApplicationMenuWindow();
  TdxBarAccessibilityHelper* start = ItemControlAccessibilityHelper(Child);
  if (!menu || !start) return nullptr;
  if (Direction == bndUp || Direction == bndDown) {
    TdxBarItemLinks* links = menu->ItemLinks();
    return HelperOfLink(links ? links->FirstSelectableShown() : nullptr);
  }
  TRect r = start->OwnScreenBounds();
  TdxBarItemLinks* items = menu->ItemLinks();
  if (items && items->IndexOfLink(LinkOf(Child)) >= 0 && menu->HandleAllocated()) {
    // An item of the left column searches the whole height of the content for its neighbours.
    TRect content = menu->ClientRect();
    TRect margins;
    menu->ContentMargins(margins);
    content = TRect{content.left + margins.left, content.top + margins.top, content.right - margins.right,
                    content.bottom - margins.bottom};
    TRect own;
    menu->ItemControlRect(Child, own);
    own.top = menu->ItemsRect.top;
    own.bottom = content.bottom;
    r = TRect{menu->ClientToScreen(own.TopLeft()), menu->ClientToScreen(own.BottomRight())};
  }
  return NearestInSubtree(start, this, Direction, r, true);
}

void TdxBarApplicationMenuControlAccessibilityHelper::ChildKeyTipAnchor(TdxBarItemControl* Child, TPoint& Point,
                                                                         Byte& VertAlign, Byte& HorzAlign) {
  TdxBarApplicationMenuControl* menu = ApplicationMenuWindow();
  TdxBarItemLinks* buttons = menu ? menu->ButtonLinks() : nullptr;
  if (buttons && buttons->IndexOfLink(LinkOf(Child)) >= 0) {
    TCustomdxBarControlAccessibilityHelper::ChildKeyTipAnchor(Child, Point, VertAlign, HorzAlign);
    VertAlign = 1;
    return;
  }
  TdxBarSubMenuControlAccessibilityHelper::ChildKeyTipAnchor(Child, Point, VertAlign, HorzAlign);
}

TdxBarAccessibilityHelper* TdxBarApplicationMenuControlAccessibilityHelper::KeyTipParent() {
  TdxBarApplicationMenuControl* menu = ApplicationMenuWindow();
  auto* owner = dynamic_cast<IdxBarApplicationMenuOwner*>(menu ? menu->OwnerControl() : nullptr);
  return owner ? owner->ApplicationMenuKeyTipParent() : nullptr;
}

// ---- the toolbar's mark -----------------------------------------------------------------------------

TdxBarControl* TdxBarControlMarkAccessibilityHelper::Toolbar() {
  return IsOwnerObjectLive() ? static_cast<TdxBarControl*>(OwnerObject()) : nullptr;
}

TdxBarManager* TdxBarControlMarkAccessibilityHelper::BarManager() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? toolbar->OwningBarManager() : nullptr;
}

HWND TdxBarControlMarkAccessibilityHelper::OwnerWindow() {
  TcxAccessibilityHelper* parent = ParentHelper();
  return parent ? parent->OwnerWindow() : nullptr;
}

TcxAccessibilityHelper* TdxBarControlMarkAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? toolbar->AccessibilityHelper() : nullptr;
}

TRect TdxBarControlMarkAccessibilityHelper::ScreenBounds(int) {
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar || !IsVisible() || !toolbar->HandleAllocated()) return {};
  TRect r;
  toolbar->MarkRect(r);
  return TRect{toolbar->ClientToScreen(r.TopLeft()), toolbar->ClientToScreen(r.BottomRight())};
}

int TdxBarControlMarkAccessibilityHelper::StateFlags(int) {
  TdxBarControl* toolbar = Toolbar();
  TcxAccessibilityHelper* parent = ParentHelper();
  if (!toolbar || !parent) return kInvisible;
  int flags = parent->StateFlags(cxAccessibleObjectSelfID);
  TRect r;
  toolbar->MarkRect(r);
  if (!toolbar->ShowsMark() || r.IsEmpty()) flags |= kInvisible;
  return flags;
}

bool TdxBarControlMarkAccessibilityHelper::WantsKey(Word Key) {
  return TdxBarAccessibilityHelper::WantsKey(Key) || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE;
}

bool TdxBarControlMarkAccessibilityHelper::ProcessNavigationKey(Word Key) {
  if (TdxBarAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  if (Key != VK_RETURN && Key != VK_SPACE) return false;
  OpenMarkDropDown();
  return true;
}

void TdxBarControlMarkAccessibilityHelper::OpenMarkDropDown() {
  ReleaseSelection(nullptr);
  if (TdxBarControl* toolbar = Toolbar()) toolbar->SetMarkState(2);
}

void TdxBarControlMarkAccessibilityHelper::InvalidateMark() {
  TdxBarControl* toolbar = Toolbar();
  if (toolbar && toolbar->HandleAllocated()) toolbar->RepaintWithFrame();
}

void TdxBarControlMarkAccessibilityHelper::TakeSelection(int Reason) {
  TdxBarAccessibilityHelper::TakeSelection(Reason);
  InvalidateMark();
}

void TdxBarControlMarkAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) {
  TdxBarAccessibilityHelper::ReleaseSelection(NewSelection);
  InvalidateMark();
}

void TdxBarControlMarkAccessibilityHelper::ReselectMarkIfNavigating(bool ClosedByEscape) {
  TdxBarNavigationController* nav = Nav();
  if (ClosedByEscape && nav && nav->NavigationMode()) TakeSelection(0);
}

// ---- caption buttons ---------------------------------------------------------------------------------

TdxBarCaptionButtons* TdxBarCaptionButtonsAccessibilityHelper::Buttons() {
  return IsOwnerObjectLive() ? static_cast<TdxBarCaptionButtons*>(OwnerObject()) : nullptr;
}

TdxBarControl* TdxBarCaptionButtonsAccessibilityHelper::Toolbar() {
  TdxBarCaptionButtons* buttons = Buttons();
  TdxBarControl* toolbar = buttons && buttons->Bar() ? buttons->Bar()->Control() : nullptr;
  return IsLiveBarControl(toolbar) ? toolbar : nullptr;
}

TdxBarManager* TdxBarCaptionButtonsAccessibilityHelper::BarManager() {
  TdxBarCaptionButtons* buttons = Buttons();
  return buttons && buttons->Bar() ? buttons->Bar()->BarManager() : nullptr;
}

HWND TdxBarCaptionButtonsAccessibilityHelper::OwnerWindow() {
  TcxAccessibilityHelper* parent = ParentHelper();
  return parent ? parent->OwnerWindow() : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ParentHelper() {
  TdxBarControl* toolbar = Toolbar();
  return toolbar ? toolbar->AccessibilityHelper() : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ChildAt(int Index) {
  TdxBarCaptionButtons* buttons = Buttons();
  if (!buttons || Index < 0 || Index >= buttons->Count())
    throw EcxAccessibilityInvalidChild(L"The toolbar has no such caption button");
  return buttons->ButtonAt(buttons->Count() - Index - 1)->AccessibilityHelper();
}

int TdxBarCaptionButtonsAccessibilityHelper::ChildCount() {
  TdxBarCaptionButtons* buttons = Buttons();
  return buttons ? buttons->Count() : 0;
}

int TdxBarCaptionButtonsAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* Child) {
  TdxBarCaptionButtons* buttons = Buttons();
  for (int i = 0; buttons && i < buttons->Count(); ++i) {
    if (buttons->ButtonAt(i)->AccessibilityHelper() == Child) return buttons->Count() - i - 1;
  }
  return -1;
}

TRect TdxBarCaptionButtonsAccessibilityHelper::ScreenBounds(int) {
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar || !IsVisible()) return {};
  return Offset(Buttons()->ButtonsBounds(), toolbar->ScreenWindowRect().TopLeft());
}

int TdxBarCaptionButtonsAccessibilityHelper::StateFlags(int) {
  TdxBarCaptionButtons* buttons = Buttons();
  auto* parent = dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(ParentHelper());
  if (!buttons || !parent) return kInvisible;
  int flags = parent->StateFlags(cxAccessibleObjectSelfID);
  if (buttons->ButtonsBounds().IsEmpty() || parent->HidesChildren()) flags |= kInvisible;
  return flags;
}

void TdxBarCaptionButtonsAccessibilityHelper::UpdateCaptionButtonsHot() {
  TdxBarControl* toolbar = Toolbar();
  if (!toolbar) return;
  const TPoint origin = toolbar->ScreenWindowRect().TopLeft();
  const TPoint cursor = SafeCursorPos();
  Buttons()->UpdateHotStates(TPoint{cursor.x - origin.x, cursor.y - origin.y}, false);
}

void TdxBarCaptionButtonsAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) {
  TdxBarAccessibilityHelper::ReleaseSelection(NewSelection);
  UpdateCaptionButtonsHot();
}

TdxBarCaptionButton* TdxBarCaptionButtonAccessibilityHelper::Button() {
  return IsOwnerObjectLive() ? static_cast<TdxBarCaptionButton*>(OwnerObject()) : nullptr;
}

TdxBarCaptionButtonsAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::Group() {
  TdxBarCaptionButton* button = Button();
  auto* buttons = button ? dynamic_cast<TdxBarCaptionButtons*>(button->Collection()) : nullptr;
  return buttons ? static_cast<TdxBarCaptionButtonsAccessibilityHelper*>(buttons->AccessibilityHelper()) : nullptr;
}

TdxBarManager* TdxBarCaptionButtonAccessibilityHelper::BarManager() {
  TdxBarCaptionButtonsAccessibilityHelper* group = Group();
  return group ? group->BarManager() : nullptr;
}

HWND TdxBarCaptionButtonAccessibilityHelper::OwnerWindow() {
  TdxBarCaptionButtonsAccessibilityHelper* group = Group();
  return group ? group->OwnerWindow() : nullptr;
}

TcxAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::ParentHelper() { return Group(); }

TRect TdxBarCaptionButtonAccessibilityHelper::ScreenBounds(int) {
  TdxBarCaptionButtonsAccessibilityHelper* group = Group();
  TdxBarControl* toolbar = group ? group->Toolbar() : nullptr;
  if (!toolbar || !IsVisible()) return {};
  return Offset(Button()->Bounds, toolbar->ScreenWindowRect().TopLeft());
}

int TdxBarCaptionButtonAccessibilityHelper::StateFlags(int) {
  TdxBarCaptionButtonsAccessibilityHelper* group = Group();
  if (!group) return kInvisible;
  int flags = group->StateFlags(cxAccessibleObjectSelfID);
  if (!(flags & kInvisible) && Button()->Bounds.IsEmpty()) flags |= kInvisible;
  return flags;
}

bool TdxBarCaptionButtonAccessibilityHelper::WantsKey(Word Key) {
  return TdxBarAccessibilityHelper::WantsKey(Key) || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE;
}

void TdxBarCaptionButtonAccessibilityHelper::ClickCaptionButton() {
  TdxBarCaptionButton* button = Button();
  TdxBarCaptionButtonsAccessibilityHelper* group = Group();
  TdxBarControl* toolbar = group ? group->Toolbar() : nullptr;
  if (toolbar && button) toolbar->CaptionButtonClicked(button->Index());
}

bool TdxBarCaptionButtonAccessibilityHelper::ProcessNavigationKey(Word Key) {
  if (TdxBarAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  if (Key == VK_RETURN || Key == VK_SPACE) {
    ReleaseSelection(nullptr);
    ClickCaptionButton();
    return true;
  }
  if (Key == VK_ESCAPE) {
    ReleaseSelection(nullptr);
    TdxBarCaptionButtonsAccessibilityHelper* group = Group();
    if (TdxBarControl* toolbar = group ? group->Toolbar() : nullptr) toolbar->CloseByEscape();
    return true;
  }
  return false;
}

void TdxBarCaptionButtonAccessibilityHelper::TakeSelection(int Reason) {
  TdxBarAccessibilityHelper::TakeSelection(Reason);
  if (TdxBarCaptionButtonsAccessibilityHelper* group = Group()) group->UpdateCaptionButtonsHot();
}

void TdxBarCaptionButtonAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) {
  TdxBarAccessibilityHelper::ReleaseSelection(NewSelection);
  if (TdxBarCaptionButtonsAccessibilityHelper* group = Group()) group->UpdateCaptionButtonsHot();
}

String TdxBarCaptionButtonAccessibilityHelper::ExplicitKeyTip() {
  TdxBarCaptionButton* button = Button();
  return button ? button->KeyTip : String();
}

void TdxBarCaptionButtonAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  TdxBarAccessibilityHelper::FillKeyTipInfo(Info);
  TdxBarCaptionButton* button = Button();
  if (!button) return;
  if (Info.Visible) {
    const TRect r = OwnScreenBounds();
    Info.BasePoint.x = (r.left + r.right) / 2;
    Info.HorzAlign = 2;
    TdxBarCaptionButtonsAccessibilityHelper* group = Group();
    if (auto* bar = group ? dynamic_cast<TdxBarControlAccessibilityHelper*>(group->ParentHelper()) : nullptr) {
      int y = 0;
      bar->CaptionButtonKeyTipPosition(button, y, Info.VertAlign);
      Info.BasePoint.y = y;
    }
  }
  Info.Enabled = button->Enabled();
}

void TdxBarCaptionButtonAccessibilityHelper::KeyTipActivated() {
  if (TdxBarNavigationController* nav = Nav()) nav->StopKeyboardHandling();
  ClickCaptionButton();
}

// ---- item controls ------------------------------------------------------------------------------------

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::ItemControl() {
  return IsOwnerObjectLive() ? static_cast<TdxBarItemControl*>(OwnerObject()) : nullptr;
}

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::ParentBarHelper() {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* window = control ? control->BarControl() : nullptr;
  return static_cast<TCustomdxBarControlAccessibilityHelper*>(BarWindowAccessibilityHelper(window));
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::BarManager() {
  TdxBarItemControl* control = ItemControl();
  return control ? control->LinkedBarManager() : nullptr;
}

HWND TdxBarItemControlAccessibilityHelper::OwnerWindow() {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* window = control ? control->BarControl() : nullptr;
  return IsLiveBarControl(window) && window->HandleAllocated() ? window->Handle() : nullptr;
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::ParentHelper() { return ParentBarHelper(); }

TRect TdxBarItemControlAccessibilityHelper::ScreenBounds(int) {
  TdxBarItemControl* control = ItemControl();
  if (!control || !IsVisible()) return {};
  return control->BarControl()->ItemControlScreenRect(control);
}

bool TdxBarItemControlAccessibilityHelper::IsNavigable() {
  TdxBarItemControl* control = ItemControl();
  return control && IsVisible() && control->CanSelectForKeyboard();
}

int TdxBarItemControlAccessibilityHelper::StateFlags(int) {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* window = control ? control->BarControl() : nullptr;
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  if (!IsLiveBarControl(window) || !WindowShown(window) || !parent || parent->HidesChildren()) return kInvisible;
  return 0;
}

IdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::FindNextInDirection(int Direction) {
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  return parent ? parent->NearestChildInDirection(ItemControl(), Direction) : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::ProcessNavigationKey(Word Key) {
  if (TdxBarAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  return parent && parent->ProcessNavigationKey(Key);
}

void TdxBarItemControlAccessibilityHelper::TakeSelection(int Reason) {
  TdxBarItemControl* control = ItemControl();
  if (!control) return;
  TCustomdxBarControl* window = control->BarControl();
  if (TdxBarNavigationController* nav = Nav()) nav->SetSelected(this, ParentBarHelper());
  if (window->IsActive())
    window->SetSelected(control);
  else
    window->SelectAndActivate(control);
  if (!IsLiveBarControl(window) || !window->HasLinkControl(control)) return;
  if (control->IsWindowedControl() && (Reason != 0 || (window->FeatureFlags() & bfResumeAfterEdit)))
    control->ControlClick(false, 0);
}

void TdxBarItemControlAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* NewSelection) {
  TdxBarAccessibilityHelper::ReleaseSelection(NewSelection);
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  if (!parent) return;
  auto* next = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(NewSelection);
  if (next && next->ParentBarHelper() == parent) return;
  parent->ReleaseChildSelection();
}

String TdxBarItemControlAccessibilityHelper::ExplicitKeyTip() {
  TdxBarItemControl* control = ItemControl();
  TdxBarItem* item = control ? control->LinkedItem() : nullptr;
  return item ? item->KeyTip : String();
}

String TdxBarItemControlAccessibilityHelper::DefaultKeyTip() {
  TdxBarItemControl* control = ItemControl();
  if (!control) return L"Y";
  const TShortCut shortCut = control->ShortCut();
  if (shortCut >= 0x4041 && shortCut <= 0x405A) {
    const String text = ShortCutToText(shortCut);
    if (!text.empty()) return text.substr(text.size() - 1);
  }
  TdxBarItem* item = control->LinkedItem();
  const String caption = item ? item->Caption() : String();
  if (const int index = AcceleratorCharIndex(caption); index > 0)
    return String(1, wchar_t(std::towupper(caption[size_t(index - 1)])));
  return L"Y";
}

void TdxBarItemControlAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& Info) {
  TdxBarAccessibilityHelper::FillKeyTipInfo(Info);
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  if (!control || !parent) return;
  if (Info.Visible)
    parent->ChildKeyTipAnchor(control, Info.BasePoint, Info.VertAlign, Info.HorzAlign);
  else
    Info.OnExecute = [this] { DeferredKeyTipActivated(); };
  Info.Enabled = control->IsEnabled();
}

void TdxBarItemControlAccessibilityHelper::DeferredKeyTipActivated() {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  if (!control || !parent || !OpensPopupOnKeyTip()) {
    KeyTipActivated();
    return;
  }
  const int index = parent->IndexOfChild(this);
  TCustomdxBarControlAccessibilityHelper* popup = parent->OpenChildrenPopup();
  TCustomdxBarControl* window = popup ? popup->BarWindow() : nullptr;
  if (!window || index < 0 || index >= window->ViewInfo()->ItemInfoCount()) return;
  if (TdxBarAccessibilityHelper* shown = ItemControlAccessibilityHelper(window->ViewInfo()->ItemInfoAt(index)->Control()))
    shown->KeyTipActivated();
}

TdxBarButtonLikeControl* TdxBarButtonLikeControlAccessibilityHelper::ButtonLikeControl() {
  return static_cast<TdxBarButtonLikeControl*>(ItemControl());
}

void TdxBarButtonLikeControlAccessibilityHelper::ExecuteByKeyTip() {
  TdxBarButtonLikeControl* control = ButtonLikeControl();
  if (TdxBarNavigationController* nav = Nav()) nav->StopKeyboardHandling();
  if (!control) return;
  TdxBarItem* item = control->LinkedItem();
  if (!item) return control->DoItemClick(false);
  // The click may free the item: its flag is restored only while it lives, also after a raise.
  struct Restore {
    TcxObjectLink* link;
    bool saved;
    ~Restore() {
      if (link && link->Ref) static_cast<TdxBarItem*>(link->Ref)->UnclickAfterDoing = saved;
      ReleaseObjectLink(link);
    }
  } restore{AcquireObjectLink(item), item->UnclickAfterDoing};
  item->UnclickAfterDoing = false;
  control->DoItemClick(false);
}

bool TdxBarButtonLikeControlAccessibilityHelper::OpenSubMenuByKey() {
  TdxBarButtonLikeControl* control = ButtonLikeControl();
  if (!control) return false;
  control->DropDownByKey(true);
  control = ButtonLikeControl();
  return control && control->IsDroppedDown();
}

void TdxBarButtonLikeControlAccessibilityHelper::KeyTipActivated() {
  TdxBarNavigationController* nav = Nav();
  if (!DropsDownOnKeyTip() || !nav) {
    ExecuteByKeyTip();
    return;
  }
  nav->ChangeSelectedObject(1, this, nullptr);
  if (OpenSubMenuByKey()) {
    nav->SetKeyTipsContainer(nullptr, String());
    nav->SetKeyTipsContainer(BarWindowAccessibilityHelper(ActiveBarControl()), String());
  }
}

bool TdxBarButtonControlAccessibilityHelper::DropsDownOnKeyTip() {
  auto* control = dynamic_cast<TdxBarButtonControl*>(ItemControl());
  TdxBarButton* button = control ? control->ButtonItem() : nullptr;
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

void TdxBarWinControlAccessibilityHelper::KeyTipActivated() {
  TdxBarNavigationController* nav = Nav();
  if (!nav) return;
  nav->StopKeyboardHandling();
  nav->ChangeSelectedObject(1, this, nullptr);
}
