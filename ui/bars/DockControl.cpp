#include "ui/bars/DockControl.h"

#include <algorithm>

#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/bars/customize/DesignController.h"

DEFINE_CLASS(TdxDockCol)
DEFINE_CLASS(TdxDockRow)
DEFINE_CLASS(TdxDockControl)
DEFINE_CLASS(TdxBarDockControl)

// ---- row fitting --------------------------------------------------------------------------------

namespace {

int SumBefore(const std::vector<TdxDockFitColumn>& Columns, size_t Index, bool Minimal) {
  int sum = 0;
  for (size_t i = 0; i < Index; ++i) sum += Minimal ? Columns[i].MinLength : Columns[i].FullLength;
  return sum;
}

int LooseThickness(const TdxDockFitColumn& C, int Length) {
  return C.CanWrap && C.ThicknessFor ? C.ThicknessFor(Length) : C.OneRowThickness;
}

int ThicknessForLength(const TdxDockFitColumn& C, int Length) {
  return C.ThicknessFor ? C.ThicknessFor(Length) : C.OneRowThickness;
}

}  // namespace

int FitDockRow(std::vector<TdxDockFitColumn>& Columns, int Length, int Top, bool AutoAlign, int Moving) {
  if (Columns.empty()) return 0;
  int total = 0;
  for (TdxDockFitColumn& c : Columns) {
    c.Truncated = false;
    total += c.FullLength;
  }
  const size_t n = Columns.size();
  if (Columns[0].WholeRow) {
    TdxDockFitColumn& c = Columns[0];
    c.Along = 0;
    c.Across = Top;
    c.Length = std::max(Length, c.MinLength);
    c.Thickness = ThicknessForLength(c, c.Length) + c.FrameAcross;
    c.Truncated = !c.CanWrap && c.Length < c.FullLength;
  } else if (Length >= total) {
    int rest = Length;
    for (size_t k = n; k-- > 0;) {
      TdxDockFitColumn& c = Columns[k];
      c.Length = c.FullLength;
      c.Thickness = LooseThickness(c, c.Length) + c.FrameAcross;
      int d = c.Pos;
      if (rest < d + c.Length) d = rest - c.Length;
      c.Along = std::max(d, SumBefore(Columns, k, false));
      rest = c.Along;
      c.Across = Top;
    }
  } else {
    int rest = Length;
    for (size_t k = n; k-- > 0;) {
      TdxDockFitColumn& c = Columns[k];
      const int minBefore = SumBefore(Columns, k, true);
      const int fullBefore = SumBefore(Columns, k, false);
      int d = std::min(std::max(c.Pos, minBefore), fullBefore);
      if (k > 0 && int(k - 1) == Moving) {
        const TdxDockFitColumn& prev = Columns[k - 1];
        const int p = std::max(prev.Pos, minBefore - prev.MinLength) + prev.FullLength;
        if (p < d) {
          c.Pos = p;
          d = p;
        }
      }
      if (rest - d < c.FullLength) {
        c.Truncated = !c.CanWrap && c.MinLength != c.FullLength;
        c.Length = std::max(rest - d, c.MinLength);
        c.Thickness = ThicknessForLength(c, c.Length);
      } else {
        c.Length = c.FullLength;
        c.Thickness = LooseThickness(c, c.Length);
      }
      if (k == 0 && c.Length < rest) {
        c.Length = rest;
        if (c.CanWrap) c.Thickness = ThicknessForLength(c, c.Length);
      }
      c.Along = std::min(std::max(rest - c.Length, minBefore), fullBefore);
      c.Across = Top;
      c.Thickness += c.FrameAcross;
      rest -= c.Length;
    }
  }
  // Rest space: packed columns, and a column that takes the space up to the next one.
  const size_t fitted = Columns[0].WholeRow ? 1 : n;
  for (size_t k = 0; k < fitted; ++k) {
    TdxDockFitColumn& c = Columns[k];
    if (!c.UseRestSpace && !AutoAlign) continue;
    c.Along = k == 0 ? 0 : Columns[k - 1].Along + Columns[k - 1].Length;
    if (c.UseRestSpace) {
      const int end = k + 1 < fitted ? Columns[k + 1].Along : Length;
      c.Length = std::max(end - c.Along, c.MinLength);
    }
  }
  int thickness = 0;
  for (size_t k = 0; k < fitted; ++k) thickness = std::max(thickness, Columns[k].Thickness);
  // Placing: a truncated last column reaches the end of the row; every column takes the row's
  // thickness.
  for (size_t k = 0; k < fitted; ++k) {
    TdxDockFitColumn& c = Columns[k];
    if (k + 1 == fitted && c.Truncated) c.Length = std::max(Length - c.Along, c.MinLength);
    c.Thickness = thickness;
  }
  return thickness;
}

// ---- drop zones ---------------------------------------------------------------------------------

int TdxDockRowGeometry::RowsSize() const {
  int size = 0;
  for (const auto& r : Rows) size += r.second - r.first;
  return size;
}

void TdxDockRowGeometry::RowBand(int I, int Part, int& Lo, int& Hi) const {
  const int count = int(Rows.size());
  const int rows = RowsSize();
  if (I < 0) {
    Lo = FarSide ? ClientExtent - rows - Zone : -Zone;
    Hi = Lo + Zone;
  } else if (I >= count) {
    Lo = FarSide ? ClientExtent : rows;
    Hi = Lo + Zone;
  } else {
    Lo = Rows[I].first;
    Hi = Rows[I].second;
  }
  const int s = (Zone - 5) / 2;
  const int m = FarSide ? Hi - s - 5 : Lo + s;
  const int lo = Lo, hi = Hi;
  switch (Part) {
    case 0:
      Lo = lo;
      Hi = m;
      break;
    case 1:
      Lo = m;
      Hi = m + 5;
      break;
    default:
      Lo = m + 5;
      Hi = hi;
      break;
  }
}

int TdxDockRowGeometry::RowIndexAt(int Coordinate, bool& NewRow) const {
  const int count = int(Rows.size());
  NewRow = true;
  if (count == 0) return 0;
  for (int i = -1; i <= count; ++i) {
    for (int part = 0; part < 3; ++part) {
      int lo, hi;
      RowBand(i, part, lo, hi);
      if (Coordinate < lo || Coordinate >= hi) continue;
      const int result = part == 0 ? i : i + 1;
      if (result < 0) {
        NewRow = true;
        return Coordinate < RowsSize() ? 0 : count;
      }
      NewRow = part == 1 || result == count;
      return result;
    }
  }
  NewRow = true;
  return Coordinate < RowsSize() ? 0 : count;
}

int TdxDockRowGeometry::RowMiddle(int Row, bool OneOnRow) const {
  if (Row == int(Rows.size())) OneOnRow = false;
  int lo, hi;
  if (OneOnRow) {
    RowBand(Row - 1, 1, lo, hi);
  } else {
    int lo2, hi2, lo0, hi0;
    RowBand(Row - 1, 2, lo2, hi2);
    RowBand(Row, 0, lo0, hi0);
    lo = lo2;
    hi = hi0;
    if (hi2 - lo2 > hi0 - lo0) lo = std::max(lo, hi0 - (hi0 - lo0));
  }
  return (lo + hi) / 2;
}

// ---- rows and columns ---------------------------------------------------------------------------

void TdxDockCol::RememberPosition() {
  if (BarControl) Pos = TPoint{BarControl->Left(), BarControl->Top()};
}

TdxDockRow::~TdxDockRow() {
  for (TdxDockCol* column : columns_) {
    if (column->BarControl) column->BarControl->Column = nullptr;
    delete column;
  }
  columns_.clear();
  std::vector<TdxBar*> bars = bars_;
  bars_.clear();
  for (TdxBar* bar : bars) {
    if (bar->DockRow() == this) bar->ForgetDockRow();
  }
}

int TdxDockRow::ColumnIndexOf(TdxBarControl* Window) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i]->BarControl == Window) return int(i);
  }
  return -1;
}

TdxDockCol* TdxDockRow::InsertColumn(int Index, TdxBarControl* Window) {
  Index = std::clamp(Index, 0, ColumnCount());
  auto* column = new TdxDockCol(this, Window);
  columns_.insert(columns_.begin() + Index, column);
  if (Window) Window->Column = column;
  UpdateOneOnRow();
  return column;
}

TdxDockCol* TdxDockRow::AddColumn(TdxBarControl* Window) { return InsertColumn(ColumnCount(), Window); }

void TdxDockRow::DeleteColumn(int Index) {
  TdxDockCol* column = columns_.at(Index);
  columns_.erase(columns_.begin() + Index);
  if (column->BarControl && column->BarControl->Column == column) column->BarControl->Column = nullptr;
  delete column;
  UpdateOneOnRow();
}

void TdxDockRow::RemoveWindow(TdxBarControl* Window) {
  const int index = ColumnIndexOf(Window);
  if (index >= 0) DeleteColumn(index);
}

void TdxDockRow::AddBar(TdxBar* Bar) {
  if (std::find(bars_.begin(), bars_.end(), Bar) == bars_.end()) bars_.push_back(Bar);
  TdxBarControl* window = Bar->Control();
  if (window && Bar->EffectiveDockControl() == site_ && ColumnIndexOf(window) < 0 && ColumnCount() < BarCount() &&
      !window->Column) {
    AddColumn(window)->Pos = TPoint{Bar->DockedLeft(), Bar->DockedTop()};
  }
}

void TdxDockRow::RemoveBar(TdxBar* Bar, bool FreeWhenEmpty) {
  bars_.erase(std::remove(bars_.begin(), bars_.end(), Bar), bars_.end());
  if (TdxBarControl* window = Bar->Control()) RemoveWindow(window);
  if (FreeWhenEmpty && bars_.empty()) {
    site_->ForgetRow(this);
    delete this;
  }
}

bool TdxDockRow::HasDockedWindow() const {
  for (TdxBar* bar : bars_) {
    if (TdxBarControl* window = bar->Control(); window && window->IsDocked()) return true;
  }
  return false;
}

void TdxDockRow::UpdateOneOnRow() {
  for (TdxDockCol* column : columns_) {
    if (column->BarControl && column->BarControl->Bar()) column->BarControl->Bar()->SetOneOnRow(ColumnCount() == 1);
  }
}

// ---- the site -----------------------------------------------------------------------------------

TdxDockControl::TdxDockControl(TComponent* AOwner) : TCustomControl(AOwner) {
  backgroundCache_.reset(new TBitmap);
  eraseBuffer_.reset(new TBitmap);
  backgroundBitmap_.reset(new TBitmap);
  backgroundBitmap_->OnChange = [this](TObject*) {
    ClearBackgroundCache();
    Invalidate();
    UpdateDoubleBuffered();
    RefreshBarBackgrounds();
  };
  SetParentColor(true);
}

TdxDockControl::TdxDockControl(TComponent* AOwner, TdxBarDockingStyle Style, TdxBarManager* Manager)
    : TdxDockControl(AOwner) {
  static const TAlign aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  fixedStyle_ = Style;
  SetAlign(aligns[Style]);
  if (Style == dsTop || Style == dsBottom)
    SetHeight(0);
  else
    SetWidth(0);
  SetBarManager(Manager);
}

TdxDockControl::~TdxDockControl() {
  DetachAccessibilityHelper(accessibilityHelper_);
  for (TdxBarControl* window : DockedWindows()) window->ForgetDockControl();
  SetBarManager(nullptr);
  std::vector<TdxDockRow*> rows = std::move(rows_);
  rows_.clear();
  for (TdxDockRow* row : rows) delete row;
}

void TdxDockControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == barManager_) SetBarManager(nullptr);
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
  if (barManager_ == Value) return;
  if (barManager_) {
    barManager_->RemoveDockControl(this);
    barManager_->RemoveFreeNotification(this);
  }
  barManager_ = Value;
  if (barManager_) {
    barManager_->AddDockControl(this);
    barManager_->FreeNotification(this);
  }
  BarManagerChanged();
}

TdxBars* TdxDockControl::Bars() const { return barManager_ ? barManager_->Bars() : nullptr; }

int TdxDockControl::IndexOfRow(const TdxDockRow* Row) const {
  const auto it = std::find(rows_.begin(), rows_.end(), Row);
  return it == rows_.end() ? -1 : int(it - rows_.begin());
}

TdxBarDockingStyle TdxDockControl::DockingStyleFromAlign(TAlign Align) {
  switch (Align) {
    case alLeft:
      return dsLeft;
    case alRight:
      return dsRight;
    case alBottom:
      return dsBottom;
    default:
      return dsTop;
  }
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const { return DockingStyleFromAlign(Align()); }

void TdxDockControl::BarManagerChanged() { UpdateColor(); }

void TdxDockControl::UpdateColor() {
  if (!barManager_ || barManager_->AutoDockColor())
    SetParentColor(true);
  else
    SetColor(barManager_->DockColor());
}

bool TdxDockControl::AllowsDocking(TdxBar*) { return AllowDocking; }

int TdxDockControl::RowThickness(int Index) {
  if (Index < 0 || Index >= RowCount()) return 0;
  TdxDockRow* row = rows_[Index];
  int thickness = 0;
  bool any = false;
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TdxBarControl* window = row->ColumnAt(i)->BarControl;
    if (!window || !window->IsDocked()) continue;
    any = true;
    thickness = std::max(thickness, IsHorizontal() ? window->Height() : window->Width());
  }
  if (!any) return 0;
  if (Index < RowCount() - 1 && Painter()) thickness += Painter()->DockRowGap();
  return thickness;
}

int TdxDockControl::RowsSize() {
  int size = 0;
  for (int i = 0; i < RowCount(); ++i) size += RowThickness(i);
  return size;
}

bool TdxDockControl::SunkenBorder() { return barManager_ && barManager_->SunkenBorder(); }

int TdxDockControl::SiteSize() {
  const int size = RowsSize();
  return size > 0 && SunkenBorder() ? size + 2 : size;
}

TRect TdxDockControl::RowRect(int Index) {
  if (Index < 0 || Index >= RowCount()) return TRect{};
  const int thickness = RowThickness(Index);
  int start = 0;
  const bool fromFar = Bars() && Bars()->IsMoving() && !IsNearSide();
  if (fromFar) {
    start = IsHorizontal() ? ClientHeight() : ClientWidth();
    for (int i = Index; i < RowCount(); ++i) start -= RowThickness(i);
  } else {
    for (int i = 0; i < Index; ++i) start += RowThickness(i);
  }
  if (IsVertical()) return TRect{start, 0, start + thickness, ClientHeight()};
  return TRect{0, start, ClientWidth(), start + thickness};
}

TdxDockRowGeometry TdxDockControl::Geometry() {
  TdxDockRowGeometry g;
  g.FarSide = !IsNearSide();
  g.ClientExtent = IsHorizontal() ? ClientHeight() : ClientWidth();
  g.Zone = TdxBars::DockingZoneSize;
  for (int i = 0; i < RowCount(); ++i) {
    const TRect r = RowRect(i);
    if (IsHorizontal())
      g.Rows.emplace_back(r.top, r.bottom);
    else
      g.Rows.emplace_back(r.left, r.right);
  }
  return g;
}

TRect TdxDockControl::DockingZoneRect() {
  TRect r = BoundsRect();
  const int z = TdxBars::DockingZoneSize;
  r.left -= z;
  r.right += z;
  if (IsHorizontal()) {
    r.top -= z;
    r.bottom += z;
  }
  if (TWinControl* parent = Parent(); parent && parent->HandleAllocated()) {
    POINT points[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(parent->Handle(), nullptr, points, 2);
    r = TRect{points[0].x, points[0].y, points[1].x, points[1].y};
  }
  return r;
}

int TdxDockControl::RowIndexAt(const TPoint& ScreenPoint, bool& NewRow) {
  POINT p = ScreenPoint;
  if (HandleAllocated()) ::ScreenToClient(Handle(), &p);
  return Geometry().RowIndexAt(IsHorizontal() ? p.y : p.x, NewRow);
}

int TdxDockControl::ColumnIndexAt(int RowIndex, const TPoint& ScreenPoint) {
  if (RowIndex < 0 || RowIndex >= RowCount() || RowAt(RowIndex)->ColumnCount() == 0) return 0;
  POINT p = ScreenPoint;
  if (HandleAllocated()) ::ScreenToClient(Handle(), &p);
  if (Bars() && Bars()->IsMoving()) {
    const TPoint grab = Bars()->MovingWindow() ? Bars()->MovingWindow()->DragSizeFor(DockingStyle()) : TPoint{};
    p.x -= IsHorizontal() ? grab.x : 0;
    p.y -= IsHorizontal() ? 0 : grab.y;
  }
  TdxDockRow* row = RowAt(RowIndex);
  const int along = IsHorizontal() ? p.x : p.y;
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TdxBarControl* window = row->ColumnAt(i)->BarControl;
    if (!window) continue;
    const int pos = IsHorizontal() ? window->Bar()->DockedLeft() : window->Bar()->DockedTop();
    if (pos >= along) return i;
  }
  return row->ColumnCount();
}

TdxDockRow* TdxDockControl::AppendRow() {
  auto* row = new TdxDockRow(this);
  rows_.push_back(row);
  return row;
}

void TdxDockControl::ForgetRow(TdxDockRow* Row) {
  rows_.erase(std::remove(rows_.begin(), rows_.end(), Row), rows_.end());
}

void TdxDockControl::DeleteEmptyRows() {
  for (int i = RowCount() - 1; i >= 0; --i) {
    TdxDockRow* row = rows_[i];
    if (row->BarCount() == 0 && row->ColumnCount() == 0) {
      rows_.erase(rows_.begin() + i);
      delete row;
    }
  }
}

TdxDockCol* TdxDockControl::ColumnOf(TdxBarControl* Window) const {
  for (TdxDockRow* row : rows_) {
    const int index = row->ColumnIndexOf(Window);
    if (index >= 0) return row->ColumnAt(index);
  }
  return nullptr;
}

void TdxDockControl::InsertBar(TdxBarControl* Window, const TPoint& ScreenPoint, bool Relayout) {
  if (!barManager_) return;
  TdxBar* bar = Window->Bar();
  const bool byProperties = Window->PlacedByProperties();
  const bool restoring = barManager_->InLoadingPhase() || barManager_->RestoringLayout();
  int i;
  bool newRow;
  if (byProperties) {
    i = UsesBarRow() ? bar->row_ : 0;
    newRow = bar->OneOnRow();
  } else {
    i = RowIndexAt(ScreenPoint, newRow);
  }
  if (bar->WholeRow()) newRow = true;
  if (byProperties && restoring) {
    while (RowCount() <= i) AppendRow();
  } else {
    i = std::max(std::min(i, newRow ? RowCount() : RowCount() - 1), 0);
  }
  if (i == RowCount()) newRow = true;
  if (!newRow) {
    TdxDockRow* row = rows_[i];
    for (int k = 0; k < row->BarCount(); ++k) {
      if (row->BarAt(k) != bar && row->BarAt(k)->WholeRow()) newRow = true;
    }
  }
  TdxDockCol* column;
  if (newRow) {
    TdxDockRow* row;
    // The toolbar's own row, left empty by its window, is taken again rather than a new one.
    const bool ownEmptyRow = i < RowCount() && rows_[i]->ColumnCount() == 0 &&
                             (rows_[i]->BarCount() == 0 || (rows_[i]->BarCount() == 1 && rows_[i]->BarAt(0) == bar));
    if ((byProperties && restoring && i < RowCount()) || ownEmptyRow) {
      row = rows_[i];
    } else {
      row = new TdxDockRow(this);
      rows_.insert(rows_.begin() + i, row);
    }
    column = row->AddColumn(Window);
  } else {
    column = rows_[i]->InsertColumn(ColumnIndexAt(i, ScreenPoint), Window);
  }
  bar->SetDockRow(rows_[i]);
  POINT p = ScreenPoint;
  if (!byProperties && Bars() && Bars()->IsMoving()) {
    const TPoint grab = Window->DragSizeFor(DockingStyle());
    p.x -= grab.x;
    p.y -= grab.y;
  }
  if (HandleAllocated()) ::ScreenToClient(Handle(), &p);
  if (IsHorizontal() && p.x < 0) p.x = 0;
  if (IsVertical() && p.y < 0) p.y = 0;
  column->Pos = TPoint{p.x, p.y};
  if (Relayout) {
    if (!Window->Repositioning()) Window->SetBoundsIfChanged(TRect{p.x, p.y, p.x + Window->Width(), p.y + Window->Height()});
    UpdateDockLayout();
    if (!restoring && Window->Column) Window->Column->RememberPosition();
  }
}

void TdxDockControl::RemoveBar(TdxBarControl* Window, TdxDockCol* Column, bool Relayout) {
  for (TdxDockRow* row : rows_) {
    for (int i = 0; i < row->ColumnCount(); ++i) {
      TdxDockCol* column = row->ColumnAt(i);
      if (Column ? column == Column : column->BarControl == Window) {
        row->DeleteColumn(i);
        if (Relayout) UpdateDockLayout();
        return;
      }
    }
  }
}

void TdxDockControl::MoveBar(TdxBarControl* Window, const TPoint& ScreenPoint) {
  RemoveBar(Window, nullptr, false);
  InsertBar(Window, ScreenPoint, true);
  if (NeedsDoubleBuffering()) RefreshBarBackgrounds();
}

void TdxDockControl::RememberColumnPositions() {
  for (TdxDockRow* row : rows_) {
    for (int i = 0; i < row->ColumnCount(); ++i) row->ColumnAt(i)->RememberPosition();
  }
}

void TdxDockControl::UpdateDockLayout() {
  if (!barManager_ || barManager_->IsUpdateLocked() || barManager_->BeingDestroyed()) return;
  RelayoutRows();
  AdjustSize();
}

void TdxDockControl::RelayoutRows() {
  if (!barManager_ || barManager_->InLoadingPhase() || barManager_->BeingDestroyed()) return;
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DisableAlign();
  try {
    FitRowsToLength();
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  if (HandleAllocated()) Invalidate();
}

void TdxDockControl::FitRowsToLength() {
  const int length = IsHorizontal() ? ClientWidth() : ClientHeight();
  for (int i = 0; i < RowCount(); ++i) {
    if (rows_[i]->HasDockedWindow() && rows_[i]->ColumnCount() > 0) FitRow(i, length);
  }
}

void TdxDockControl::FitRow(int Index, int Length) {
  TdxDockRow* row = rows_[Index];
  const bool horizontal = IsHorizontal();
  const TdxBarDockingStyle style = DockingStyle();
  TRect r = RowRect(Index);
  const int top = horizontal ? r.top : r.left;
  std::vector<TdxDockFitColumn> columns;
  std::vector<TdxBarControl*> windows;
  int moving = -1;
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TdxDockCol* column = row->ColumnAt(i);
    TdxBarControl* window = column->BarControl;
    if (!window) continue;
    TdxBar* bar = window->Bar();
    if (bar->ItemLinks()) bar->ItemLinks()->SetShownLimit(-1);
    TdxDockFitColumn c;
    const int frameAlong = horizontal ? window->FrameWidth() : window->FrameHeight();
    c.FrameAcross = horizontal ? window->FrameHeight() : window->FrameWidth();
    c.MinLength = window->MinimalLength(style) + frameAlong;
    c.FullLength = window->FullLength(style) + frameAlong;
    if (c.MinLength != c.FullLength && !window->ShowsMark()) c.MinLength += window->MarkSize;
    c.Pos = horizontal ? column->Pos.x : column->Pos.y;
    c.WholeRow = bar->WholeRow();
    c.UseRestSpace = bar->UseRestSpace();
    c.CanWrap = window->IsMultiLine();
    const TSize one = horizontal ? window->SizeForWidth(style, c.FullLength - frameAlong)
                                 : window->SizeForHeight(style, c.FullLength - frameAlong);
    c.OneRowThickness = horizontal ? one.cy : one.cx;
    const bool markSupported = Painter() && Painter()->AllowsQuickCustomizing();
    c.ThicknessFor = [window, horizontal, style, frameAlong, markSupported](int Length) {
      int l = Length - frameAlong;
      if (!markSupported) l -= window->MarkExtent();
      const TSize s = horizontal ? window->SizeForWidth(style, l) : window->SizeForHeight(style, l);
      return horizontal ? s.cy : s.cx;
    };
    if (Bars() && Bars()->IsMoving() && Bars()->MovingWindow() == window) moving = int(columns.size());
    columns.push_back(std::move(c));
    windows.push_back(window);
  }
  FitDockRow(columns, Length, top, barManager_->AutoAlignBars(), moving);
  for (size_t k = 0; k < columns.size(); ++k) {
    TdxDockFitColumn& c = columns[k];
    TdxBarControl* window = windows[k];
    TdxDockCol* column = window->Column;
    if (column) {
      if (horizontal)
        column->Pos.x = c.Pos;
      else
        column->Pos.y = c.Pos;
    }
    window->FitTruncated = c.Truncated;
    const TRect bounds = horizontal ? TRect{c.Along, c.Across, c.Along + c.Length, c.Across + c.Thickness}
                                    : TRect{c.Across, c.Along, c.Across + c.Thickness, c.Along + c.Length};
    window->SetBoundsIfChanged(bounds);
    window->Relayout();
  }
}

void TdxDockControl::AdjustSize() {
  const int size = SiteSize();
  if (IsVertical()) {
    if (Width() == size) return;
    if (DockingStyle() == dsRight && Parent()) {
      Parent()->DisableAlign();
      SetBounds(Left() + Width() - size, Top(), size, Height());
      Parent()->EnableAlign();
    } else {
      SetWidth(size);
    }
  } else {
    if (Height() == size) return;
    if (DockingStyle() == dsBottom && Parent()) {
      Parent()->DisableAlign();
      SetBounds(Left(), Top() + Height() - size, Width(), size);
      Parent()->EnableAlign();
    } else {
      SetHeight(size);
    }
  }
  if (Visible()) {
    TCustomdxBarControl* active = ActiveBarControl();
    if (active) {
      TCustomdxBarControl* top = TopBarOfChain(active);
      if (top && top->HandleAllocated() && GetCapture() != top->Handle() && top->OwningBarManager() == barManager_)
        CloseActiveBarMenus();
    }
  }
}

TdxBarPainter* TdxDockControl::Painter() { return barManager_ ? barManager_->Painter() : nullptr; }

TdxBarControl* TdxDockControl::CreateBarControlFor(TdxBar* Bar) { return new TdxBarControl(Bar->BarManager(), Bar); }

void TdxDockControl::FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color) {
  const TRect client = ClientRect();
  if (!backgroundBitmap_->Empty()) {
    FillRectColorOrBitmap(DC, R, client, Brush, Color, backgroundBitmap_.get());
  } else if (barManager_ && barManager_->Backgrounds() && barManager_->Backgrounds()->Bar() &&
             !barManager_->Backgrounds()->Bar()->Empty()) {
    FillRectColorOrBitmap(DC, R, client, Brush, Color, barManager_->Backgrounds()->Bar());
  } else if (barManager_ && Painter()) {
    if (!client.IsEmpty()) Painter()->DrawDockBackground(this, DC, R, client, Brush, Color);
  } else {
    FillRectColorOrBitmap(DC, R, client, Brush, Color, nullptr);
  }
}

void TdxDockControl::ClearBackgroundCache() {
  if (backgroundCache_ && !backgroundCache_->Empty()) backgroundCache_->SetSize(0, 0);
}

std::vector<std::pair<int, int>> TdxDockControl::RowExtents() {
  std::vector<std::pair<int, int>> rows;
  for (int i = 0; i < RowCount(); ++i) {
    const TRect r = RowRect(i);
    rows.emplace_back(IsVertical() ? r.left : r.top, IsVertical() ? r.right : r.bottom);
  }
  return rows;
}

bool TdxDockControl::RowHasBorderedBars(int Index) const {
  if (Index < 0 || Index >= RowCount()) return false;
  TdxDockRow* row = rows_[Index];
  for (int c = 0; c < row->ColumnCount(); ++c) {
    TdxBarControl* window = row->ColumnAt(c)->BarControl;
    TdxBar* bar = window ? window->Bar() : nullptr;
    if (!bar || bar->BorderStyle() == bbsNone) continue;
    return !bar->ActsAsStatusBar();
  }
  return false;
}

bool TdxDockControl::RowTouchesFarEdge(int Index) {
  if (Index < 0 || Index >= RowCount()) return false;
  const TRect r = RowRect(Index);
  return IsVertical() ? r.right >= ClientWidth() : r.bottom >= ClientHeight();
}

bool TdxDockControl::NeedsDoubleBuffering() {
  return !backgroundBitmap_->Empty() || (Painter() && Painter()->BufferedPainting()) ||
         (barManager_ && barManager_->Backgrounds() && barManager_->Backgrounds()->Bar() &&
          !barManager_->Backgrounds()->Bar()->Empty());
}

std::vector<TdxBarControl*> TdxDockControl::DockedWindows() const {
  std::vector<TdxBarControl*> windows;
  for (TdxDockRow* row : rows_) {
    for (int i = 0; i < row->ColumnCount(); ++i) {
      if (row->ColumnAt(i)->BarControl) windows.push_back(row->ColumnAt(i)->BarControl);
    }
  }
  return windows;
}

void TdxDockControl::RefreshBarBackgrounds() {
  for (TdxBarControl* window : DockedWindows()) {
    if (window->HandleAllocated()) InvalidateRect(window->Handle(), nullptr, TRUE);
  }
}

void TdxDockControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // The site's own style keeps the visibility the control asked for.
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (Params.Style & WS_VISIBLE);
  Params.ExStyle = 0;
  Params.WindowClassStyle = CS_DBLCLKS;
}

void TdxDockControl::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  if (barManager_ && !barManager_->IsLoading()) UpdateDockLayout();
}

void TdxDockControl::InitiateAction() {
  TCustomControl::InitiateAction();
  if (!barManager_ || !Bars()) return;
  for (int i = 0; i < Bars()->Count(); ++i) {
    TdxBar* bar = Bars()->BarAt(i);
    if (bar->Visible() && bar->ItemLinks()) bar->ItemLinks()->UpdateActions();
  }
}

void TdxDockControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const TRect client = ClientRect();
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  if (doubleBuffered_ && !client.IsEmpty()) {
    if (eraseBuffer_->Width() != client.Width() || eraseBuffer_->Height() != client.Height())
      eraseBuffer_->SetSize(client.Width(), client.Height());
    HDC memory = eraseBuffer_->Canvas()->Handle();
    FillBackground(memory, client, brush, Color());
    BitBlt(dc, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
  } else {
    FillBackground(dc, client, brush, Color());
  }
  DeleteObject(brush);
  Message.Result = 1;
}

void TdxDockControl::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  ClearBackgroundCache();
}

void TdxDockControl::WMWindowPosChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  // A status bar's size grip shows only while the bar ends at its form's bottom edge.
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < RowAt(r)->ColumnCount(); ++c) {
      TdxBarControl* window = RowAt(r)->ColumnAt(c)->BarControl;
      if (window && window->IsStatusBar()) window->RefreshSizeGrip();
    }
  }
}

void TdxDockControl::WMDestroy(TMessage& Message) {
  if (barManager_) barManager_->CreateRestoringList();
  Inherited::Dispatch(Message);
}

void TdxDockControl::WMNCCalcSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!SunkenBorder()) return;
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  InflateRect(r, -1, -1);
}

void TdxDockControl::WMNCPaint(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!SunkenBorder() || !HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  RECT r{};
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  ReleaseDC(Handle(), dc);
}

void TdxDockControl::WMLButtonDblClk(TMessage& Message) {
  if (barManager_ && barManager_->CanCustomize) barManager_->SetCustomizingMode(true);
  Message.Result = 0;
}

void TdxDockControl::WMRButtonDown(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!barManager_ || barManager_->InDesignOrCustomizing()) return;
  if (TdxBarDesignController* design = DesignControllerInstance()) design->ShowToolbarsPopup(barManager_);
}

void TdxDockControl::WMMouseActivate(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!barManager_ || barManager_->IsDesigning() || OwningPopupWindow(this, true)) return;
  Message.Result = MA_NOACTIVATE;
  if (TCustomForm* form = GetParentForm(this); form && form->HandleAllocated())
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- the form's own site ------------------------------------------------------------------------

TdxBarDockControl::TdxBarDockControl(TComponent* AOwner) : TdxDockControl(AOwner) {
  SetAlign(alTop);
  SetHeight(0);
}

TdxBarDockingStyle TdxBarDockControl::DockingStyle() const {
  switch (dockAlign_) {
    case dalBottom:
      return dsBottom;
    case dalLeft:
      return dsLeft;
    case dalRight:
      return dsRight;
    default:
      return dsTop;
  }
}

void TdxBarDockControl::SetDockAlign(TdxBarDockAlign Value) {
  if (dockAlign_ == Value) return;
  static const TAlign aligns[] = {alNone, alTop, alBottom, alLeft, alRight};
  const TdxBarDockingStyle old = DockingStyle();
  dockAlign_ = Value;
  if (barManager_) barManager_->BeginBarsUpdate();
  try {
    SetAlign(aligns[Value]);
    const TdxBarDockingStyle style = DockingStyle();
    if (style != old) {
      for (TdxBarControl* window : DockedWindows()) {
        TdxBar* bar = window->Bar();
        bar->dockingStyle_ = style;
        window->ChangeDockingState(style, this);
      }
    }
  } catch (...) {
    if (barManager_) barManager_->EndBarsUpdate(true);
    throw;
  }
  if (barManager_) barManager_->EndBarsUpdate(true);
  for (TdxBarControl* window : DockedWindows()) window->Relayout();
  UpdateDockLayout();
  if (Parent()) Parent()->Invalidate();
}

bool TdxBarDockControl::AllowsDocking(TdxBar* Bar) {
  if (!TdxDockControl::AllowsDocking(Bar)) return false;
  TdxBarControl* window = Bar ? Bar->Control() : nullptr;
  if (window && window->HandleAllocated() && HandleAllocated() && IsChild(window->Handle(), Handle())) return false;
  return true;
}

int TdxBarDockControl::EmptySize() const { return 0; }

int TdxBarDockControl::RowsSize() {
  if (ComponentState().Contains(csLoading) || (barManager_ && barManager_->InLoadingPhase()))
    return IsHorizontal() ? ClientHeight() : ClientWidth();
  const int size = TdxDockControl::RowsSize();
  return size > 0 ? size : EmptySize();
}

void TdxBarDockControl::UpdateColor() {
  if (!UseOwnColor) TdxDockControl::UpdateColor();
}

void TdxBarDockControl::WMCreate(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (barManager_) barManager_->ShowRestoredBars(this);
}

void TdxBarDockControl::WMSizeBar(TMessage& Message) {
  TdxDockControl::WMSize(Message);
  if (ComponentState().Contains(csLoading) || RowCount() > 0) return;
  const int empty = EmptySize();
  if (IsHorizontal() && ClientHeight() != empty)
    SetHeight(empty);
  else if (IsVertical() && ClientWidth() != empty)
    SetWidth(empty);
}

String DockControlPath(TdxBarDockControl* DockControl, TComponent* ManagerOwner) {
  if (!DockControl || DockControl->Name().empty()) return String();
  if (DockControl->Owner() == ManagerOwner) return DockControl->Name();
  String path = DockControl->Name();
  for (TComponent* owner = DockControl->Owner(); owner; owner = owner->Owner()) {
    if (owner->Name().empty()) break;
    path = owner->Name() + L"." + path;
    if (dynamic_cast<TCustomForm*>(owner)) break;
  }
  return path;
}
