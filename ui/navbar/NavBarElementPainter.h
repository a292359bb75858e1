#pragma once
// TdxNavBarElementPainter: the painter every view derives from. It draws the bar's steps through
// the element painters (NavBarElementPainters.h) with the rectangles, states and style values of
// the view info; a view replaces any element painter by answering another from its ...PainterClass
// operation, and overrides the steps it draws differently.

#include "ui/navbar/NavBarElementPainters.h"
#include "ui/navbar/NavBarPainter.h"

// The views' state flags (NavBarGraphics.h) of a view info's states.
int NavBarStateFlags(TdxNavBarItemStates States);

class TdxNavBarElementPainter : public TdxNavBarPainter {
  DECLARE_CLASS(TdxNavBarElementPainter, TdxNavBarPainter)
 public:
  using TdxNavBarPainter::TdxNavBarPainter;

  // The insertion mark between two links of a group (either may be null).
  virtual void DrawDropTargetLink(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                                  TdxNavBarLinkViewInfo* AAfter);
  // The mark's six points (P0 ... P5); false when the mark lies outside the group's items area.
  bool DropTargetLinkPoints(TdxNavBarGroupViewInfo* AGroup, TdxNavBarLinkViewInfo* ABefore,
                            TdxNavBarLinkViewInfo* AAfter, TPoint (&Points)[6]);
  // The arrowheads' length and height of the insertion mark.
  virtual int DropTargetLinkMarkWidth();
  virtual int DropTargetLinkMarkHeight();

  virtual TdxNavBarBackgroundPainterClass BackgroundPainterClass();
  virtual TdxNavBarButtonPainterClass ButtonPainterClass();
  virtual TdxNavBarDropTargetGroupPainterClass DropTargetGroupPainterClass();
  virtual TdxNavBarDropTargetLinkPainterClass DropTargetLinkPainterClass();
  virtual TdxNavBarGroupBackgroundPainterClass GroupBackgroundPainterClass();
  virtual TdxNavBarGroupBorderPainterClass GroupBorderPainterClass();
  virtual TdxNavBarImagePainterClass ImagePainterClass();
  virtual TdxNavBarScrollButtonsPainterClass ScrollButtonsPainterClass();
  virtual TdxNavBarSelectionPainterClass SelectionPainterClass();
  virtual TdxNavBarSignPainterClass SignPainterClass();

  void DrawBackground() override;
  void DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupBorder(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaptionBackground(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaptionImage(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* AGroup) override;
  void DrawGroupControl(TCanvas* ACanvas, const TRect& R, TdxNavBarGroupViewInfo* AGroup) override;
  void DrawLinkImage(TdxNavBarLinkViewInfo* ALink) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) override;
  void DrawBottomScrollButton() override;
  void DrawTopScrollButton() override;
  void DrawDropTargetGroupSelection() override;
  void DrawDropTargetLinkSelection() override;
  void DrawHint(TCanvas* ACanvas, const TRect& R) override;
};
