#pragma once
// The month calendar of the date items: the range-selecting calendar control, the date navigator
// (one or more months with arrows, a month list and, in a popup, Today and Clear buttons), the
// month list that jumps to another month, and the date combo's text and range rules.
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"
#include "platform/framework/windows/Controls.h"

class TdxBarManager;
class TdxBarPainter;

// The value that stands for no date.
constexpr TDateTime NullDate = -700000;

// The first day of the week, 0 = Sunday ... 6 = Saturday: the extended items' dxBarFirstDayOfWeek.
int BarFirstDayOfWeek();
// Replaces that value (tests pin it); a negative value follows dxBarFirstDayOfWeek again.
void SetBarFirstDayOfWeek(int Value);
// The locale of the date texts (the user's by default; tests pin one).
LCID BarDateTextLocale();
void SetBarDateTextLocale(LCID Locale);
// The column of a date in a week row: 0 = the first day of the week.
int WeekColumnOf(TDateTime Date);
// Whole months added to the first of the date's month (the day is clamped to the new month).
TDateTime ShiftDateMonths(TDateTime Date, int Delta);
// The first of the date's month.
TDateTime FirstOfMonth(TDateTime Date);

// The date combo's rules for its text and its range. A bound of 0 is "no limit" on its side.
TDateTime ClampDateToRange(TDateTime Date, TDateTime MinDate, TDateTime MaxDate);
// What the MinDate and MaxDate setters store: the bounds stay ordered only when both are set.
TDateTime BoundedMinDate(TDateTime Value, TDateTime MaxDate);
TDateTime BoundedMaxDate(TDateTime Value, TDateTime MinDate);
// "ddd " (when ShowDayText) and the locale's short date; the null date gives the empty text.
String DateToDisplayText(TDateTime Date, bool ShowDayText);
// A leading short day name and its space are dropped, dots count as blanks, and the rest is read with
// the user locale's rules; anything unreadable gives NullDate.
TDateTime DisplayTextToDate(const String& Text);

class TdxBarCustomCalendar : public TCustomControl {
  DECLARE_CLASS(TdxBarCustomCalendar, TCustomControl)
 public:
  explicit TdxBarCustomCalendar(TComponent* AOwner);

  // 0 = embedded in a dialog, 1 = popup, 2 = popup in flat look.
  virtual int Look() const { return look_; }
  void SetLook(int Value);
  TDateTime ShownMonth() const { return shownMonth_; }
  TDateTime RangeStart() const { return rangeStart_; }
  TDateTime RangeEnd() const { return rangeEnd_; }
  TDateTime DragOrigin() const { return dragOrigin_; }

  virtual TDateTime FirstShownDate() const { return shownMonth_; }
  virtual TDateTime LastShownDate() const { return LastDayOfFirstMonth(); }
  TDateTime LastDayOfFirstMonth() const;
  TDateTime SelectionStart() const;
  TDateTime SelectionFinish() const;
  virtual void SetFirstDate(TDateTime Date);
  void SetRangeStart(TDateTime Date);
  virtual void SetRangeEnd(TDateTime Date);
  virtual void KeepSelectionVisible() {}
  virtual TDateTime DateAtPos(TPoint) { return NullDate; }
  virtual void CancelMode();
  void ExtendSelectionTo(TDateTime Date);
  void DateSelected();

  TNotifyEvent OnDateSelected;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void StoreShownMonth(TDateTime Date) { shownMonth_ = Date; }
  void StoreRange(TDateTime Start, TDateTime End) {
    rangeStart_ = Start;
    rangeEnd_ = End;
  }
  void SetDragOrigin(TDateTime Date) { dragOrigin_ = Date; }

 private:
  int look_ = 1;
  TDateTime shownMonth_;
  TDateTime rangeStart_;
  TDateTime rangeEnd_;
  TDateTime dragOrigin_ = NullDate;
  bool pressed_ = false;
};

class TAMonthListBox;

class TdxBarDateNavigator : public TdxBarCustomCalendar {
  DECLARE_CLASS(TdxBarDateNavigator, TdxBarCustomCalendar)
 public:
  explicit TdxBarDateNavigator(TComponent* AOwner);
  ~TdxBarDateNavigator() override;

  // The manager whose painter draws the buttons and gives the header colour (none: the system look).
  TdxBarManager* BarManager = nullptr;
  TComponent* OwnerCombo = nullptr;
  int MonthColumns = 1;
  int MonthRows = 1;
  bool PopupMode = false;
  bool TodayShown = true;
  bool ClearShown = true;

  int Look() const override;
  TDateTime FirstShownDate() const override;
  TDateTime LastShownDate() const override;
  void SetFirstDate(TDateTime Date) override;
  void SetRangeEnd(TDateTime Date) override;
  void KeepSelectionVisible() override;
  TDateTime DateAtPos(TPoint P) override;
  void CancelMode() override;

  // Layout metrics, computed from the font.
  int DayCellWidth() const { return dayCellWidth_; }
  int MarginWidth() const { return marginWidth_; }
  int DayCellHeight() const { return dayCellHeight_; }
  int TitleHeight() const { return titleHeight_; }
  int WeekdayRowHeight() const { return weekdayRowHeight_; }
  int TodayWidth() const { return todayWidth_; }
  int ClearWidth() const { return clearWidth_; }
  int ButtonGap() const { return buttonGap_; }
  int ButtonHeight() const { return buttonHeight_; }
  int ButtonBandHeight() const { return buttonBandHeight_; }
  // Recomputes the metrics and the size.
  void CalcMetrics();

  // Areas in client coordinates (of the first month cell).
  TRect CalendarArea() const;
  TRect LeftArrowArea() const;
  TRect RightArrowArea() const;
  TRect MonthCaptionArea() const;
  bool ButtonsShown() const { return PopupMode && (TodayShown || ClearShown); }
  TRect TodayButtonArea() const;
  TRect ClearButtonArea() const;

  TAMonthListBox* MonthPicker() const { return monthPicker_; }
  int PickerCell() const { return pickerCell_; }
  int ArrowTimer() const { return arrowTimer_; }
  bool TodayDown() const { return todayDown_; }
  bool ClearDown() const { return clearDown_; }
  bool TodayTracking() const { return todayTracking_; }
  bool ClearTracking() const { return clearTracking_; }

  // The first date of a month cell (its first shown day, the week before included for the first cell).
  TDateTime CellFirstDate(int Cell) const;
  TDateTime CellMonth(int Cell) const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void UpdateSize();
  void StepMonth(int Delta);
  void StopArrowTimer();
  void FreeMonthPicker();
  void PaintMonthCell(TCanvas* C, int Row, int Column, const TRect& Cell, TDateTime Today, TDateTime LastShown,
                      HRGN Background);
  int dayCellWidth_ = 0, marginWidth_ = 0, dayCellHeight_ = 0, titleHeight_ = 0, weekdayRowHeight_ = 0;
  int todayWidth_ = 0, clearWidth_ = 0, buttonGap_ = 0, buttonHeight_ = 0, buttonBandHeight_ = 0;
  TAMonthListBox* monthPicker_ = nullptr;
  int pickerCell_ = 0;
  int arrowTimer_ = 0;
  bool todayTracking_ = false, todayDown_ = false, clearTracking_ = false, clearDown_ = false;
};

class TAMonthListBox : public TCustomControl {
  DECLARE_CLASS(TAMonthListBox, TCustomControl)
 public:
  TAMonthListBox(TComponent* AOwner, TdxBarDateNavigator* Navigator);
  ~TAMonthListBox() override;

  TDateTime FirstListedMonth = NullDate;
  int HotEntry() const { return hotEntry_; }
  int EntryHeight() const { return entryHeight_; }
  int ScrollTimer() const { return scrollTimer_; }
  // The first of the hot entry's month, or NullDate when no entry is hot.
  TDateTime Result() const;
  void CalcMetrics();
  // The scroll timer a cursor at Y (client coordinates, outside the list) asks for: ids 1-4 scroll up,
  // 6-9 down; 0 inside the list.
  static int ScrollTimerFor(int Y, int ClientHeight);
  static UINT ScrollIntervalFor(int TimerId);
  // Follows the cursor (client coordinates).
  void TrackPoint(int X, int Y);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  void StopScrollTimer();
  TdxBarDateNavigator* navigator_;
  int hotEntry_ = -1;
  int entryHeight_ = 0;
  int scrollTimer_ = 0;
  HWND timerWindow_ = nullptr;
};
