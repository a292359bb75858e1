#pragma once
// The ribbon's painters: a tab painter per tab header, the ribbon painter for everything of the
// ribbon that is not a toolbar (application button, tab scroll, help and MDI buttons, the
// quick-access background, the groups area, the form's caption, frame and caption text), and the
// ribbon bar painter, the skinned bar painter of the group toolbars, the ribbon's popup menus and
// its application menu, which adds the collapsed group's drawing and metrics. All of them draw
// through the ribbon's colour skin; without one the ribbon painter fills with the button face.

#include <memory>

#include "ui/bars/painters/SkinnedPainter.h"
#include "ui/foundation/Canvas.h"
#include "ui/ribbon/RibbonSkins.h"

class TdxCustomRibbon;

class TdxRibbonTabPainter {
 public:
  explicit TdxRibbonTabPainter(TdxCustomRibbonSkin* ASkin) : skin_(ASkin) {}
  virtual ~TdxRibbonTabPainter() = default;
  TdxCustomRibbonSkin* Skin() const { return skin_; }
  virtual void DrawBackground(TcxCanvas* Canvas, const TRect& R, int State);
  virtual void DrawSeparator(TcxCanvas* Canvas, const TRect& R, int Alpha);
  // Bottom-aligned on one line: centred, or left-aligned when Compressed.
  virtual void DrawText(TcxCanvas* Canvas, const TRect& R, bool Compressed, const String& Caption);

 private:
  TdxCustomRibbonSkin* skin_;
};

class TdxRibbonPainter {
 public:
  explicit TdxRibbonPainter(TdxCustomRibbon* ARibbon) : ribbon_(ARibbon) {}
  virtual ~TdxRibbonPainter() = default;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  // The ribbon's colour skin now (none: nothing is drawn but the background's button face).
  TdxCustomRibbonSkin* Skin() const;

  virtual void DrawCaption(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData);
  virtual void DrawCaptionButton(TcxCanvas* Canvas, const TRect& R, int Kind, int State);
  virtual void DrawFormFrame(TcxCanvas* Canvas, const TRect& Borders, const TdxRibbonFormFrameState& FormData);
  virtual void DrawApplicationButton(TcxCanvas* Canvas, const TRect& R, int State);
  virtual void DrawApplicationButtonGlyph(TcxCanvas* Canvas, const TRect& R, bool Stretch, TBitmap* Glyph);
  virtual void DrawBackground(TcxCanvas* Canvas, const TRect& R);
  virtual void DrawGroupsArea(TcxCanvas* Canvas, const TRect& R);
  // Side 0 the right-hand button, 1 the left-hand one.
  virtual void DrawGroupScrollButton(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Side);
  virtual void DrawCaptionText(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData,
                               const String& DocumentName, const String& CaptionRest);
  virtual void DrawCaptionTextOnGlass(TcxCanvas* Canvas, const TRect& R, const TdxRibbonFormFrameState& FormData,
                                      const String& DocumentName, const String& CaptionRest);
  virtual void DrawQuickAccessBackground(TcxCanvas* Canvas, const TRect& R, bool FormActive);
  virtual void DrawTabScrollButton(TcxCanvas* Canvas, const TRect& R, bool Hot, bool Pressed, int Side);
  // Kind 0 minimise, 1 restore, 2 close.
  virtual void DrawMDIButton(TcxCanvas* Canvas, const TRect& R, int State, int Kind);
  void DrawHelpButton(TcxCanvas* Canvas, const TRect& R, int State);
  void DrawTabAreaBottomLines(TcxCanvas* Canvas);
  void DrawFormIcon(TcxCanvas* Canvas, const TRect& R);
  void DrawDesignPlaceholder(TcxCanvas* Canvas);
  // Text with a glow through the visual style's text routine (the bound DrawThemeTextEx) on a 32-bit
  // bitmap copied to R; without that routine or the "window" theme, plain text in the colour on DC.
  static void DrawGlowText(HDC DC, const String& Text, UINT Flags, TColor Color, const TRect& R, HFONT Font);

 private:
  // The arrow of a scroll button: right for side 0, left for side 1.
  void DrawScrollArrow(TcxCanvas* Canvas, const TRect& R, int Side);
  TdxCustomRibbon* ribbon_;
};

// A bar window shown as a collapsed group: one large button with the group's caption and glyph.
class IdxRibbonCollapsedGroup {
 public:
  virtual bool IsCollapsedGroup() = 0;
  // 0 normal, 2 hot, 3 selected by the keyboard, 4 pressed.
  virtual int CollapsedGroupState() = 0;

 protected:
  virtual ~IdxRibbonCollapsedGroup() = default;
};

class TdxRibbonBarPainter : public TdxBarSkinnedPainter {
  DECLARE_CLASS(TdxRibbonBarPainter, TdxBarSkinnedPainter)
 public:
  // Through the painter-class table: no ribbon (every operation draws as the skinned painter without
  // a skin).
  explicit TdxRibbonBarPainter(TcxCustomLookAndFeelPainterClass SkinPainter) : TdxBarSkinnedPainter(SkinPainter) {}
  // The skinned painter with the ribbon as its skin owner.
  static TdxRibbonBarPainter* CreatePainter(TdxCustomRibbon* Ribbon);
  ~TdxRibbonBarPainter() override;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  int CollapsedHeightBase() const { return collapsedHeightBase_; }
  int CollapsedGlyphTop() const { return collapsedGlyphTop_; }

  void DrawBarControlBackground(TdxBarControl* BarControl, HDC DC, const TRect& R) override;
  TRect CalcBarBorderRect(TdxBarControl* BarControl) override;
  int MenuBeginGroupSize() override;
  int SeparatorLineHeight() override;
  // The caption strip's height for a font: "Qq" + 1 in it (at least 8 points).
  int GroupCaptionHeight(TFont* Font);
  // R less the collapsed group's content offsets and 1 more at the sides, its top lowered in
  // proportion to its height.
  TRect CollapsedGroupTextBounds(const TRect& R);
  // The side of the collapsed group's glyph frame for a control of that height.
  int CollapsedGlyphFrameSize(int Height);
  // The narrowest a group may be: its caption in the group-header font, and its launcher buttons.
  int GroupCaptionWidth(TdxBarControl* BarControl);
  // The width of a collapsed group: its caption with a drop-down arrow, or its glyph frame at the
  // group height, whichever is wider.
  int CollapsedGroupWidth(TdxBarControl* BarControl);
  // A collapsed group of that caption and glyph over R in a state (0, 2, 3, 4).
  void DrawCollapsedGroup(HDC DC, const TRect& R, const String& Caption, TBitmap* Glyph, int State);

 protected:
  explicit TdxRibbonBarPainter(TdxCustomRibbon* ARibbon);

 private:
  static IdxRibbonCollapsedGroup* CollapsedGroupOf(TdxBarControl* BarControl);
  TdxCustomRibbon* ribbon_ = nullptr;
  // The ribbon's content offsets of the collapsed group's parts 1000 and 1001.
  TRect offsets1000_;
  TRect offsets1001_;
  int collapsedHeightBase_ = 0;
  int collapsedGlyphTop_ = 0;
};
