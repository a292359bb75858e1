#pragma once
// Standard controls: the label (painted), the edit and memo, push, check and radio buttons, the
// combo box, the list box, the group box and the scroll bar. The window controls are thin classes
// over the system's classes; their notifications come back to them reflected (CN_COMMAND, ...).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>
#include <utility>
#include <vector>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/classes/Strings.h"

// ---- Shared helpers ------------------------------------------------------------------------------

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A solid brush for one colour, remade only when the colour changes (answers to WM_CTLCOLOR*).
class TColorBrush {
 public:
  TColorBrush() = default;
  TColorBrush(const TColorBrush&) = delete;
  TColorBrush& operator=(const TColorBrush&) = delete;
  ~TColorBrush();
  HBRUSH Get(TColor Color);

 private:
  HBRUSH brush_ = nullptr;
  TColor color_ = clNone;
};

// ---- TCustomLabel --------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
  DECLARE_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  // The control an "&" accelerator of the caption focuses.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  void SetAutoSize(bool Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  // Draws the caption into Rect with DrawText Flags; with DT_CALCRECT it only measures.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  // Fits the bounds to the caption when AutoSize is on.
  virtual void AdjustBounds();
  String GetLabelText();
  UINT DrawTextFlags() const;
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  DECLARE_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;
};

// ---- TCustomEdit ---------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
  DECLARE_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  // Limits what the user types; text set by code is kept whole. 0 = no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  // Only digits may be typed (ES_NUMBER); the style also survives a re-created window when it was
  // set on the handle directly.
  bool NumbersOnly();
  void SetNumbersOnly(bool Value);
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t Value);
  bool Modified();
  void SetModified(bool Value);

  // The selection as character indexes; SelStart is where the caret is when nothing is selected.
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection() { SetSelText(String()); }
  void Clear() { SetText(String()); }

  // Text changed, by the user or by code.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void Change();
  std::pair<int, int> Selection();
  void CNCommand(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  void CMTextChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
  MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_MAP_END

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool numbersOnly_ = false;
  bool modified_ = false;
  wchar_t passwordChar_ = 0;
  TColorBrush brush_;
};

class TEdit : public TCustomEdit {
  DECLARE_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

// ---- TMemo ---------------------------------------------------------------------------------------

class TCustomMemo;

// The lines of a memo, read from and written to its text each time, so they always show the
// window's current contents. Lines end at CR LF, LF or CR.
class TMemoStrings : public TStrings {
  DECLARE_CLASS(TMemoStrings, TStrings)
 public:
  explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}
  int Count() const override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const String& text) override;
  void SetText(const String& text) override;

 protected:
  String Get(int index) const override;
  void Put(int index, const String& text) override;

 private:
  std::vector<String> Split() const;
  void Join(const std::vector<String>& lines);
  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
  DECLARE_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  TStrings* Lines() { return &lines_; }
  void SetLines(TStrings* Value) { lines_.Assign(Value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool WantReturns = true;
  bool WantTabs = false;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMGetDlgCode(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
  MESSAGE_MAP_END

 private:
  TMemoStrings lines_{this};
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
  DECLARE_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

// ---- Buttons -------------------------------------------------------------------------------------

class TButtonControl : public TWinControl {
  DECLARE_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);
  // While set, a change of the checked state fires no OnClick: the action link sets it around the
  // checked state it copies from the action, so that copy does not run the action again.
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool Value) { clicksDisabled_ = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CNCtlColor(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
  MESSAGE_HANDLER(CN_CTLCOLORBTN, CNCtlColor)
  MESSAGE_MAP_END

 private:
  TColorBrush brush_;
  bool clicksDisabled_ = false;
};

// A push button. Enter clicks the Default button unless another button has the focus, Escape clicks
// the Cancel button; after OnClick, a ModalResult other than mrNone goes to the parent form.
class TButton : public TButtonControl {
  DECLARE_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel = false;
  int ModalResult = 0;
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  virtual void SetButtonStyle(bool ADefault);
  void CNCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
  MESSAGE_MAP_END

 private:
  bool default_ = false;
  bool active_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  DECLARE_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  // A change fires OnClick, whether the user or code made it.
  void SetState(TCheckBoxState Value);
  bool AllowGrayed = false;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  TControlActionLink* CreateActionLink() override;
  virtual void Toggle();
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END

 private:
  TCheckBoxState state_ = cbUnchecked;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  DECLARE_CLASS(TCheckBox, TCustomCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

// Checking a radio button unchecks the other radio buttons of the same parent.
class TRadioButton : public TButtonControl {
  DECLARE_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const { return checked_; }
  // Checking fires OnClick.
  void SetChecked(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  TControlActionLink* CreateActionLink() override;
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END

 private:
  bool checked_ = false;
};

// ---- Item lists (combo and list boxes) -----------------------------------------------------------

// Items of a combo or list box: the list keeps texts and objects itself and mirrors them into the
// window, so they survive a re-created window and read without one. Sorted lists insert in order
// without regard to case.
class TItemStrings : public TStrings {
  DECLARE_CLASS(TItemStrings, TStrings)
 public:
  struct TWindowMessages {
    UINT InsertString, DeleteString, ResetContent;
  };
  TItemStrings(TWinControl* control, TWindowMessages messages) : control_(control), messages_(messages) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const String& text) override;
  int Add(const String& text) override;
  int AddObject(const String& text, TObject* object) override;
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  // Fills a new window with the items.
  void FillWindow();

 protected:
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;

 private:
  struct TItem {
    String Text;
    TObject* Object;
  };
  int SortedIndex(const String& text) const;
  void InsertItem(int index, const String& text, TObject* object);
  HWND Window() const;

  TWinControl* control_;
  TWindowMessages messages_;
  std::vector<TItem> items_;
  bool sorted_ = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox : public TWinControl {
  DECLARE_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* Value) { items_.Assign(Value); }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  // -1 = none; an index outside the items selects none.
  int ItemIndex();
  void SetItemIndex(int Value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool Value) { items_.SetSorted(Value); }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);

  // The user edited the text or chose an item.
  TNotifyEvent OnChange;
  // The selection changed by the user.
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Select();
  void CNCommand(TMessage& Message);
  void CNCtlColor(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
  MESSAGE_HANDLER(CN_CTLCOLORLISTBOX, CNCtlColor)
  MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
  MESSAGE_MAP_END

 private:
  int DropHeight() const;
  TItemStrings items_{this, {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT}};
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  TColorBrush brush_;
};

class TComboBox : public TCustomComboBox {
  DECLARE_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
                           odInactive, odNoAccel, odNoFocusRect, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, int Index, int& Height)>;

// The owner-draw state of a DRAWITEMSTRUCT.
TOwnerDrawState OwnerDrawStateFromItemState(UINT ItemState);

class TCustomListBox : public TWinControl {
  DECLARE_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* Value) { items_.Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  void ClearSelection();
  int TopIndex();
  void SetTopIndex(int Value);
  int ItemHeight();
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool Value) { items_.SetSorted(Value); }
  // The item at a client point: -1 past the last item when Existing, else the index after it.
  int ItemAtPos(const TPoint& Pos, bool Existing);
  TRect ItemRect(int Index);
  TCanvas* Canvas() { return canvas_.get(); }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void CNCtlColor(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
  MESSAGE_HANDLER(CN_MEASUREITEM, CNMeasureItem)
  MESSAGE_HANDLER(CN_CTLCOLORLISTBOX, CNCtlColor)
  MESSAGE_MAP_END

 private:
  TItemStrings items_{this, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}};
  std::unique_ptr<TControlCanvas> canvas_;
  int itemIndex_ = -1;
  int topIndex_ = 0;
  int itemHeight_ = 16;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  std::vector<int> savedSelection_;
  TListBoxStyle style_ = lbStandard;
  TColorBrush brush_;
};

class TListBox : public TCustomListBox {
  DECLARE_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};

// ---- TGroupBox -----------------------------------------------------------------------------------

// A frame with a caption at its top edge, holding controls.
class TCustomGroupBox : public TCustomControl {
  DECLARE_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
  MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
  MESSAGE_MAP_END
};

class TGroupBox : public TCustomGroupBox {
  DECLARE_CLASS(TGroupBox, TCustomGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

// ---- TScrollBar ----------------------------------------------------------------------------------

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
  DECLARE_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetMin(int Value) { SetParams(position_, Value, max_); }
  void SetMax(int Value) { SetParams(position_, min_, Value); }
  // OnChange fires when the position changes, also when code sets it.
  void SetPosition(int Value) { SetParams(Value, min_, max_); }
  void SetPageSize(int Value);
  // Sets all three at once; raises EInvalidOperation when Max < Min. The position is kept in range.
  void SetParams(int APosition, int AMin, int AMax);
  int SmallChange = 1;
  int LargeChange = 1;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
  void ApplyScrollInfo();
  void CNScroll(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_HSCROLL, CNScroll)
  MESSAGE_HANDLER(CN_VSCROLL, CNScroll)
  MESSAGE_MAP_END

 private:
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
};
