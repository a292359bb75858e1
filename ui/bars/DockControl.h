#pragma once
// Dock sites: the windows along the edges of a form (or wherever a form puts them) that arrange the
// windows of their docked toolbars in rows. TdxDockControl is the site (the toolbar collection makes
// the four default ones), TdxBarDockControl the one a form places itself; TdxDockRow and TdxDockCol
// are a site's rows and the windows placed in them. The row fitting and the drop-zone geometry are
// plain functions over measures, so they can be checked without windows.

#include <functional>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "ui/bars/BarTypes.h"

class TdxBars;
class TdxBarControl;
class TdxBarAccessibilityHelper;
class TdxBarAccessibilityHelperMetaClass;
class TdxDockControl;
class TdxDockRow;
class TdxBarPainter;

// ---- row fitting --------------------------------------------------------------------------------

// One docked window of a row as the fit sees it ("along" is the direction of the row). The measures
// include the window's frame along the row; thicknesses exclude the frame across it.
struct TdxDockFitColumn {
  int MinLength = 0;
  int FullLength = 0;
  // The column's remembered position along the row (the fit may move it, see FitDockRow).
  int Pos = 0;
  bool WholeRow = false;
  bool UseRestSpace = false;
  bool CanWrap = false;
  int FrameAcross = 0;
  int OneRowThickness = 0;
  // The thickness of the window's items laid out within a length (frame along included).
  std::function<int(int Length)> ThicknessFor;

  // The results.
  int Along = 0;
  int Across = 0;
  int Length = 0;
  int Thickness = 0;
  bool Truncated = false;
};

// Fits a row's columns to Length: the whole-row fit when the first toolbar takes the whole row, the
// shrinking fit when the full lengths do not fit, else the loose fit; then the rest-space pass and
// the common thickness. Top is the row's start across the rows; Moving the index of the column whose
// window the user drags (-1 for none). Returns the row's thickness.
int FitDockRow(std::vector<TdxDockFitColumn>& Columns, int Length, int Top, bool AutoAlign, int Moving);

// ---- drop zones ---------------------------------------------------------------------------------

// The rows of a site across their direction, for the drop-zone questions.
struct TdxDockRowGeometry {
  // [start, end) of every row across the rows, in client coordinates.
  std::vector<std::pair<int, int>> Rows;
  // dsRight and dsBottom sites.
  bool FarSide = false;
  // The client width (vertical site) or height (horizontal site).
  int ClientExtent = 0;
  // The docking-zone size Z.
  int Zone = 23;

  int RowsSize() const;
  // The interval [Lo, Hi) of row I (-1 before the first, RowCount after the last) and its three
  // parts: 0 before the 5-pixel strip, 1 the strip, 2 after it.
  void RowBand(int I, int Part, int& Lo, int& Hi) const;
  // The row a coordinate across the rows falls into; NewRow when it asks for a new row there.
  int RowIndexAt(int Coordinate, bool& NewRow) const;
  // The coordinate across the rows at which a window dropped into Row would sit.
  int RowMiddle(int Row, bool OneOnRow) const;
};

// ---- rows and columns ---------------------------------------------------------------------------

class TdxDockCol : public TObject {
  DECLARE_CLASS(TdxDockCol, TObject)
 public:
  TdxDockCol(TdxDockRow* ARow, TdxBarControl* AWindow) : Row(ARow), BarControl(AWindow) {}
  // Pos becomes the window's Left and Top.
  void RememberPosition();

  TdxDockRow* Row;
  TdxBarControl* BarControl;
  TPoint Pos{};
};

class TdxDockRow : public TObject {
  DECLARE_CLASS(TdxDockRow, TObject)
 public:
  explicit TdxDockRow(TdxDockControl* ASite) : site_(ASite) {}
  // Frees the columns; every listed toolbar leaves the row.
  ~TdxDockRow() override;

  TdxDockControl* DockControl() const { return site_; }
  int ColumnCount() const { return int(columns_.size()); }
  TdxDockCol* ColumnAt(int Index) const { return columns_.at(Index); }
  int ColumnIndexOf(TdxBarControl* Window) const;
  TdxDockCol* AddColumn(TdxBarControl* Window);
  TdxDockCol* InsertColumn(int Index, TdxBarControl* Window);
  void DeleteColumn(int Index);
  void RemoveWindow(TdxBarControl* Window);
  int BarCount() const { return int(bars_.size()); }
  TdxBar* BarAt(int Index) const { return bars_.at(Index); }
  // Lists the toolbar; a window of it on this site without a column gets one at its docked place.
  void AddBar(TdxBar* Bar);
  // Unlists the toolbar and drops its window's column; with FreeWhenEmpty the emptied row goes.
  void RemoveBar(TdxBar* Bar, bool FreeWhenEmpty);
  bool HasDockedWindow() const;
  // Each column's toolbar: OneOnRow exactly when the row has one column.
  void UpdateOneOnRow();

 private:
  TdxDockControl* site_;
  std::vector<TdxBar*> bars_;
  std::vector<TdxDockCol*> columns_;
};

// ---- the sites ----------------------------------------------------------------------------------

class TdxDockControl : public TCustomControl {
  DECLARE_CLASS(TdxDockControl, TCustomControl)
 public:
  explicit TdxDockControl(TComponent* AOwner);
  // A default site of Style for the manager's toolbar collection.
  TdxDockControl(TComponent* AOwner, TdxBarDockingStyle Style, TdxBarManager* Manager);
  ~TdxDockControl() override;
  virtual const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass();
  TdxBarAccessibilityHelper* AccessibilityHelper();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TdxBarManager* BarManager() const { return barManager_; }
  void SetBarManager(TdxBarManager* Value);
  TdxBars* Bars() const;
  bool AllowDocking = true;
  TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }

  // ---- lookups
  int RowCount() const { return int(rows_.size()); }
  TdxDockRow* RowAt(int Index) const { return rows_.at(Index); }
  int IndexOfRow(const TdxDockRow* Row) const;
  bool IsDefaultSite() const { return fixedStyle_ != dsNone; }
  TdxBarDockingStyle FixedDockingStyle() const { return fixedStyle_; }
  // The site's style: from its alignment (left, right, bottom; every other one is top).
  virtual TdxBarDockingStyle DockingStyle() const;
  bool IsHorizontal() const { return DockingStyle() == dsTop || DockingStyle() == dsBottom; }
  bool IsVertical() const { return !IsHorizontal(); }
  bool IsNearSide() const { return DockingStyle() == dsLeft || DockingStyle() == dsTop; }
  bool RecreatingBarWindows() const { return recreatingWindows_; }
  static TdxBarDockingStyle DockingStyleFromAlign(TAlign Align);

  // ---- the virtual operations
  virtual void BarManagerChanged();
  virtual void FitRowsToLength();
  virtual void FitRow(int Index, int Length);
  virtual bool AllowsDocking(TdxBar* Bar);
  virtual void UpdateColor();
  virtual int RowsSize();
  virtual bool SunkenBorder();
  virtual bool UsesBarRow() { return true; }
  virtual void AdjustSize();
  virtual TdxBarPainter* Painter();
  // The window a toolbar docked here shows in (a plain toolbar window; sites with windows of their
  // own kind answer those).
  virtual TdxBarControl* CreateBarControlFor(TdxBar* Bar);
  virtual void FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color);
  virtual bool NeedsDoubleBuffering();
  void RefreshBarBackgrounds();
  // The painter's cached background of the site (sized to the client area); emptied when the site's
  // size or look changes. The count tells how often a painter filled it.
  TBitmap* BackgroundCache() const { return backgroundCache_.get(); }
  void ClearBackgroundCache();
  void NoteBackgroundCacheFilled() { ++backgroundCacheFills_; }
  int BackgroundCacheFills() const { return backgroundCacheFills_; }
  // The rows' intervals across the site (in client coordinates), whether a row holds a toolbar with
  // a border (its first bordered toolbar not acting as a status bar), and whether it reaches the
  // site's far edge.
  std::vector<std::pair<int, int>> RowExtents();
  bool RowHasBorderedBars(int Index) const;
  bool RowTouchesFarEdge(int Index);
  // The site paints its background through a memory bitmap when it needs double buffering.
  void UpdateDoubleBuffered() { doubleBuffered_ = NeedsDoubleBuffering(); }
  bool DoubleBuffered() const { return doubleBuffered_; }
  // False for the default sites: a toolbar on them stays when a layout names no site.
  virtual bool ReleasesBarsOnLayoutRead() { return false; }
  // The site's thickness: the rows, plus 2 with a sunken border.
  int SiteSize();

  // ---- placement
  void InsertBar(TdxBarControl* Window, const TPoint& ScreenPoint, bool Relayout);
  void RemoveBar(TdxBarControl* Window, TdxDockCol* Column, bool Relayout);
  void MoveBar(TdxBarControl* Window, const TPoint& ScreenPoint);
  void RememberColumnPositions();
  void UpdateDockLayout();
  void RelayoutRows();
  // Appends an empty row (a toolbar's Row asks for it).
  TdxDockRow* AppendRow();
  // Drops the rows without toolbars.
  void DeleteEmptyRows();
  void ForgetRow(TdxDockRow* Row);
  TdxDockCol* ColumnOf(TdxBarControl* Window) const;

  // ---- geometry
  int RowThickness(int Index);
  TRect RowRect(int Index);
  TRect DockingZoneRect();
  TdxDockRowGeometry Geometry();
  int RowIndexAt(const TPoint& ScreenPoint, bool& NewRow);
  int ColumnIndexAt(int Row, const TPoint& ScreenPoint);

 protected:
  // The windows of the site's docked toolbars (row by row).
  std::vector<TdxBarControl*> DockedWindows() const;

  TdxBarManager* barManager_ = nullptr;
  TdxBarDockingStyle fixedStyle_ = dsNone;
  bool recreatingWindows_ = false;
  std::vector<TdxDockRow*> rows_;
  TdxBarAccessibilityHelper* accessibilityHelper_ = nullptr;
  ObjectPtr<TBitmap> backgroundBitmap_;
  ObjectPtr<TBitmap> backgroundCache_;
  // The double buffer of the erase, kept while the site keeps its size.
  ObjectPtr<TBitmap> eraseBuffer_;
  int backgroundCacheFills_ = 0;
  bool doubleBuffered_ = false;
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void InitiateAction() override;
  void Paint() override {}
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  // A double click switches customizing on (with CanCustomize); a right press outside design and
  // customizing shows the toolbars popup.
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, WMRButtonDown)
  MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
  MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_HANDLER(WM_DESTROY, WMDestroy)
  MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
  MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
  MESSAGE_MAP_END

};

enum TdxBarDockAlign { dalNone, dalTop, dalBottom, dalLeft, dalRight };

class TdxBarDockControl : public TdxDockControl {
  DECLARE_CLASS(TdxBarDockControl, TdxDockControl)
 public:
  explicit TdxBarDockControl(TComponent* AOwner);

  TdxBarDockAlign DockAlign() const { return dockAlign_; }
  // Every docked window turns to the new style inside one bars update.
  void SetDockAlign(TdxBarDockAlign Value);
  TdxBarDockingStyle DockingStyle() const override;
  bool AllowsDocking(TdxBar* Bar) override;
  int RowsSize() override;
  bool SunkenBorder() override { return UseOwnSunkenBorder ? OwnSunkenBorder : TdxDockControl::SunkenBorder(); }
  void UpdateColor() override;
  bool ReleasesBarsOnLayoutRead() override { return true; }

  bool AllowZeroSizeInDesignTime = false;
  bool OwnSunkenBorder = false;
  bool UseOwnColor = false;
  bool UseOwnSunkenBorder = false;

 protected:
  void WMCreate(TMessage& Message);
  void WMSizeBar(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_CREATE, WMCreate)
  MESSAGE_HANDLER(WM_SIZE, WMSizeBar)
  MESSAGE_MAP_END

 private:
  int EmptySize() const;
  TdxBarDockAlign dockAlign_ = dalTop;
};

// The form-relative path of a user dock site ("Name", or "Form.Name" for another form's); empty for a
// site without a name.
String DockControlPath(TdxBarDockControl* DockControl, TComponent* ManagerOwner);
