#pragma once
// The painter behind a bar's ViewStyle: one per bar, made from the view registry. It owns the view
// info and the controller, makes the view-info classes and the scroll-bar control, keeps the three
// change flags, and paints the whole bar into the bar's off-screen bitmap in a fixed order with the
// custom-draw hooks. The base draws captions, link texts, focus frames and design marks; the views
// draw backgrounds, images, signs, buttons and drop markers.

#include "ui/navbar/NavBarViewInfo.h"

class TdxNavBarPainter;
class THintWindow;

// The painter family's metaclass: a virtual constructor taking the bar, and the class question
// whether a theme change needs a new painter.
class TdxNavBarPainterMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxNavBarPainter* Create(TdxCustomNavBar* ANavBar) const = 0;
  virtual bool RecreateOnThemeChange() const = 0;
  template <class Self>
  class Of;
};

class TdxNavBarPainter : public TdxNavBarPersistent, public virtual IInterface {
 public:
  using MetaClass = TdxNavBarPainterMetaClass;
  DECLARE_CLASS(TdxNavBarPainter, TdxNavBarPersistent)
 public:
  explicit TdxNavBarPainter(TdxCustomNavBar* ANavBar) : TdxNavBarPersistent(ANavBar) {}
  ~TdxNavBarPainter() override;
  // Makes the view info, the controller and the canvas wrapper through the (virtual) factories;
  // the registry's class constructs painters with NewObject, which calls it.
  void AfterConstruction() override;
  // Another painter is ignored; other sources are refused as by the framework.
  void Assign(TPersistent* Source) override;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  static bool RecreateOnThemeChange() { return false; }

  TdxNavBarViewInfo* ViewInfo() const { return viewInfo_; }
  TdxNavBarController* Controller() const { return controller_; }

  // The change flags.
  void SetChangeFlags(TdxNavBarInvalidation AKind);
  bool RecreatePending() const { return recreatePending_; }
  bool RecalcPending() const { return recalcPending_; }
  bool RedrawPending() const { return redrawPending_; }
  bool IsLayoutValid() const { return !recalcPending_; }
  // Applies the pending flags unless the bar is locked; the flags are cleared either way.
  void PrepareToPaint();
  // The bar's Paint: prepares, checks the collapse state, copies the bitmap to the window.
  void Paint(TCanvas* AWindowCanvas);
  void InvalidateScrollButtons();
  // A dotted frame just inside R in AColor: a pixel is set where x + y is odd.
  void DrawFocusFrame(const TRect& R, TColor AColor);
  TCanvas* Canvas() const;
  TcxCanvas* cxCanvas();
  HDC DC() const;

  // A look and feel the view offers its scroll bar; none in the base.
  virtual TPersistent* LookAndFeel() { return nullptr; }
  virtual TdxNavBarViewInfo* CreateViewInfo();
  virtual TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                                      bool AItemsVisible, bool ACaptionVisible);
  virtual TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                                    bool AImageVisible, bool ACaptionVisible);
  virtual TdxNavBarController* CreateController();
  // The bar's scroll-bar control: an instance of ScrollBarClass without owner.
  TcxScrollBar* CreateScrollBar();
  virtual TComponentClass ScrollBarClass();

  virtual void DrawHint(TCanvas* ACanvas, const TRect& R) { (void)ACanvas, (void)R; }
  virtual void DrawNavBar();
  virtual void DrawBackground() {}
  virtual void DrawGroup(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) { (void)AGroup; }
  virtual void DrawGroupBorder(TdxNavBarGroupViewInfo* AGroup) { (void)AGroup; }
  virtual void DrawGroupCaption(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) { (void)AGroup; }
  virtual void DrawGroupCaptionText(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawGroupCaptionImage(TdxNavBarGroupViewInfo* AGroup) { (void)AGroup; }
  virtual void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* AGroup) { (void)AGroup; }
  virtual void DrawGroupControl(TCanvas* ACanvas, const TRect& R, TdxNavBarGroupViewInfo* AGroup) {
    (void)ACanvas, (void)R, (void)AGroup;
  }
  virtual void DrawGroupDesignRect(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawGroupItems(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawGroupFocusRect(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawLink(TdxNavBarLinkViewInfo* ALink);
  virtual void DrawLinkCaption(TdxNavBarLinkViewInfo* ALink);
  virtual void DrawLinkDesignRect(TdxNavBarLinkViewInfo* ALink);
  virtual void DrawLinkFocusRect(TdxNavBarLinkViewInfo* ALink);
  virtual void DrawLinkImage(TdxNavBarLinkViewInfo* ALink) { (void)ALink; }
  virtual void DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) { (void)ALink; }
  virtual void DrawGroupClient(TdxNavBarGroupViewInfo* AGroup);
  virtual void DrawSeparator(TdxNavBarLinkViewInfo* ALink);
  virtual void DrawScrollButtons();
  virtual void DrawBottomScrollButton() {}
  virtual void DrawTopScrollButton() {}
  virtual void DrawDropTargetGroupSelection() {}
  virtual void DrawDropTargetLinkSelection() {}
  virtual void DrawHintWindow(THintWindow* AHintWindow);
  virtual void DrawGroupHint(TCanvas* ACanvas, const TRect& R);
  virtual void DrawLinkHint(TCanvas* ACanvas, const TRect& R);

 private:
  bool LinkImageDrawable(TdxNavBarLinkViewInfo* ALink);
  TdxNavBarViewInfo* viewInfo_ = nullptr;
  TdxNavBarController* controller_ = nullptr;
  TcxCanvas* paintCanvas_ = nullptr;
  bool recreatePending_ = true;
  bool recalcPending_ = true;
  bool redrawPending_ = true;
};

template <class Self>
class TdxNavBarPainterMetaClass::Of : public TdxNavBarPainterMetaClass {
 public:
  using TdxNavBarPainterMetaClass::TdxNavBarPainterMetaClass;
  TdxNavBarPainter* Create(TdxCustomNavBar* ANavBar) const override {
    if constexpr (!std::is_abstract_v<Self> && std::is_constructible_v<Self, TdxCustomNavBar*>) {
      return NewObject<Self>(ANavBar);
    } else {
      RaiseAbstractCreate(this);
    }
  }
  bool RecreateOnThemeChange() const override { return Self::RecreateOnThemeChange(); }
};
