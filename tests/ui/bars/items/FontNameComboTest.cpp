// The font-name combo: its entries are the installed faces, sorted, and a text set while one of its
// links is active completes to the entry sharing the longest prefix with it.
#include <gtest/gtest.h>

#include "platform/framework/controls/Dialogs.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/items/BarFontNames.h"

using namespace bar_testing;

namespace {

class FontNameComboTest : public BarWindowFixture {
 protected:
  void TearDown() override {
    SetDialogAnswerer(nullptr);
    BarWindowFixture::TearDown();
  }
};

TEST_F(FontNameComboTest, EntriesAreTheInstalledFacesSortedWithTheirFlags) {
  auto* combo = NewItem<TdxBarFontNameCombo>(L"Fonts");
  std::vector<TdxBarFontFace> faces = InstalledFontFaces();
  ASSERT_EQ(combo->Items()->Count(), int(faces.size()));
  ASSERT_FALSE(faces.empty());
  for (int i = 1; i < combo->Items()->Count(); ++i)
    EXPECT_LE(AnsiCompareText(combo->Items()->Strings(i - 1), combo->Items()->Strings(i)), 0);
  for (const TdxBarFontFace& face : faces) {
    const int index = combo->Items()->IndexOf(face.Name);
    ASSERT_GE(index, 0) << face.Name.c_str();
    EXPECT_EQ(combo->IsTrueType(index), face.TrueType);
  }
  EXPECT_EQ(combo->Width(), 160);
  EXPECT_EQ(combo->DropDownCount, 12);
}

TEST_F(FontNameComboTest, ATextSetWhileActiveCompletesToAnEntry) {
  auto* combo = NewItem<TdxBarFontNameCombo>(L"Fonts");
  combo->SetShowEditor(true);
  combo->Items()->Clear();
  for (const wchar_t* name : {L"Arial", L"Courier", L"Courier New", L"Times"}) combo->Items()->Add(name);
  // Not active: the text stays as set.
  combo->SetText(L"cour");
  EXPECT_EQ(combo->Text(), L"cour");
  TTestBarControl* window = NewWindow(0);
  window->ItemLinks()->AddItemLink(combo);
  window->ShowAt(200, 200, 400, 40);
  auto* control = dynamic_cast<TdxBarComboControl*>(window->ItemLinks()->LinkAt(0)->ItemControl());
  ASSERT_NE(control, nullptr);
  window->RequestActive(true);
  window->SetSelected(control);
  control->ControlClick(false, 0);
  ASSERT_NE(combo->ActiveLink(), nullptr);
  struct Case {
    const wchar_t* typed;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {L"cour", L"Courier"},
      {L"COURIER N", L"Courier New"},
      {L"times", L"Times"},
      {L"Arx", L"Arial"},
      {L"zz", L"zz"},  // no entry shares the first letter: the typed text stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    combo->SetText(c.typed);
    EXPECT_EQ(combo->Text(), c.shown);
  }
}

TEST_F(FontNameComboTest, TheClickOpensTheFontDialogAtTheText) {
  auto* combo = NewItem<TdxBarFontNameCombo>(L"Fonts");
  String asked;
  SetDialogAnswerer([&](const TDialogRequest& Request) {
    asked = Request.Font ? Request.Font->Name() : L"?";
    if (Request.Font) Request.Font->SetName(L"Chosen Face");
    TDialogAnswer answer;
    answer.Ok = true;
    return answer;
  });
  combo->SetText(L"Arial");
  combo->DirectClick();
  EXPECT_EQ(asked, L"Arial");
  EXPECT_EQ(combo->Text(), L"Chosen Face");
  asked.clear();
  combo->SetReadOnly(true);
  combo->DirectClick();
  EXPECT_EQ(asked, L"");
}

}  // namespace
