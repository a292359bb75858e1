// The edit and memo over the system edit class.

#include <gtest/gtest.h>

#include "platform/framework/controls/StdCtrls.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

class Edit : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    edit = Place<TEdit>(10, 10, 200, 24);
  }
  // Types characters at the end of the text as the keyboard would deliver them to the edit.
  void Type(const String& text) {
    edit->SetSelStart(static_cast<int>(edit->Text().size()));
    for (wchar_t c : text) SendMessageW(edit->Handle(), WM_CHAR, c, 1);
  }
  LONG_PTR Style() { return GetWindowLongPtrW(edit->Handle(), GWL_STYLE); }

  TEdit* edit = nullptr;
};

}  // namespace

TEST_F(Edit, MaxLengthLimitsTypingButNotTextSetByCode) {
  edit->SetMaxLength(4);
  edit->SetText(L"0123456789");
  EXPECT_EQ(edit->Text(), L"0123456789");

  edit->SetText(L"ab");
  Type(L"cdef");
  EXPECT_EQ(edit->Text(), L"abcd");

  // The limit set before the window exists reaches it too.
  edit->RecreateWnd();
  edit->SetText(L"");
  Type(L"vwxyz");
  EXPECT_EQ(edit->Text(), L"vwxy");
}

TEST_F(Edit, OnChangeFiresForTextSetByCodeWithAndWithoutWindow) {
  std::vector<String> seen;
  edit->OnChange = [&](TObject* sender) { seen.push_back(static_cast<TEdit*>(sender)->Text()); };
  edit->SetText(L"before window");
  ASSERT_FALSE(edit->HandleAllocated());
  edit->HandleNeeded();
  edit->SetText(L"with window");
  edit->SetText(L"with window");  // the same text is no change
  Type(L"!");
  EXPECT_EQ(seen, (std::vector<String>{L"before window", L"with window", L"with window!"}));
}

TEST_F(Edit, NumberStyleSurvivesRecreatingTheWindow) {
  // Given straight to the window, as code written against the raw handle does.
  SetWindowLongPtrW(edit->Handle(), GWL_STYLE, Style() | ES_NUMBER);
  const HWND first = edit->Handle();
  edit->RecreateWnd();
  ASSERT_NE(edit->Handle(), first);
  EXPECT_TRUE(Style() & ES_NUMBER);
  EXPECT_TRUE(edit->NumbersOnly());
  Type(L"1a2");
  EXPECT_EQ(edit->Text(), L"12");

  edit->SetNumbersOnly(false);
  EXPECT_FALSE(Style() & ES_NUMBER);
  edit->RecreateWnd();
  EXPECT_FALSE(Style() & ES_NUMBER);
  Type(L"b");
  EXPECT_EQ(edit->Text(), L"12b");
}

TEST_F(Edit, ColoursAnswerTheParentsColourMessage) {
  struct Case {
    bool readOnly;
    UINT message;  // read-only edits ask with the static colour message
  };
  for (const Case& c : {Case{false, WM_CTLCOLOREDIT}, Case{true, WM_CTLCOLORSTATIC}}) {
    edit->SetReadOnly(c.readOnly);
    edit->Font()->SetColor(clRed);
    edit->SetColor(clYellow);
    DibSection dib(4, 4);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form->Handle(), c.message,
                                                             reinterpret_cast<WPARAM>(dib.DC()),
                                                             reinterpret_cast<LPARAM>(edit->Handle())));
    ASSERT_NE(brush, nullptr) << c.readOnly;
    EXPECT_EQ(GetTextColor(dib.DC()), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dib.DC()), RGB(255, 255, 0));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(255, 255, 0));
  }
  // The edit paints itself with them.
  edit->SetReadOnly(false);
  edit->SetText(L"");
  DibSection painted(200, 24);
  edit->PaintTo(painted.DC(), 0, 0);
  EXPECT_EQ(painted.Pixel(100, 12), 0xFFFF00u);

  // Back to normal once valid again: the same message answers with the new colours.
  edit->Font()->SetColor(clWindowText);
  edit->SetColor(clWindow);
  DibSection dib(4, 4);
  SendMessageW(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dib.DC()),
               reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_EQ(GetTextColor(dib.DC()), static_cast<COLORREF>(ColorToRGB(clWindowText)));
}

TEST_F(Edit, SelectionIsCountedInCharacters) {
  edit->SetText(L"-12345");
  edit->SetSelStart(0);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 0);

  edit->SetSelStart(1);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelText(), L"123");
  edit->SetSelText(L"x");
  EXPECT_EQ(edit->Text(), L"-x45");
  EXPECT_EQ(edit->SelStart(), 2);  // the caret follows the inserted text

  // Keys move the caret; the index follows whatever the font's widths are.
  edit->Font()->SetSize(20);
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_HOME, 1);
  EXPECT_EQ(edit->SelStart(), 0);
  SendMessageW(edit->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(Edit, ReadOnlyAndModified) {
  edit->SetText(L"x");
  EXPECT_FALSE(edit->Modified());
  Type(L"y");
  EXPECT_TRUE(edit->Modified());
  edit->RecreateWnd();
  EXPECT_TRUE(edit->Modified());
  edit->SetModified(false);
  edit->SetReadOnly(true);
  Type(L"z");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(edit->Text().find(L'z'), String::npos);
}

TEST_F(Edit, KeyPressMayReplaceOrSwallowAKey) {
  edit->OnKeyPress = [](TObject*, wchar_t& key) {
    if (key == L'a') key = L'b';
    if (key == L'-') key = 0;
  };
  Type(L"a-a");
  EXPECT_EQ(edit->Text(), L"bb");
}

TEST_F(Edit, MemoLinesFollowTheWindowBothWays) {
  auto* memo = Place<TMemo>(10, 50, 200, 100);
  memo->Lines()->Add(L"one");
  memo->Lines()->Add(L"two");
  EXPECT_EQ(memo->Text(), L"one\r\ntwo");
  memo->HandleNeeded();
  memo->Lines()->Insert(1, L"between");
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Text(), L"between\r\ntwo");

  SendMessageW(memo->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed\r\nby hand\r\n"));
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), L"by hand");
  EXPECT_THROW(memo->Lines()->Strings(2), EStringListError);
}
