#include "ui/bars/items/BarCalendar.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Messages.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/items/DateUtils.h"
#include "ui/bars/items/ExtendedItems.h"

DEFINE_CLASS(TdxBarCustomCalendar)
DEFINE_CLASS(TdxBarDateNavigator)
DEFINE_CLASS(TAMonthListBox)

namespace {

int firstDayOfWeek = -1;
LCID dateLocale = LOCALE_USER_DEFAULT;

String LocaleText(LCTYPE type) {
  wchar_t text[100] = {};
  return GetLocaleInfoW(dateLocale, type, text, 100) > 0 ? String(text) : String();
}

// Short day name of a DayOfWeek value (1 = Sunday) in the date locale.
String ShortDayName(int dayOfWeek) {
  // LOCALE_SABBREVDAYNAME1 is Monday, ... 7 is Sunday.
  return LocaleText(LOCALE_SABBREVDAYNAME1 + (dayOfWeek + 5) % 7);
}

String LongMonthName(int month) { return LocaleText(LOCALE_SMONTHNAME1 + month - 1); }

String MonthCaption(TDateTime month) {
  Word y, m, d;
  DecodeDate(month, y, m, d);
  return LongMonthName(m) + L" " + IntToStr(y);
}

TDateTime Today() { return std::floor(Date()); }

bool IsValidDate(TDateTime d) { return d != NullDate; }

// A day name written right to left or in ideographs shows its last character, others the first.
wchar_t DayLetter(const String& name) {
  if (name.empty()) return L' ';
  const wchar_t first = name.front();
  const bool lastShown = (first >= 0x0590 && first <= 0x06FF) || (first >= 0x2E80 && first <= 0x9FFF) ||
                         (first >= 0xAC00 && first <= 0xD7AF);
  return lastShown ? name.back() : first;
}

TdxBarPainter* PainterOf(TdxBarManager* manager) { return manager ? manager->Painter() : nullptr; }

}  // namespace

int BarFirstDayOfWeek() {
  if (firstDayOfWeek >= 0) return firstDayOfWeek;
  // The value the extended items read at their start; before it, the locale's answer now.
  return ExtendedItemsStartCount() > 0 ? dxBarFirstDayOfWeek() : FirstDayOfWeek();
}

void SetBarFirstDayOfWeek(int Value) { firstDayOfWeek = Value < 0 ? -1 : Value % 7; }

LCID BarDateTextLocale() { return dateLocale; }
void SetBarDateTextLocale(LCID Locale) { dateLocale = Locale; }

int WeekColumnOf(TDateTime Date) {
  const int d = DayOfWeek(Date) - BarFirstDayOfWeek();
  return d > 0 ? d - 1 : d + 6;
}

TDateTime FirstOfMonth(TDateTime Date) {
  Word y, m, d;
  DecodeDate(Date, y, m, d);
  return EncodeDate(y, m, 1);
}

TDateTime ShiftDateMonths(TDateTime Date, int Delta) {
  Word y, m, d;
  DecodeDate(Date, y, m, d);
  int months = int(y) * 12 + (m - 1) + Delta;
  const Word year = Word(months / 12), month = Word(months % 12 + 1);
  return EncodeDate(year, month, std::min<Word>(d, DaysInAMonth(year, month)));
}

TDateTime ClampDateToRange(TDateTime Date, TDateTime MinDate, TDateTime MaxDate) {
  if (Date == NullDate) return Date;
  if (MinDate != 0 && Date < MinDate) Date = MinDate;
  if (MaxDate != 0 && Date > MaxDate) Date = MaxDate;
  return Date;
}

TDateTime BoundedMinDate(TDateTime Value, TDateTime MaxDate) {
  return Value != 0 && MaxDate != 0 ? std::min(MaxDate, Value) : Value;
}

TDateTime BoundedMaxDate(TDateTime Value, TDateTime MinDate) {
  return Value != 0 && MinDate != 0 ? std::max(MinDate, Value) : Value;
}

String DateToDisplayText(TDateTime Date, bool ShowDayText) {
  if (Date == NullDate) return String();
  SYSTEMTIME st{};
  DateTimeToSystemTime(std::floor(Date), st);
  wchar_t text[100] = {};
  String result;
  if (GetDateFormatW(dateLocale, DATE_SHORTDATE, &st, nullptr, text, 100) > 0) {
    result = text;
  } else {
    BSTR b = nullptr;
    if (FAILED(VarBstrFromDate(Date, dateLocale, 0, &b))) return String();
    result = b ? String(b) : String();
    SysFreeString(b);
  }
  if (ShowDayText) result = ShortDayName(DayOfWeek(Date)) + L" " + result;
  return result;
}

TDateTime DisplayTextToDate(const String& Text) {
  String text = Text;
  for (int day = 1; day <= 7; ++day) {
    const String name = ShortDayName(day);
    if (!name.empty() && text.find(name + L" ") != String::npos) {
      text.erase(0, text.find(L' ') + 1);
      break;
    }
  }
  std::replace(text.begin(), text.end(), L'.', L' ');
  DATE value = 0;
  if (text.find_first_not_of(L' ') == String::npos) return NullDate;
  if (FAILED(VarDateFromStr(const_cast<OLECHAR*>(text.c_str()), dateLocale, 0, &value))) return NullDate;
  return std::floor(value);
}

// ---- Calendar ----------------------------------------------------------------------------------------

TdxBarCustomCalendar::TdxBarCustomCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csDoubleClicks);
  shownMonth_ = Today();
  rangeStart_ = rangeEnd_ = shownMonth_;
  SetColor(clWindow);
  Font()->SetColor(clWindowText);
}

void TdxBarCustomCalendar::SetLook(int Value) {
  if (look_ == Value) return;
  look_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

TDateTime TdxBarCustomCalendar::LastDayOfFirstMonth() const {
  Word y, m, d;
  DecodeDate(shownMonth_, y, m, d);
  return EncodeDate(y, m, DaysInAMonth(y, m));
}

TDateTime TdxBarCustomCalendar::SelectionStart() const {
  return rangeEnd_ == NullDate ? rangeStart_ : std::min(rangeStart_, rangeEnd_);
}

TDateTime TdxBarCustomCalendar::SelectionFinish() const {
  return rangeEnd_ == NullDate ? rangeStart_ : std::max(rangeStart_, rangeEnd_);
}

void TdxBarCustomCalendar::SetFirstDate(TDateTime Date) {
  shownMonth_ = Date;
  Invalidate();
}

void TdxBarCustomCalendar::SetRangeStart(TDateTime Date) {
  const bool changed = rangeStart_ != Date || rangeEnd_ != NullDate;
  rangeStart_ = Date;
  rangeEnd_ = NullDate;
  SetRangeEnd(Date);
  if (changed) Invalidate();
}

void TdxBarCustomCalendar::SetRangeEnd(TDateTime Date) {
  if (rangeEnd_ == Date) return;
  KeepSelectionVisible();
  rangeEnd_ = Date;
  KeepSelectionVisible();
  Invalidate();
}

void TdxBarCustomCalendar::ExtendSelectionTo(TDateTime Date) {
  if (Date != SelectionFinish() && IsValidDate(Date))
    SetRangeEnd(Date);
  else
    Invalidate();
}

void TdxBarCustomCalendar::DateSelected() {
  if (OnDateSelected) OnDateSelected(this);
}

void TdxBarCustomCalendar::CancelMode() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
}

void TdxBarCustomCalendar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TdxBarCustomCalendar::CreateWnd() {
  TCustomControl::CreateWnd();
  Perform(CM_FONTCHANGED, 0, 0);
}

void TdxBarCustomCalendar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_CANCELMODE:
      CancelMode();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      break;
    case WM_LBUTTONUP:
      pressed_ = false;
      break;
    case WM_CAPTURECHANGED:
      // Only a pending press is cancelled: the control's own release also changes the capture.
      if (pressed_ && HWND(Message.LParam) != Handle()) CancelMode();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TdxBarCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssDouble)) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  dragOrigin_ = SelectionStart();
  const TDateTime d = DateAtPos(TPoint(X, Y));
  if (IsValidDate(d)) SetRangeStart(d);
}

void TdxBarCustomCalendar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Shift.Contains(ssLeft) || GetCaptureControl() != this) return;
  const TPoint p(X, Y);
  if (!ClientRect().Contains(p)) {
    SetRangeStart(dragOrigin_);
  } else {
    const TDateTime d = DateAtPos(p);
    if (IsValidDate(d)) SetRangeEnd(d);
  }
  Update();
}

// ---- Date navigator -----------------------------------------------------------------------------------

TdxBarDateNavigator::TdxBarDateNavigator(TComponent* AOwner) : TdxBarCustomCalendar(AOwner) {
  SetVisible(false);
  SetBounds(0, 0, 20, 20);
  StoreShownMonth(FirstOfMonth(ShownMonth()));
}

TdxBarDateNavigator::~TdxBarDateNavigator() {
  FreeMonthPicker();
  if (arrowTimer_ && HandleAllocated()) KillTimer(Handle(), UINT_PTR(arrowTimer_));
}

int TdxBarDateNavigator::Look() const {
  const int look = TdxBarCustomCalendar::Look();
  TdxBarPainter* painter = PainterOf(BarManager);
  return look == 1 && painter && painter->IsCalendarFlat() ? 2 : look;
}

TDateTime TdxBarDateNavigator::FirstShownDate() const {
  const int column = WeekColumnOf(ShownMonth());
  return ShownMonth() - (column == 0 ? 7 : column);
}

TDateTime TdxBarDateNavigator::LastShownDate() const {
  const TDateTime last = LastDayOfFirstMonth();
  const int days = int(last - ShownMonth()) + 1;
  const int column = WeekColumnOf(ShownMonth());
  return last + 42 - days - column - (column == 0 ? 7 : 0);
}

void TdxBarDateNavigator::SetFirstDate(TDateTime Date) { TdxBarCustomCalendar::SetFirstDate(FirstOfMonth(Date)); }

void TdxBarDateNavigator::SetRangeEnd(TDateTime Date) {
  if (RangeEnd() == Date && RangeStart() == Date) return;
  KeepSelectionVisible();
  StoreRange(Date, Date);
  KeepSelectionVisible();
  Invalidate();
}

void TdxBarDateNavigator::KeepSelectionVisible() {
  const TDateTime start = RangeStart();
  if (!IsValidDate(start)) return;
  // Both rules run in this order, the second seeing what the first did, so the start ends up shown.
  if (FirstShownDate() > start) SetFirstDate(ShiftDateMonths(start, -1));
  if (LastShownDate() < start) SetFirstDate(start);
}

TDateTime TdxBarDateNavigator::CellMonth(int Cell) const { return ShiftDateMonths(ShownMonth(), Cell); }

TDateTime TdxBarDateNavigator::CellFirstDate(int Cell) const {
  const TDateTime first = CellMonth(Cell);
  TDateTime d = first - WeekColumnOf(first);
  if (Cell == 0 && WeekColumnOf(ShownMonth()) == 0) d -= 7;
  return d;
}

void TdxBarDateNavigator::CalcMetrics() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  const TSize zero = c->TextExtent(L"0");
  const int size = Font()->Size();
  dayCellWidth_ = 3 * zero.cx;
  marginWidth_ = 2 * zero.cx;
  dayCellHeight_ = zero.cy + 2;
  titleHeight_ = zero.cy + 4 + (TdxBarCustomCalendar::Look() != 0 ? 1 : 0);
  weekdayRowHeight_ = dayCellHeight_ + 1;
  todayWidth_ = c->TextWidth(dxBarString(dxbsToday)) + dayCellWidth_;
  clearWidth_ = c->TextWidth(dxBarString(dxbsClear)) + dayCellWidth_;
  buttonGap_ = size / 2;
  buttonHeight_ = MulDiv(size, 5, 2);
  buttonBandHeight_ = size * 3 / 4 + buttonHeight_ + buttonGap_;
  UpdateSize();
}

void TdxBarDateNavigator::UpdateSize() {
  if (!HandleAllocated()) return;
  const int ncWidth = Width() - ClientWidth(), ncHeight = Height() - ClientHeight();
  const int cellWidth = 2 * marginWidth_ + 7 * dayCellWidth_;
  const int cellHeight =
      (Look() == 0 ? 1 : 0) + titleHeight_ + weekdayRowHeight_ + 6 * dayCellHeight_ + 1;
  const int width = ncWidth + MonthColumns * cellWidth;
  const int height = ncHeight + MonthRows * cellHeight + (ButtonsShown() ? buttonBandHeight_ : 0);
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

TRect TdxBarDateNavigator::CalendarArea() const {
  const int top = titleHeight_ + (Look() == 0 ? 1 : 0);
  const int width = const_cast<TdxBarDateNavigator*>(this)->ClientWidth() / std::max(1, MonthColumns);
  return TRect(0, top, width, top + weekdayRowHeight_ + 6 * dayCellHeight_ + 1);
}

TRect TdxBarDateNavigator::LeftArrowArea() const { return TRect(1, 1, dayCellWidth_ - 1, titleHeight_ - 1); }

TRect TdxBarDateNavigator::RightArrowArea() const {
  const int width = CalendarArea().right;
  return TRect(width - dayCellWidth_, 1, width - (Look() == 0 ? 1 : 0) - 1, titleHeight_ - 1);
}

TRect TdxBarDateNavigator::MonthCaptionArea() const {
  const TRect cal = CalendarArea();
  return TRect(cal.left + dayCellWidth_, 2, cal.right - dayCellWidth_, cal.top);
}

TRect TdxBarDateNavigator::TodayButtonArea() const {
  if (!PopupMode || !TodayShown) return TRect();
  auto* self = const_cast<TdxBarDateNavigator*>(this);
  const int top = self->ClientHeight() + buttonGap_ - buttonBandHeight_;
  if (ClearShown) {
    const int gap = (self->ClientWidth() - todayWidth_ - clearWidth_) / 3;
    return TRect(gap, top, gap + todayWidth_, top + buttonHeight_);
  }
  const int gap = (self->ClientWidth() - todayWidth_) / 2;
  return TRect(gap, top, gap + todayWidth_, top + buttonHeight_);
}

TRect TdxBarDateNavigator::ClearButtonArea() const {
  if (!PopupMode || !ClearShown) return TRect();
  auto* self = const_cast<TdxBarDateNavigator*>(this);
  const int top = self->ClientHeight() + buttonGap_ - buttonBandHeight_;
  if (TodayShown) {
    const int gap = (self->ClientWidth() - todayWidth_ - clearWidth_) / 3;
    const int left = 2 * gap + todayWidth_;
    return TRect(left, top, left + clearWidth_, top + buttonHeight_);
  }
  const int gap = (self->ClientWidth() - clearWidth_) / 2;
  return TRect(gap, top, gap + clearWidth_, top + buttonHeight_);
}

TDateTime TdxBarDateNavigator::DateAtPos(TPoint P) {
  const TRect client = ClientRect();
  if (!client.Contains(P)) return NullDate;
  const int cellWidth = int(client.Width()) / std::max(1, MonthColumns);
  const int cellHeight = (int(client.Height()) - (ButtonsShown() ? buttonBandHeight_ : 0)) / std::max(1, MonthRows);
  if (cellWidth <= 0 || cellHeight <= 0 || dayCellWidth_ <= 0 || dayCellHeight_ <= 0) return NullDate;
  const int column = std::min(int(P.x) / cellWidth, MonthColumns - 1), row = std::min(int(P.y) / cellHeight, MonthRows - 1);
  const TPoint local(P.x - column * cellWidth, P.y - row * cellHeight);
  const TRect cal = CalendarArea();
  const TRect days(cal.left + marginWidth_, cal.top + weekdayRowHeight_, cal.right - marginWidth_, cal.bottom);
  if (!days.Contains(local)) return NullDate;
  const int dayColumn = (local.x - days.left) / dayCellWidth_, week = (local.y - days.top) / dayCellHeight_;
  if (dayColumn > 6 || week > 5) return NullDate;
  const int cell = row * MonthColumns + column, last = MonthColumns * MonthRows - 1;
  const TDateTime date = CellFirstDate(cell) + 7 * week + dayColumn;
  const TDateTime first = CellMonth(cell);
  const TDateTime next = ShiftDateMonths(first, 1);
  if ((date >= first && date < next) || (cell == 0 && date < first) || (cell == last && date >= next)) return date;
  return NullDate;
}

void TdxBarDateNavigator::CreateParams(TCreateParams& Params) {
  TdxBarCustomCalendar::CreateParams(Params);
  if (PopupMode) {
    Params.Style = WS_CHILD | (Look() != 2 ? WS_DLGFRAME : 0);
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    Params.WindowClassStyle |= CS_SAVEBITS;
  } else if (Look() == 0) {
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

void TdxBarDateNavigator::CreateWnd() {
  TdxBarCustomCalendar::CreateWnd();
  if (PopupMode) {
    // Shown over everything while dropped down: no longer a child of the bar window.
    ::SetParent(Handle(), nullptr);
    DefWindowProcW(Handle(), WM_SETFOCUS, 0, 0);
  }
}

void TdxBarDateNavigator::StepMonth(int Delta) {
  SetFirstDate(ShiftDateMonths(ShownMonth(), Delta));
  Invalidate();
}

void TdxBarDateNavigator::StopArrowTimer() {
  if (arrowTimer_ && HandleAllocated()) KillTimer(Handle(), UINT_PTR(arrowTimer_));
  arrowTimer_ = 0;
}

void TdxBarDateNavigator::FreeMonthPicker() {
  if (!monthPicker_) return;
  TAMonthListBox* picker = monthPicker_;
  monthPicker_ = nullptr;
  picker->Free();
}

void TdxBarDateNavigator::CancelMode() {
  // The pending interaction is dropped first, so the release sent below picks no month and presses
  // no button.
  StopArrowTimer();
  FreeMonthPicker();
  const bool repaint = todayTracking_ || clearTracking_;
  todayTracking_ = todayDown_ = clearTracking_ = clearDown_ = false;
  TdxBarCustomCalendar::CancelMode();
  if (repaint) Invalidate();
}

void TdxBarDateNavigator::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED:
      TdxBarCustomCalendar::WndProc(Message);
      if (HandleAllocated()) CalcMetrics();
      return;
    case WM_SIZE:
      TdxBarCustomCalendar::WndProc(Message);
      UpdateSize();
      return;
    case WM_TIMER:
      if (int(Message.WParam) == arrowTimer_ && arrowTimer_ != 0) {
        POINT p{};
        GetCursorPos(&p);
        ::ScreenToClient(Handle(), &p);
        const TRect arrow = arrowTimer_ == 1 ? LeftArrowArea() : RightArrowArea();
        if (arrow.Contains(TPoint(p.x, p.y))) StepMonth(arrowTimer_ == 1 ? -1 : 1);
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCCALCSIZE:
      if (Look() != 0) {
        auto* r = reinterpret_cast<RECT*>(Message.LParam);
        InflateRect(r, -1, -1);
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      if (Look() != 0) {
        HDC dc = GetWindowDC(Handle());
        RECT r;
        GetWindowRect(Handle(), &r);
        OffsetRect(&r, -r.left, -r.top);
        if (Look() == 1) {
          DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        } else {
          HBRUSH b = GetSysColorBrush(COLOR_BTNSHADOW);
          FrameRect(dc, &r, b);
        }
        ReleaseDC(Handle(), dc);
        Message.Result = 0;
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    default:
      break;
  }
  TdxBarCustomCalendar::WndProc(Message);
}

void TdxBarDateNavigator::KeyDown(Word& Key, TShiftState Shift) {
  TdxBarCustomCalendar::KeyDown(Key, Shift);
  if (!PopupMode) return;
  if (Key == VK_RETURN) {
    if (!monthPicker_) DateSelected();
    return;
  }
  TDateTime d = IsValidDate(RangeStart()) ? RangeStart() : Today();
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_PRIOR: d = ShiftDateMonths(d, -1); break;
    case VK_NEXT: d = ShiftDateMonths(d, 1); break;
    case VK_HOME: d = ctrl ? FirstOfMonth(d) : d - WeekColumnOf(d); break;
    case VK_END: d = ctrl ? ShiftDateMonths(FirstOfMonth(d), 1) - 1 : d + 6 - WeekColumnOf(d); break;
    case VK_LEFT: d -= 1; break;
    case VK_RIGHT: d += 1; break;
    case VK_UP: d -= 7; break;
    case VK_DOWN: d += 7; break;
    default: return;
  }
  SetRangeStart(d);
}

void TdxBarDateNavigator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TPoint p(X, Y);
  if (PopupMode && Button == mbLeft) {
    if (TodayShown && TodayButtonArea().Contains(p)) {
      todayTracking_ = todayDown_ = true;
      Invalidate();
      return;
    }
    if (ClearShown && ClearButtonArea().Contains(p)) {
      clearTracking_ = clearDown_ = true;
      Invalidate();
      return;
    }
  }
  if (ButtonsShown() && Y >= ClientHeight() - buttonBandHeight_) return;
  TdxBarCustomCalendar::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TRect client = ClientRect();
  const int cellWidth = std::max(1, int(client.Width()) / std::max(1, MonthColumns));
  const int cellHeight = std::max(1, (int(client.Height()) - (ButtonsShown() ? buttonBandHeight_ : 0)) / std::max(1, MonthRows));
  const int column = std::clamp(X / cellWidth, 0, MonthColumns - 1), row = std::clamp(Y / cellHeight, 0, MonthRows - 1);
  const TPoint local(X - column * cellWidth, Y - row * cellHeight);
  if (MonthCaptionArea().Contains(local)) {
    pickerCell_ = row * MonthColumns + column;
    FreeMonthPicker();
    monthPicker_ = new TAMonthListBox(this, this);
    monthPicker_->FirstListedMonth = ShiftDateMonths(ShownMonth(), pickerCell_ - 3);
    monthPicker_->SetParentWindow(Handle());
    monthPicker_->CalcMetrics();
    TRect caption = MonthCaptionArea();
    POINT centre{column * cellWidth + (caption.left + caption.right) / 2,
                 row * cellHeight + (caption.top + caption.bottom) / 2};
    ::ClientToScreen(Handle(), &centre);
    monthPicker_->SetBounds(centre.x - monthPicker_->Width() / 2, centre.y - monthPicker_->Height() / 2,
                            monthPicker_->Width(), monthPicker_->Height());
    ShowWindow(monthPicker_->Handle(), SW_SHOWNOACTIVATE);
    monthPicker_->Update();
    return;
  }
  if (row == 0 && column == 0 && LeftArrowArea().Contains(local)) {
    StepMonth(-1);
    arrowTimer_ = 1;
  } else if (row == 0 && column == MonthColumns - 1 && RightArrowArea().Contains(local)) {
    StepMonth(1);
    arrowTimer_ = 2;
  } else {
    return;
  }
  SetTimer(Handle(), UINT_PTR(arrowTimer_), 170, nullptr);
}

void TdxBarDateNavigator::MouseMove(TShiftState Shift, int X, int Y) {
  if (arrowTimer_) return;
  if (monthPicker_) {
    POINT p{X, Y};
    ::ClientToScreen(Handle(), &p);
    ::ScreenToClient(monthPicker_->Handle(), &p);
    monthPicker_->TrackPoint(p.x, p.y);
    return;
  }
  const TPoint p(X, Y);
  if (todayTracking_ || clearTracking_) {
    bool& down = todayTracking_ ? todayDown_ : clearDown_;
    const bool inside = (todayTracking_ ? TodayButtonArea() : ClearButtonArea()).Contains(p);
    if (inside != down) {
      down = inside;
      Invalidate();
    }
    return;
  }
  TdxBarCustomCalendar::MouseMove(Shift, X, Y);
}

void TdxBarDateNavigator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (arrowTimer_) {
    StopArrowTimer();
    return;
  }
  if (monthPicker_) {
    const TDateTime month = monthPicker_->Result();
    FreeMonthPicker();
    if (IsValidDate(month)) SetFirstDate(ShiftDateMonths(month, -pickerCell_));
    Invalidate();
    return;
  }
  if (todayTracking_ || clearTracking_) {
    const bool today = todayTracking_;
    const bool pressed = today ? todayDown_ : clearDown_;
    todayTracking_ = todayDown_ = clearTracking_ = clearDown_ = false;
    Invalidate();
    if (!pressed) return;
    SetRangeStart(today ? Today() : NullDate);
  }
  TdxBarCustomCalendar::MouseUp(Button, Shift, X, Y);
  if (Shift.Contains(ssDouble)) return;
  const TPoint p(X, Y);
  if (ClientRect().Contains(p) &&
      (IsValidDate(DateAtPos(p)) || TodayButtonArea().Contains(p) || ClearButtonArea().Contains(p)))
    DateSelected();
  else
    SetRangeStart(DragOrigin());
}

void TdxBarDateNavigator::PaintMonthCell(TCanvas* C, int Row, int Column, const TRect& Cell, TDateTime TodayDate,
                                         TDateTime /*LastShown*/, HRGN Background) {
  HDC dc = C->Handle();
  const int look = Look();
  const int cellIndex = Row * MonthColumns + Column, lastCell = MonthColumns * MonthRows - 1;
  const TColor back = ColorToRGB(Color());
  TdxBarPainter* painter = PainterOf(BarManager);
  const COLORREF headerColor = ColorToRGB(painter ? painter->CalendarHeaderColor() : clBtnFace);

  // Header.
  TRect header(Cell.left, Cell.top, Cell.right, Cell.top + titleHeight_);
  C->Brush()->SetColor(clBtnFace);
  C->Pen()->SetColor(clBtnText);
  if (look == 0) {
    C->MoveTo(Cell.left, header.bottom);
    C->LineTo(Cell.right, header.bottom);
    if (Column == MonthColumns - 1) {
      C->MoveTo(Cell.right - 1, Cell.top);
      C->LineTo(Cell.right - 1, header.bottom);
      header.right -= 1;
    }
  } else if (look == 2) {
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(header.left, header.bottom - 1);
    C->LineTo(header.right, header.bottom - 1);
    header.bottom -= 1;
  } else {
    RECT r = header;
    UINT sides = BF_TOP | BF_BOTTOM | (Column == 0 ? BF_LEFT : 0) | (Column == MonthColumns - 1 ? BF_RIGHT : 0);
    DrawEdge(dc, &r, BDR_RAISEDINNER, sides);
    header = TRect(header.left + (Column == 0 ? 1 : 0), header.top + 1,
                   header.right - (Column == MonthColumns - 1 ? 1 : 0), header.bottom - 1);
  }
  const int textHeight = C->TextHeight(L"0");
  SaveDC(dc);
  if (Row == 0) {
    const int half = textHeight / 2;
    const int y = (header.top + header.bottom) / 2;
    HBRUSH arrowBrush = GetSysColorBrush(COLOR_BTNTEXT);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, arrowBrush);
    auto arrow = [&](int tipX, int dir) {
      POINT pts[3] = {{tipX, y}, {tipX + dir * half, y - half}, {tipX + dir * half, y + half}};
      Polygon(dc, pts, 3);
      const int l = std::min(tipX, tipX + dir * half), r = std::max(tipX, tipX + dir * half);
      ExcludeClipRect(dc, l, y - half, r + 1, y + half + 1);
    };
    if (Column == 0) arrow(header.left + marginWidth_ - 1, 1);
    if (Column == MonthColumns - 1) arrow(header.right - marginWidth_, -1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  const String caption = MonthCaption(CellMonth(cellIndex));
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, headerColor);
  SIZE ext{};
  GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &ext);
  RECT hr = header;
  ExtTextOutW(dc, (header.left + header.right - ext.cx) / 2, (header.top + header.bottom - ext.cy) / 2,
              ETO_OPAQUE | ETO_CLIPPED, &hr, caption.c_str(), UINT(caption.size()), nullptr);
  RestoreDC(dc, -1);

  // Day-of-week row.
  const int calTop = Cell.top + titleHeight_ + (look == 0 ? 1 : 0);
  const int dayLeft = Cell.left + marginWidth_, dayRight = Cell.right - marginWidth_;
  const int calBottom = calTop + weekdayRowHeight_ + 6 * dayCellHeight_ + 1;
  C->Brush()->SetColor(back);
  C->FillRect(TRect(Cell.left, calTop, dayLeft, calBottom));
  C->FillRect(TRect(dayRight, calTop, Cell.right, calBottom));
  const int lineY = calTop + weekdayRowHeight_ - 2;
  C->FillRect(TRect(dayLeft, calTop, dayRight, lineY));
  C->Pen()->SetColor(clBtnShadow);
  C->MoveTo(dayLeft, lineY);
  C->LineTo(dayRight, lineY);
  C->Pen()->SetColor(back);
  C->MoveTo(dayLeft, lineY + 1);
  C->LineTo(dayRight, lineY + 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  const int fdow = BarFirstDayOfWeek();
  for (int i = 0; i < 7; ++i) {
    const wchar_t letter = DayLetter(ShortDayName((fdow + i) % 7 + 1));
    RECT r{dayLeft + i * dayCellWidth_, calTop, dayLeft + (i + 1) * dayCellWidth_ - 3, lineY};
    DrawTextW(dc, &letter, 1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SetBkMode(dc, OPAQUE);

  // Days.
  const TDateTime month = CellMonth(cellIndex), next = ShiftDateMonths(month, 1);
  const TDateTime first = CellFirstDate(cellIndex);
  const TDateTime selStart = SelectionStart(), selFinish = SelectionFinish();
  const int daysTop = calTop + weekdayRowHeight_;
  C->FillRect(TRect(dayLeft, daysTop + 6 * dayCellHeight_, dayRight, calBottom));
  for (int week = 0; week < 6; ++week) {
    for (int day = 0; day < 7; ++day) {
      TRect r(dayLeft + day * dayCellWidth_, daysTop + week * dayCellHeight_, dayLeft + (day + 1) * dayCellWidth_,
              daysTop + (week + 1) * dayCellHeight_);
      const TDateTime d = first + 7 * week + day;
      const bool before = d < month, after = d >= next;
      if ((before && cellIndex != 0) || (after && cellIndex != lastCell)) {
        C->Brush()->SetColor(back);
        C->FillRect(r);
        continue;
      }
      if (d == TodayDate) {
        C->Brush()->SetColor(TColor(0x000080));
        C->FrameRect(r);
        r = TRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
      }
      const bool selected = IsValidDate(selStart) && d >= selStart && d <= selFinish;
      COLORREF bg = ColorToRGB(back);
      if (selected) {
        if (look == 2)
          bg = ColorToRGB(BarManager ? BarManager->FlatLightColor() : clBtnFace);
        else
          bg = GetSysColor(look == 1 ? COLOR_BTNFACE : COLOR_HIGHLIGHT);
      }
      COLORREF fg = GetSysColor(COLOR_WINDOWTEXT);
      if (selected && look != 2)
        fg = GetSysColor(COLOR_HIGHLIGHTTEXT);
      else if (before || after)
        fg = GetSysColor(COLOR_GRAYTEXT);
      Word y, m, dd;
      DecodeDate(d, y, m, dd);
      const String text = IntToStr(dd);
      SetBkColor(dc, bg);
      SetTextColor(dc, fg);
      GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &ext);
      RECT rr = r;
      ExtTextOutW(dc, r.right - 3 - ext.cx, (r.top + r.bottom - ext.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &rr,
                  text.c_str(), UINT(text.size()), nullptr);
    }
  }
  HRGN cellRegion = CreateRectRgn(Cell.left, Cell.top, Cell.right, calBottom);
  CombineRgn(Background, Background, cellRegion, RGN_DIFF);
  DeleteObject(cellRegion);
}

void TdxBarDateNavigator::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  HDC dc = c->Handle();
  const TRect client = ClientRect();
  const TDateTime today = Today(), lastShown = LastShownDate();
  HRGN background = CreateRectRgn(client.left, client.top, client.right, client.bottom);
  const int band = ButtonsShown() ? buttonBandHeight_ : 0;
  const int cellWidth = client.Width() / std::max(1, MonthColumns);
  const int cellHeight = (client.Height() - band) / std::max(1, MonthRows);
  for (int row = 0; row < MonthRows; ++row)
    for (int column = 0; column < MonthColumns; ++column)
      PaintMonthCell(c, row, column,
                     TRect(column * cellWidth, row * cellHeight, (column + 1) * cellWidth, (row + 1) * cellHeight),
                     today, lastShown, background);
  if (ButtonsShown()) {
    const int y = client.Height() - band;
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(marginWidth_, y);
    c->LineTo(client.Width() - marginWidth_, y);
    HRGN line = CreateRectRgn(marginWidth_, y, client.Width() - marginWidth_, y + 1);
    CombineRgn(background, background, line, RGN_DIFF);
    DeleteObject(line);
    TdxBarPainter* painter = PainterOf(BarManager);
    auto button = [&](const TRect& r, const String& text, bool down) {
      if (r.IsEmpty()) return;
      if (painter) {
        painter->DrawCalendarButton(BarManager, dc, r, text, down);
      } else {
        RECT rr = r;
        DrawFrameControl(dc, &rr, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text.c_str(), int(text.size()), &rr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetBkMode(dc, OPAQUE);
      }
      HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
      CombineRgn(background, background, region, RGN_DIFF);
      DeleteObject(region);
    };
    button(TodayButtonArea(), dxBarString(dxbsToday), todayTracking_ && todayDown_);
    button(ClearButtonArea(), dxBarString(dxbsClear), clearTracking_ && clearDown_);
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  FillRgn(dc, background, brush);
  DeleteObject(brush);
  DeleteObject(background);
}

// ---- Month list ------------------------------------------------------------------------------------

TAMonthListBox::TAMonthListBox(TComponent* AOwner, TdxBarDateNavigator* Navigator)
    : TCustomControl(AOwner), navigator_(Navigator) {
  SetVisible(false);
  Font()->Assign(Navigator->Font());
  SetColor(Navigator->Color());
}

TAMonthListBox::~TAMonthListBox() { StopScrollTimer(); }

void TAMonthListBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOPMOST;
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void TAMonthListBox::CalcMetrics() {
  entryHeight_ = std::max(1, navigator_->TitleHeight() - 2);
  const int width = 2 * Bound().GetSystemMetrics(SM_CXBORDER) + 6 * navigator_->DayCellWidth();
  const int height = 2 * Bound().GetSystemMetrics(SM_CYBORDER) + 7 * entryHeight_;
  SetBounds(Left(), Top(), width, height);
}

TDateTime TAMonthListBox::Result() const {
  return hotEntry_ < 0 || FirstListedMonth == NullDate ? NullDate
                                                        : FirstOfMonth(ShiftDateMonths(FirstListedMonth, hotEntry_));
}

int TAMonthListBox::ScrollTimerFor(int Y, int ClientHeight) {
  int step = 0;
  if (Y < 0)
    step = -1 + Y / 12;
  else if (Y >= ClientHeight)
    step = 1 + (Y - ClientHeight + 1) / 12;
  else
    return 0;
  step = std::clamp(step, -4, 4);
  return step + 5;
}

UINT TAMonthListBox::ScrollIntervalFor(int TimerId) {
  static const UINT intervals[] = {500, 250, 100, 50};
  const int step = std::abs(TimerId - 5);
  return step >= 1 && step <= 4 ? intervals[step - 1] : 0;
}

void TAMonthListBox::StopScrollTimer() {
  if (scrollTimer_ && timerWindow_) KillTimer(timerWindow_, UINT_PTR(scrollTimer_));
  scrollTimer_ = 0;
  timerWindow_ = nullptr;
}

void TAMonthListBox::TrackPoint(int X, int Y) {
  const TRect client = ClientRect();
  int hot = -1;
  if (client.Contains(TPoint(X, Y))) {
    StopScrollTimer();
    hot = std::min(6, Y / std::max(1, entryHeight_));
  } else {
    const int id = ScrollTimerFor(Y, client.Height());
    if (id == 0) {
      StopScrollTimer();
    } else if (id != scrollTimer_) {
      StopScrollTimer();
      scrollTimer_ = id;
      timerWindow_ = Handle();
      SetTimer(timerWindow_, UINT_PTR(id), ScrollIntervalFor(id), nullptr);
    }
  }
  if (hot != hotEntry_) {
    hotEntry_ = hot;
    Invalidate();
  }
}

void TAMonthListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_DESTROY:
      StopScrollTimer();
      break;
    case WM_TIMER:
      if (int(Message.WParam) >= 1 && int(Message.WParam) <= 9 && int(Message.WParam) != 5) {
        if (FirstListedMonth != NullDate)
          FirstListedMonth = ShiftDateMonths(FirstListedMonth, int(Message.WParam) < 6 ? -1 : 1);
        Invalidate();
        Message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TAMonthListBox::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  HDC dc = c->Handle();
  const TRect client = ClientRect();
  const COLORREF listColor = ColorToRGB(Color()), text = GetSysColor(COLOR_WINDOWTEXT);
  for (int i = 0; i < 7; ++i) {
    RECT r{client.left, i * entryHeight_, client.right, (i + 1) * entryHeight_};
    const bool hot = i == hotEntry_;
    HBRUSH b = CreateSolidBrush(hot ? text : listColor);
    FillRect(dc, &r, b);
    DeleteObject(b);
    if (FirstListedMonth == NullDate) continue;
    const String caption = MonthCaption(ShiftDateMonths(FirstListedMonth, i));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hot ? listColor : text);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  RECT rest{client.left, 7 * entryHeight_, client.right, client.bottom};
  if (rest.bottom > rest.top) {
    HBRUSH b = CreateSolidBrush(listColor);
    FillRect(dc, &rest, b);
    DeleteObject(b);
  }
}
