#include "platform/framework/controls/StdCtrls.h"

#include <algorithm>

#include "platform/framework/controls/ActnLinks.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TCustomLabel)
DEFINE_CLASS(TLabel)
DEFINE_CLASS(TCustomEdit)
DEFINE_CLASS(TEdit)
DEFINE_CLASS(TMemoStrings)
DEFINE_CLASS(TCustomMemo)
DEFINE_CLASS(TMemo)
DEFINE_CLASS(TButtonControl)
DEFINE_CLASS(TButton)
DEFINE_CLASS(TCustomCheckBox)
DEFINE_CLASS(TCheckBox)
DEFINE_CLASS(TRadioButton)
DEFINE_CLASS(TItemStrings)
DEFINE_CLASS(TCustomComboBox)
DEFINE_CLASS(TComboBox)
DEFINE_CLASS(TCustomListBox)
DEFINE_CLASS(TListBox)
DEFINE_CLASS(TCustomGroupBox)
DEFINE_CLASS(TGroupBox)
DEFINE_CLASS(TScrollBar)

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

LRESULT Send(TWinControl* control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(control->Handle(), msg, wParam, lParam);
}

// Answers WM_CTLCOLOR*: the control's font colour on its own background.
LRESULT ColorAnswer(TControl* control, TColorBrush& brush, WPARAM dc) {
  HDC hdc = reinterpret_cast<HDC>(dc);
  SetTextColor(hdc, Rgb(control->Font()->Color()));
  SetBkColor(hdc, Rgb(control->Color()));
  return reinterpret_cast<LRESULT>(brush.Get(control->Color()));
}

// The line height of a font, measured without any window.
int FontLineHeight(TFont* font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font->Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

}  // namespace

TColorBrush::~TColorBrush() {
  if (brush_) DeleteObject(brush_);
}

HBRUSH TColorBrush::Get(TColor Color) {
  if (!brush_ || color_ != Color) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(Rgb(Color));
    color_ = Color;
  }
  return brush_;
}

// ---- TCustomLabel --------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks};
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
  SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (layout_ == Value) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (transparent_ == Value) return;
  transparent_ = Value;
  if (Value) ControlStyle.Exclude(csOpaque);
  else ControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (showAccelChar_ == Value) return;
  showAccelChar_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::SetAutoSize(bool Value) {
  TGraphicControl::SetAutoSize(Value);
  AdjustBounds();
}

String TCustomLabel::GetLabelText() { return Caption(); }

UINT TCustomLabel::DrawTextFlags() const {
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = DT_EXPANDTABS | kAlign[alignment_];
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  String text = GetLabelText();
  // An empty caption still measures one line high.
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&"))) text += L' ';
  HDC dc = (Flags & DT_CALCRECT) ? GetDC(nullptr) : Canvas()->Handle();
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT r = Rect;
  if (Enabled() || (Flags & DT_CALCRECT)) {
    SetTextColor(dc, Rgb(Font()->Color()));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  } else {
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, Rgb(clBtnHighlight));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, Flags);
    SetTextColor(dc, Rgb(clBtnShadow));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  if (Flags & DT_CALCRECT) {
    ReleaseDC(nullptr, dc);
    Rect = r;
  }
}

void TCustomLabel::Paint() {
  const TRect client = ClientRect();
  if (!transparent_) {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(client);
  }
  TRect text = client;
  const UINT flags = DrawTextFlags();
  if (layout_ != tlTop) {
    TRect measured = client;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int spare = client.Height() - measured.Height();
    text.top += layout_ == tlBottom ? spare : spare / 2;
  }
  DoDrawText(text, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!AutoSize() || ComponentState().Contains(csLoading)) return;
  TRect r(0, 0, wordWrap_ ? Width() : 0, 0);
  DoDrawText(r, (DrawTextFlags() & ~UINT(DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Width();
  else if (alignment_ == taCenter) left += (Width() - r.Width()) / 2;
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(static_cast<Word>(Message.WParam), Caption()) &&
      focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    Message.Result = 1;
  }
}

// ---- TCustomEdit ---------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"EDIT";
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (readOnly_) Params.Style |= ES_READONLY;
  if (numbersOnly_) Params.Style |= ES_NUMBER;
  if (passwordChar_) Params.Style |= ES_PASSWORD;
}

void TCustomEdit::InitializeHandle() {
  Send(this, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  if (passwordChar_) Send(this, EM_SETPASSWORDCHAR, passwordChar_);
  Send(this, EM_SETMODIFY, modified_);
}

void TCustomEdit::DestroyWnd() {
  // Styles and state given to the window directly go on into the next one.
  numbersOnly_ = (GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_NUMBER) != 0;
  modified_ = Send(this, EM_GETMODIFY) != 0;
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
  maxLength_ = std::max(0, Value);
  if (HandleAllocated()) Send(this, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TCustomEdit::SetReadOnly(bool Value) {
  readOnly_ = Value;
  if (HandleAllocated()) Send(this, EM_SETREADONLY, Value);
}

bool TCustomEdit::NumbersOnly() {
  if (HandleAllocated()) return (GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_NUMBER) != 0;
  return numbersOnly_;
}

void TCustomEdit::SetNumbersOnly(bool Value) {
  numbersOnly_ = Value;
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = Value ? (style | ES_NUMBER) : (style & ~LONG_PTR{ES_NUMBER});
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

void TCustomEdit::SetPasswordChar(wchar_t Value) {
  if (passwordChar_ == Value) return;
  passwordChar_ = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified() { return HandleAllocated() ? Send(this, EM_GETMODIFY) != 0 : modified_; }

void TCustomEdit::SetModified(bool Value) {
  modified_ = Value;
  if (HandleAllocated()) Send(this, EM_SETMODIFY, Value);
}

std::pair<int, int> TCustomEdit::Selection() {
  DWORD start = 0, end = 0;
  Send(this, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

int TCustomEdit::SelStart() { return Selection().first; }

void TCustomEdit::SetSelStart(int Value) { Send(this, EM_SETSEL, Value, Value); }

int TCustomEdit::SelLength() {
  const auto [start, end] = Selection();
  return end - start;
}

void TCustomEdit::SetSelLength(int Value) {
  const int start = SelStart();
  Send(this, EM_SETSEL, start, start + Value);
}

String TCustomEdit::SelText() {
  const auto [start, end] = Selection();
  return Text().substr(start, end - start);
}

void TCustomEdit::SetSelText(const String& Value) {
  Send(this, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { Send(this, EM_SETSEL, 0, -1); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE && !ControlState.Contains(csCreating)) Change();
}

void TCustomEdit::CNCtlColor(TMessage& Message) { Message.Result = ColorAnswer(this, brush_, Message.WParam); }

void TCustomEdit::CMTextChanged(TMessage& Message) {
  // With a window, the window reports the change itself (EN_CHANGE).
  if (!HandleAllocated() && !ComponentState().Contains(csLoading)) Change();
  Inherited::Dispatch(Message);
}

// ---- TMemo ---------------------------------------------------------------------------------------

std::vector<String> TMemoStrings::Split() const {
  std::vector<String> lines;
  const String text = memo_->Text();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == String::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<String>& lines) {
  String text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  memo_->SetText(text);
}

int TMemoStrings::Count() const { return static_cast<int>(Split().size()); }

void TMemoStrings::Clear() { memo_->SetText(String()); }

String TMemoStrings::Get(int index) const {
  const auto lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  return lines[index];
}

void TMemoStrings::Put(int index, const String& text) {
  auto lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines[index] = text;
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  auto lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines.erase(lines.begin() + index);
  Join(lines);
}

void TMemoStrings::Insert(int index, const String& text) {
  auto lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()) + 1);
  lines.insert(lines.begin() + index, text);
  Join(lines);
}

void TMemoStrings::SetText(const String& text) { memo_->SetText(text); }

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  ControlStyle.Exclude(csFixedHeight);
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (WantReturns) Params.Style |= ES_WANTRETURN;
  if (wordWrap_) Params.Style &= ~DWORD{ES_AUTOHSCROLL};
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (scrollBars_ == Value) return;
  scrollBars_ = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (wordWrap_ == Value) return;
  wordWrap_ = Value;
  RecreateWnd();
}

void TCustomMemo::WMGetDlgCode(TMessage& Message) {
  DefaultHandler(Message);
  if (!WantTabs) Message.Result &= ~LRESULT{DLGC_WANTTAB};
  if (!WantReturns) Message.Result &= ~LRESULT{DLGC_WANTALLKEYS};
}

// ---- Buttons -------------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetParentColor(true); }

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"BUTTON";
}

void TButtonControl::CNCtlColor(TMessage& Message) { Message.Result = ColorAnswer(this, brush_, Message.WParam); }

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  ControlStyle = {csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  default_ = Value;
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm(this)) {
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
  }
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  const DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & 0x0F) != style) Send(this, BM_SETSTYLE, style, TRUE);
}

void TButton::WndProc(TMessage& Message) {
  // A press focuses the button before anything else; a handler that moves the focus elsewhere
  // cancels the press.
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
    if (CanFocus()) ::SetFocus(Handle());
    if (!Focused()) return;
  }
  TButtonControl::WndProc(Message);
}

void TButton::Click() {
  const std::weak_ptr<void> alive = LifeToken();
  TCustomForm* form = GetParentForm(this);
  const std::weak_ptr<void> formAlive = form ? form->LifeToken() : std::weak_ptr<void>();
  TButtonControl::Click();
  if (ModalResult != mrNone && form && !formAlive.expired() && !alive.expired()) form->ModalResult = ModalResult;
}

void TButton::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  // Enter belongs to the focused button, or to the default button while no button has the focus.
  const bool active = focused == this || (default_ && !dynamic_cast<TButton*>(focused));
  const bool enter = Message.WParam == VK_RETURN && active;
  const bool escape = Message.WParam == VK_ESCAPE && Cancel;
  if ((enter || escape) && KeyDataToShiftState(Message.LParam).Empty() && Visible() && Enabled() &&
      (!Parent() || Parent()->Showing())) {
    Click();
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  active_ = focused == this || (default_ && !dynamic_cast<TButton*>(focused));
  SetButtonStyle(active_);
  Inherited::Dispatch(Message);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  ControlStyle = {csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeHandle() { Send(this, BM_SETCHECK, static_cast<WPARAM>(state_)); }

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (alignment_ == Value) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (state_ == Value) return;
  state_ = Value;
  if (HandleAllocated()) Send(this, BM_SETCHECK, static_cast<WPARAM>(state_));
  if (!ComponentState().Contains(csLoading) && !ClicksDisabled()) Click();
}

TControlActionLink* TCustomCheckBox::CreateActionLink() { return new TButtonActionLink(this); }

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  ControlStyle = {csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::InitializeHandle() { Send(this, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED); }

void TRadioButton::SetChecked(bool Value) {
  if (checked_ == Value) return;
  checked_ = Value;
  SetTabStop(Value);
  if (HandleAllocated()) Send(this, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED);
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this) {
        other->SetChecked(false);
      }
    }
  }
  if (!ComponentState().Contains(csLoading) && !ClicksDisabled()) Click();
}

TControlActionLink* TRadioButton::CreateActionLink() { return new TButtonActionLink(this); }

void TRadioButton::CNCommand(TMessage& Message) {
  const Word code = HIWORD(Message.WParam);
  if (code == BN_CLICKED) SetChecked(true);
  else if (code == BN_DOUBLECLICKED) DblClick();
}

void TRadioButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) SetChecked(true);
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

// ---- TItemStrings --------------------------------------------------------------------------------

HWND TItemStrings::Window() const { return control_->HandleAllocated() ? control_->Handle() : nullptr; }

int TItemStrings::SortedIndex(const String& text) const {
  auto it = std::upper_bound(items_.begin(), items_.end(), text,
                             [this](const String& t, const TItem& item) { return CompareStrings(t, item.Text) < 0; });
  return static_cast<int>(it - items_.begin());
}

void TItemStrings::InsertItem(int index, const String& text, TObject* object) {
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, TItem{text, object});
  if (HWND w = Window()) SendMessageW(w, messages_.InsertString, index, reinterpret_cast<LPARAM>(text.c_str()));
}

int TItemStrings::Add(const String& text) { return AddObject(text, nullptr); }

int TItemStrings::AddObject(const String& text, TObject* object) {
  const int index = sorted_ ? SortedIndex(text) : Count();
  InsertItem(index, text, object);
  return index;
}

void TItemStrings::Insert(int index, const String& text) { InsertItem(index, text, nullptr); }

void TItemStrings::Clear() {
  items_.clear();
  if (HWND w = Window()) SendMessageW(w, messages_.ResetContent, 0, 0);
}

void TItemStrings::Delete(int index) {
  CheckIndex(index, Count());
  items_.erase(items_.begin() + index);
  if (HWND w = Window()) SendMessageW(w, messages_.DeleteString, index, 0);
}

String TItemStrings::Get(int index) const {
  CheckIndex(index, Count());
  return items_[index].Text;
}

TObject* TItemStrings::GetObject(int index) const {
  CheckIndex(index, Count());
  return items_[index].Object;
}

void TItemStrings::PutObject(int index, TObject* object) {
  CheckIndex(index, Count());
  items_[index].Object = object;
}

void TItemStrings::Put(int index, const String& text) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertItem(index, text, object);
}

void TItemStrings::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  sorted_ = Value;
  if (!Value) return;
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
  FillWindow();
}

void TItemStrings::SetUpdateState(bool updating) {
  if (HWND w = Window()) {
    SendMessageW(w, WM_SETREDRAW, !updating, 0);
    if (!updating) InvalidateRect(w, nullptr, TRUE);
  }
}

void TItemStrings::FillWindow() {
  HWND w = Window();
  if (!w) return;
  SendMessageW(w, messages_.ResetContent, 0, 0);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    SendMessageW(w, messages_.InsertString, i, reinterpret_cast<LPARAM>(items_[i].Text.c_str()));
  }
}

// ---- TCustomComboBox -----------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
}

int TCustomComboBox::DropHeight() const { return 18 * std::max(1, dropDownCount_) + 2; }

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"COMBOBOX";
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  static constexpr DWORD kStyle[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
  Params.Style |= kStyle[style_];
  if (style_ != csSimple) Params.Height += DropHeight();
}

void TCustomComboBox::CreateWnd() {
  const String text = Text();
  TWinControl::CreateWnd();
  if (style_ != csDropDownList && itemIndex_ < 0) SetWindowTextW(Handle(), text.c_str());
}

void TCustomComboBox::InitializeHandle() {
  items_.FillWindow();
  Send(this, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  Send(this, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_));
  if (itemIndex_ >= 0) Send(this, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
}

void TCustomComboBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(Send(this, CB_GETCURSEL));
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= items_.Count()) Value = -1;
  itemIndex_ = Value;
  if (HandleAllocated()) Send(this, CB_SETCURSEL, static_cast<WPARAM>(Value));
  else SetText(Value >= 0 ? items_[Value] : String());
}

void TCustomComboBox::SetDropDownCount(int Value) {
  dropDownCount_ = std::max(1, Value);
  if (HandleAllocated()) Send(this, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_));
}

void TCustomComboBox::SetMaxLength(int Value) {
  maxLength_ = std::max(0, Value);
  if (HandleAllocated()) Send(this, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && Send(this, CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) { Send(this, CB_SHOWDROPDOWN, Value); }

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE: {
      // The edit shows the chosen item only after this notification; the handlers see it already.
      const int index = ItemIndex();
      if (index >= 0 && style_ != csDropDownList) SetWindowTextW(Handle(), items_[index].c_str());
      const std::weak_ptr<void> alive = LifeToken();
      Click();
      if (!alive.expired()) Select();
      if (!alive.expired()) Change();
      break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      break;
    default: break;
  }
}

void TCustomComboBox::CNCtlColor(TMessage& Message) { Message.Result = ColorAnswer(this, brush_, Message.WParam); }

// ---- TCustomListBox ------------------------------------------------------------------------------

TOwnerDrawState OwnerDrawStateFromItemState(UINT ItemState) {
  TOwnerDrawState state;
  const std::pair<UINT, TOwnerDrawStateItem> map[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},   {ODS_DISABLED, odDisabled}, {ODS_CHECKED, odChecked},
      {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault}, {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive},
      {ODS_NOACCEL, odNoAccel},   {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit}};
  for (const auto& [bit, item] : map) {
    if (ItemState & bit) state.Include(item);
  }
  return state;
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {
  ControlStyle = {csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"LISTBOX";
  Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
}

void TCustomListBox::InitializeHandle() {
  // Owner-draw notifications name the list by its id: a process-wide unique one finds it.
  static UINT nextId = 0x4000;
  SetWindowLongPtrW(Handle(), GWLP_ID, static_cast<LONG_PTR>(nextId++));
  if (style_ == lbOwnerDrawFixed) Send(this, LB_SETITEMHEIGHT, 0, itemHeight_);
  items_.FillWindow();
  if (multiSelect_) {
    for (int index : savedSelection_) Send(this, LB_SETSEL, TRUE, index);
    if (itemIndex_ >= 0) Send(this, LB_SETCARETINDEX, static_cast<WPARAM>(itemIndex_), FALSE);
  } else if (itemIndex_ >= 0) {
    Send(this, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
  }
  Send(this, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_));
  savedSelection_.clear();
}

void TCustomListBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  topIndex_ = TopIndex();
  savedSelection_.clear();
  if (multiSelect_) {
    for (int i = 0; i < items_.Count(); ++i) {
      if (Selected(i)) savedSelection_.push_back(i);
    }
  }
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(Send(this, multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= items_.Count()) Value = -1;
  itemIndex_ = Value;
  if (!HandleAllocated()) return;
  if (multiSelect_) Send(this, LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
  else Send(this, LB_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (extendedSelect_ == Value) return;
  extendedSelect_ = Value;
  RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  if (Index < 0 || Index >= items_.Count()) RaiseListIndexError(Index);
  return Send(this, LB_GETSEL, static_cast<WPARAM>(Index)) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= items_.Count()) RaiseListIndexError(Index);
  if (multiSelect_) {
    Send(this, LB_SETSEL, Value, Index);
  } else if (Value) {
    Send(this, LB_SETCURSEL, static_cast<WPARAM>(Index));
  } else if (ItemIndex() == Index) {
    Send(this, LB_SETCURSEL, static_cast<WPARAM>(-1));
  }
}

int TCustomListBox::SelCount() {
  if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(Send(this, LB_GETSELCOUNT));
}

void TCustomListBox::ClearSelection() {
  if (multiSelect_) Send(this, LB_SETSEL, FALSE, -1);
  else SetItemIndex(-1);
}

int TCustomListBox::TopIndex() {
  return HandleAllocated() ? static_cast<int>(Send(this, LB_GETTOPINDEX)) : topIndex_;
}

void TCustomListBox::SetTopIndex(int Value) {
  topIndex_ = Value;
  if (HandleAllocated()) Send(this, LB_SETTOPINDEX, static_cast<WPARAM>(Value));
}

int TCustomListBox::ItemHeight() {
  if (HandleAllocated() && style_ != lbOwnerDrawVariable) return static_cast<int>(Send(this, LB_GETITEMHEIGHT));
  return itemHeight_;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  itemHeight_ = Value;
  if (HandleAllocated() && style_ == lbOwnerDrawFixed) {
    Send(this, LB_SETITEMHEIGHT, 0, Value);
    Invalidate();
  }
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (style_ == Value) return;
  style_ = Value;
  RecreateWnd();
}

TRect TCustomListBox::ItemRect(int Index) {
  RECT r{};
  if (Send(this, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR) return TRect();
  return r;
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  const TRect client = ClientRect();
  const int count = items_.Count();
  if (PtInRect(&client, Pos)) {
    for (int i = TopIndex(); i < count; ++i) {
      const TRect r = ItemRect(i);
      if (r.top >= client.bottom) break;
      if (PtInRect(&r, Pos)) return i;
    }
  }
  return Existing ? -1 : count;
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_->FillRect(Rect);
  if (Index >= 0 && Index < items_.Count()) canvas_->TextOut(Rect.left + 2, Rect.top, items_[Index]);
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    default: break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  const TOwnerDrawState state = OwnerDrawStateFromItemState(item->itemState);
  const int saved = SaveDC(item->hDC);
  canvas_->Lock();
  canvas_->SetPaintHandle(item->hDC);
  try {
    canvas_->Font()->Assign(Font());
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(state.Contains(odSelected) ? clHighlight : Color());
    if (state.Contains(odSelected)) canvas_->Font()->SetColor(clHighlightText);
    const int index = static_cast<int>(item->itemID);
    if (index >= 0) DrawItem(index, item->rcItem, state);
    else canvas_->FillRect(item->rcItem);
    if (state.Contains(odFocused)) DrawFocusRect(item->hDC, &item->rcItem);
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    RestoreDC(item->hDC, saved);
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
  RestoreDC(item->hDC, saved);
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = itemHeight_;
  if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(std::max(1, height));
  Message.Result = 1;
}

void TCustomListBox::CNCtlColor(TMessage& Message) { Message.Result = ColorAnswer(this, brush_, Message.WParam); }

// ---- TCustomGroupBox -----------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                  csParentBackground};
  SetBounds(0, 0, 185, 105);
  SetParentColor(true);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.top += FontLineHeight(Font());
  InflateRect(&Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  const int textHeight = FontLineHeight(Font());
  const TRect client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  RECT frame{client.left, client.top + textHeight / 2, client.right, client.bottom};
  DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
  const String caption = Caption();
  if (caption.empty()) return;
  RECT text{8, 0, client.right - 8, textHeight};
  HDC dc = canvas->Handle();
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  SetBkColor(dc, Rgb(Color()));
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, Rgb(Enabled() ? Font()->Color() : clGrayText));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_LEFT | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  Invalidate();
  Realign();
  Inherited::Dispatch(Message);
}

void TCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), Caption()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

// ---- TScrollBar ----------------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csFramed, csDoubleClicks, csOpaque};
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"SCROLLBAR";
  Params.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::InitializeHandle() { ApplyScrollInfo(); }

void TScrollBar::ApplyScrollInfo() {
  if (!HandleAllocated()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMin = min_;
  // With a page, the last position the thumb reaches is Max.
  info.nMax = pageSize_ > 0 ? max_ + pageSize_ - 1 : max_;
  info.nPage = static_cast<UINT>(pageSize_);
  info.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin) throw EInvalidOperation(L"Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  const bool changed = APosition != position_;
  min_ = AMin;
  max_ = AMax;
  position_ = APosition;
  ApplyScrollInfo();
  if (changed) Change();
}

void TScrollBar::SetPageSize(int Value) {
  if (Value < 0 || Value > max_ - min_ + 1) throw EInvalidOperation(L"Scroll bar property out of range");
  pageSize_ = Value;
  ApplyScrollInfo();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TMessage& Message) {
  const int code = LOWORD(Message.WParam);
  if (code > SB_ENDSCROLL) return;
  int pos = position_;
  switch (code) {
    case SB_LINEUP: pos -= SmallChange; break;
    case SB_LINEDOWN: pos += SmallChange; break;
    case SB_PAGEUP: pos -= LargeChange; break;
    case SB_PAGEDOWN: pos += LargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      // The 32-bit track position: the message carries only 16 bits.
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      pos = GetScrollInfo(Handle(), SB_CTL, &info) ? info.nTrackPos : static_cast<short>(HIWORD(Message.WParam));
      break;
    }
    case SB_TOP: pos = min_; break;
    case SB_BOTTOM: pos = max_; break;
    default: break;
  }
  pos = std::clamp(pos, min_, max_);
  const std::weak_ptr<void> alive = LifeToken();
  Scroll(static_cast<TScrollCode>(code), pos);
  if (!alive.expired()) SetPosition(pos);
}
