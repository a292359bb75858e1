#include "ui/navbar/NavBarAccessibility.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarCustomAccessibilityHelper)
DEFINE_CLASS(TdxNavBarAccessibilityHelper)
DEFINE_CLASS(TdxNavBarGroupElementAccessibilityHelper)
DEFINE_CLASS(TdxNavBarGroupAccessibilityHelper)
DEFINE_CLASS(TdxNavBarGroupCaptionPanelAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemLinkContainerAccessibilityHelper)
DEFINE_CLASS(TdxNavBarItemLinkAccessibilityHelper)

InterfacePtr<IdxNavBarAccessibilityHelper> dxNavBarCreateAccessibilityHelper(TdxNavBarAccessibilityHelperClass AClass,
                                                                            TObject* AOwnerObject,
                                                                            TdxCustomNavBar* ANavBar) {
  if (!AClass || !ANavBar) return nullptr;
  return InterfacePtr<IdxNavBarAccessibilityHelper>(AClass->Create(AOwnerObject, ANavBar));
}

void dxNavBarReleaseAccessibilityHelper(InterfacePtr<IdxNavBarAccessibilityHelper>& AHelper) {
  InterfacePtr<IdxNavBarAccessibilityHelper> helper;
  helper.swap(AHelper);
  if (helper) helper->OwnerDestroyed();
}

namespace {

constexpr int kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr int kUnavailable = STATE_SYSTEM_UNAVAILABLE;

TdxNavBarCustomAccessibilityHelper* NavBarHelperOf(IdxNavBarAccessibilityHelper* AHelper) {
  return AHelper ? AHelper->NavBarHelperObject() : nullptr;
}

}  // namespace

// ---- TdxNavBarCustomAccessibilityHelper -------------------------------------------------------

TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper(TObject* AOwnerObject, TdxCustomNavBar* ANavBar)
    : TcxAccessibilityHelper(AOwnerObject), navBar_(ANavBar), childObjects_(new TInterfaceList) {}

TdxNavBarCustomAccessibilityHelper::~TdxNavBarCustomAccessibilityHelper() { childObjects_->Free(); }

void TdxNavBarCustomAccessibilityHelper::AddChildObject(IdxNavBarAccessibilityHelper* AChild) {
  if (AChild) childObjects_->Add(InterfacePtr<IInterface>(AChild));
}

void TdxNavBarCustomAccessibilityHelper::RemoveChildObject(IdxNavBarAccessibilityHelper* AChild) {
  childObjects_->Remove(AChild);
}

void TdxNavBarCustomAccessibilityHelper::MarkOwnerDestroyed() {
  if (!IsOwnerObjectLive()) return;
  TcxAccessibilityHelper::MarkOwnerDestroyed();
  navBar_->FocusedObjectDestroyed(this);
}

int TdxNavBarCustomAccessibilityHelper::ChildCount() { return childObjects_->Count() + ElementChildCount(); }

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::NavBarChildAt(int Index) {
  const int attached = childObjects_->Count();
  if (Index < attached) {
    InterfacePtr<IInterface> child = childObjects_->Items(Index);
    return NavBarHelperOf(dynamic_cast<IdxNavBarAccessibilityHelper*>(child.get()));
  }
  return ElementChildAt(Index - attached);
}

TcxAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::ChildAt(int Index) { return NavBarChildAt(Index); }

bool TdxNavBarCustomAccessibilityHelper::ChildIsSimpleElement(int) { return false; }

int TdxNavBarCustomAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper* AChild) {
  for (int i = 0; i < ChildCount(); ++i)
    if (ChildAt(i) == AChild) return i;
  return -1;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::NavBarParent() {
  return dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(ParentHelper());
}

int TdxNavBarCustomAccessibilityHelper::ChildAtPoint(int X, int Y, int& Index) {
  Index = cxAccessibleObjectSelfID;
  if (!RectContainsXY(ScreenBounds(cxAccessibleObjectSelfID), X, Y)) return 0;
  for (int i = 0; i < ChildCount(); ++i) {
    TdxNavBarCustomAccessibilityHelper* child = NavBarChildAt(i);
    if (child && child->IsVisible() && RectContainsXY(child->ScreenBounds(cxAccessibleObjectSelfID), X, Y)) {
      Index = i;
      return 2;
    }
  }
  return 1;
}

HWND TdxNavBarCustomAccessibilityHelper::OwnerWindow() {
  return navBar_->HandleAllocated() ? navBar_->Handle() : nullptr;
}

TRect TdxNavBarCustomAccessibilityHelper::ScreenBounds(int) {
  if (!IsVisible() || !navBar_->HandleAllocated()) return {};
  return OffsetRectByPoint(Bounds(), navBar_->ClientOrigin());
}

int TdxNavBarCustomAccessibilityHelper::StateFlags(int) {
  int flags = 0;
  if (!navBar_->HandleAllocated() || !IsWindowVisible(navBar_->Handle())) flags |= kInvisible;
  if (!navBar_->Enabled()) flags |= kUnavailable;
  return flags;
}

bool TdxNavBarCustomAccessibilityHelper::CanReceiveFocus(bool AFocusableOnly) {
  if (navBar_->IsDestroying() || !IsOwnerObjectLive()) return false;
  if (StateFlags(cxAccessibleObjectSelfID) & (kInvisible | kUnavailable)) return false;
  if (!IsContainer()) return !AFocusableOnly || IsFocusable();
  for (int i = 0; i < ChildCount(); ++i)
    if (TdxNavBarCustomAccessibilityHelper* child = NavBarChildAt(i); child && child->CanReceiveFocus(AFocusableOnly))
      return true;
  return false;
}

bool TdxNavBarCustomAccessibilityHelper::HasFocus() {
  TdxNavBarCustomAccessibilityHelper* focused = NavBarHelperOf(navBar_->FocusedObject());
  return navBar_->Focused() && focused && (focused == this || focused->FocusProxy() == this);
}

void TdxNavBarCustomAccessibilityHelper::FocusStateChanged(bool AMakeVisible) {
  navBar_->InvalidateAll(nbiRelayout);
  if (!HasFocus()) {
    isDown_ = false;
    return;
  }
  if (!AMakeVisible || !navBar_->HandleAllocated()) return;
  RECT window;
  GetWindowRect(navBar_->Handle(), &window);
  TRect area = window;
  if (TdxNavBarCustomAccessibilityHelper* parent = NavBarParent())
    IntersectRectsOf(window, parent->ScreenBounds(cxAccessibleObjectSelfID), area);
  if (!RectEncloses(area, ScreenBounds(cxAccessibleObjectSelfID))) MakeVisible();
}

void TdxNavBarCustomAccessibilityHelper::HandleKeyDown(Word AKey, TShiftState) {
  const bool down = IsClickKey(AKey);
  if (down == isDown_) return;
  isDown_ = down;
  navBar_->InvalidateAll(nbiRepaint);
}

void TdxNavBarCustomAccessibilityHelper::HandleKeyUp(Word AKey, TShiftState) {
  if (isDown_) {
    isDown_ = false;
    navBar_->InvalidateAll(nbiRepaint);
  }
  if (IsClickKey(AKey)) Click(AKey);
}

void TdxNavBarCustomAccessibilityHelper::RemoveFocus() { navBar_->SetFocusedObject(nullptr); }

IdxNavBarAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::NextFocusTarget(int ADirection) {
  navBar_->Update();
  return FindFocusTarget(ADirection);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::HitTest(const TPoint& AScreenPoint) {
  TdxNavBarCustomAccessibilityHelper* object = this;
  if (!RectContainsPoint(ScreenBounds(cxAccessibleObjectSelfID), AScreenPoint)) return nullptr;
  for (;;) {
    if (!object->CanReceiveFocus(false)) return nullptr;
    if (!object->IsContainer()) return object;
    TdxNavBarCustomAccessibilityHelper* next = nullptr;
    for (int i = 0; i < object->ChildCount() && !next; ++i) {
      TdxNavBarCustomAccessibilityHelper* child = object->NavBarChildAt(i);
      if (child && child->IsVisible() && RectContainsPoint(child->ScreenBounds(cxAccessibleObjectSelfID), AScreenPoint))
        next = child;
    }
    if (!next) return nullptr;
    object = next;
  }
}

// ---- the directional search -------------------------------------------------------------------------

namespace {

struct Candidate {
  TdxNavBarCustomAccessibilityHelper* Object;
  int Offset;  // how far the object is moved down for the search
};

TRect SearchBounds(const Candidate& C) {
  return OffsetRectBy(C.Object->ScreenBounds(cxAccessibleObjectSelfID), 0, C.Offset);
}

bool IsAncestorOf(TdxNavBarCustomAccessibilityHelper* Container, TdxNavBarCustomAccessibilityHelper* Object) {
  for (TdxNavBarCustomAccessibilityHelper* p = Object ? Object->NavBarParent() : nullptr; p; p = p->NavBarParent())
    if (p == Container) return true;
  return false;
}

// The distance from R to C in the direction; -1 when C does not lie that way.
int Distance(int Direction, const TRect& R, const TRect& C) {
  int d;
  switch (Direction) {
    case 1: d = R.left - C.right; break;
    case 2: d = C.left - R.right; break;
    case 3: d = R.top - C.bottom; break;
    default: d = C.top - R.bottom; break;
  }
  return d < 0 ? -1 : d;
}

class FocusSearch {
 public:
  FocusSearch(TdxNavBarCustomAccessibilityHelper* Current, int Direction) : current_(Current), direction_(Direction) {}

  TdxNavBarCustomAccessibilityHelper* Run(TdxNavBarCustomAccessibilityHelper* Root) {
    if (current_) {
      r_ = current_->ScreenBounds(cxAccessibleObjectSelfID);
    } else {
      // From above the bar: a downward search starts with the topmost element.
      r_ = Root->ScreenBounds(cxAccessibleObjectSelfID);
      r_ = OffsetRectBy(r_, 0, -r_.Height());
    }
    list_.push_back({Root, 0});
    for (size_t i = 0; i < list_.size();) {
      if (list_[i].Object == current_) {
        list_.erase(list_.begin() + long(i));
      } else if (IsAncestorOf(list_[i].Object, current_)) {
        Expand(i);
      } else {
        ++i;
      }
    }
    for (;;) {
      const int winner = Nearest();
      if (winner < 0) return nullptr;
      if (!list_[size_t(winner)].Object->IsContainer()) return list_[size_t(winner)].Object;
      Expand(size_t(winner));
    }
  }

 private:
  void Expand(size_t At) {
    const Candidate container = list_[At];
    list_.erase(list_.begin() + long(At));
    const TRect bounds = SearchBounds(container);
    int childOffset = container.Offset;
    int extent = 0, firstTop = 0;
    if (current_ && container.Object->ScrolledContent(extent, firstTop)) {
      for (Candidate& other : list_)
        if (SearchBounds(other).top >= bounds.bottom) other.Offset += extent;
      const bool inside = IsAncestorOf(container.Object, current_);
      if (!inside && r_.top >= bounds.bottom) r_ = OffsetRectBy(r_, 0, extent);
      childOffset = container.Offset + bounds.top - firstTop;
    }
    if (IsAncestorOf(container.Object, current_)) r_ = OffsetRectBy(r_, 0, childOffset - container.Offset);
    const TRect own = container.Object->ScreenBounds(cxAccessibleObjectSelfID);
    std::vector<Candidate> children;
    for (int i = 0; i < container.Object->ChildCount(); ++i) {
      TdxNavBarCustomAccessibilityHelper* child = container.Object->NavBarChildAt(i);
      if (!child || !child->CanReceiveFocus(current_ == nullptr)) continue;
      const int top = child->ScreenBounds(cxAccessibleObjectSelfID).top;
      if (current_ || (top >= own.top && top < own.bottom)) children.push_back({child, childOffset});
    }
    list_.insert(list_.begin() + long(At), children.begin(), children.end());
  }

  int Nearest() const {
    int best = INT_MAX;
    std::vector<int> nearest;
    for (size_t i = 0; i < list_.size(); ++i) {
      const int d = Distance(direction_, r_, SearchBounds(list_[i]));
      if (d < 0 || d > best) continue;
      if (d < best) nearest.clear();
      best = d;
      nearest.push_back(int(i));
    }
    if (nearest.empty()) return -1;
    if (nearest.size() == 1) return nearest.front();
    const bool vertical = direction_ == 3 || direction_ == 4;
    if (best == 0)
      for (int i : nearest) {
        const TRect c = SearchBounds(list_[size_t(i)]);
        if (vertical ? c.left == r_.left && c.right == r_.right : c.top == r_.top && c.bottom == r_.bottom) return i;
      }
    int winner = nearest.front();
    for (int i : nearest) {
      const TRect c = SearchBounds(list_[size_t(i)]), w = SearchBounds(list_[size_t(winner)]);
      if (vertical ? c.left < w.left : c.top < w.top) winner = i;
    }
    return winner;
  }

  TdxNavBarCustomAccessibilityHelper* current_;
  int direction_;
  TRect r_;
  std::vector<Candidate> list_;
};

}  // namespace

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::FindFocusTarget(int ADirection) {
  TdxNavBarCustomAccessibilityHelper* root = static_cast<TdxNavBarCustomAccessibilityHelper*>(RootHelper());
  TdxNavBarCustomAccessibilityHelper* current = root == this ? nullptr : this;
  return FocusSearch(current, ADirection == 0 ? 4 : ADirection).Run(root);
}

// ---- the bar ------------------------------------------------------------------------------------

TRect TdxNavBarAccessibilityHelper::Bounds() {
  TdxCustomNavBar* bar = NavBar();
  if (!bar->HandleAllocated()) return {};
  RECT window;
  GetWindowRect(bar->Handle(), &window);
  return OffsetRectByPoint(window, NegatePoint(bar->ClientOrigin()));
}

int TdxNavBarAccessibilityHelper::ElementChildCount() { return NavBar()->Groups()->Count(); }

TdxNavBarCustomAccessibilityHelper* TdxNavBarAccessibilityHelper::ElementChildAt(int Index) {
  return NavBarHelperOf(NavBar()->Groups()->GroupAt(Index)->AccessibilityObject());
}

// ---- groups -------------------------------------------------------------------------------------------

TdxNavBarGroupViewInfo* TdxNavBarGroupElementAccessibilityHelper::GroupViewInfo() {
  return NavBar()->ViewInfo()->GroupViewInfoOf(Group());
}

TcxAccessibilityHelper* TdxNavBarGroupAccessibilityHelper::ParentHelper() {
  return NavBarHelperOf(NavBar()->AccessibilityHelper());
}

int TdxNavBarGroupAccessibilityHelper::StateFlags(int) {
  int flags = ParentHelper()->StateFlags(cxAccessibleObjectSelfID);
  if (!Group()->Visible() || !GroupViewInfo()) flags |= kInvisible;
  return flags;
}

TRect TdxNavBarGroupAccessibilityHelper::Bounds() {
  TdxNavBarGroupViewInfo* info = GroupViewInfo();
  return info ? info->Rect : TRect();
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarGroupAccessibilityHelper::ElementChildAt(int Index) {
  return NavBarHelperOf(Index == 0 ? Group()->CaptionPanelAccessibilityObject()
                                   : Group()->LinkContainerAccessibilityObject());
}

TcxAccessibilityHelper* TdxNavBarGroupCaptionPanelAccessibilityHelper::ParentHelper() {
  return NavBarHelperOf(Group()->AccessibilityObject());
}

int TdxNavBarGroupElementAccessibilityHelper::PartStateFlags(bool (*AShown)(TdxNavBarGroupViewInfo*, TdxNavBarGroup*)) {
  int flags = ParentHelper()->StateFlags(cxAccessibleObjectSelfID);
  if (!(flags & kInvisible)) {
    TdxNavBarGroupViewInfo* info = GroupViewInfo();
    if (!info || !AShown(info, Group())) flags |= kInvisible;
  }
  return flags;
}

int TdxNavBarGroupCaptionPanelAccessibilityHelper::StateFlags(int) {
  return PartStateFlags([](TdxNavBarGroupViewInfo* AInfo, TdxNavBarGroup*) { return AInfo->IsCaptionVisible(); });
}

TRect TdxNavBarGroupCaptionPanelAccessibilityHelper::Bounds() {
  TdxNavBarGroupViewInfo* info = GroupViewInfo();
  return info ? info->CaptionRect : TRect();
}

bool TdxNavBarGroupCaptionPanelAccessibilityHelper::IsClickKey(Word AKey) {
  if (NavBar()->ViewInfo()->ShowsActiveGroup()) return AKey == VK_RETURN || AKey == VK_SPACE;
  if (!Group()->Expandable()) return false;
  return AKey == VK_SPACE || AKey == VK_ADD || AKey == VK_SUBTRACT;
}

void TdxNavBarGroupCaptionPanelAccessibilityHelper::Click(Word AKey) {
  if (NavBar()->ViewInfo()->ShowsActiveGroup()) return NavBar()->DoGroupMouseUp(Group());
  if (AKey == VK_ADD)
    Group()->SetExpanded(true);
  else if (AKey == VK_SUBTRACT)
    Group()->SetExpanded(false);
  else
    Group()->SetExpanded(!Group()->Expanded());
}

void TdxNavBarGroupCaptionPanelAccessibilityHelper::MakeVisible() {
  NavBar()->ViewInfo()->MakeGroupVisible(Group(), false, false);
}

TcxAccessibilityHelper* TdxNavBarItemLinkContainerAccessibilityHelper::ParentHelper() {
  return NavBarHelperOf(Group()->AccessibilityObject());
}

int TdxNavBarItemLinkContainerAccessibilityHelper::StateFlags(int) {
  // A group showing a control shows no links.
  return PartStateFlags([](TdxNavBarGroupViewInfo* AInfo, TdxNavBarGroup* AGroup) {
    return AInfo->IsItemsVisible() && !(AGroup->UseControl() && AGroup->ShowControl());
  });
}

TRect TdxNavBarItemLinkContainerAccessibilityHelper::Bounds() {
  TdxNavBarGroupViewInfo* info = GroupViewInfo();
  return info ? info->ItemsRect : TRect();
}

int TdxNavBarItemLinkContainerAccessibilityHelper::ElementChildCount() { return Group()->LinkCount(); }

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemLinkContainerAccessibilityHelper::ElementChildAt(int Index) {
  return NavBarHelperOf(Group()->LinkAt(Index)->AccessibilityObject());
}

bool TdxNavBarItemLinkContainerAccessibilityHelper::ScrolledContent(int& AExtent, int& AOffset) {
  TdxNavBarViewInfo* info = NavBar()->ViewInfo();
  if (RectHasNoArea(info->TopScrollRect()) && RectHasNoArea(info->BottomScrollRect())) return false;
  const int count = ElementChildCount();
  if (count == 0) {
    AExtent = AOffset = 0;
    return true;
  }
  TdxNavBarCustomAccessibilityHelper* first = ElementChildAt(0);
  TdxNavBarCustomAccessibilityHelper* last = ElementChildAt(count - 1);
  AExtent = last->Bounds().bottom - first->Bounds().top - Bounds().Height();
  AOffset = OffsetRectByPoint(first->Bounds(), NavBar()->ClientOrigin()).top;
  return true;
}

// ---- links --------------------------------------------------------------------------------------------

TdxNavBarLinkViewInfo* TdxNavBarItemLinkAccessibilityHelper::LinkViewInfo() {
  return NavBar()->ViewInfo()->LinkViewInfoOf(Link());
}

TcxAccessibilityHelper* TdxNavBarItemLinkAccessibilityHelper::ParentHelper() {
  TdxNavBarGroup* group = Link()->Group();
  return group ? NavBarHelperOf(group->LinkContainerAccessibilityObject()) : nullptr;
}

int TdxNavBarItemLinkAccessibilityHelper::StateFlags(int Index) {
  TcxAccessibilityHelper* parent = ParentHelper();
  int flags = parent ? parent->StateFlags(cxAccessibleObjectSelfID)
                     : TdxNavBarCustomAccessibilityHelper::StateFlags(Index);
  if (!Link()->CanSelect()) flags |= kUnavailable;
  if (Link()->Item() && !Link()->Item()->Visible()) flags |= kInvisible;
  return flags;
}

TRect TdxNavBarItemLinkAccessibilityHelper::Bounds() {
  TdxNavBarLinkViewInfo* info = LinkViewInfo();
  if (!info) return {};
  const TRect image = info->ImageRect, caption = info->CaptionRect, frame = info->ImageFrameRect();
  const bool imageInside = RectHasNoArea(image) || RectEncloses(frame, image);
  const bool captionInside = RectHasNoArea(caption) || RectEncloses(frame, caption);
  if (imageInside && captionInside) return frame;
  return UnionRectsOf(image, caption);
}

void TdxNavBarItemLinkAccessibilityHelper::Click(Word) { NavBar()->DoLinkMouseUp(Link()); }

void TdxNavBarItemLinkAccessibilityHelper::MakeVisible() { NavBar()->ViewInfo()->MakeLinkVisible(Link(), false); }

void TdxNavBarItemLinkAccessibilityHelper::RemoveFocus() {
  TdxNavBarGroup* group = Link()->Group();
  IdxNavBarAccessibilityHelper* caption = group ? group->CaptionPanelAccessibilityObject() : nullptr;
  if (caption && caption->CanReceiveFocus(true))
    NavBar()->SetFocusedObject(caption);
  else
    TdxNavBarCustomAccessibilityHelper::RemoveFocus();
}
