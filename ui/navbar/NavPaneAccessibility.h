#pragma once
// The accessibility objects of the navigation pane's own parts: the header's collapse sign, the
// button standing for the active group, the overflow panel with its icons and its sign, and the
// collapsed strip with its caption bar and items. They hang under the bar's root object as attached
// children, so screen readers see them and the keyboard focus reaches and clicks them.

#include <vector>

#include "ui/navbar/NavBarAccessibility.h"

class TdxNavBarNavigationPaneViewInfo;
class TdxNavBarOverflowPanelViewInfo;
class TdxNavBarItemPanelViewInfo;

// An object whose children, after its attached ones, are one object per item of its owner (and,
// in the concrete classes, one extra child last).
class TdxNavBarItemCollectionAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemCollectionAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  ~TdxNavBarItemCollectionAccessibilityHelper() override;
  void MarkOwnerDestroyed() override;

  // How many items the owner has now.
  virtual int ItemCount() = 0;
  virtual TdxNavBarAccessibilityHelperClass ItemHelperClass() = 0;
  // The sign or the collapse bar; null in the base.
  virtual TdxNavBarCustomAccessibilityHelper* ExtraChild() { return nullptr; }
  // Appends or releases (from the end) item objects until Count remain.
  void UpdateItemHelpers(int ACount);
  // The item object at AIndex after bringing the list up to ItemCount; null beyond it.
  IdxNavBarAccessibilityHelper* ItemHelper(int AIndex);
  int ItemHelperCount() const { return int(itemHelpers_.size()); }

  bool IsContainer() override { return true; }
  int ElementChildCount() override;
  TdxNavBarCustomAccessibilityHelper* ElementChildAt(int Index) override;

 private:
  std::vector<InterfacePtr<IdxNavBarAccessibilityHelper>> itemHelpers_;
};

// An item object: its owner (and parent) is the collection object.
class TdxNavBarItemCollectionItemAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemCollectionItemAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  int ItemIndex = 0;
  TdxNavBarItemCollectionAccessibilityHelper* Collection() const {
    return static_cast<TdxNavBarItemCollectionAccessibilityHelper*>(OwnerObject());
  }
  TcxAccessibilityHelper* ParentHelper() override { return Collection(); }
  bool IsContainer() override { return false; }
  bool IsClickKey(Word AKey) override { return AKey == VK_RETURN || AKey == VK_SPACE; }
};

class TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper : public TdxNavBarItemCollectionAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper, TdxNavBarItemCollectionAccessibilityHelper)
 public:
  using TdxNavBarItemCollectionAccessibilityHelper::TdxNavBarItemCollectionAccessibilityHelper;
  ~TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper() override;
  void MarkOwnerDestroyed() override;
  TdxNavBarOverflowPanelViewInfo* Panel() const;
  IdxNavBarAccessibilityHelper* SignHelper();
  virtual TdxNavBarAccessibilityHelperClass SignHelperClass();
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  int ItemCount() override;
  TdxNavBarAccessibilityHelperClass ItemHelperClass() override;
  TdxNavBarCustomAccessibilityHelper* ExtraChild() override;

 private:
  InterfacePtr<IdxNavBarAccessibilityHelper> signHelper_;
};

class TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarNavigationPaneOverflowPanelItemAccessibilityHelper,
                TdxNavBarItemCollectionItemAccessibilityHelper)
 public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  // The group's click (it becomes the active group).
  void Click(Word AKey) override;
};

class TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarNavigationPaneOverflowPanelSignAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsContainer() override { return false; }
  bool IsClickKey(Word AKey) override { return AKey == VK_RETURN || AKey == VK_SPACE; }
  // Rebuilds the customization menu and opens it at the sign's centre.
  void Click(Word AKey) override;
};

class TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TdxNavBarNavigationPaneViewInfo* Pane() const;
  // The pane's button of the effective active group, or null.
  TdxNavBarGroupViewInfo* ActiveButton();
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsFocusable() override { return true; }
  bool IsContainer() override { return false; }
  TdxNavBarCustomAccessibilityHelper* FocusProxy() override;
};

class TdxNavBarNavigationPaneHeaderSignAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarNavigationPaneHeaderSignAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TdxNavBarNavigationPaneViewInfo* Pane() const;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  bool IsContainer() override { return false; }
  bool IsClickKey(Word AKey) override { return AKey == VK_RETURN || AKey == VK_SPACE; }
  // Toggles Collapsed.
  void Click(Word AKey) override;
};

class TdxNavBarItemPanelAccessibilityHelper : public TdxNavBarItemCollectionAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemPanelAccessibilityHelper, TdxNavBarItemCollectionAccessibilityHelper)
 public:
  using TdxNavBarItemCollectionAccessibilityHelper::TdxNavBarItemCollectionAccessibilityHelper;
  ~TdxNavBarItemPanelAccessibilityHelper() override;
  void MarkOwnerDestroyed() override;
  TdxNavBarItemPanelViewInfo* Panel() const;
  IdxNavBarAccessibilityHelper* CollapseBarHelper();
  virtual TdxNavBarAccessibilityHelperClass CollapseBarHelperClass();
  TcxAccessibilityHelper* ParentHelper() override;
  int StateFlags(int Index) override;
  TRect Bounds() override;
  int ItemCount() override;
  TdxNavBarAccessibilityHelperClass ItemHelperClass() override;
  TdxNavBarCustomAccessibilityHelper* ExtraChild() override;

 private:
  InterfacePtr<IdxNavBarAccessibilityHelper> collapseBarHelper_;
};

class TdxNavBarItemPanelCollapseBarAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemPanelCollapseBarAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
 public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
  TRect Bounds() override;
  bool IsFocusable() override { return true; }
  bool IsContainer() override { return false; }
  bool IsClickKey(Word AKey) override { return AKey == VK_RETURN || AKey == VK_SPACE; }
  // Opens the popup (nothing without an active group).
  void Click(Word AKey) override;
};

class TdxNavBarItemPanelItemAccessibilityHelper : public TdxNavBarItemCollectionItemAccessibilityHelper {
  DECLARE_CLASS(TdxNavBarItemPanelItemAccessibilityHelper, TdxNavBarItemCollectionItemAccessibilityHelper)
 public:
  using TdxNavBarItemCollectionItemAccessibilityHelper::TdxNavBarItemCollectionItemAccessibilityHelper;
  TRect Bounds() override;
  bool IsFocusable() override { return true; }
  // Clicks the strip item's link.
  void Click(Word AKey) override;
};
