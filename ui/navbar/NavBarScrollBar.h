#pragma once
// Two companions of the navigation bar: the scroll-bar wrapper, which owns the bar's scroll-bar
// control and keeps its own copy of the scroll information, and the hint window, which takes its
// size from the bar's layout and lets the bar's painter draw it.

#include <windows.h>

#include "ui/foundation/Control.h"
#include "ui/foundation/Controls.h"

class TdxCustomNavBar;

class TdxNavBarScrollBar : public TObject {
  DECLARE_CLASS(TdxNavBarScrollBar, TObject)
 public:
  TdxNavBarScrollBar(TdxCustomNavBar* AOwnerBar, TScrollBarKind AKind);
  ~TdxNavBarScrollBar() override;

  // Frees the control and makes a new one with the painter's class, placed on the bar; then Reset.
  void RecreateControl();
  // Scroll information cleared (Max 100), the control hidden.
  void Reset();
  // EInvalidOperation "Scrollbar property out of range" when AMax < AMin or AMax < APage (nothing
  // changes then). The position is clamped to AMin .. AMax - APage; the control is placed at the
  // bar's client edge and takes the values when they differ from the stored ones.
  void SetScrollParams(int AMin, int AMax, bool ARedraw, int APage, int APosition);
  void SetPosition(int APosition);
  // Steps by the line or page step for codes 0-3, to Min or Max for 6 and 7, to APosition for the
  // others; then OnScroll.
  void Scroll(TObject* Sender, TScrollCode ACode, int& APosition);

  TScrollBarKind Kind() const { return scrollKind_; }
  TcxScrollBar* Control() const { return scrollControl_; }
  const SCROLLINFO& ScrollParams() const { return scrollParams_; }
  int Min() const { return scrollParams_.nMin; }
  int Max() const { return scrollParams_.nMax; }
  int Page() const { return int(scrollParams_.nPage); }
  int Position() const { return scrollParams_.nPos; }
  bool Visible() const { return shown_; }
  void SetVisible(bool Value);
  int LineStep() const { return lineStep_; }
  void SetLineStep(int Value) { lineStep_ = Value; }
  int PageStep() const { return pageStep_; }
  // The system's vertical scroll-bar width.
  int Width() const;
  // The bar's client height.
  int Height() const;

  TScrollEvent OnScroll;

 private:
  void PlaceControl();

  TdxCustomNavBar* ownerBar_;
  TScrollBarKind scrollKind_;
  TcxScrollBar* scrollControl_ = nullptr;
  SCROLLINFO scrollParams_{};
  int lineStep_ = 0;
  int pageStep_ = 0;
  bool shown_ = false;
};

// The wrapper's scroll-information mask: range, page, position and tracking position (SIF_ALL).
constexpr UINT dxNavBarScrollInfoMask = 23;
static_assert(dxNavBarScrollInfoMask == SIF_ALL, "the wrapper's scroll-information mask");
static_assert(sizeof(SCROLLINFO) == 28, "the platform's scroll-information record");

// The bar's hint window.

class TdxNavBarHintWindow : public TcxBaseHintWindow {
  DECLARE_CLASS(TdxNavBarHintWindow, TcxBaseHintWindow)
 public:
  explicit TdxNavBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {}
  ~TdxNavBarHintWindow() override;
  // AData is the bar's hint info: the window remembers the bar and answers its layout's hint
  // rectangle, whatever the width and text.
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  // The bar whose hint shows, or null.
  TdxCustomNavBar* HintBar() const;

 protected:
  void Paint() override;

 private:
  TcxObjectLink* hintBar_ = nullptr;
};
