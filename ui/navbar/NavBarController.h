#pragma once
// Mouse, keyboard, wheel, accelerator, hint and drag-and-drop input of a navigation bar. The bar's
// framework handlers record positions and forward to the controller the painter made; the
// controller decides what was hit and calls back the bar's reactions (DoLinkMouseUp and its family),
// which keep the hot, pressed and click state and raise the events.

#include "ui/navbar/NavBarViewInfo.h"

struct THintInfo;

class TdxNavBarController : public TObject {
  DECLARE_CLASS(TdxNavBarController, TObject)
 public:
  explicit TdxNavBarController(TdxCustomNavBar* ANavBar) : navBar_(ANavBar) {}
  ~TdxNavBarController() override;

  TdxCustomNavBar* NavBar() const { return navBar_; }
  TdxNavBarViewInfo* ViewInfo() const;
  TdxNavBarPartRef HotTrackPart() const { return hotTrackPart_; }
  TdxNavBarPartRef PushedPart() const { return pushedPart_; }
  void SetHotPart(const TdxNavBarPartRef& APart);
  void SetPressedPart(const TdxNavBarPartRef& APart);

  // True unless the point lies on a scroll button.
  virtual bool CanFocusOnClick(const TPoint& P);
  virtual TCursor CustomCursor() { return crDefault; }
  virtual void PartAt(const TPoint& P, TdxNavBarPartRef& APart) {
    (void)P;
    APart = nbNone;
  }
  virtual void DoPartClick(const TdxNavBarPartRef& APart) { (void)APart; }
  virtual void CheckBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) {
    (void)ALeft, (void)ATop, (void)AWidth, (void)AHeight;
  }
  // Selects (or deselects) the link, then runs exactly one of the item's OnClick, its action and the
  // bar's OnLinkClick.
  virtual void DoLinkClick(TdxCustomNavBar* ANavBar, TdxNavBarItemLink* ALink);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, const TPoint& P);
  virtual void MouseMove(TShiftState Shift, const TPoint& P);
  virtual void MouseLeave() {}
  virtual void HotPartChanged(const TdxNavBarPartRef& APart) { (void)APart; }
  virtual void PressedPartChanged(const TdxNavBarPartRef& APart) { (void)APart; }
  virtual void PrepareHint(THintInfo& AHintInfo);
  virtual void PrepareGroupHint(THintInfo& AHintInfo, TdxNavBarGroupViewInfo* AGroupViewInfo);
  virtual void PrepareLinkHint(THintInfo& AHintInfo, TdxNavBarLinkViewInfo* ALinkViewInfo);
  virtual void CalcGroupHintRect(TdxNavBarGroup* AGroup, TRect& R);
  virtual void GroupHintText(TdxNavBarGroup* AGroup, String& AText);
  virtual void CalcLinkHintRect(TdxNavBarItemLink* ALink, TRect& R);
  // The hint rectangle of a navigation pane's part (AGroup: its overflow group, or null).
  void CalcNavigationPaneHintRect(TdxNavBarGroup* AGroup, TRect& R);
  virtual void LinkHintText(TdxNavBarItemLink* ALink, String& AText);

 protected:
  // (0, 0, max(client width, original width), 0) around the text in the hint font, grown by 6, the
  // event's say, and 20 pixels to the right.
  template <class T, class Event>
  void CalcHintRect(T* AObject, TRect& R, const Event& AEvent);

 private:
  TdxCustomNavBar* navBar_;
  TdxNavBarPartRef hotTrackPart_ = nbNone;
  TdxNavBarPartRef pushedPart_ = nbNone;
};

// The process's running drag of links, items or groups (one at a time).
class TdxNavBarDragObject : public TObject {
  DECLARE_CLASS(TdxNavBarDragObject, TObject)
 public:
  TdxNavBarDragObject(TdxCustomNavBar* ASourceBar, TdxNavBarGroup* ASourceGroup, TdxNavBarItemLink* ASourceLink,
                      TdxNavBarItem* ASourceItem);
  ~TdxNavBarDragObject() override;
  TdxCustomNavBar* SourceBar() const { return sourceBar_; }
  TdxNavBarGroup* SourceGroup() const { return sourceGroup_; }
  TdxNavBarItemLink* SourceLink() const { return sourceLink_; }
  TdxNavBarItem* SourceItem() const { return sourceItem_; }
  // SourceItem; else, while Ctrl is down, the source link's item (a copy); else null.
  TdxNavBarItem* DragItem() const;
  // Recomputes the target in the source bar's layout at the source bar's mouse position.
  void RefreshDropTarget();
  // The link being dragged went away.
  void ForgetLink(TdxNavBarItemLink* ALink);
  void ForgetGroup(TdxNavBarGroup* AGroup);

  TdxNavBarGroup* TargetGroup = nullptr;
  TdxNavBarItemLink* TargetPrevious = nullptr;
  TdxNavBarItemLink* TargetNext = nullptr;
  int TargetIndex = -1;

 private:
  TdxCustomNavBar* sourceBar_;
  TdxNavBarGroup* sourceGroup_;
  TdxNavBarItemLink* sourceLink_;
  TdxNavBarItem* sourceItem_;
};

// The bar's drag object for the framework: over a bar that accepts the drop, that bar's copy cursor
// while the drag copies an item, else its drag cursor; elsewhere the framework's choice.
class TdxDragObject : public TcxDragControlObject {
  DECLARE_CLASS(TdxDragObject, TcxDragControlObject)
 public:
  using TcxDragControlObject::TcxDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
};

// The running drag object, or null.
TdxNavBarDragObject* dxNavBarDragObject();
void SetNavBarDragObject(TdxNavBarDragObject* AObject);
