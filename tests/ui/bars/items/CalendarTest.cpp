#include <gtest/gtest.h>

#include <cmath>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/items/BarCalendar.h"

namespace {

using namespace window_testing;

TDateTime D(int y, int m, int d) { return EncodeDate(Word(y), Word(m), Word(d)); }

// Pins the first day of the week and restores the locale's afterwards.
class FirstDay {
 public:
  explicit FirstDay(int day) { SetBarFirstDayOfWeek(day); }
  ~FirstDay() { SetBarFirstDayOfWeek(-1); }
};

TEST(DateComboRules, ABoundOfZeroIsNoLimitAndTheNullDatePassesUnclamped) {
  const TDateTime lo = D(2026, 3, 1), hi = D(2026, 3, 31);
  struct Case {
    TDateTime date, min, max, expected;
  } cases[] = {
      {D(2026, 2, 1), lo, hi, lo},
      {D(2026, 5, 1), lo, hi, hi},
      {D(2026, 3, 9), lo, hi, D(2026, 3, 9)},
      // Only an upper bound: early dates stay (not pushed to 0 = 30 December 1899).
      {D(1999, 1, 1), 0, hi, D(1999, 1, 1)},
      {D(2027, 1, 1), 0, hi, hi},
      // Only a lower bound: late dates stay (the zero upper bound does not pull them down).
      {D(2030, 1, 1), lo, 0, D(2030, 1, 1)},
      {D(2020, 1, 1), lo, 0, lo},
      {NullDate, lo, hi, NullDate},
      {NullDate, 0, hi, NullDate},
      {NullDate, lo, 0, NullDate},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampDateToRange(c.date, c.min, c.max), c.expected) << c.date;
}

TEST(DateComboRules, TheBoundSettersKeepTheOrderOnlyWhenBothAreSet) {
  const TDateTime lo = D(2026, 3, 1), hi = D(2026, 3, 31);
  EXPECT_EQ(BoundedMinDate(D(2026, 4, 5), hi), hi);
  EXPECT_EQ(BoundedMinDate(lo, hi), lo);
  EXPECT_EQ(BoundedMinDate(D(2026, 4, 5), 0), D(2026, 4, 5));  // no upper limit: kept
  EXPECT_EQ(BoundedMinDate(0, hi), 0);                          // clearing the lower limit
  EXPECT_EQ(BoundedMaxDate(D(2026, 2, 5), lo), lo);
  EXPECT_EQ(BoundedMaxDate(D(2026, 2, 5), 0), D(2026, 2, 5));
  EXPECT_EQ(BoundedMaxDate(0, lo), 0);
}

TEST(DateComboRules, TextsUnderAPinnedLocale) {
  const LCID saved = BarDateTextLocale();
  struct Case {
    LCID locale;
    const wchar_t* text;
    TDateTime expected;
  } cases[] = {
      {0x0409, L"12/11/2026", D(2026, 12, 11)},
      {0x0407, L"11.12.2026", D(2026, 12, 11)},  // dots count as blanks
      {0x0409, L"next Tuesday-ish", NullDate},
      {0x0409, L"", NullDate},
      {0x0407, L"   ", NullDate},
  };
  for (const Case& c : cases) {
    SetBarDateTextLocale(c.locale);
    EXPECT_EQ(DisplayTextToDate(c.text), c.expected) << c.locale << " " << String(c.text).size();
  }
  for (LCID locale : {LCID(0x0409), LCID(0x0407)}) {
    SetBarDateTextLocale(locale);
    const TDateTime d = D(2026, 1, 31);
    const String plain = DateToDisplayText(d, false), withDay = DateToDisplayText(d, true);
    ASSERT_FALSE(plain.empty());
    EXPECT_GT(withDay.size(), plain.size() + 1);
    EXPECT_EQ(withDay.substr(withDay.size() - plain.size()), plain);
    // A leading day name reads the same as the text without it.
    EXPECT_EQ(DisplayTextToDate(withDay), d) << locale;
    EXPECT_EQ(DisplayTextToDate(plain), d) << locale;
    EXPECT_EQ(DateToDisplayText(NullDate, true), L"");
  }
  SetBarDateTextLocale(saved);
}

TEST(DateComboRules, MonthsShiftWithTheDayClamped) {
  EXPECT_EQ(ShiftDateMonths(D(2026, 1, 31), 1), D(2026, 2, 28));
  EXPECT_EQ(ShiftDateMonths(D(2024, 3, 31), -1), D(2024, 2, 29));
  EXPECT_EQ(ShiftDateMonths(D(2024, 1, 15), -13), D(2022, 12, 15));
  EXPECT_EQ(ShiftDateMonths(D(2024, 1, 15), 25), D(2026, 2, 15));
}

class CalendarTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    clockScope = std::make_unique<TClockScope>(clock);
  }
  void TearDown() override {
    if (navigator) navigator->OnDateSelected = nullptr;
    FormFixture::TearDown();
    clockScope.reset();
    SetBarFirstDayOfWeek(-1);
  }
  // An embedded navigator (style 0) on the form, showing the month of Shown.
  TdxBarDateNavigator* Embedded(TDateTime shown) {
    navigator = new TdxBarDateNavigator(form);
    navigator->SetLook(0);
    navigator->SetParent(form);
    navigator->SetVisible(true);
    navigator->SetFirstDate(shown);
    navigator->HandleNeeded();
    return navigator;
  }
  // The centre of a day cell (week row, day column) of the first month, in client coordinates.
  TPoint DayPoint(int week, int day) const {
    const TRect cal = navigator->CalendarArea();
    return TPoint(cal.left + navigator->MarginWidth() + day * navigator->DayCellWidth() + navigator->DayCellWidth() / 2,
                  cal.top + navigator->WeekdayRowHeight() + week * navigator->DayCellHeight() +
                      navigator->DayCellHeight() / 2);
  }

  TManualClock clock{EncodeDate(2026, 12, 11) + 0.5};
  std::unique_ptr<TClockScope> clockScope;
  TdxBarDateNavigator* navigator = nullptr;
};

TEST_F(CalendarTest, ColumnsAndShownRangeFollowTheFirstDayOfTheWeek) {
  // 1 March 2026 is a Sunday; 1 June 2026 a Monday.
  struct Case {
    int firstDay;
    TDateTime month;
    int column;
    TDateTime firstShown, lastShown;
  } cases[] = {
      // Sunday first: a month starting on Sunday is in column 0, so a whole week before it is shown.
      {0, D(2026, 3, 1), 0, D(2026, 2, 22), D(2026, 4, 4)},
      {0, D(2026, 6, 1), 1, D(2026, 5, 31), D(2026, 7, 11)},
      // Monday first: Sunday is the last column; June starts in column 0.
      {1, D(2026, 3, 1), 6, D(2026, 2, 23), D(2026, 4, 5)},
      {1, D(2026, 6, 1), 0, D(2026, 5, 25), D(2026, 7, 5)},
  };
  Embedded(D(2026, 1, 1));
  for (const Case& c : cases) {
    SetBarFirstDayOfWeek(c.firstDay);
    navigator->SetFirstDate(c.month + 9);
    EXPECT_EQ(navigator->ShownMonth(), c.month);
    EXPECT_EQ(WeekColumnOf(c.month), c.column);
    EXPECT_EQ(navigator->FirstShownDate(), c.firstShown);
    EXPECT_EQ(navigator->LastShownDate(), c.lastShown);
    EXPECT_EQ(navigator->LastShownDate() - navigator->FirstShownDate(), 41);
  }
}

TEST_F(CalendarTest, DateAtPosFindsTheCellsDayAndNothingOutsideTheGrid) {
  SetBarFirstDayOfWeek(0);
  Embedded(D(2026, 3, 1));  // starts in column 0: the first row is the week before
  ASSERT_GT(navigator->DayCellWidth(), 0);
  EXPECT_EQ(navigator->DateAtPos(DayPoint(0, 0)), D(2026, 2, 22));
  EXPECT_EQ(navigator->DateAtPos(DayPoint(1, 0)), D(2026, 3, 1));
  EXPECT_EQ(navigator->DateAtPos(DayPoint(5, 6)), D(2026, 4, 4));
  SetBarFirstDayOfWeek(1);
  navigator->SetFirstDate(D(2026, 3, 1));  // Sunday is column 6 with Monday first
  EXPECT_EQ(navigator->DateAtPos(DayPoint(0, 6)), D(2026, 3, 1));
  EXPECT_EQ(navigator->DateAtPos(DayPoint(0, 0)), D(2026, 2, 23));
  // The header, the day-name row and the side margins hold no date.
  const TRect cal = navigator->CalendarArea();
  EXPECT_EQ(navigator->DateAtPos(TPoint(cal.right / 2, 2)), NullDate);
  EXPECT_EQ(navigator->DateAtPos(TPoint(cal.right / 2, cal.top + 2)), NullDate);
  EXPECT_EQ(navigator->DateAtPos(TPoint(1, DayPoint(2, 0).y)), NullDate);
  EXPECT_EQ(navigator->DateAtPos(TPoint(-5, DayPoint(2, 0).y)), NullDate);
}

TEST_F(CalendarTest, KeepSelectionVisibleShowsTheStartWhicheverWayItMoved) {
  SetBarFirstDayOfWeek(1);
  Embedded(D(2026, 6, 1));
  for (TDateTime start : {D(2026, 1, 20), D(2026, 11, 3), D(2026, 5, 26), D(2026, 7, 9), D(2025, 12, 31)}) {
    navigator->SetFirstDate(D(2026, 6, 1));
    navigator->SetRangeStart(start);
    EXPECT_LE(navigator->FirstShownDate(), start);
    EXPECT_GE(navigator->LastShownDate(), start);
    EXPECT_EQ(navigator->SelectionStart(), start);
    EXPECT_EQ(navigator->SelectionFinish(), start);
  }
  // Days already shown do not move the month.
  navigator->SetFirstDate(D(2026, 6, 1));
  navigator->SetRangeStart(D(2026, 7, 3));
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 6, 1));
}

TEST(MonthList, ScrollStepsGrowWithTheDistance) {
  const int h = 140;
  struct Case {
    int y, id;
    UINT interval;
  } cases[] = {
      {h, 6, 500}, {h + 10, 6, 500}, {h + 11, 7, 250}, {h + 24, 8, 100}, {h + 35, 9, 50}, {h + 200, 9, 50},
      {-1, 4, 500}, {-12, 3, 250}, {-24, 2, 100}, {-36, 1, 50}, {-500, 1, 50},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TAMonthListBox::ScrollTimerFor(c.y, h), c.id) << c.y;
    EXPECT_EQ(TAMonthListBox::ScrollIntervalFor(c.id), c.interval) << c.y;
  }
  EXPECT_EQ(TAMonthListBox::ScrollTimerFor(0, h), 0);
  EXPECT_EQ(TAMonthListBox::ScrollTimerFor(h - 1, h), 0);
}

TEST_F(CalendarTest, TheMonthListPicksTheHotMonthAndScrollsOnTicks) {
  SetBarFirstDayOfWeek(1);
  Embedded(D(2026, 6, 1));
  ShowForm();
  const TRect caption = navigator->MonthCaptionArea();
  const int cx = (caption.left + caption.right) / 2, cy = (caption.top + caption.bottom) / 2;
  SendMouse(navigator->Handle(), WM_LBUTTONDOWN, cx, cy, MK_LBUTTON);
  TAMonthListBox* list = navigator->MonthPicker();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->FirstListedMonth, D(2026, 3, 1));
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->Height() - list->ClientHeight() + 7 * list->EntryHeight(), list->Height());
  // Below the list: one month per tick, forward.
  list->TrackPoint(5, list->ClientHeight() + 30);
  EXPECT_EQ(list->ScrollTimer(), 8);
  EXPECT_EQ(list->HotEntry(), -1);
  SendMessageW(list->Handle(), WM_TIMER, 8, 0);
  SendMessageW(list->Handle(), WM_TIMER, 8, 0);
  EXPECT_EQ(list->FirstListedMonth, D(2026, 5, 1));
  SendMessageW(list->Handle(), WM_TIMER, 2, 0);
  EXPECT_EQ(list->FirstListedMonth, D(2026, 4, 1));
  // Back inside: the timer stops and the entry under the cursor is hot.
  list->TrackPoint(5, 2 * list->EntryHeight() + 1);
  EXPECT_EQ(list->ScrollTimer(), 0);
  EXPECT_EQ(list->HotEntry(), 2);
  EXPECT_EQ(list->Result(), D(2026, 6, 1));
  list->TrackPoint(5, 5 * list->EntryHeight() + 1);
  SendMouse(navigator->Handle(), WM_LBUTTONUP, cx, cy);
  EXPECT_EQ(navigator->MonthPicker(), nullptr);
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 9, 1));
}

TEST_F(CalendarTest, ArrowsStepMonthsAndRepeatOnlyOverTheArrow) {
  Embedded(D(2026, 6, 1));
  ShowForm();
  const TRect left = navigator->LeftArrowArea();
  const POINT p{(left.left + left.right) / 2, (left.top + left.bottom) / 2};
  SendMouse(navigator->Handle(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 5, 1));
  EXPECT_EQ(navigator->ArrowTimer(), 1);
  POINT screen = p;
  ClientToScreen(navigator->Handle(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(navigator->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 4, 1));
  SetCursorPos(screen.x + 100, screen.y + 100);
  SendMessageW(navigator->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 4, 1));
  SendMouse(navigator->Handle(), WM_LBUTTONUP, p.x, p.y);
  EXPECT_EQ(navigator->ArrowTimer(), 0);
  const TRect right = navigator->RightArrowArea();
  SendMouse(navigator->Handle(), WM_LBUTTONDOWN, (right.left + right.right) / 2, (right.top + right.bottom) / 2,
            MK_LBUTTON);
  EXPECT_EQ(navigator->ShownMonth(), D(2026, 5, 1));
  EXPECT_EQ(navigator->ArrowTimer(), 2);
  SendMouse(navigator->Handle(), WM_LBUTTONUP, (right.left + right.right) / 2, (right.top + right.bottom) / 2);
}

class PopupCalendarTest : public CalendarTest {
 protected:
  void Open() {
    SetBarFirstDayOfWeek(1);
    navigator = new TdxBarDateNavigator(form);
    navigator->PopupMode = true;
    navigator->SetParentWindow(form->Handle());
    navigator->SetFirstDate(D(2026, 12, 1));
    navigator->SetRangeStart(D(2026, 12, 3));
    navigator->OnDateSelected = [this](TObject*) { ++selected; };
    navigator->HandleNeeded();
    SetWindowPos(navigator->Handle(), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ProcessMessages();
  }
  TPoint Centre(const TRect& r) { return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
  int selected = 0;
};

TEST_F(PopupCalendarTest, APopupIsATopLevelToolWindowWithItsButtonsBelowTheMonth) {
  ShowForm();
  Open();
  HWND h = navigator->Handle();
  EXPECT_EQ(GetAncestor(h, GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const TRect today = navigator->TodayButtonArea(), clear = navigator->ClearButtonArea();
  EXPECT_FALSE(today.IsEmpty());
  EXPECT_LT(today.right, clear.left);
  EXPECT_EQ(today.top, clear.top);
  // Three equal gaps around the two buttons.
  const int gap = today.left;
  EXPECT_NEAR(clear.left - today.right, gap, 1);
  EXPECT_NEAR(navigator->ClientWidth() - clear.right, gap, 2);
  EXPECT_GE(today.top, navigator->CalendarArea().bottom);
  EXPECT_EQ(navigator->ClientHeight() - navigator->CalendarArea().bottom, navigator->ButtonBandHeight());
}

TEST_F(PopupCalendarTest, TodayAndClearChooseWhenPressedAndReleasedOnThem) {
  ShowForm();
  Open();
  HWND h = navigator->Handle();
  const TPoint today = Centre(navigator->TodayButtonArea()), clear = Centre(navigator->ClearButtonArea());
  SendMouse(h, WM_LBUTTONDOWN, today.x, today.y, MK_LBUTTON);
  EXPECT_TRUE(navigator->TodayTracking());
  EXPECT_TRUE(navigator->TodayDown());
  SendMouse(h, WM_LBUTTONUP, today.x, today.y);
  EXPECT_EQ(navigator->RangeStart(), D(2026, 12, 11));
  EXPECT_EQ(selected, 1);
  EXPECT_FALSE(navigator->TodayTracking());

  SendMouse(h, WM_LBUTTONDOWN, clear.x, clear.y, MK_LBUTTON);
  SendMouse(h, WM_LBUTTONUP, clear.x, clear.y);
  EXPECT_EQ(navigator->RangeStart(), NullDate);
  EXPECT_EQ(navigator->SelectionStart(), NullDate);
  EXPECT_EQ(selected, 2);

  // Pressed on Today, slid off and released: nothing chosen.
  navigator->SetRangeStart(D(2026, 12, 3));
  SendMouse(h, WM_LBUTTONDOWN, today.x, today.y, MK_LBUTTON);
  SendMouse(h, WM_MOUSEMOVE, today.x, 3, MK_LBUTTON);
  EXPECT_FALSE(navigator->TodayDown());
  SendMouse(h, WM_LBUTTONUP, today.x, 3);
  EXPECT_EQ(navigator->RangeStart(), D(2026, 12, 3));
  EXPECT_EQ(selected, 2);
}

TEST_F(PopupCalendarTest, KeysMoveTheSelection) {
  ShowForm();
  Open();
  HWND h = navigator->Handle();
  struct Case {
    WPARAM key;
    bool ctrl;
    TDateTime from, expected;
  } cases[] = {
      {VK_PRIOR, false, D(2026, 3, 31), D(2026, 2, 28)},
      {VK_NEXT, false, D(2026, 1, 31), D(2026, 2, 28)},
      {VK_END, true, D(2026, 2, 3), D(2026, 2, 28)},
      {VK_HOME, true, D(2026, 2, 13), D(2026, 2, 1)},
      {VK_HOME, false, D(2026, 12, 11), D(2026, 12, 7)},  // Monday first
      {VK_END, false, D(2026, 12, 11), D(2026, 12, 13)},
      {VK_LEFT, false, D(2026, 3, 1), D(2026, 2, 28)},
      {VK_DOWN, false, D(2026, 12, 28), D(2027, 1, 4)},
  };
  for (const Case& c : cases) {
    navigator->SetRangeStart(c.from);
    if (c.ctrl) {
      HeldKeys ctrl({VK_CONTROL});
      SendMessageW(h, WM_KEYDOWN, c.key, 0);
    } else {
      SendMessageW(h, WM_KEYDOWN, c.key, 0);
    }
    EXPECT_EQ(navigator->RangeStart(), c.expected) << c.key;
    EXPECT_LE(navigator->FirstShownDate(), c.expected);
    EXPECT_GE(navigator->LastShownDate(), c.expected);
  }
  EXPECT_EQ(selected, 0);
  SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(selected, 1);
}

TEST_F(PopupCalendarTest, ALostCaptureCancelsTheDrag) {
  ShowForm();
  Open();
  HWND h = navigator->Handle();
  const TPoint a = DayPoint(2, 2), b = DayPoint(3, 4);
  const TDateTime before = navigator->SelectionStart();
  SendMouse(h, WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
  ASSERT_EQ(GetCapture(), h);
  const TDateTime pressed = navigator->RangeStart();
  EXPECT_NE(pressed, before);
  SendMouse(h, WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
  EXPECT_EQ(navigator->RangeStart(), pressed + 9);
  SetCapture(form->Handle());
  ReleaseCapture();
  ProcessMessages();
  EXPECT_EQ(navigator->SelectionStart(), before);
  EXPECT_EQ(selected, 0);
  // A plain click on a day after that chooses it.
  SendMouse(h, WM_LBUTTONDOWN, b.x, b.y, MK_LBUTTON);
  SendMouse(h, WM_LBUTTONUP, b.x, b.y);
  EXPECT_EQ(navigator->RangeStart(), pressed + 9);
  EXPECT_EQ(selected, 1);
}

TEST_F(CalendarTest, TheGridPaintsTodayTheSelectionAndTheOtherMonthsDays) {
  SetBarFirstDayOfWeek(1);
  Embedded(D(2026, 12, 1));
  navigator->SetRangeStart(D(2026, 12, 16));
  ShowForm();
  navigator->Repaint();
  HDC dc = GetDC(navigator->Handle());
  // 1 December 2026 is a Tuesday (column 1, first week row); the 16th a Wednesday in row 2; the 11th
  // (today) a Friday in row 1.
  const TRect cal = navigator->CalendarArea();
  auto cellRect = [&](int week, int day) {
    const int l = cal.left + navigator->MarginWidth() + day * navigator->DayCellWidth();
    const int t = cal.top + navigator->WeekdayRowHeight() + week * navigator->DayCellHeight();
    return TRect(l, t, l + navigator->DayCellWidth(), t + navigator->DayCellHeight());
  };
  const TRect selectedCell = cellRect(2, 2), todayCell = cellRect(1, 4), plain = cellRect(3, 0);
  EXPECT_EQ(GetPixel(dc, selectedCell.left + 1, selectedCell.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, todayCell.left, todayCell.top), COLORREF(0x000080));
  EXPECT_EQ(GetPixel(dc, todayCell.left + 1, todayCell.top + 1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetPixel(dc, plain.left + 1, plain.top + 1), GetSysColor(COLOR_WINDOW));
  ReleaseDC(navigator->Handle(), dc);
}

}  // namespace
