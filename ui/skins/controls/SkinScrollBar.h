#pragma once
// TsScrollBar: the framework's scroll bar drawn from the active skin. While a skin is active its
// window is a plain window of its own class that keeps the scroll information itself, paints two
// arrow buttons, the track on either side of the thumb and the thumb from the skin, repeats held
// presses on timers, and notifies itself with WM_HSCROLL/WM_VSCROLL, so Position, SmallChange,
// LargeChange, OnScroll and OnChange work as with the system scroll bar. Without a skin it is the
// system scroll bar again, with the same Position.

#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Timer.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;
class TsSkinManager;

// The parts, in the order of their states.
enum TacScrollPart { spFirstButton, spSecondTrack, spSecondButton, spFirstTrack, spThumb };

// The scroll information the skinned window keeps.
struct TacScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  int TrackPos = 0;
};

class TsScrollBar : public TScrollBar {
  DECLARE_CLASS(TsScrollBar, TScrollBar)
 public:
  explicit TsScrollBar(TComponent* owner);
  ~TsScrollBar() override;
  void AfterConstruction() override;
  void Loaded() override;

  TsCommonData* SkinData() const { return skinData_; }
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value);
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* value);

  // True while the manager (the default one when none is set) has an active skin.
  bool IsSkinned();

  // ---- geometry, in client pixels along and across the bar ----------------------------------------
  // The system's arrow size along the bar.
  int ButtonSize() const;
  int BarLength() const;
  // The buttons for hit testing: B from either end, at most half the bar each.
  TRect FirstButtonRect() const;
  TRect SecondButtonRect() const;
  // The buttons as painted: a skin frame longer than B widens them.
  TRect ButtonPaintRect(bool first) const;
  int ThumbLength() const;
  int ThumbCentre() const;
  TRect ThumbRect() const;
  TRect FirstTrackRect() const;
  TRect SecondTrackRect() const;
  // The scroll position at a coordinate along the bar; 0 for a disabled bar and for a thumb that
  // fills the whole track.
  int PositionAt(int coordinate) const;

  // ---- state ---------------------------------------------------------------------------------------
  int PartState(TacScrollPart part) const { return states_[part]; }
  const TacScrollInfo& ScrollInfo() const { return info_; }
  int CurrentPosition() const { return current_; }
  // The repeat or thumb timer while one runs.
  TTimer* RepeatTimer() const { return timer_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  enum class TTimerKind { None, Button, Page, Thumb };

  bool Horizontal() const { return Kind() == sbHorizontal; }
  int Along(const TPoint& p) const { return Horizontal() ? p.x : p.y; }
  // A rectangle from a and b along the bar, across its full thickness.
  TRect Span(int a, int b) const;
  int HotFlag() const;
  int MaxPosition() const;
  int PositionUnderCursor() const;
  void RecreateKeepingPosition(bool skinned);
  bool HandleOwnSkinCommand(TMessage& message);
  void SetScrollInfoMessage(TMessage& message);
  void GetScrollInfoMessage(TMessage& message);
  void SetPartState(TacScrollPart part, int state);
  void ScrollBy(int delta);
  void SetScrollPosition(int value);
  void RepaintIfNeeded();
  void PaintSkinnedBar(HDC dc);
  // Draws the bar into the target; false when the skin has no track sections.
  bool PaintParts(TBitmap* target);
  void FinishLoading();
  void StartTimer(TTimerKind kind);
  void StopTimer();
  void TimerTick(TObject* sender);
  void NCHitTest(TMessage& message);
  void MouseEntered();
  void MouseLeft();
  void WMPaint(TMessage& message);

  TsCommonData* skinData_;
  TsDisabledKind disabledKind_{dkBlended};
  int states_[5] = {0, 0, 0, 0, 0};
  TacScrollInfo info_;
  int current_ = 0;
  bool thumbMoved_ = false;
  TsCacheRef ownCache_;
  bool savedShowHint_ = true;
  bool hintsHeld_ = false;
  Word scrollCode_ = SB_ENDSCROLL;
  bool repaintNeeded_ = false;
  int dragOffset_ = 0;
  bool paintSuppressed_ = false;
  bool recreatePending_ = false;
  // The window is the skinned one (not the system scroll bar).
  bool ownWindow_ = false;
  TTimer* timer_ = nullptr;
  TTimerKind timerKind_ = TTimerKind::None;
};
