// Buttons, check and radio buttons, combo and list boxes, the scroll bar and the label.

#include <gtest/gtest.h>

#include "platform/framework/controls/StdCtrls.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class ScriptedModal {
 public:
  explicit ScriptedModal(TModalScript script) : saved_(SetModalDriver(std::move(script))) {}
  ~ScriptedModal() { SetModalDriver(saved_); }

 private:
  TModalScript saved_;
};

// A notification as the system control sends it to its parent.
void Notify(TWinControl* control, Word code) {
  SendMessageW(GetParent(control->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control->Handle()), code),
               reinterpret_cast<LPARAM>(control->Handle()));
}

class Controls : public FormFixture {};

}  // namespace

// ---- TButton -------------------------------------------------------------------------------------

TEST_F(Controls, DialogButtonsEndAModalFormWithTheirResultAfterOnClick) {
  struct Case {
    const char* name;
    int focus;  // 0 = edit, 1 = OK button, 2 = Cancel button
    Word key;
    TModalResult expected;
  };
  const Case cases[] = {
      {"Enter in the edit clicks the default button", 0, VK_RETURN, mrOk},
      {"Escape clicks the cancel button", 0, VK_ESCAPE, mrCancel},
      {"Enter on a focused button clicks that button", 2, VK_RETURN, mrCancel},
      {"Escape wins while the default button has the focus", 1, VK_ESCAPE, mrCancel},
  };
  for (const Case& c : cases) {
    auto* dialog = new TForm(nullptr, 0);
    dialog->SetBounds(100, 100, 300, 200);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* ok = new TButton(dialog);
    ok->SetBounds(10, 100, 75, 25);
    ok->SetParent(dialog);
    ok->SetDefault(true);
    ok->ModalResult = mrOk;
    auto* cancel = new TButton(dialog);
    cancel->SetBounds(100, 100, 75, 25);
    cancel->SetParent(dialog);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    std::vector<String> clicks;
    auto record = [&](TObject* sender) {
      // The form gets the result only after the handler has run.
      EXPECT_EQ(dialog->ModalResult, mrNone) << c.name;
      clicks.push_back(static_cast<TButton*>(sender)->Caption());
    };
    ok->SetCaption(L"OK");
    ok->OnClick = record;
    cancel->SetCaption(L"Cancel");
    cancel->OnClick = record;
    TWinControl* const targets[] = {edit, ok, cancel};

    ScriptedModal script([&](const TModalLoop&) {
      targets[c.focus]->SetFocus();
      PostMessageW(GetFocus(), WM_KEYDOWN, c.key, 1);
    });
    EXPECT_EQ(dialog->ShowModal(), c.expected) << c.name;
    EXPECT_EQ(clicks, (std::vector<String>{c.expected == mrOk ? L"OK" : L"Cancel"})) << c.name;
    dialog->Free();
  }
}

TEST_F(Controls, ButtonCaptionChangesAtRunTimeAndClicksReachOnClick) {
  auto* button = Place<TButton>(10, 10, 90, 25);
  ShowForm();
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    button->SetCaption(button->Caption() == L"&Preview" ? L"&Stop" : L"&Preview");
  };
  button->SetCaption(L"&Preview");
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  ProcessMessages();
  EXPECT_EQ(clicks, 1);
  wchar_t text[32] = {};
  GetWindowTextW(button->Handle(), text, 32);
  EXPECT_STREQ(text, L"&Stop");
  // The accelerator of the new caption clicks it.
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'S'), 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(button->Caption(), L"&Preview");
  EXPECT_EQ(form->ModalResult, mrNone);
}

// ---- Check and radio buttons ---------------------------------------------------------------------

TEST_F(Controls, CheckBoxTogglesOnClicksAndReportsCodeChanges) {
  auto* box = Place<TCheckBox>(10, 10, 100, 20);
  std::vector<TCheckBoxState> seen;
  box->OnClick = [&](TObject*) { seen.push_back(box->State()); };
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box->SetChecked(true);  // unchanged: no click
  box->AllowGrayed = true;
  box->SetChecked(false);
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed, cbChecked}));
  box->RecreateWnd();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Controls, RadioButtonsOfOneParentAreExclusive) {
  auto* a = Place<TRadioButton>(10, 10, 100, 20);
  auto* b = Place<TRadioButton>(10, 30, 100, 20);
  auto* group = Place<TGroupBox>(150, 10, 200, 100);
  auto* other = new TRadioButton(form);
  other->SetBounds(10, 20, 100, 20);
  other->SetParent(group);
  other->SetChecked(true);
  std::vector<TRadioButton*> clicked;
  for (TRadioButton* r : {a, b, other}) r->OnClick = [&](TObject* s) { clicked.push_back(static_cast<TRadioButton*>(s)); };

  a->SetChecked(true);
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);  // the user's click
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_EQ(SendMessageW(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(b->TabStop());
  EXPECT_FALSE(a->TabStop());
  EXPECT_EQ(clicked, (std::vector<TRadioButton*>{a, b}));
}

// ---- TComboBox -----------------------------------------------------------------------------------

TEST_F(Controls, ComboItemIndexOutsideTheItemsIsNone) {
  for (bool withWindow : {false, true}) {
    auto* combo = Place<TComboBox>(10, 10, 150, 24);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add(L"a");
    combo->Items()->Add(L"b");
    if (withWindow) combo->HandleNeeded();
    for (int index : {1, 2, 99, -7, 0}) {
      combo->SetItemIndex(1);
      combo->SetItemIndex(index);
      EXPECT_EQ(combo->ItemIndex(), index >= 0 && index < 2 ? index : -1) << index << " window " << withWindow;
    }
    combo->HandleNeeded();
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(combo->Text(), L"a");
    combo->Free();
  }
}

TEST_F(Controls, ComboChangeComesFromTheUserNotFromCode) {
  auto* combo = Place<TComboBox>(10, 10, 150, 24);
  auto* owned = new TObject;
  combo->SetSorted(true);
  for (const wchar_t* s : {L"pear", L"Apple", L"fig"}) combo->Items()->Add(s);
  combo->Items()->SetObjects(1, owned);
  EXPECT_EQ(combo->Items()->CommaText(), L"Apple,fig,pear");
  ASSERT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);

  std::vector<String> changes, clicks;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->Text()); };
  combo->OnClick = [&](TObject*) { clicks.push_back(combo->Text()); };
  combo->SetItemIndex(2);
  EXPECT_TRUE(changes.empty());

  // The user picks "fig" from the list.
  SendMessageW(combo->Handle(), CB_SETCURSEL, 1, 0);
  Notify(combo, CBN_SELCHANGE);
  EXPECT_EQ(clicks, (std::vector<String>{L"fig"}));
  EXPECT_EQ(combo->Items()->Objects(combo->ItemIndex()), owned);
  // ... then edits the text.
  SetWindowTextW(combo->Handle(), L"figs");
  Notify(combo, CBN_EDITCHANGE);
  EXPECT_EQ(changes, (std::vector<String>{L"fig", L"figs"}));

  // The items and the choice survive a new window.
  combo->RecreateWnd();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  delete owned;
}

// ---- TListBox ------------------------------------------------------------------------------------

TEST_F(Controls, ListBoxSelectionSurvivesANewWindow) {
  auto* list = Place<TListBox>(10, 10, 150, 120);
  for (const wchar_t* s : {L"a", L"b", L"c", L"d"}) list->Items()->Add(s);
  list->SetMultiSelect(true);
  list->SetSelected(1, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->SelCount(), 2);
  list->RecreateWnd();
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_TRUE(list->Selected(3));
  EXPECT_FALSE(list->Selected(2));
  EXPECT_THROW(list->Selected(4), EListError);

  list->SetMultiSelect(false);
  list->SetItemIndex(2);
  EXPECT_EQ(list->SelCount(), 1);
  list->SetItemIndex(9);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(Controls, ListBoxHitTestsAndNotifies) {
  auto* list = Place<TListBox>(10, 10, 150, 120);
  for (const wchar_t* s : {L"a", L"b", L"c"}) list->Items()->Add(s);
  const TRect second = list->ItemRect(1);
  ASSERT_GT(second.Height(), 0);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, second.top + 1), true), 1);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, second.top + 3 * second.Height()), true), -1);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, second.top + 3 * second.Height()), false), 3);

  int clicks = 0, doubles = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->OnDblClick = [&](TObject*) { ++doubles; };
  SendMouse(list->Handle(), WM_LBUTTONDOWN, 5, second.top + 1, MK_LBUTTON);
  SendMouse(list->Handle(), WM_LBUTTONUP, 5, second.top + 1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  Notify(list, LBN_DBLCLK);
  EXPECT_EQ(doubles, 1);
}

// A list box made of its own copy of the system class, with an added class style.
class TSavedBitsListBox : public TListBox {
  DECLARE_CLASS(TSavedBitsListBox, TListBox)
 public:
  using TListBox::TListBox;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TListBox::CreateParams(Params);
    Params.WindowClassStyle |= CS_SAVEBITS;
    Params.CopySystemClass = true;
  }
};
DEFINE_CLASS(TSavedBitsListBox)

TEST_F(Controls, AControlMadeOfACopyOfASystemClassAddsItsClassStyleOnlyToTheCopy) {
  auto* copied = Place<TSavedBitsListBox>(10, 10, 150, 60);
  auto* plain = Place<TListBox>(10, 80, 150, 60);
  copied->HandleNeeded();
  plain->HandleNeeded();
  wchar_t name[64]{};
  GetClassNameW(copied->Handle(), name, 64);
  EXPECT_EQ(String(name), L"TSavedBitsListBox");
  EXPECT_NE(GetClassLongPtrW(copied->Handle(), GCL_STYLE) & CS_SAVEBITS, 0u);
  EXPECT_EQ(GetClassLongPtrW(plain->Handle(), GCL_STYLE) & CS_SAVEBITS, 0u);
  // It still behaves as the system class does.
  copied->Items()->Add(L"a");
  copied->Items()->Add(L"b");
  copied->SetItemIndex(1);
  EXPECT_EQ(SendMessageW(copied->Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(copied->ItemIndex(), 1);
  // Made again (the class is already registered) it is the same.
  copied->RecreateWnd();
  copied->HandleNeeded();
  EXPECT_NE(GetClassLongPtrW(copied->Handle(), GCL_STYLE) & CS_SAVEBITS, 0u);
  EXPECT_EQ(copied->ItemIndex(), 1);
}

TEST_F(Controls, OwnerDrawnListBoxMeasuresAndDraws) {
  auto* list = Place<TListBox>(10, 10, 150, 150);
  list->SetStyle(lbOwnerDrawVariable);
  std::vector<int> measured;
  list->OnMeasureItem = [&](TWinControl*, int index, int& height) {
    measured.push_back(index);
    height = 20 + 10 * index;
  };
  struct Drawn {
    int index;
    bool selected;
  };
  std::vector<Drawn> drawn;
  list->OnDrawItem = [&](TWinControl*, int index, const TRect& rect, TOwnerDrawState state) {
    drawn.push_back({index, state.Contains(odSelected)});
    list->Canvas()->FillRect(rect);
  };
  list->HandleNeeded();
  for (const wchar_t* s : {L"a", L"b", L"c"}) list->Items()->Add(s);
  list->SetItemIndex(1);
  EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list->ItemRect(2).Height(), 40);
  ShowForm();
  list->Repaint();
  ASSERT_FALSE(drawn.empty());
  bool selectedSeen = false;
  for (const Drawn& d : drawn) selectedSeen |= d.index == 1 && d.selected;
  EXPECT_TRUE(selectedSeen);
}

// ---- TScrollBar ----------------------------------------------------------------------------------

TEST_F(Controls, ScrollBarReportsCodeAndUserMoves) {
  auto* bar = Place<TScrollBar>(10, 10, 200, 17);
  bar->SetParams(0, 0, 65535);
  bar->LargeChange = 1000;
  std::vector<int> changes;
  bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
  std::vector<TScrollCode> codes;
  bar->OnScroll = [&](TObject*, TScrollCode code, int& pos) {
    codes.push_back(code);
    if (code == scPageDown) pos += 1;  // a handler may move the target
  };
  bar->SetPosition(65000);
  bar->SetPosition(70000);  // kept in range
  SendMessageW(form->Handle(), WM_HSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar->Handle()));
  SendMessageW(form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  SendMessageW(form->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(changes, (std::vector<int>{65000, 65535, 64535, 65535}));
  EXPECT_EQ(codes, (std::vector<TScrollCode>{scPageUp, scPageDown, scEndScroll}));
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 65535);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
}

// ---- TLabel --------------------------------------------------------------------------------------

TEST_F(Controls, LabelSizesToItsLinesAndFocusesByAccelerator) {
  auto* label = Place<TLabel>(10, 10, 10, 10);
  label->SetCaption(L"&Name");
  const int oneLine = label->Height();
  EXPECT_GT(label->Width(), 10);
  label->SetCaption(L"&Name\rsecond line");
  EXPECT_GE(label->Height(), 2 * oneLine - 1);

  auto* edit = Place<TEdit>(100, 10, 100, 24);
  label->SetFocusControl(edit);
  ShowForm();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'N'), 1);
  EXPECT_TRUE(edit->Focused());
  label->SetShowAccelChar(false);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, L'N'), 0);
  edit->Free();
  EXPECT_EQ(label->FocusControl(), nullptr);
}
