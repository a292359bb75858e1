#pragma once
// The key-tip windows the bar manager's keyboard navigation shows over a ribbon: one small top-most
// label per key tip, coloured by the ribbon's colour skin, transparent to the mouse, and the manager
// that makes, places, shows and frees them.

#include <vector>

#include "platform/framework/windows/Controls.h"
#include "ui/bars/BarNavigation.h"

class TdxCustomRibbon;
class TdxCustomRibbonSkin;

class TdxRibbonKeyTipWindow : public TCustomControl {
  DECLARE_CLASS(TdxRibbonKeyTipWindow, TCustomControl)
 public:
  // Created hidden; ASkin may be null (plain info-tip colours).
  explicit TdxRibbonKeyTipWindow(TdxCustomRibbonSkin* ASkin);
  TdxCustomRibbonSkin* Skin() const { return skin_; }
  // The size the text needs: Max(text width + 6, 16) by text height + 2, in the hint font.
  TSize CalculateSize();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void CMTextChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_MAP_END

 private:
  TdxCustomRibbonSkin* skin_;
};

// Horizontal alignment 0 ends the window at the anchor's x, 1 starts it there, 2 centres it on it;
// the vertical alignment does the same with y.
TRect KeyTipWindowBounds(const TPoint& Anchor, const TSize& Size, Byte HorzAlign, Byte VertAlign);

class TdxRibbonKeyTipWindows : public IdxBarKeyTipWindowsManager {
 public:
  explicit TdxRibbonKeyTipWindows(TdxCustomRibbon* ARibbon) : ribbon_(ARibbon) {}
  ~TdxRibbonKeyTipWindows() override;
  TdxRibbonKeyTipWindows(const TdxRibbonKeyTipWindows&) = delete;
  TdxRibbonKeyTipWindows& operator=(const TdxRibbonKeyTipWindows&) = delete;

  // Window is the TdxRibbonKeyTipWindow made, placed by the alignment rule.
  void Add(const String& Text, const TPoint& P, bool Enabled, Byte VertAlign, Byte HorzAlign,
           void*& Window) override;
  // Raises an Exception without message for a window not made here.
  void Delete(void* Window) override;
  // Shows every window top-most without activating it, with rounded corners.
  void Show() override;
  const std::vector<TdxRibbonKeyTipWindow*>& Windows() const { return windows_; }

 private:
  TdxCustomRibbon* ribbon_;
  std::vector<TdxRibbonKeyTipWindow*> windows_;
};
