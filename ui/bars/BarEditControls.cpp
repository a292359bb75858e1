#include "ui/bars/BarEditControls.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarAliveCheck.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/customize/FormPainters.h"

DEFINE_CLASS(TdxCustomBarEdit)
DEFINE_CLASS(TdxBarEdit)
DEFINE_CLASS(TCustomdxBarCombo)
DEFINE_CLASS(TdxBarComboListBox)
DEFINE_CLASS(TdxBarCustomCombo)
DEFINE_CLASS(TdxBarCombo)
DEFINE_CLASS(TdxBarWinControl)
DEFINE_CLASS(TdxBarCustomEditControl)
DEFINE_CLASS(TdxBarEditControl)
DEFINE_CLASS(TCustomdxBarComboControl)
DEFINE_CLASS(TdxBarComboControl)

namespace {

TRect WindowRectIn(HWND Window, HWND Parent) {
  RECT r{};
  GetWindowRect(Window, &r);
  MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&r), 2);
  return TRect{r.left, r.top, r.right, r.bottom};
}

bool IsKeyMessage(UINT Msg) { return Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST; }

bool IsNoShift(TShiftState Shift) { return !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt); }

// A canvas draws with its brush and font only once they are selected into its DC.
void RealizeCanvas(TCanvas* Canvas, const TRect& R) {
  Canvas->FillRect(R);
  Canvas->TextExtent(L"Q");
}

}  // namespace

// ---- edit items ---------------------------------------------------------------------------------

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* AOwner) : TdxBarWindowItem(AOwner, 2) { TdxBarItem::SetWidth(100); }

void TdxCustomBarEdit::ReadState(TReader& Reader) {
  if (!GlyphLoaded) {
    Glyph()->SetSize(0, 0);
    GlyphLoaded = true;
  }
  TdxBarWindowItem::ReadState(Reader);
}

void TdxCustomBarEdit::SetWidth(int Value) {
  if (Value <= 0 || Value == Width()) return;
  TdxBarWindowItem::SetWidth(Value);
}

bool TdxCustomBarEdit::AcceptsAccelerator(TdxBarItemLink* Link) const {
  TdxBarItemLinks* links = Link ? Link->OwnerLinks() : nullptr;
  if (links && links->OwnerIsToolbar()) return Enabled() && ShowCaption();
  return Enabled();
}

void TdxCustomBarEdit::DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected) {
  DrawCustomizingEntry(ACanvas, R, 0, Selected, this);
}

void TdxBarEdit::SetMaxLength(int Value) {
  maxLength_ = std::max(Value, 0);
  for (TdxBarItemLink* link : Links()) {
    if (auto* control = dynamic_cast<TdxBarEditControl*>(link->ItemControl()))
      if (control->Handle()) SendMessageW(control->Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
  }
}

void TdxBarEdit::DrawInterior(TdxBarEditControl* Control, TcxCanvas* Canvas, TdxBarItemLink*, const TRect& R) {
  if (TdxBarPainter* painter = Control->Painter()) painter->DrawEditItemText(Canvas, R, GetText());
}

// ---- combo items --------------------------------------------------------------------------------

void TCustomdxBarCombo::SetShowEditor(bool Value) {
  if (EmptyWindow == !Value) return;
  EmptyWindow = !Value;
  RefreshControls();
}

void TCustomdxBarCombo::DrawCustomizingImage(TCanvas* ACanvas, const TRect& R, bool Selected) {
  DrawCustomizingEntry(ACanvas, R, 1, Selected, this);
}

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(Word Key, TShiftState Shift) {
  bool allow = Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE;
  if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, Key, allow, Shift);
  return allow;
}

HWND TCustomdxBarCombo::DropDownWindowHandle() {
  HWND window = nullptr;
  if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
  return window;
}

void TCustomdxBarCombo::CloseUp() {
  if (HWND window = DropDownWindowHandle()) ShowWindow(window, SW_HIDE);
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarCombo::DropDown(int X, int Y) {
  if (OnDropDown) OnDropDown(this);
  HWND window = DropDownWindowHandle();
  if (!window) return;
  PrepareDropDownWindow();
  PlaceDropDown(X, Y);
  SetWindowPos(window, nullptr, X, Y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AfterDropDown();
}

void PlaceDropDownIn(int& X, int& Y, int W, int H, int IW, int IH, const TRect& WorkArea, bool Beside) {
  if (Beside) {
    if (X + W > WorkArea.right && WorkArea.right - X < X - IW - WorkArea.left) X = X - W - IW;
    if (Y + H > WorkArea.bottom) Y = WorkArea.bottom - H;
  } else {
    if (X + W > WorkArea.right) X = WorkArea.right - W;
    if (Y + H > WorkArea.bottom && WorkArea.bottom - Y < Y - IH - WorkArea.top) Y = Y - (IH + H);
  }
  X = std::max<int>(X, WorkArea.left);
  Y = std::max<int>(Y, WorkArea.top);
}

void TCustomdxBarCombo::PlaceDropDown(int& X, int& Y) {
  HWND window = DropDownWindowHandle();
  if (!window) return;
  RECT w{};
  GetWindowRect(window, &w);
  TdxBarItemLink* link = ActiveLink();
  const TRect item = link ? link->ItemRect() : TRect{};
  TdxBarItemControl* control = link ? link->ItemControl() : nullptr;
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  const bool beside = bar && (bar->BarKind() == 2 || bar->IsVertical());
  PlaceDropDownIn(X, Y, w.right - w.left, w.bottom - w.top, item.Width(), item.Height(), WorkAreaAt(TPoint{X, Y}),
                  beside);
}

TCustomdxBarComboControl* TCustomdxBarCombo::ActiveComboControl() const {
  TdxBarItemLink* link = ActiveLink();
  return link ? dynamic_cast<TCustomdxBarComboControl*>(link->ItemControl()) : nullptr;
}

void TCustomdxBarCombo::ApplyEditLookToWindow(TWinControl* Window) {
  TCustomdxBarComboControl* control = ActiveComboControl();
  if (!control || !Window) return;
  Window->Font()->Assign(control->EditFont());
  TColor text = clWindowText, back = clWindow;
  control->EditColorsNow(text, back);
  Window->Font()->SetColor(text);
  Window->SetColor(back);
}

bool TCustomdxBarCombo::IsDroppedDownNow() const {
  TCustomdxBarComboControl* control = ActiveComboControl();
  return control && control->DroppedDown();
}

// ---- the combo's list ---------------------------------------------------------------------------

TdxBarComboListBox::TdxBarComboListBox(TComponent* AOwner, TdxBarCustomCombo* ACombo)
    : TdxBarDropDownListBox(AOwner), combo_(ACombo) {}

void TdxBarComboListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  combo_->DrawListItem(Painter(), Index, State, Rect);
}

void TdxBarComboListBox::MeasureItem(int Index, int& Height) { combo_->MeasureListItem(Index, Height); }

void TdxBarComboListBox::ReleaseChoosesEntry(int Index) {
  if (TdxBarItemLink* link = combo_->ActiveLink()) {
    try {
      link->OriginLink()->MarkRecentlyUsed(true);
    } catch (const Exception&) {
      // The use is not counted; the choice goes on.
    }
  }
  CloseActiveBarMenus();
  if (Index >= 0) combo_->SetItemIndex(Index);
}

void TdxBarComboListBox::EntryClicked(int Index) {
  TdxBarItemLink* link = combo_->ActiveLink();
  if (auto* control = link ? dynamic_cast<TdxBarComboControl*>(link->ItemControl()) : nullptr)
    control->SetLocalItemIndex(Index);
}

// ---- combo over a string list -------------------------------------------------------------------

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* AOwner) : TCustomdxBarCombo(AOwner), items_(new TStringList) {
  items_->OnChange = TNotifyEvent(this, &TdxBarCustomCombo::ItemsChanged);
  listBox_ = new TdxBarComboListBox(nullptr, this);
  listCanvas_.reset(new TcxCanvas(listBox_->Canvas()));
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
  listCanvas_.reset();
  FreeAndNil(listBox_);
  items_->OnChange = TNotifyEvent();
}

int TdxBarCustomCombo::ExactIndexOf(const String& Value) const {
  for (int i = 0; i < items_->Count(); ++i) {
    if (items_->Strings(i) == Value) return i;
  }
  return -1;
}

void TdxBarCustomCombo::SetItemIndex(int Value) {
  if (Value == itemIndex_) return;
  if (Value < 0 || Value >= items_->Count()) Value = -1;
  itemIndex_ = Value;
  const String text = Value >= 0 ? items_->Strings(Value) : String();
  if (GetText() == text) {
    RepaintControls();
    Change();
    RepaintControls();
  } else {
    SetText(text);
  }
}

void TdxBarCustomCombo::ItemsChanged(TObject*) {
  if (itemIndex_ > items_->Count() - 1)
    SetItemIndex(-1);
  else
    RepaintControls();
}

void TdxBarCustomCombo::SetSorted(bool Value) {
  if (Value == Sorted()) return;
  items_->SetSorted(Value);
  const int index = ExactIndexOf(GetText());
  if (index == itemIndex_) return;
  // The entry moved: the index follows the text, which stays.
  itemIndex_ = index;
  RepaintControls();
}

void TdxBarCustomCombo::SetText(const String& Value) {
  if (itemIndex_ < 0 || itemIndex_ >= items_->Count() || items_->Strings(itemIndex_) != Value)
    itemIndex_ = ExactIndexOf(Value);
  TCustomdxBarCombo::SetText(Value);
}

int TdxBarCustomCombo::CurrentItemIndex() const {
  TdxBarItemLink* link = EditingLink();
  auto* control = link ? dynamic_cast<TdxBarComboControl*>(link->ItemControl()) : nullptr;
  return control ? control->LocalItemIndex() : itemIndex_;
}

void TdxBarCustomCombo::CurChange() {
  TCustomdxBarCombo::CurChange();
  SyncListWithEditor();
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(Word Key, TShiftState Shift) {
  return IsNoShift(Shift) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}

HWND TdxBarCustomCombo::DropDownWindowHandle() {
  if (HWND window = TCustomdxBarCombo::DropDownWindowHandle()) return window;
  // The list has a window only while it drops from a bar window.
  if (!listBox_->Parent()) return listBox_->HandleAllocated() ? listBox_->Handle() : nullptr;
  return listBox_->Handle();
}

void TdxBarCustomCombo::PrepareDropDownWindow() {
  ApplyEditLookToWindow(listBox_);
  listBox_->Canvas()->Font()->Assign(listBox_->Font());
  listBox_->Items()->Assign(items_.get());
  // The list's window has left its parent, which would have measured the entries: each entry gets
  // its height directly.
  HWND list = listBox_->Handle();
  for (int i = 0; i < items_->Count(); ++i) SendMessageW(list, LB_SETITEMHEIGHT, WPARAM(i), LPARAM(ListItemHeight(i)));
  const int width = DropDownWindowWidth();
  int height = 4;
  const int shown = std::min(items_->Count(), DropDownCount);
  for (int i = 0; i < shown; ++i) height += ListItemHeight(i);
  SetWindowPos(listBox_->Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarCustomCombo::DropDown(int X, int Y) {
  TCustomdxBarComboControl* control = ActiveComboControl();
  TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
  listBox_->SetParentBarControl(bar);
  // The list's own window stays a top-level window (it leaves its parent when it is made).
  if (bar && bar->HandleAllocated()) listBox_->SetParent(bar);
  TCustomdxBarCombo::DropDown(X, Y);
  SyncListWithEditor();
}

void TdxBarCustomCombo::CloseUp() {
  TCustomdxBarCombo::CloseUp();
  listBox_->SetParent(nullptr);
  listBox_->SetParentBarControl(nullptr);
}

void TdxBarCustomCombo::AfterDropDown() {
  if (Bound().GetKeyState(VK_LBUTTON) < 0) {
    SetCapture(listBox_->Handle());
    listBox_->CapturedOnDropDown = true;
  } else {
    listBox_->CapturedOnDropDown = false;
  }
}

void TdxBarCustomCombo::DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, R, State);
    return;
  }
  TcxCanvas* canvas = ListCanvas();
  if (!Painter || !canvas) return;
  // A control without an entry shows its stored text.
  const bool valid = Index >= 0 && Index < items_->Count();
  const String text = valid ? items_->Strings(Index) : InteriorIsDrawing ? GetText() : String();
  RealizeCanvas(canvas->Canvas(), R);
  HDC dc = canvas->DCHandle();
  SetTextColor(dc, ColorToRGB(canvas->CurrentFont()->Color()));
  const int mode = SetBkMode(dc, TRANSPARENT);
  Painter->DrawComboListEntry(dc, R, text, 0);
  SetBkMode(dc, mode);
  // The list window draws the focus rectangle of its focused entry itself.
}

TcxCanvas* TdxBarCustomCombo::ListCanvas() { return DrawCanvas ? DrawCanvas : listCanvas_.get(); }

int TdxBarCustomCombo::DropDownWindowWidth() {
  if (DropDownWidth > 0) return DropDownWidth;
  const bool scrolls = items_->Count() > DropDownCount;
  const int scrollBar = scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  int width = 0;
  if (TCustomdxBarComboControl* control = ActiveComboControl()) {
    TRect edit;
    control->EditRect(edit);
    width = edit.Width() - 4;
  }
  width -= scrollBar;
  for (int i = 0; i < items_->Count(); ++i) {
    int w = 0;
    ListItemWidth(i, w);
    width = std::max(width, w);
  }
  return width + 4 + scrollBar;
}

int TdxBarCustomCombo::ListItemHeight(int Index) {
  int height = 0;
  MeasureListItem(Index, height);
  return height;
}

void TdxBarCustomCombo::MeasureListItem(int Index, int& Height) {
  if (ItemHeight > 0) {
    Height = ItemHeight;
  } else {
    TcxCanvas* canvas = ListCanvas();
    Height = canvas ? canvas->TextPixelHeight(L"Qq") : 0;
  }
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TdxBarCustomCombo::ListItemWidth(int Index, int& Width) {
  TcxCanvas* canvas = ListCanvas();
  Width = (canvas ? canvas->TextPixelWidth(items_->Strings(Index)) : 0) + 2;
}

void TdxBarCustomCombo::DrawInterior(TdxBarEditControl* Control, TcxCanvas* Canvas, TdxBarItemLink* Link,
                                     const TRect& R) {
  TcxCanvas* savedCanvas = DrawCanvas;
  const bool savedDrawing = InteriorIsDrawing;
  DrawCanvas = Canvas;
  InteriorIsDrawing = true;
  auto* combo = dynamic_cast<TdxBarComboControl*>(Control);
  const int index = combo && Link == EditingLink() ? combo->LocalItemIndex() : itemIndex_;
  try {
    DrawListItem(Control->Painter(), index, TOwnerDrawState{}, R);
  } catch (...) {
    DrawCanvas = savedCanvas;
    InteriorIsDrawing = savedDrawing;
    throw;
  }
  DrawCanvas = savedCanvas;
  InteriorIsDrawing = savedDrawing;
}

void TdxBarCustomCombo::SyncListWithEditor() {
  TdxBarItemLink* link = ActiveLink();
  auto* control = link ? dynamic_cast<TdxBarComboControl*>(link->ItemControl()) : nullptr;
  if (!control) return;
  const String text = control->GetEditorText();
  int index = control->LocalItemIndex();
  if (index < 0 || index >= items_->Count() || items_->Strings(index) != text) index = FindByPrefix(text);
  control->localItemIndex_ = index;
  if (!control->DroppedDown() || !listBox_->HandleAllocated()) return;
  if (index >= 0 && SameText(items_->Strings(index), text)) {
    listBox_->SetItemIndex(index);
  } else {
    listBox_->SetItemIndex(-1);
    if (index >= 0) listBox_->SetTopIndex(index);
  }
}

int TdxBarCustomCombo::FindByPrefix(const String& Text) const {
  const String typed = AnsiUpperCase(Text);
  if (typed.empty()) return -1;
  int best = -1;
  size_t matched = 0;
  for (int i = 0; i < items_->Count(); ++i) {
    const String entry = AnsiUpperCase(items_->Strings(i));
    if (matched > 0 && (entry.size() < matched || entry.compare(0, matched, typed, 0, matched) != 0)) continue;
    size_t k = matched;
    while (k < entry.size() && k < typed.size() && entry[k] == typed[k]) ++k;
    if (k == typed.size()) return i;
    if (k > matched) {
      matched = k;
      best = i;
    }
  }
  return best;
}

// ---- the window control -------------------------------------------------------------------------

void TdxBarWinControl::BeforeDestruction() {
  UnhookEditWindow(true);
  TdxBarItemControl::BeforeDestruction();
}

TdxBarWindowItem* TdxBarWinControl::WindowItem() const { return dynamic_cast<TdxBarWindowItem*>(LinkedItem()); }

TRect TdxBarWinControl::EditorRect() const {
  TdxBarWindowItem* item = WindowItem();
  if (!IsEnabledConst() || (item && item->EmptyWindow)) return TRect{};
  return editorBounds_;
}

void TdxBarWinControl::SetEditorBounds(const TRect& R) {
  editorBounds_ = R;
  HWND editor = EditorWindow();
  TCustomdxBarControl* bar = BarControl();
  if (!editor || !IsWindowVisible(editor) || !bar || !bar->HandleAllocated()) return;
  const TRect target = EditorRect();
  if (WindowRectIn(editor, bar->Handle()) == target) return;
  SetWindowPos(editor, nullptr, target.left, target.top, target.Width(), target.Height(),
               SWP_NOACTIVATE | SWP_NOZORDER);
  ApplyEditorLook();
}

bool TdxBarWinControl::EditorVisible() const {
  HWND editor = EditorWindow();
  return editor && IsWindowVisible(editor);
}

TPoint TdxBarWinControl::EditorToBar(LPARAM LParam) const {
  POINT p{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
  if (BarControl() && BarControl()->HandleAllocated()) MapWindowPoints(EditorWindow(), BarControl()->Handle(), &p, 1);
  return TPoint{p.x, p.y};
}

bool TdxBarWinControl::AllowsCloseFor(TdxBarManager* Manager) {
  if (!TdxBarItemControl::AllowsCloseFor(Manager)) return false;
  TdxBarManager* own = LinkedBarManager();
  if (Manager == own) return true;
  auto* form = Manager ? dynamic_cast<TCustomForm*>(Manager->NearestOwnerForm()) : nullptr;
  auto* ownForm = own ? dynamic_cast<TCustomForm*>(own->NearestOwnerForm()) : nullptr;
  return form && ownForm && form->FormStyle() == fsMDIChild && ownForm->FormStyle() == fsMDIForm && !settingText_;
}

bool TdxBarWinControl::CanSelect() const {
  TdxBarItem* item = LinkedItem();
  return TdxBarItemControl::CanSelect() && (!item || item->CanSelect);
}

void TdxBarWinControl::Deactivate(bool Immediately) {
  TAliveCheck self(this);
  TdxBarItemControl::Deactivate(Immediately);
  if (self.Alive()) SetFocused(false);
}

void TdxBarWinControl::BeforeClick(bool ByMouse, Word) {
  TAliveCheck self(this);
  SetFocused(true);
  if (self.Alive()) ClickEditor(ByMouse);
}

void TdxBarWinControl::SelectByKeyboard(bool Flag) {
  if (Flag && focused_) {
    ClickEditor(true);
    return;
  }
  TdxBarItemControl::SelectByKeyboard(Flag);
}

void TdxBarWinControl::EnabledChanged() {
  TAliveCheck self(this);
  SetFocused(false);
  if (self.Alive()) TdxBarItemControl::EnabledChanged();
}

bool TdxBarWinControl::OwnsWindow(HWND Window) const {
  HWND editor = EditorWindow();
  return TdxBarItemControl::OwnsWindow(Window) || (editor && (Window == editor || IsChild(editor, Window)));
}

void TdxBarWinControl::BarWindowHandleGone() { UnhookEditWindow(true); }

void TdxBarWinControl::AttachEditor(HWND Window) {
  subclass_.Attach(Window, TWndMethod(this, &TdxBarWinControl::EditorMessage));
}

void TdxBarWinControl::HookEditWindow() {}

void TdxBarWinControl::UnhookEditWindow(bool Destroy) {
  TAliveCheck self(this);
  SetFocused(false);
  if (!self.Alive()) return;
  HWND editor = subclass_.Window();
  subclass_.Detach();
  if (Destroy && editor && IsWindow(editor)) DestroyWindow(editor);
}

void TdxBarWinControl::ClickEditor(bool ByMouse) {
  HWND editor = EditorWindow();
  if (!ByMouse || !editor || !IsWindowVisible(editor)) return;
  POINT p{};
  GetCursorPos(&p);
  RECT r{};
  GetWindowRect(editor, &r);
  if (PtInRect(&r, p)) return;
  ScreenToClient(editor, &p);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

String TdxBarWinControl::GetEditorText() const {
  HWND editor = EditorWindow();
  if (!editor) return String();
  // The whole text: an item without a length limit keeps every character.
  const int length = int(SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0));
  String text(size_t(length) + 1, L'\0');
  const int copied = int(SendMessageW(editor, WM_GETTEXT, WPARAM(length + 1), LPARAM(text.data())));
  text.resize(size_t(std::clamp(copied, 0, length)));
  return text;
}

void TdxBarWinControl::LoadTextFromItem() {
  if (TdxBarWindowItem* item = WindowItem()) SetEditorText(item->GetText());
}

void TdxBarWinControl::SetEditorText(const String& Text) {
  if (HWND editor = EditorWindow()) SetWindowTextW(editor, Text.c_str());
  if (TdxBarWindowItem* item = WindowItem(); item && item->EmptyWindow) Repaint();
}

void TdxBarWinControl::ShowEditor() {
  TCustomdxBarControl* bar = BarControl();
  bufferedPaint_ = bar && bar->ItemNeedsGlassBuffer(this);
}

void TdxBarWinControl::StoreTextToItem() {
  if (TdxBarWindowItem* item = WindowItem()) item->SetText(GetEditorText());
}

void TdxBarWinControl::RestoreFocus() {
  TdxBarManager* manager = LinkedBarManager();
  if (previousFocus_ && IsWindow(previousFocus_) && IsWindowVisible(previousFocus_)) {
    ::SetFocus(previousFocus_);
    return;
  }
  auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
  if (owner && owner->HandleAllocated() && IsWindowEnabled(owner->Handle()) && IsWindowVisible(owner->Handle())) {
    ::SetFocus(owner->Handle());
  } else if (BarControl() && BarControl()->HandleAllocated()) {
    ::SetFocus(GetWindow(BarControl()->Handle(), GW_HWNDNEXT));
  }
}

bool TdxBarWinControl::KeepsFocusAfterEdit() {
  TCustomdxBarControl* bar = BarControl();
  return bar && (bar->FeatureFlags() & bfNoFocusReturnAfterEdit);
}

void TdxBarWinControl::SetFocused(bool Value) {
  if (Value == focused_) return;
  TAliveCheck self(this);
  if (Value) {
    previousFocus_ = GetFocus();
    focused_ = true;
    if (!Active()) Activate(true);
    if (!self.Alive()) return;
    if (TCustomdxBarControl* bar = BarControl()) bar->SelectionChanged(this);
    if (self.Alive()) ShowEditor();
    return;
  }
  focused_ = false;
  TdxBarManager* manager = LinkedBarManager();
  const bool escaping =
      escaping_ || (Bound().GetKeyState(VK_ESCAPE) < 0 && Bound().GetKeyState(VK_CONTROL) >= 0 &&
                    Bound().GetKeyState(VK_MENU) >= 0);
  HWND editor = EditorWindow();
  // The focus goes back only from the editor itself: a focus the user moved elsewhere stays there.
  const bool hadFocus = editor && GetFocus() == editor;
  HideEditor(manager && manager->AlwaysSaveText && !escaping);
  if (!self.Alive()) return;
  if (hadFocus && !KeepsFocusAfterEdit()) RestoreFocus();
  previousFocus_ = nullptr;
}

// ---- keys ----

bool TdxBarWinControl::StartMenuNavigation(Word Key, bool KeyUp) {
  TCustomdxBarControl* bar = BarControl();
  if (bar && IsLiveBarControl(bar)) bar->GuardedClose();
  return BarKeyboardDirectCall(Key, KeyUp ? LPARAM(0xC0000000) : 0) == 1;
}

void TdxBarWinControl::SysKeyDown(Word& Key, TShiftState Shift) {
  ++AltKeyCount;
  if (Key == VK_MENU) {
    Key = 0;
  } else if (Key == VK_F10) {
    AltKeyCount = 0;
    const bool shift = Shift.Contains(ssShift);
    TCustomdxBarControl* bar = BarControl();
    if (bar && IsLiveBarControl(bar)) bar->GuardedClose();
    if (!shift && BarKeyboardDirectCall(VK_F10, 0) == 1) Key = 0;
  }
}

void TdxBarWinControl::SysKeyUp(Word& Key) {
  if (AltKeyCount <= 0) {
    Key = 0;
    return;
  }
  AltKeyCount = 0;
  if (Key != VK_MENU) return;
  if (StartMenuNavigation(Key, true)) Key = 0;
}

void TdxBarWinControl::EditKeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_F10 || Key == VK_MENU || Shift.Contains(ssAlt)) {
    SysKeyDown(Key, Shift);
    return;
  }
  TAliveCheck self(this);
  if (TdxBarWindowItem* item = WindowItem()) item->KeyDown(Key, Shift);
  if (!self.Alive()) {
    Key = 0;
    return;
  }
  TCustomdxBarControl* bar = BarControl();
  HWND editor = EditorWindow();
  switch (Key) {
    case VK_TAB:
      StoreTextToItem();
      if (self.Alive() && EditorVisible()) {
        DropPendingCharMessages(editor);
        TdxBarNavigationController* nav = BarNavigationController();
        if (nav && nav->NavigationMode())
          nav->HandleKey(VK_TAB, nullptr, nullptr);
        else if (bar && IsLiveBarControl(bar) && bar->HandleAllocated())
          SendMessageW(bar->Handle(), WM_KEYDOWN, VK_TAB, 0);
      }
      Key = 0;
      break;
    case VK_RETURN:
      if (TdxBarItemLink* link = Link()) {
        try {
          link->OriginLink()->MarkRecentlyUsed(true);
        } catch (const Exception&) {
          // The use is not counted; the text is stored all the same.
        }
      }
      StoreTextToItem();
      if (self.Alive() && EditorVisible() && bar) {
        bar->SetSelected(nullptr);
        DropPendingCharMessages(editor);
        if (IsLiveBarControl(bar)) bar->GuardedClose();
      }
      Key = 0;
      break;
    case VK_ESCAPE:
      if (bar) {
        escaping_ = true;
        bar->SetSelected(nullptr);
        if (self.Alive()) escaping_ = false;
        DropPendingCharMessages(editor);
        if (IsLiveBarControl(bar) && self.Alive()) bar->ResumeAfterEdit(this);
      }
      Key = 0;
      break;
    default:
      break;
  }
}

void TdxBarWinControl::EditKeyPress(wchar_t& Key) {
  if (TdxBarWindowItem* item = WindowItem()) item->KeyPress(Key);
}

void TdxBarWinControl::EditKeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_MENU || Shift.Contains(ssAlt)) {
    SysKeyUp(Key);
    return;
  }
  if (TdxBarWindowItem* item = WindowItem()) item->KeyUp(Key, Shift);
}

// ---- the editor's messages ----

void TdxBarWinControl::EditorMessage(TMessage& Message) { EditWindowProc(Message); }

void TdxBarWinControl::EditorMouse(TMessage& Message) {
  TCustomdxBarControl* bar = BarControl();
  HWND editor = EditorWindow();
  const TPoint p = EditorToBar(Message.LParam);
  const LPARAM barPoint = MAKELPARAM(p.x, p.y);
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
      if (bar && bar->HandleAllocated()) SendMessageW(bar->Handle(), WM_MOUSEMOVE, Message.WParam, barPoint);
      DefaultEditHandler(Message);
      return;
    case WM_RBUTTONDOWN: {
      TAliveCheck self(this);
      MouseDown(mbRight, MouseKeysToShiftState(Message.WParam), p.x, p.y);
      if (bar && IsLiveBarControl(bar) && bar->HandleAllocated())
        SendMessageW(bar->Handle(), WM_RBUTTONDOWN, Message.WParam, barPoint);
      Message.Result = 0;
      return;
    }
    case WM_RBUTTONUP:
      if (bar && bar->HandleAllocated()) SendMessageW(bar->Handle(), WM_RBUTTONUP, Message.WParam, barPoint);
      Message.Result = 0;
      return;
    default:
      break;
  }
  if ((editor && GetCapture() == editor) || EditorRect().Contains(p) || !BoundsInBar().Contains(p))
    DefaultEditHandler(Message);
  else
    Message.Result = 0;
}

void TdxBarWinControl::EditWindowProc(TMessage& Message) {
  TAliveCheck self(this);
  TdxBarWindowItem* item = WindowItem();
  switch (Message.Msg) {
    case WM_SETFOCUS:
      DefaultEditHandler(Message);
      if (self.Alive() && item) item->Enter();
      return;
    case WM_KILLFOCUS: {
      HWND to = HWND(Message.WParam);
      HWND editor = EditorWindow();
      FocusLost(to);
      if (!self.Alive()) return;
      TCustomdxBarControl* bar = BarControl();
      DefaultEditHandler(Message);
      if (focused_) {
        if (bar && IsLiveBarControl(bar)) bar->GuardedClose();
        // A window that was not active keeps its selection: the editor closes all the same.
        if (self.Alive() && focused_) SetFocused(false);
        if (!self.Alive()) return;
      } else if (bar && IsInToolbarWindow() && bar->HandleAllocated() && to != bar->Handle() &&
                 !IsChild(bar->Handle(), to)) {
        DropPendingCharMessages(editor);
        if (IsLiveBarControl(bar)) bar->GuardedClose();
      }
      if (item) item->Exit();
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      Word key = Word(Message.WParam);
      const TShiftState shift = KeyDataToShiftState(Message.LParam);
      if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
        EditKeyDown(key, shift);
      else
        EditKeyUp(key, shift);
      if (!self.Alive() || key == 0) {
        Message.Result = 0;
        return;
      }
      Message.WParam = key;
      DefaultEditHandler(Message);
      return;
    }
    case WM_CHAR: {
      wchar_t c = wchar_t(Message.WParam);
      EditKeyPress(c);
      if (!self.Alive() || c == 0) {
        Message.Result = 0;
        return;
      }
      Message.WParam = c;
      DefaultEditHandler(Message);
      return;
    }
    case WM_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE) {
        if (!settingText_ && item) item->CurChange();
        Message.Result = 0;
        return;
      }
      break;
    case WM_CONTEXTMENU:
      // The editor's own menu never opens: the bar window took the press.
      Message.Result = 0;
      return;
    default:
      if ((Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK)) {
        EditorMouse(Message);
        return;
      }
      break;
  }
  DefaultEditHandler(Message);
}

// ---- the edit control with caption, icon and edit area --------------------------------------------

TdxBarCustomEditControl::~TdxBarCustomEditControl() { DeleteAndClearGDIObject(backgroundBrush_); }

TdxBarEdit* TdxBarCustomEditControl::EditItem() const { return dynamic_cast<TdxBarEdit*>(LinkedItem()); }

TFont* TdxBarCustomEditControl::EditFont() const {
  if (auto* edit = dynamic_cast<TdxCustomBarEdit*>(LinkedItem())) {
    if (TFont* font = edit->StyleEditViewParams().Font) return font;
  }
  if (TdxBarManager* manager = LinkedBarManager()) return manager->EditFont();
  return BarControl() ? BarControl()->Font() : nullptr;
}

HBRUSH TdxBarCustomEditControl::BackgroundBrushInBar() const {
  TCustomdxBarControl* bar = BarControl();
  if (!bar) return nullptr;
  if (PaintType() == 1 && IsDrawnSelected()) return bar->HighlightBrush();
  return bar->BackgroundBrush();
}

void TdxBarCustomEditControl::PrepareColors() {
  TdxBarWinControl::PrepareColors();
  TCustomdxBarControl* bar = BarControl();
  TdxBarPainter* painter = Painter();
  auto* edit = dynamic_cast<TdxCustomBarEdit*>(LinkedItem());
  TFont* styleFont = edit ? edit->StyleEditViewParams().Font : nullptr;
  // 0 follows the bar window's edit height, which its metrics may still change.
  EditTextSize = 0;
  if (bar && styleFont && painter) {
    TcxScreenCanvas canvas;
    canvas.CurrentFont()->Assign(styleFont);
    EditTextSize = painter->EditHeightFor(bar, canvas.TextPixelHeight(L"0"));
  }
}

void TdxBarCustomEditControl::CalcDrawParams(bool Full) {
  TdxBarWinControl::CalcDrawParams(Full);
  if (!Full) return;
  TdxBarEditLikeControlDrawParams* p = EditDrawParams();
  p->ExtraState = ExtraStateQuery();
  p->Focused = Focused();
}

void TdxBarCustomEditControl::CalcPartBounds() {
  TdxBarWinControl::CalcPartBounds();
  TdxBarPainter* painter = Painter();
  TCustomdxBarControl* bar = BarControl();
  if (!painter || !bar) return;
  TdxBarEditLayoutInput in;
  in.Bounds = BoundsInBar();
  in.ShowsCaption = DrawParams()->ContentParts.Contains(cpText);
  in.InMenu = PaintType() == 1;
  in.CaptionTextWidth = in.InMenu ? TextAreaWidth() : CaptionWidth();
  in.IconAreaWidth = IconAreaWidth();
  in.ComboButtonWidth = bar->ComboArrowWidth();
  in.PaintType = PaintType();
  std::vector<TRect>& parts = PartBoundsRef();
  CalcPainterParts(in, parts);
  parts.resize(size_t(PartCount()), TRect{});
  SetEditorBounds(parts.size() > 2 ? parts[2] : TRect{});
}

void TdxBarCustomEditControl::CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  Painter()->CalcEditPartBounds(In, Parts);
}

bool TdxBarCustomEditControl::IsDrawnSelected() const {
  TCustomdxBarControl* bar = BarControl();
  return TdxBarWinControl::IsDrawnSelected() && !(bar && bar->IsCustomizing());
}

bool TdxBarCustomEditControl::ShowsCaption() const {
  TCustomdxBarControl* bar = BarControl();
  TdxBarItem* item = LinkedItem();
  return (bar && bar->BarKind() == 2) || (item && item->ShowCaption());
}

TdxBarContentParts TdxBarCustomEditControl::ContentPartsByPaintStyle() const {
  TdxBarContentParts parts;
  if (ShowsCaption()) parts.Include(cpText);
  TdxBarPainter* painter = Painter();
  TBitmap* glyph = Glyph();
  if (painter && glyph && !glyph->Empty() && painter->EditShowsIcon(const_cast<TdxBarCustomEditControl*>(this)))
    parts.Include(cpIcon);
  return parts;
}

TdxBarItemViewLevels TdxBarCustomEditControl::GetPossibleViewLevels() const {
  TdxBarItemViewLevels levels = TdxBarWinControl::GetPossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

void TdxBarCustomEditControl::TextOffsets(int, TRect& R) {
  R = TRect{};
  if (TdxBarPainter* painter = Painter()) R = painter->EditPartMargins(DrawParams(), CaptionWidth(), 0);
}

int TdxBarCustomEditControl::TextAreaWidth() {
  if (!DrawParams()->ContentParts.Contains(cpText)) return 0;
  TRect offsets;
  TextOffsets(0, offsets);
  return CaptionWidth() + offsets.left + offsets.right;
}

int TdxBarCustomEditControl::ExtraWidth() {
  TdxBarItemLink* link = Link();
  return link ? link->Width() : 0;
}

int TdxBarCustomEditControl::IconAreaWidth() {
  if (!DrawParams()->ContentParts.Contains(cpIcon)) return 0;
  if (PaintType() == 1) return TdxBarWinControl::IconAreaWidth();
  TdxBarPainter* painter = Painter();
  const TRect m = painter ? painter->EditCaptionMargins() : TRect{};
  return GlyphSize(bvsSmall).cx + m.left + m.right;
}

int TdxBarCustomEditControl::Height() {
  TCustomdxBarControl* bar = BarControl();
  int height = EditTextSize > 0 ? EditTextSize : bar ? bar->EditTextSize() : 0;
  if (ShowsCaption() && bar) height = std::max(height, bar->TextSizeFor(this));
  return height;
}

int TdxBarCustomEditControl::MinWidth() { return TextAreaWidth() + MinEditWidth(); }

int TdxBarCustomEditControl::CaptionPartWidth() { return IconAreaWidth() + TextAreaWidth(); }

bool TdxBarCustomEditControl::IsFocusable() const {
  const bool base = TdxBarWinControl::IsFocusable();
  TCustomdxBarControl* bar = BarControl();
  if (!bar || bar->IsCustomizing() || bar->BarKind() == 2) return base;
  // On a toolbar the caption and the icon do not start editing.
  return base && HotPart() >= 2;
}

void TdxBarCustomEditControl::EditRect(TRect& R) {
  R = BoundsInBar();
  if (R.IsEmpty()) return;
  R.left = std::min<int>(R.right, R.left + TextAreaWidth() + IconAreaWidth());
}

void TdxBarCustomEditControl::EditColorsNow(TColor& TextColor, TColor& BackgroundColor) {
  TextColor = clWindowText;
  BackgroundColor = clWindow;
  if (TdxBarPainter* painter = Painter()) painter->EditColors(this, TextColor, BackgroundColor);
  auto* edit = dynamic_cast<TdxCustomBarEdit*>(LinkedItem());
  if (!edit || !IsEnabledConst()) return;
  const TcxViewParamSet styled = edit->StyleEditViewParams();
  if (styled.Color != clDefault) BackgroundColor = styled.Color;
  if (styled.TextColor != clDefault) TextColor = styled.TextColor;
}

HBRUSH TdxBarCustomEditControl::EditBackgroundBrush() {
  TColor text = clWindowText, color = clWindow;
  EditColorsNow(text, color);
  if (!backgroundBrush_ || color != backgroundColor_) {
    DeleteAndClearGDIObject(backgroundBrush_);
    backgroundBrush_ = CreateSolidBrush(ColorToRGB(color));
    backgroundColor_ = color;
  }
  return backgroundBrush_;
}

void TdxBarCustomEditControl::DrawContent(const TRect& R, int) {
  TdxBarPainter* painter = Painter();
  if (!painter) return;
  painter->DrawEditControl(DrawParams(), R, PartBounds());
  DrawEditBorder();
  DrawInterior();
}

void TdxBarCustomEditControl::DrawEditBorder() {
  TdxBarPainter* painter = Painter();
  TcxCanvas* canvas = PaintCanvas();
  if (!painter || !canvas) return;
  TRect frame;
  if (!EditDrawParams()->ExtraState || PaintType() == 1)
    EditRect(frame);
  else
    frame = BoundsInBar();
  AdjustEditorFrame(frame);
  const TRect outer = frame;
  HDC dc = canvas->DCHandle();
  painter->DrawEditBorder(DrawParams(), dc, frame);
  // The rings drawn stay: later drawing keeps inside them.
  ExcludeClipRect(dc, outer.left, outer.top, outer.right, frame.top);
  ExcludeClipRect(dc, outer.left, frame.bottom, outer.right, outer.bottom);
  ExcludeClipRect(dc, outer.left, frame.top, frame.left, frame.bottom);
  ExcludeClipRect(dc, frame.right, frame.top, outer.right, frame.bottom);
}

// ---- customizing resize ----

bool TdxBarCustomEditControl::IsSizingPoint(const TPoint& P) const {
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->IsCustomizing()) return false;
  const TRect r = BoundsInBar();
  if (!r.Contains(P)) return false;
  return P.x < r.left + SizingStrip || P.x >= r.right - SizingStrip;
}

void TdxBarCustomEditControl::DrawSizingFrame(int Width) {
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->HandleAllocated()) return;
  TRect r = BoundsInBar();
  if (RightBorderSizing)
    r.right = r.left + Width;
  else
    r.left = r.right - Width;
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(bar->Handle(), nullptr, corners, 2);
  HDC dc = GetDC(nullptr);
  const int w = corners[1].x - corners[0].x, h = corners[1].y - corners[0].y;
  PatBlt(dc, corners[0].x, corners[0].y, w, 2, DSTINVERT);
  PatBlt(dc, corners[0].x, corners[1].y - 2, w, 2, DSTINVERT);
  PatBlt(dc, corners[0].x, corners[0].y + 2, 2, h - 4, DSTINVERT);
  PatBlt(dc, corners[1].x - 2, corners[0].y + 2, 2, h - 4, DSTINVERT);
  ReleaseDC(nullptr, dc);
}

void TdxBarCustomEditControl::BeginSizing(const TPoint& P) {
  const TRect r = BoundsInBar();
  RightBorderSizing = P.x >= r.right - SizingStrip;
  SizingEditWidth = r.Width();
  sizing_ = true;
  Repaint();
  if (BarControl() && BarControl()->HandleAllocated()) UpdateWindow(BarControl()->Handle());
  DrawSizingFrame(SizingEditWidth);
}

void TdxBarCustomEditControl::Sizing(const TPoint& P) {
  if (!sizing_) return;
  const TRect r = BoundsInBar();
  int width = RightBorderSizing ? P.x - r.left : r.right - P.x;
  width = std::max(width, MinWidth());
  if (width == SizingEditWidth) return;
  DrawSizingFrame(SizingEditWidth);
  SizingEditWidth = width;
  DrawSizingFrame(SizingEditWidth);
}

void TdxBarCustomEditControl::EndSizing(bool Accept) {
  if (!sizing_) return;
  DrawSizingFrame(SizingEditWidth);
  sizing_ = false;
  TdxBarItemLink* link = Link();
  const int editWidth = SizingEditWidth - CaptionPartWidth();
  if (Accept && link && editWidth != link->Width())
    link->SetUserWidth(editWidth);
  else
    Repaint();
}

// ---- the plain edit control ---------------------------------------------------------------------

void TdxBarEditControl::AfterConstruction() {
  TdxBarCustomEditControl::AfterConstruction();
  HookEditWindow();
}

void TdxBarEditControl::HookEditWindow() {
  if (handle_) return;
  TCustomdxBarControl* bar = BarControl();
  TdxBarPainter* painter = Painter();
  // Made with the bar window's handle; a window without one yet gets the editor when it opens.
  if (!bar || !painter || !bar->HandleAllocated() || bar->IsDestroying()) return;
  handle_ = CreateWindowExW(0, L"EDIT", L"", DWORD(painter->EditWindowStyle()) | WS_CHILD, 0, 0, 0, 0, bar->Handle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) return;
  AttachEditor(handle_);
  SetSettingText(true);
  LoadTextFromItem();
  SetSettingText(false);
  const int limit = EditItem() ? EditItem()->MaxLength() : 0;
  SendMessageW(handle_, EM_LIMITTEXT, WPARAM(limit), 0);
}

void TdxBarEditControl::UnhookEditWindow(bool Destroy) {
  TAliveCheck self(this);
  TdxBarCustomEditControl::UnhookEditWindow(Destroy);
  if (self.Alive()) handle_ = nullptr;
}

void TdxBarEditControl::BeforeClick(bool ByMouse, Word Key) {
  TAliveCheck self(this);
  TdxBarCustomEditControl::BeforeClick(ByMouse, Key);
  if (self.Alive() && Focused() && handle_) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

TRect TdxBarEditControl::TextAreaRect() const {
  if (DrawsStaticText() || PartBounds().size() < 3) return TRect{};
  return PartBounds()[2];
}

bool TdxBarEditControl::DrawsStaticText() const { return !Focused() || !IsEnabledConst(); }

void TdxBarEditControl::HideEditor(bool StoreText) {
  if (handle_) ShowWindow(handle_, SW_HIDE);
  if (StoreText) StoreTextToItem();
}

void TdxBarEditControl::ApplyEditorLook() {
  if (TdxBarPainter* painter = Painter(); painter && handle_) painter->SetEditRect(handle_, EditorRect());
}

void TdxBarEditControl::SetFocused(bool Value) {
  if (Value) HookEditWindow();
  if (Value && handle_) {
    TdxBarEdit* item = EditItem();
    const bool readOnly = item && (item->ReadOnly() || item->EmptyWindow);
    SendMessageW(handle_, EM_SETREADONLY, readOnly, 0);
  }
  TAliveCheck self(this);
  TdxBarCustomEditControl::SetFocused(Value);
  if (self.Alive()) Repaint();
}

void TdxBarEditControl::SetEditorText(const String& Text) {
  if (!handle_) return;
  const String previous = GetEditorText();
  SetWindowTextW(handle_, Text.c_str());
  if (TdxBarPainter* painter = Painter()) painter->SelectAllEditText(handle_, previous != Text);
  if (TdxBarWindowItem* item = WindowItem(); item && item->EmptyWindow) Repaint();
}

void TdxBarEditControl::ShowEditor() {
  TdxBarCustomEditControl::ShowEditor();
  HookEditWindow();
  if (!handle_) return;
  if (TFont* font = EditFont()) SendMessageW(handle_, WM_SETFONT, WPARAM(font->Handle()), 0);
  const TRect r = EditorRect();
  SetWindowPos(handle_, HWND_TOP, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ApplyEditorLook();
  SetSettingText(true);
  LoadTextFromItem();
  SetSettingText(false);
  ::SetFocus(handle_);
}

void TdxBarEditControl::DrawInterior() {
  if (!DrawsStaticText() || PartBounds().size() < 3) return;
  const TRect part = PartBounds()[2];
  if (IsEnabledConst() && handle_) SetEditorBounds(part);
  TdxBarPainter* painter = Painter();
  TcxCanvas* canvas = PaintCanvas();
  TdxBarEdit* item = EditItem();
  if (!painter || !canvas || !item) return;
  canvas->PushState();
  try {
    if (TFont* font = EditFont()) canvas->CurrentFont()->Assign(font);
    painter->DrawEditContent(DrawParams(), canvas, part);
    TColor text = clWindowText, back = clWindow;
    EditColorsNow(text, back);
    canvas->CurrentFont()->SetColor(text);
    canvas->ApplyBrushColor(back);
    canvas->Canvas()->Brush()->SetStyle(bsSolid);
    RealizeCanvas(canvas->Canvas(), part);
    item->DrawInterior(this, canvas, Link(), part);
  } catch (...) {
    canvas->PopState();
    throw;
  }
  canvas->PopState();
}

void TdxBarEditControl::PaintBuffered(HDC Target) {
  RECT client{};
  GetClientRect(handle_, &client);
  auto begin = Bound().BeginBufferedPaint.Get();
  auto end = Bound().EndBufferedPaint.Get();
  HDC buffer = nullptr;
  HPAINTBUFFER_ paint = begin && end ? begin(Target, &client, 0, nullptr, &buffer) : nullptr;
  HDC dc = paint ? buffer : Target;
  TMessage erase{WM_ERASEBKGND, WPARAM(dc), 0, 0};
  DefaultEditHandler(erase);
  TMessage print{WM_PRINTCLIENT, WPARAM(dc), LPARAM(PRF_CLIENT), 0};
  DefaultEditHandler(print);
  if (!paint) return;
  static TBoundFunction<HRESULT(WINAPI*)(HPAINTBUFFER_, const RECT*, BYTE)> setAlpha{L"uxtheme.dll",
                                                                                   "BufferedPaintSetAlpha"};
  if (auto alpha = setAlpha.Get()) alpha(paint, nullptr, 255);
  HideCaret(handle_);
  end(paint, TRUE);
  ShowCaret(handle_);
}

void TdxBarEditControl::EditWindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: {
      TAliveCheck self(this);
      SetFocused(false);
      if (!self.Alive()) return;
      DefaultEditHandler(Message);
      UnhookEditWindow(false);
      return;
    }
    case WM_PAINT:
      if (BufferedPaint()) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        PaintBuffered(dc);
        EndPaint(handle_, &ps);
        Message.Result = 0;
        return;
      }
      break;
    case WM_DXBAR_EDITREPAINT:
      if (BufferedPaint() && GetUpdateRect(handle_, nullptr, FALSE)) {
        HDC dc = GetDC(handle_);
        PaintBuffered(dc);
        ReleaseDC(handle_, dc);
        ValidateRect(handle_, nullptr);
      }
      Message.Result = 0;
      return;
    default:
      break;
  }
  TdxBarCustomEditControl::EditWindowProc(Message);
}

// ---- combo controls -----------------------------------------------------------------------------

void TCustomdxBarComboControl::BeforeDestruction() {
  SetDroppedDown(false);
  TdxBarEditControl::BeforeDestruction();
}

TCustomdxBarCombo* TCustomdxBarComboControl::ComboItem() const {
  return dynamic_cast<TCustomdxBarCombo*>(LinkedItem());
}

void TCustomdxBarComboControl::EnabledChanged() {
  TAliveCheck self(this);
  SetDroppedDown(false);
  if (self.Alive()) TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::Deactivate(bool Immediately) {
  TAliveCheck self(this);
  SetDroppedDown(false);
  if (self.Alive()) TdxBarEditControl::Deactivate(Immediately);
}

void TCustomdxBarComboControl::CalcDrawParams(bool Full) {
  TdxBarEditControl::CalcDrawParams(Full);
  DrawParams()->DroppedDown = droppedDown_;
}

void TCustomdxBarComboControl::CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  Painter()->CalcComboPartBounds(In, Parts);
}

bool TCustomdxBarComboControl::OwnsWindow(HWND Window) const {
  if (TdxBarEditControl::OwnsWindow(Window)) return true;
  TCustomdxBarCombo* combo = ComboItem();
  HWND dropDown = droppedDown_ && combo ? combo->DropDownWindowHandle() : nullptr;
  return dropDown && (Window == dropDown || IsChild(dropDown, Window));
}

void TCustomdxBarComboControl::AdjustEditorFrame(TRect& R) {
  if (PartBounds().size() < 4) return;
  const int right = PartBounds()[3].right + (Painter() ? Painter()->ComboBorderRect().right : 0);
  R.right = std::max<int>(R.right, right);
}

void TCustomdxBarComboControl::DrawInterior() {
  TdxBarPainter* painter = Painter();
  TcxCanvas* canvas = PaintCanvas();
  if (painter && canvas && PartBounds().size() > 3) {
    TdxBarPaintStates states;
    states.Enabled = IsEnabledConst();
    states.DroppedDown = droppedDown_;
    states.Pressed = droppedDown_;
    states.Selected = IsDrawnSelected();
    painter->DrawComboDropDownButton(this, canvas->DCHandle(), PartBounds()[3], states, PaintType());
  }
  TdxBarEditControl::DrawInterior();
}

bool TCustomdxBarComboControl::DrawsStaticText() const {
  TCustomdxBarCombo* combo = ComboItem();
  return !(IsEnabledConst() && Focused() && combo && combo->ShowEditor());
}

void TCustomdxBarComboControl::SetDroppedDown(bool Value) {
  TCustomdxBarCombo* combo = ComboItem();
  if (Value == droppedDown_ || !combo || (Value && combo->ReadOnly())) return;
  droppedDown_ = Value;
  Repaint();
  if (!Value) {
    combo->CloseUp();
    return;
  }
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->HandleAllocated()) return;
  POINT p{};
  if (bar->BarKind() == 2 || bar->IsVertical()) {
    const TRect r = BoundsInBar();
    p = POINT{r.right, r.top};
  } else {
    TRect edit;
    EditRect(edit);
    p = POINT{edit.left, BoundsInBar().bottom};
  }
  ClientToScreen(bar->Handle(), &p);
  combo->DropDown(p.x, p.y);
}

void TCustomdxBarComboControl::SysKeyDown(Word& Key, TShiftState Shift) {
  const Word key = Key;
  TAliveCheck self(this);
  TdxBarEditControl::SysKeyDown(Key, Shift);
  if (!self.Alive() || (key != VK_UP && key != VK_DOWN)) return;
  SetDroppedDown(!droppedDown_);
  Key = 0;
}

void TCustomdxBarComboControl::SysKeyUp(Word& Key) {
  const Word key = Key;
  TdxBarEditControl::SysKeyUp(Key);
  if (key == VK_UP || key == VK_DOWN) Key = 0;
}

void TCustomdxBarComboControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdxBarEditControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !PressedWhileDroppedDown) return;
  PressedWhileDroppedDown = false;
  if (ButtonPartAt(TPoint{X, Y}) && droppedDown_) SetDroppedDown(false);
}

bool TCustomdxBarComboControl::ButtonPartAt(const TPoint& P) const {
  const int part = HitTestPart(P);
  TCustomdxBarCombo* combo = ComboItem();
  if (combo && combo->ShowEditor()) return part == 3;
  return part == 0 || part == 3;
}

void TCustomdxBarComboControl::EditWindowProc(TMessage& Message) {
  TCustomdxBarCombo* combo = ComboItem();
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_F4) {
    SetDroppedDown(!droppedDown_);
    Message.Result = 0;
    return;
  }
  if (droppedDown_ && combo && IsKeyMessage(Message.Msg) &&
      combo->CheckKeyForDropDownWindow(Word(Message.WParam), KeyDataToShiftState(Message.LParam))) {
    if (HWND dropDown = combo->DropDownWindowHandle()) {
      Message.Result = SendMessageW(dropDown, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  const bool wasOpen = droppedDown_;
  const TPoint p = EditorToBar(Message.LParam);
  TAliveCheck self(this);
  TdxBarEditControl::EditWindowProc(Message);
  if (!self.Alive() || !EditorVisible()) return;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      PressedWhileDroppedDown = wasOpen;
      if (!wasOpen && ButtonPartAt(p)) SetDroppedDown(true);
      break;
    case WM_LBUTTONUP:
      if (PressedWhileDroppedDown && droppedDown_ && ButtonPartAt(p)) SetDroppedDown(false);
      PressedWhileDroppedDown = false;
      break;
    default:
      break;
  }
}

// ---- the combo control over a string list ----------------------------------------------------------

TdxBarCustomCombo* TdxBarComboControl::CustomCombo() const { return dynamic_cast<TdxBarCustomCombo*>(LinkedItem()); }

void TdxBarComboControl::SetLocalItemIndex(int Value) {
  localItemIndex_ = Value;
  LoadTextFromItem();
  if (TdxBarWindowItem* item = WindowItem(); item && item->EmptyWindow) Repaint();
}

void TdxBarComboControl::LoadTextFromItem() {
  TdxBarCustomCombo* combo = CustomCombo();
  if (combo && localItemIndex_ >= 0 && localItemIndex_ < combo->Items()->Count())
    SetEditorText(combo->Items()->Strings(localItemIndex_));
  else
    TCustomdxBarComboControl::LoadTextFromItem();
}

void TdxBarComboControl::SetFocused(bool Value) {
  if (Value && !Focused()) {
    const bool saved = SettingText();
    SetSettingText(true);
    if (TdxBarCustomCombo* combo = CustomCombo()) SetLocalItemIndex(combo->ItemIndex());
    SetSettingText(saved);
  }
  TCustomdxBarComboControl::SetFocused(Value);
}

bool TdxBarComboControl::BrowseByKey(Word Key) {
  TdxBarCustomCombo* combo = CustomCombo();
  if (!combo) return false;
  if (Key == VK_UP) {
    if (localItemIndex_ > 0) SetLocalItemIndex(localItemIndex_ - 1);
    return true;
  }
  if (Key == VK_DOWN) {
    if (localItemIndex_ < combo->Items()->Count() - 1) SetLocalItemIndex(localItemIndex_ + 1);
    return true;
  }
  return false;
}

void TdxBarComboControl::EditWindowProc(TMessage& Message) {
  TdxBarCustomCombo* combo = CustomCombo();
  if (combo && !combo->ReadOnly()) {
    if (Message.Msg == WM_KEYDOWN) {
      const Word key = Word(Message.WParam);
      const TShiftState shift = KeyDataToShiftState(Message.LParam);
      if (key != VK_RETURN && key != VK_TAB && IsNoShift(shift) && !DroppedDown() && BrowseByKey(key)) {
        Message.Result = 0;
        return;
      }
      if ((key == VK_RETURN || key == VK_TAB) && localItemIndex_ >= 0 && localItemIndex_ < combo->Items()->Count() &&
          combo->Items()->Strings(localItemIndex_) == GetEditorText()) {
        TAliveCheck self(this);
        combo->SetItemIndex(localItemIndex_);
        if (!self.Alive() || !EditorVisible()) return;
      }
    } else if (Message.Msg == WM_MOUSEWHEEL) {
      const bool down = short(HIWORD(Message.WParam)) < 0;
      HWND list = DroppedDown() ? combo->DropDownWindowHandle() : nullptr;
      if (list)
        SendMessageW(list, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
      else
        BrowseByKey(down ? VK_DOWN : VK_UP);
      Message.Result = 0;
      return;
    }
  }
  TCustomdxBarComboControl::EditWindowProc(Message);
}
