#pragma once
// The status bar's painters. A painter holds no state: each class has one immutable instance whose
// virtual operations are the class operations, and the bar keeps a pointer to it (its "class").
// An operation that uses another calls it through the same painter, so overriding one changes every
// routine built on it.

#include "ui/ribbon/statusbar/StatusBar.h"

class TdxStatusBarPainter {
 public:
  TdxStatusBarPainter() = default;
  TdxStatusBarPainter(const TdxStatusBarPainter&) = delete;
  TdxStatusBarPainter& operator=(const TdxStatusBarPainter&) = delete;
  virtual ~TdxStatusBarPainter() = default;
  static TdxStatusBarPainterClass Class();

  virtual void AdjustTextColor(TdxCustomStatusBar* ABar, TColor& AColor, bool Active) const;
  // The four border widths as a rectangle (left, top, right, bottom).
  virtual TRect BorderSizes(TdxCustomStatusBar* ABar) const;
  virtual bool DrawsSizeGripFirst() const { return true; }
  virtual TSize SizeGripSize() const { return {16, 16}; }
  virtual TSize SizeGripMarginSize() const { return {12, 12}; }
  virtual int SeparatorWidth() const { return 2; }
  virtual int TopBorderHeight() const { return 2; }
  virtual void DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const;
  virtual void DrawEmptyArea(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect R) const;
  virtual void DrawPanel(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel, TRect R, TcxCanvas* ACanvas) const;
  virtual void DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                              TcxCanvas* ACanvas) const;
  virtual void DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const;
  virtual void PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const;
  virtual void FillTopBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const;
  virtual void FillPanelBackground(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel, const TRect& R,
                                   TcxCanvas* ACanvas) const;
  virtual TdxStatusBarPanelBevel EffectiveBevel(TdxStatusBarPanel* APanel) const;
  virtual TColor PanelBackgroundColor(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel) const;
  virtual TRect AdjustPanelTextRect(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel, const TRect& R) const;
};

class TdxStatusBarStandardPainter : public TdxStatusBarPainter {
 public:
  static TdxStatusBarPainterClass Class();
  void DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const override;
  void FillPanelBackground(TdxCustomStatusBar* ABar, TdxStatusBarPanel* APanel, const TRect& R,
                           TcxCanvas* ACanvas) const override;
};

class TdxStatusBarFlatPainter : public TdxStatusBarStandardPainter {
 public:
  static TdxStatusBarPainterClass Class();
  void DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
};

class TdxStatusBarOffice11Painter : public TdxStatusBarPainter {
 public:
  static TdxStatusBarPainterClass Class();
  TRect BorderSizes(TdxCustomStatusBar* ABar) const override;
  void DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const override;
  void DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                      TcxCanvas* ACanvas) const override;
  void DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
};

// Draws with the visual-style class "Status": part 0 the bar, 1 a pane (its separators), 3 the gripper.
class TdxStatusBarXPPainter : public TdxStatusBarPainter {
 public:
  static TdxStatusBarPainterClass Class();
  TRect BorderSizes(TdxCustomStatusBar* ABar) const override;
  TSize SizeGripSize() const override;
  int SeparatorWidth() const override;
  void DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const override;
  void DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const override;
};

