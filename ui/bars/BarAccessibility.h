#pragma once
// The navigation faces of bar windows and their item controls: what keyboard navigation selects,
// moves between and leaves. A face holds plain pointers and checks that its object still lives
// before it touches it; faces are kept for the whole run and freed at the library's end.

#include "ui/bars/BarNavigation.h"

class TCustomdxBarControl;
class TdxBarItemControl;

// The face of a bar window (a toolbar or a menu): its children are its item controls.
class TdxBarWindowAccessibilityHelper : public IdxBarAccessibilityHelper {
 public:
  explicit TdxBarWindowAccessibilityHelper(TCustomdxBarControl* AWindow) : window_(AWindow) {}
  TCustomdxBarControl* Window() const;
  TObject* HelperObject() override;
  bool ChildrenNavigable(Word) override { return false; }
  IdxBarAccessibilityHelper* BarHelperObject() override { return this; }
  TdxBarManager* BarManager() override;
  // The first item control that the keyboard can select.
  IdxBarAccessibilityHelper* DefaultSelectableObject() override;
  IdxBarAccessibilityHelper* FindNextInDirection(int) override { return nullptr; }
  bool ProcessNavigationKey(Word) override { return false; }
  bool WantsKey(Word) override { return false; }
  IdxBarAccessibilityHelper* SiblingInDirection(bool) override { return nullptr; }
  void TakeSelection(int) override {}
  void ReleaseSelection(IdxBarAccessibilityHelper* Successor) override;
  void EscapeKeyTips() override;

 private:
  TCustomdxBarControl* window_;
};

// The face of an item control: selecting it selects the control in its window and makes the
// window active, which then takes the arrow keys itself.
class TdxBarItemControlAccessibilityHelper : public IdxBarAccessibilityHelper {
 public:
  TdxBarItemControlAccessibilityHelper(TCustomdxBarControl* AWindow, TdxBarItemControl* AControl)
      : window_(AWindow), control_(AControl) {}
  // Null once the control or its window has gone.
  TdxBarItemControl* Control() const;
  TObject* HelperObject() override;
  bool ChildrenNavigable(Word) override { return false; }
  IdxBarAccessibilityHelper* BarHelperObject() override;
  TdxBarManager* BarManager() override;
  IdxBarAccessibilityHelper* DefaultSelectableObject() override { return this; }
  IdxBarAccessibilityHelper* FindNextInDirection(int) override { return nullptr; }
  bool ProcessNavigationKey(Word) override { return false; }
  bool WantsKey(Word) override { return false; }
  IdxBarAccessibilityHelper* SiblingInDirection(bool Forward) override;
  void TakeSelection(int Reason) override;
  void ReleaseSelection(IdxBarAccessibilityHelper* Successor) override;
  void EscapeKeyTips() override;

 private:
  TCustomdxBarControl* window_;
  TdxBarItemControl* control_;
};

IdxBarAccessibilityHelper* BarWindowAccessibilityHelper(TCustomdxBarControl* Window);
IdxBarAccessibilityHelper* ItemControlAccessibilityHelper(TdxBarItemControl* Control);
// Where Alt and F10 start: the face of the manager's main menu window when it is shown; null when
// the manager has none.
IdxBarAccessibilityHelper* RootAccessibilityHelperOf(TdxBarManager* Manager);
void FreeBarAccessibilityHelpers();
