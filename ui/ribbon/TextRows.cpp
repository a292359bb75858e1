#include "ui/ribbon/TextRows.h"

#include <algorithm>
#include <cwchar>

#include "platform/framework/base/Types.h"
#include "ui/foundation/Canvas.h"

namespace {

const wchar_t kEllipsis[] = L"...";
constexpr int kEllipsisLength = 3;

UINT SystemAnsiCodePage() { return GetACP(); }
TAnsiCodePageQuery ansiCodePage = &SystemAnsiCodePage;

bool FarEastSystem() {
  const UINT page = ansiCodePage();
  return page == 932 || page == 936 || page == 949 || page == 950;
}

// The UTF-16 units of the character at Text (a surrogate pair is one character).
int CharLength(const wchar_t* Text, int Remaining) {
  return Remaining >= 2 && IS_HIGH_SURROGATE(Text[0]) && IS_LOW_SURROGATE(Text[1]) ? 2 : 1;
}

// A count that does not end between the two halves of a pair.
int CharBoundary(const wchar_t* Text, int Count) {
  return Count > 0 && IS_HIGH_SURROGATE(Text[Count - 1]) && IS_LOW_SURROGATE(Text[Count]) ? Count - 1 : Count;
}

bool IsBreak(wchar_t c) { return c == L' ' || c == L'\t'; }

struct TTextParams {
  int LineHeight = 0, ExternalLeading = 0, RowHeight = 0, EllipsisWidth = 0;
  wchar_t BreakChar = L' ';
  int MaxCharWidth = 0, CharSet = DEFAULT_CHARSET;
  int HAlign = 0, VAlign = 0;
  bool NoLeftOverhang = false, NoTopOverhang = false, WordBreak = false, SingleLine = false, ExpandTabs = false,
       EndEllipsis = false, WholeRows = false, NoClip = false, CharBreak = false, MeasureOnly = false;

  bool Justified() const { return HAlign == dtrJustify || HAlign == dtrDistribute; }
  bool Wrapping() const { return !SingleLine && (WordBreak || Justified()); }
};

TTextParams ParamsOf(HDC DC, int Flags) {
  TTextParams p;
  TEXTMETRICW metrics{};
  GetTextMetricsW(DC, &metrics);
  p.HAlign = Flags & dtrHorizontalMask;
  p.VAlign = Flags & dtrVerticalMask;
  p.NoLeftOverhang = Flags & dtrNoLeftOverhang;
  p.NoTopOverhang = Flags & dtrNoTopOverhang;
  p.WordBreak = Flags & dtrWordBreak;
  p.SingleLine = Flags & dtrSingleLine;
  p.ExpandTabs = Flags & dtrExpandTabs;
  p.EndEllipsis = Flags & dtrEndEllipsis;
  p.WholeRows = Flags & dtrWholeRows;
  p.NoClip = Flags & dtrNoClip;
  p.CharBreak = Flags & dtrCharBreak;
  p.MeasureOnly = Flags & dtrCalcRect;
  p.LineHeight = metrics.tmHeight;
  p.ExternalLeading = Flags & dtrExternalLeading ? metrics.tmExternalLeading : 0;
  p.RowHeight = p.LineHeight + p.ExternalLeading;
  p.EllipsisWidth = p.EndEllipsis ? TextExtent(DC, kEllipsis, kEllipsisLength, false).cx : 0;
  p.BreakChar = metrics.tmBreakChar;
  p.MaxCharWidth = metrics.tmMaxCharWidth;
  p.CharSet = GetTextCharset(DC);
  return p;
}

int ExtentWidth(HDC DC, const wchar_t* Text, int Count, bool Tabs) { return TextExtent(DC, Text, Count, Tabs).cx; }

// The longest prefix no wider than MaxWidth (at least one character) and its width: the count is
// halved until it fits, then the longest fitting count between it and the last that did not fit is
// searched (an exact fit stops the search).
void FitCount(HDC DC, const wchar_t* Text, int Length, int MaxWidth, int& Count, int& Width) {
  Count = Length;
  Width = ExtentWidth(DC, Text, Length, false);
  if (Width <= MaxWidth) return;
  if (Width > 8 * MaxWidth) {
    // Far too long to search: one character, with its own width.
    Count = CharLength(Text, Length);
    Width = ExtentWidth(DC, Text, Count, false);
    return;
  }
  int tooWide = Length;
  while (Count > CharLength(Text, Length) && Width > MaxWidth) {
    tooWide = Count;
    Count = std::max(CharBoundary(Text, Count / 2), CharLength(Text, Length));
    Width = ExtentWidth(DC, Text, Count, false);
  }
  while (Width < MaxWidth) {
    int middle = CharBoundary(Text, Count + (tooWide - Count) / 2);
    if (middle <= Count) middle = Count + CharLength(Text + Count, Length - Count);
    if (middle >= tooWide) break;
    const int width = ExtentWidth(DC, Text, middle, false);
    if (width <= MaxWidth)
      Count = middle, Width = width;
    else
      tooWide = middle;
  }
}

struct TRowMaker {
  HDC DC;
  const TTextParams& P;
  const wchar_t* Text;

  // The next row from Cursor (Remaining units left); moves Cursor past it and what follows it.
  TcxTextRow Next(int& Cursor, int& Remaining, bool IsLast, int W) const {
    W = std::max(W, 1);
    const wchar_t* start = Text + Cursor;
    const bool wrapping = P.Wrapping();
    const bool charBreak = wrapping && (P.CharBreak || FarEastSystem());
    const bool truncation = IsLast && P.EndEllipsis && !P.WholeRows && !P.NoClip && !P.Justified();
    int fit = 0, width = 0;
    if ((wrapping || truncation) && !P.ExpandTabs) FitCount(DC, start, Remaining, W, fit, width);
    int length = 0, breaks = 0, lastBreakEnd = 0, breaksAtLastBreak = 0;
    for (int i = 0; i < Remaining;) {
      const wchar_t c = start[i];
      const int n = CharLength(start + i, Remaining - i);
      if ((c == L'\r' || c == L'\n') && !P.SingleLine && !truncation) {
        if (P.HAlign == dtrJustify) breaks = 0;
        break;
      }
      length = i + n;
      if (IsBreak(c)) ++breaks, lastBreakEnd = length, breaksAtLastBreak = breaks;
      i += n;
      if (!wrapping && !truncation) continue;
      if (i <= fit) continue;
      width = P.ExpandTabs ? ExtentWidth(DC, start, length, true) : width + ExtentWidth(DC, start + i - n, n, false);
      if (width <= W) continue;
      if (truncation || P.SingleLine) break;
      if (lastBreakEnd > 0) {
        length = lastBreakEnd, breaks = breaksAtLastBreak;
        break;
      }
      if (charBreak) {
        if (length > n) length -= n;
        break;
      }
      // A word longer than the row overflows it.
    }
    if (P.Justified())
      while (length > 0 && IsBreak(start[length - 1])) --length, --breaks;
    TcxTextRow row;
    row.Text = start;
    row.Length = length;
    row.BreakCount = std::max(breaks, 0);
    row.TextOffset = Cursor;
    const TSize extent = TextExtent(DC, start, length, P.ExpandTabs);
    row.Width = extent.cx;
    row.Height = length ? extent.cy : P.LineHeight;
    // Past the row, then following spaces, one tab, a CR and an LF.
    int at = length;
    bool passedCR = false;
    while (at < Remaining && start[at] == L' ') ++at;
    if (at < Remaining && start[at] == L'\t') ++at;
    if (at < Remaining && start[at] == L'\r') ++at, passedCR = true;
    if (at < Remaining && start[at] == L'\n') ++at;
    Cursor += at;
    Remaining -= at;
    if (P.HAlign == dtrJustify && (passedCR || Remaining == 0)) row.BreakCount = 0;
    return row;
  }

  // Rows of the whole text for a rectangle; CutByMaxRows when MaxRows stopped them with text left.
  TcxTextRows Make(int Length, const TRect& R, int MaxRows, bool& CutByMaxRows) const {
    TcxTextRows rows;
    rows.reserve(4);
    CutByMaxRows = false;
    if (P.MeasureOnly && P.SingleLine) {
      TcxTextRow row;
      row.Text = Text;
      row.Length = Length;
      const TSize extent = TextExtent(DC, Text, Length, P.ExpandTabs);
      row.Width = extent.cx, row.Height = extent.cy;
      rows.push_back(row);
      return rows;
    }
    const int height = RectHeightOf(R);
    int cursor = 0, remaining = Length, accumulated = 0;
    while (remaining > 0) {
      accumulated += P.RowHeight;
      bool last;
      if (P.SingleLine)
        last = true;
      else if (P.VAlign != dtrTop || P.MeasureOnly)
        last = MaxRows > 0 && int(rows.size()) + 1 >= MaxRows;
      else if (P.WholeRows && !P.NoClip)
        last = accumulated + P.RowHeight > height;
      else
        last = accumulated > height;
      if (rows.size() == rows.capacity()) rows.reserve(rows.size() + 4);
      rows.push_back(Next(cursor, remaining, last, RectWidthOf(R)));
      if (last || (MaxRows > 0 && int(rows.size()) >= MaxRows)) break;
    }
    CutByMaxRows = remaining > 0 && MaxRows > 0 && int(rows.size()) >= MaxRows && !P.SingleLine && !P.MeasureOnly;
    return rows;
  }

  // Sets every row's X and Y in R.
  void Position(TcxTextRows& Rows, const TRect& R) const {
    if (Rows.empty()) return;
    const int count = int(Rows.size()), height = RectHeightOf(R), width = RectWidthOf(R);
    int step = P.RowHeight, remainder = 0;
    if (P.VAlign == dtrVDistribute && count > 1 && (height - P.LineHeight) / (count - 1) > P.LineHeight) {
      step = (height - P.LineHeight) / (count - 1);
      remainder = (height - P.LineHeight) % (count - 1);
    }
    int top = R.top;
    if (P.VAlign == dtrVCenter)
      top = R.top + (height - count * P.RowHeight) / 2;
    else if (P.VAlign == dtrBottom)
      top = R.bottom - count * P.RowHeight + P.ExternalLeading;
    if (P.NoTopOverhang) top = std::max<int>(top, R.top);
    for (int i = 0; i < count; ++i) {
      TcxTextRow& row = Rows[std::size_t(i)];
      row.Y = top + i * step + std::min(i, remainder);
      if (P.HAlign == dtrCenter)
        row.X = R.left + (width - row.Width) / 2;
      else if (P.HAlign == dtrRight)
        row.X = R.right - row.Width;
      else
        row.X = R.left;
      if (P.NoLeftOverhang) row.X = std::max<int>(row.X, R.left);
    }
  }
};

// The pixel offsets of the ends of each character of a row.
std::vector<int> PartialExtents(HDC DC, const wchar_t* Text, int Length) {
  std::vector<int> ends(std::size_t(std::max(Length, 1)));
  SIZE size{};
  int fit = 0;
  GetTextExtentExPointW(DC, Text, Length, INT_MAX, &fit, ends.data(), &size);
  return ends;
}

}  // namespace

TAnsiCodePageQuery SetAnsiCodePageQuery(TAnsiCodePageQuery Query) {
  TAnsiCodePageQuery previous = ansiCodePage;
  ansiCodePage = Query ? Query : &SystemAnsiCodePage;
  return previous;
}

TSize TextExtent(HDC DC, const wchar_t* Text, int Length, bool ExpandTabs) {
  if (Length <= 0) return {0, 0};
  if (!ExpandTabs) {
    SIZE size{};
    GetTextExtentPoint32W(DC, Text, Length, &size);
    return size;
  }
  if (Length <= 4096) {
    const DWORD extent = GetTabbedTextExtentW(DC, Text, Length, 0, nullptr);
    return {LOWORD(extent), HIWORD(extent)};
  }
  RECT r{0, 0, 0, 0};
  DrawTextW(DC, Text, Length, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
  return {r.right - r.left, r.bottom - r.top};
}

TSavedClip SaveClipAndIntersect(HDC DC, const TRect& R) {
  TSavedClip saved;
  saved.Region = CreateRectRgn(0, 0, 0, 0);
  saved.HadRegion = GetClipRgn(DC, saved.Region) == 1;
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  return saved;
}

void RestoreClip(HDC DC, TSavedClip& Saved) {
  SelectClipRgn(DC, Saved.HadRegion ? Saved.Region : nullptr);
  if (Saved.Region) DeleteObject(Saved.Region);
  Saved.Region = nullptr;
}

int DrawTextRows(HDC DC, const wchar_t* Text, TRect& R, int RightIndent, int LeftIndent, int MaxRows,
                 TColor HighlightTextColor, TColor HighlightBackColor, int HighlightLength, int HighlightStart,
                 int Flags) {
  const int length = Text ? int(std::wcslen(Text)) : 0;
  if (length == 0) return 0;
  const TTextParams p = ParamsOf(DC, Flags);
  const TRowMaker maker{DC, p, Text};
  TRect area(R.left + LeftIndent, R.top, R.right - RightIndent, R.bottom);
  bool cut = false;
  TcxTextRows rows = maker.Make(length, area, MaxRows, cut);
  const int rectHeight = RectHeightOf(area);

  if (p.MeasureOnly) {
    int widest = 0;
    for (const TcxTextRow& row : rows) widest = std::max(widest, row.Width);
    area.right = area.left + widest;
    if (!p.SingleLine) rows = maker.Make(length, area, MaxRows, cut);
    maker.Position(rows, area);
    area.bottom = rows.back().Y + p.LineHeight;
    R = TRect(area.left - LeftIndent, area.top, area.right + RightIndent, area.bottom);
  } else {
    maker.Position(rows, area);
  }
  const int textHeight = rows.back().Y + p.LineHeight - area.top;
  const int result = (Flags & dtrRowCountResult) || rectHeight == 0 ? int(rows.size()) : textHeight;
  if (p.MeasureOnly) return result;

  // Drawing.
  const TcxTextRow& lastRow = rows.back();
  const bool allFitted = lastRow.TextOffset + lastRow.Length >= length ||
                         [&] {  // only line ends and breaks after the last row
                           for (int i = lastRow.TextOffset + lastRow.Length; i < length; ++i)
                             if (!IsBreak(Text[i]) && Text[i] != L'\r' && Text[i] != L'\n') return false;
                           return true;
                         }();
  const bool truncated = cut ? (p.EndEllipsis && p.WholeRows && !p.SingleLine) : !allFitted;
  const bool highlight = HighlightStart >= 0 && HighlightStart < length && HighlightLength > 0;
  const int highlightEnd = highlight ? std::min(length, HighlightStart + HighlightLength) : 0;
  const int previousMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF textColor = GetTextColor(DC);
  HBRUSH highlightBrush =
      highlight && HighlightBackColor != clNone ? CreateSolidBrush(COLORREF(ColorToRGB(HighlightBackColor))) : nullptr;
  const bool rightToLeft = IsFarEastOrArabicText(p.CharSet, String(Text, std::size_t(length)));
  const int rectWidth = RectWidthOf(area);

  for (std::size_t index = 0; index < rows.size(); ++index) {
    TcxTextRow row = rows[index];
    const bool isLast = index + 1 == rows.size();
    bool ellipsis = p.EndEllipsis && isLast && (truncated || row.Width > rectWidth);
    if (row.Length == 0) {
      if (ellipsis && truncated) ExtTextOutW(DC, row.X, row.Y, 0, nullptr, kEllipsis, kEllipsisLength, nullptr);
      continue;
    }
    const bool justify = p.Justified() && !ellipsis && row.BreakCount > 0 && rectWidth > row.Width;
    if (justify) SetTextJustification(DC, rectWidth - row.Width, row.BreakCount);
    TSavedClip clip;
    bool clipped = false;
    if (!p.NoClip && (row.Width > rectWidth || row.Y < area.top || row.Y + p.RowHeight > area.bottom)) {
      clip = SaveClipAndIntersect(DC, TRect(area.left, std::max<int>(row.Y, area.top), area.right,
                                            std::min<int>(row.Y + p.RowHeight, area.bottom)));
      clipped = true;
    }
    if (ellipsis) {
      const int limit = std::max(rectWidth - p.EllipsisWidth, 0);
      int fit = 0;
      SIZE size{};
      GetTextExtentExPointW(DC, row.Text, row.Length, limit, &fit, nullptr, &size);
      row.Length = std::max(CharBoundary(row.Text, fit), CharLength(row.Text, row.Length));
      row.Width = TextExtent(DC, row.Text, row.Length, p.ExpandTabs).cx;
    }
    // The highlighted run's part in this row: drawn first in its colours, then kept out of the clip.
    bool ellipsisDrawn = false;
    TSavedClip runClip;
    bool runClipped = false;
    if (highlight) {
      const int from = std::max(HighlightStart, row.TextOffset) - row.TextOffset;
      const int to = std::min(highlightEnd, row.TextOffset + row.Length) - row.TextOffset;
      if (from < to) {
        const std::vector<int> ends = PartialExtents(DC, row.Text, row.Length);
        int left = from > 0 ? ends[std::size_t(from - 1)] : 0, right = ends[std::size_t(to - 1)];
        if (rightToLeft) left = row.Width - left, right = row.Width - right, std::swap(left, right);
        const bool reachesEnd = to == row.Length;
        if (reachesEnd && ellipsis) right = std::max(right, row.Width + p.EllipsisWidth);
        const TRect span(row.X + left, row.Y, row.X + right, row.Y + p.RowHeight);
        TSavedClip spanClip = SaveClipAndIntersect(DC, span);
        if (highlightBrush) FillRect(DC, &span, highlightBrush);
        SetTextColor(DC, COLORREF(ColorToRGB(HighlightTextColor)));
        if (p.ExpandTabs)
          TabbedTextOutW(DC, row.X, row.Y, row.Text, row.Length, 0, nullptr, row.X);
        else
          TextOutW(DC, row.X, row.Y, row.Text, row.Length);
        if (reachesEnd && ellipsis) {
          ExtTextOutW(DC, row.X + row.Width, row.Y, 0, nullptr, kEllipsis, kEllipsisLength, nullptr);
          ellipsisDrawn = true;
        }
        SetTextColor(DC, textColor);
        RestoreClip(DC, spanClip);
        runClip.Region = CreateRectRgn(0, 0, 0, 0);
        runClip.HadRegion = GetClipRgn(DC, runClip.Region) == 1;
        ExcludeClipRect(DC, span.left, span.top, span.right, span.bottom);
        runClipped = true;
      }
    }
    if (p.ExpandTabs)
      TabbedTextOutW(DC, row.X, row.Y, row.Text, row.Length, 0, nullptr, row.X);
    else
      TextOutW(DC, row.X, row.Y, row.Text, row.Length);
    if (ellipsis && !ellipsisDrawn && row.X + row.Width < area.right) {
      const int x = row.X + row.Width;
      if (!p.NoClip && x + p.EllipsisWidth > area.right) {
        const RECT bounds{area.left, row.Y, area.right, row.Y + p.RowHeight};
        ExtTextOutW(DC, x, row.Y, ETO_CLIPPED, &bounds, kEllipsis, kEllipsisLength, nullptr);
      } else {
        ExtTextOutW(DC, x, row.Y, 0, nullptr, kEllipsis, kEllipsisLength, nullptr);
      }
    }
    if (runClipped) RestoreClip(DC, runClip);
    if (clipped) RestoreClip(DC, clip);
    if (justify) SetTextJustification(DC, 0, 0);
  }
  if (highlightBrush) DeleteObject(highlightBrush);
  SetBkMode(DC, previousMode);
  return result;
}
