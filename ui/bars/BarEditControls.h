#pragma once
// Edit and combo items with the item controls that edit their text in place. The item holds the
// text (and a combo its strings and current entry); while a link's control edits, a standard EDIT
// window, a hidden child of the bar window made with the control, is shown over the edit part and
// subclassed by the control, which routes its keys and mouse to the item and the bar window. Without
// the editor the painter draws the text. A combo adds the drop-down button (part 3), the drop-down
// window (by default the library's list box filled from the strings) and browsing by keys and wheel.

#include <memory>

#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/WindowSubclass.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItems.h"

class TdxBarWinControl;
class TdxBarEditControl;
class TCustomdxBarComboControl;
class TdxBarComboControl;
class TdxBarCustomCombo;

// ---- items --------------------------------------------------------------------------------------

class TdxCustomBarEdit : public TdxBarWindowItem {
  DECLARE_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
 public:
  explicit TdxCustomBarEdit(TComponent* AOwner);
  // The first read from a stream clears the glyph first.
  void ReadState(TReader& Reader) override;
  // Ignored when not positive or unchanged.
  void SetWidth(int Value) override;
  bool AcceptsAccelerator(TdxBarItemLink* Link) const override;
  // The command-list entry of the customizing dialog: an edit entry.
  void DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected) override;
  TcxStyle* StyleEdit() const { return StylesData()->GetStyle(1); }
  void SetStyleEdit(TcxStyle* Value) { StylesData()->SetStyle(1, Value); }
  TcxViewParamSet StyleEditViewParams() const { return ViewParamsFor(StyleEdit()); }
  bool GlyphLoaded = false;
};

class TdxBarEdit : public TdxCustomBarEdit {
  DECLARE_CLASS(TdxBarEdit, TdxCustomBarEdit)
 public:
  using TdxCustomBarEdit::TdxCustomBarEdit;
  // 0 is no limit; values below 1 are stored as 0. Open editors take the new limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  // The static text of an edit control without editor: the painter's plain item text.
  virtual void DrawInterior(TdxBarEditControl* Control, TcxCanvas* Canvas, TdxBarItemLink* Link, const TRect& R);

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
};

using TdxBarCheckKeyForDropDownWindowEvent =
    TEvent<void(TObject* Sender, Word Key, bool& Allow, TShiftState Shift)>;
using TdxBarGetDropDownWindowEvent = TEvent<void(TObject* Sender, HWND& Window)>;

// A combo: an edit with a drop-down window that a handler supplies.
class TCustomdxBarCombo : public TdxBarEdit {
  DECLARE_CLASS(TCustomdxBarCombo, TdxBarEdit)
 public:
  using TdxBarEdit::TdxBarEdit;
  bool ShowEditor() const { return !EmptyWindow; }
  void SetShowEditor(bool Value);
  TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
  TNotifyEvent OnCloseUp, OnDropDown;
  TdxBarGetDropDownWindowEvent OnGetDropDownWindow;
  // The command-list entry of the customizing dialog: an edit entry with a drop-down button.
  void DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected) override;

  // True except for Tab, Enter and Escape; the event may change the answer. While the drop-down is
  // open the control sends the keys answered True to the drop-down window.
  virtual bool CheckKeyForDropDownWindow(Word Key, TShiftState Shift);
  virtual HWND DropDownWindowHandle();
  virtual void PrepareDropDownWindow() {}
  virtual void AfterDropDown() {}
  // Hides the drop-down window; fires OnCloseUp.
  virtual void CloseUp();
  // Fires OnDropDown; places, moves and shows the drop-down window at the screen point without
  // activating it.
  virtual void DropDown(int X, int Y);
  // Where a drop-down window of its size opens at the screen point (see PlaceDropDownIn).
  void PlaceDropDown(int& X, int& Y);
  // The active edit control's font and the painter's edit colours.
  void ApplyEditLookToWindow(TWinControl* Window);
  bool IsDroppedDownNow() const;
  // The control of the active link when it is a combo control.
  TCustomdxBarComboControl* ActiveComboControl() const;
};

// Where a drop-down window of size W x H opens for the screen point (X, Y) in the work area
// WorkArea, the opening item being IW x IH: beside the control (Beside: in a menu or on a vertical
// bar) it flips to the left when there is more room there; under it, it flips above when there is
// more room above; then the window is kept inside the work area's left and top edges.
void PlaceDropDownIn(int& X, int& Y, int W, int H, int IW, int IH, const TRect& WorkArea, bool Beside);

using TdxBarDrawItemEvent = TEvent<void(TdxBarCustomCombo* Sender, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TdxBarMeasureItemEvent = TEvent<void(TdxBarCustomCombo* Sender, int Index, int& Height)>;

// The drop-down list of a combo: draws and measures its entries through the combo, and hands the
// choices back to it (a release over an entry chooses it, a click shows it in the editor).
class TdxBarComboListBox : public TdxBarDropDownListBox {
  DECLARE_CLASS(TdxBarComboListBox, TdxBarDropDownListBox)
 public:
  TdxBarComboListBox(TComponent* AOwner, TdxBarCustomCombo* ACombo);
  TdxBarCustomCombo* Combo() const { return combo_; }

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void ReleaseChoosesEntry(int Index) override;
  void EntryClicked(int Index) override;

 private:
  TdxBarCustomCombo* combo_;
};

// A combo over a string list shown in the library's drop-down list.
class TdxBarCustomCombo : public TCustomdxBarCombo {
  DECLARE_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
 public:
  explicit TdxBarCustomCombo(TComponent* AOwner);
  ~TdxBarCustomCombo() override;

  int DropDownCount = 8;
  // 0: as wide as the edit area (or the widest entry).
  int DropDownWidth = 0;
  TdxBarDrawItemEvent OnDrawItem;
  TdxBarMeasureItemEvent OnMeasureItem;
  TStringList* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex() const { return itemIndex_; }
  // Out of range is -1; the text follows the entry, and the notifications run even when it does not
  // change.
  void SetItemIndex(int Value);
  int ItemHeight = 0;
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool Value);
  TdxBarComboListBox* ListBox() const { return listBox_; }
  // Set while the current entry is drawn into a control.
  TcxCanvas* DrawCanvas = nullptr;
  bool InteriorIsDrawing = false;

  void SetText(const String& Value) override;
  // The editing control's local index while an editor is open, else ItemIndex.
  int CurrentItemIndex() const;
  void CurChange() override;
  bool CheckKeyForDropDownWindow(Word Key, TShiftState Shift) override;
  HWND DropDownWindowHandle() override;
  void PrepareDropDownWindow() override;
  void DropDown(int X, int Y) override;
  void CloseUp() override;
  void AfterDropDown() override;
  void DrawInterior(TdxBarEditControl* Control, TcxCanvas* Canvas, TdxBarItemLink* Link, const TRect& R) override;

  virtual void DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R);
  virtual TcxCanvas* ListCanvas();
  virtual int DropDownWindowWidth();
  virtual void MeasureListItem(int Index, int& Height);
  virtual void ListItemWidth(int Index, int& Width);
  int ListItemHeight(int Index);
  // The editor's text finds its entry: the control's local index when it still matches, else the
  // prefix search; an open list selects it (exact match ignoring case) or scrolls to it.
  void SyncListWithEditor();
  // Ignoring case: the first string that starts with all of Text, else the one sharing the longest
  // prefix (the first found); -1 when none shares the first character.
  int FindByPrefix(const String& Text) const;

 private:
  void ItemsChanged(TObject* Sender);
  int ExactIndexOf(const String& Value) const;
  ObjectPtr<TStringList> items_;
  int itemIndex_ = -1;
  TdxBarComboListBox* listBox_ = nullptr;
  ObjectPtr<TcxCanvas> listCanvas_;
};

class TdxBarCombo : public TdxBarCustomCombo {
  DECLARE_CLASS(TdxBarCombo, TdxBarCustomCombo)
 public:
  using TdxBarCustomCombo::TdxBarCustomCombo;
};

// ---- controls -----------------------------------------------------------------------------------

// The private message that repaints a buffered editor at once.
constexpr UINT WM_DXBAR_EDITREPAINT = 0x8081;

// Base of the controls that host a real window: subclasses it, routes its keys and mouse to the item
// and the bar window, and moves the keyboard focus in and out.
class TdxBarWinControl : public TdxBarItemControl {
  DECLARE_CLASS(TdxBarWinControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  void BeforeDestruction() override;

  TdxBarWindowItem* WindowItem() const;
  bool Focused() const { return focused_; }
  bool SettingText() const { return settingText_; }
  bool BufferedPaint() const { return bufferedPaint_; }
  HWND PreviousFocus() const { return previousFocus_; }
  // Empty while disabled or when the item shows no editor window.
  TRect EditorRect() const;
  void SetEditorBounds(const TRect& R);
  int AltKeyCount = 0;

  bool AllowsCloseFor(TdxBarManager* Manager) override;
  bool CanSelect() const override;
  void Deactivate(bool Immediately) override;
  void BeforeClick(bool ByMouse, Word Key) override;
  // While editing the bar window's current mouse message goes to the editor when the cursor is
  // outside it.
  void SelectByKeyboard(bool Flag) override;
  void EnabledChanged() override;
  bool OwnsWindow(HWND Window) const override;
  bool ClosesMenusOnClick() const override { return false; }
  bool IsWindowedControl() const override { return true; }
  bool IsEditing() const override { return focused_; }
  void BarWindowHandleGone() override;
  const TdxBarAccessibilityHelperMetaClass* AccessibilityHelperClass() override;

  // ---- the window control's operations
  virtual void HookEditWindow();
  // Leaves editing and takes the subclass off; with Destroy the window goes too.
  virtual void UnhookEditWindow(bool Destroy);
  virtual void ClickEditor(bool ByMouse);
  virtual HWND EditorWindow() const { return nullptr; }
  // The whole text of the editor; empty without a window.
  virtual String GetEditorText() const;
  virtual void HideEditor(bool StoreText) { (void)StoreText; }
  virtual void ApplyEditorLook() {}
  virtual void LoadTextFromItem();
  virtual void SetFocused(bool Value);
  virtual void SetEditorText(const String& Text);
  virtual void ShowEditor();
  virtual void StoreTextToItem();
  virtual void SysKeyDown(Word& Key, TShiftState Shift);
  virtual void SysKeyUp(Word& Key);
  virtual void EditWindowProc(TMessage& Message);
  virtual void FocusLost(HWND Window) { (void)Window; }
  // The key steps of the editor's key messages (a key set to 0 is swallowed).
  virtual void EditKeyDown(Word& Key, TShiftState Shift);
  virtual void EditKeyPress(wchar_t& Key);
  virtual void EditKeyUp(Word& Key, TShiftState Shift);

 protected:
  // Hands the message to the editor window's own procedure.
  void DefaultEditHandler(TMessage& Message) { subclass_.CallPrevious(Message); }
  // Subclasses the window with EditWindowProc.
  void AttachEditor(HWND Window);
  bool EditorVisible() const;
  // The point of an editor mouse message in bar-window coordinates.
  TPoint EditorToBar(LPARAM LParam) const;
  void SetSettingText(bool Value) { settingText_ = Value; }

 private:
  void EditorMessage(TMessage& Message);
  void EditorMouse(TMessage& Message);
  // Sends the key to the keyboard hook's menu handling after closing the menus; true when it was
  // swallowed.
  bool StartMenuNavigation(Word Key, bool KeyUp);
  void RestoreFocus();
  // The bar window's feature bit that keeps the focus where the closing editor leaves it.
  bool KeepsFocusAfterEdit();

  TWindowSubclass subclass_;
  bool focused_ = false;
  // Set while the Escape key leaves the editor: the text is not stored then.
  bool escaping_ = false;
  bool settingText_ = false;
  bool bufferedPaint_ = false;
  HWND previousFocus_ = nullptr;
  TRect editorBounds_{};
};

// Caption, icon and edit area; the edit width is resized with the mouse in customizing mode.
class TdxBarCustomEditControl : public TdxBarWinControl {
  DECLARE_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
 public:
  using TdxBarWinControl::TdxBarWinControl;
  ~TdxBarCustomEditControl() override;

  TdxBarEditLikeControlDrawParams* EditDrawParams() const {
    return static_cast<TdxBarEditLikeControlDrawParams*>(DrawParams());
  }
  TdxBarEdit* EditItem() const;
  TFont* EditFont() const;
  HBRUSH BackgroundBrushInBar() const;
  // The edit height of the StyleEdit font; 0 when the bar window's edit height holds.
  int EditTextSize = 0;
  int SizingEditWidth = 0;
  bool RightBorderSizing = false;

  void PrepareColors() override;
  void DrawContent(const TRect& R, int PaintType) override;
  void CalcDrawParams(bool Full) override;
  void CalcPartBounds() override;
  bool IsDrawnSelected() const override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  TdxBarItemControlDrawParams* CreateDrawParams() override { return new TdxBarEditLikeControlDrawParams(this); }
  int PartCount() const override { return TdxBarWinControl::PartCount() + 2; }
  TdxBarItemViewLevels GetPossibleViewLevels() const override;
  int TextAreaWidth() override;
  int ExtraWidth() override;
  int IconAreaWidth() override;
  int Height() override;
  int Width() override { return MenuContentWidth(); }
  int MinWidth() override;
  bool IsFocusable() const override;
  void TextOffsets(int Kind, TRect& R) override;

  virtual void AdjustEditorFrame(TRect& R) { (void)R; }
  virtual void DrawEditBorder();
  virtual void DrawInterior() {}
  virtual void EditRect(TRect& R);
  virtual int MinEditWidth() { return 0; }
  virtual bool ShowsCaption() const;
  virtual void RecalcForEditor() {}
  virtual HBRUSH EditBackgroundBrush();
  // The painter's edit colours for the control, each replaced by the StyleEdit colour it assigns.
  void EditColorsNow(TColor& TextColor, TColor& BackgroundColor);
  // Set once the bar window posted the editor its first repaint.
  bool EditRepaintPosted = false;
  // The control's own query for the plain frame around the whole control (never set here).
  virtual bool ExtraStateQuery() const { return false; }
  // The painter's part bounds of the kind of control.
  virtual void CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts);

  // ---- customizing resize of the edit width
  static constexpr int SizingStrip = 7;
  bool IsSizingPoint(const TPoint& P) const;
  void BeginSizing(const TPoint& P);
  void Sizing(const TPoint& P);
  void EndSizing(bool Accept);
  // The width of the control without its edit part.
  int CaptionPartWidth();

 private:
  void DrawSizingFrame(int Width);
  HBRUSH backgroundBrush_ = nullptr;
  TColor backgroundColor_ = clNone;
  bool sizing_ = false;
};

// The plain edit: its EDIT window is shown only while editing; otherwise the painter draws the text.
class TdxBarEditControl : public TdxBarCustomEditControl {
  DECLARE_CLASS(TdxBarEditControl, TdxBarCustomEditControl)
 public:
  using TdxBarCustomEditControl::TdxBarCustomEditControl;
  // Makes the EDIT window once the control is built.
  void AfterConstruction() override;

  HWND Handle() const { return handle_; }
  void BeforeClick(bool ByMouse, Word Key) override;
  TRect TextAreaRect() const override;
  HWND EditorWindow() const override { return handle_; }
  int MinEditWidth() override { return 20; }
  void RecalcForEditor() override { CalcDrawParams(true); }
  void HookEditWindow() override;
  void UnhookEditWindow(bool Destroy) override;
  void HideEditor(bool StoreText) override;
  void ApplyEditorLook() override;
  void SetFocused(bool Value) override;
  void SetEditorText(const String& Text) override;
  void ShowEditor() override;
  void DrawInterior() override;
  void EditWindowProc(TMessage& Message) override;
  virtual bool DrawsStaticText() const;

 private:
  // Paints the client area through a buffered-paint buffer (the caret hidden while it is copied).
  void PaintBuffered(HDC Target);
  HWND handle_ = nullptr;
};

class TCustomdxBarComboControl : public TdxBarEditControl {
  DECLARE_CLASS(TCustomdxBarComboControl, TdxBarEditControl)
 public:
  using TdxBarEditControl::TdxBarEditControl;
  void BeforeDestruction() override;

  TCustomdxBarCombo* ComboItem() const;
  bool DroppedDown() const { return droppedDown_; }
  virtual void SetDroppedDown(bool Value);
  bool PressedWhileDroppedDown = false;

  void EnabledChanged() override;
  void Deactivate(bool Immediately) override;
  bool IsDroppedDown() const override { return droppedDown_; }
  void CalcDrawParams(bool Full) override;
  int PartCount() const override { return TdxBarEditControl::PartCount() + 1; }
  bool OwnsWindow(HWND Window) const override;
  void AdjustEditorFrame(TRect& R) override;
  void DrawInterior() override;
  bool DrawsStaticText() const override;
  void SysKeyDown(Word& Key, TShiftState Shift) override;
  void SysKeyUp(Word& Key) override;
  void EditWindowProc(TMessage& Message) override;
  void CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) override;
  // A release over the button of a list that was open when pressed closes it.
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The drop-down button: part 3, or with no editor shown also the text part 0.
  bool ButtonPartAt(const TPoint& P) const;

 private:
  bool droppedDown_ = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
  DECLARE_CLASS(TdxBarComboControl, TCustomdxBarComboControl)
 public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;
  TdxBarCustomCombo* CustomCombo() const;
  int LocalItemIndex() const { return localItemIndex_; }
  // Shows the entry: stores it, loads the text, repaints a control without editor.
  void SetLocalItemIndex(int Value);
  void LoadTextFromItem() override;
  void SetFocused(bool Value) override;
  void EditWindowProc(TMessage& Message) override;

 private:
  friend class TdxBarCustomCombo;
  // Up and Down step through the entries while the list is closed; true when the key was taken.
  bool BrowseByKey(Word Key);
  int localItemIndex_ = -1;
};
