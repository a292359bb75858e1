// Edit and combo items without windows: the stored values, the current entry and the text, prefix
// search, and where a drop-down opens.

#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarEditControls.h"

using namespace bar_testing;

namespace {

class EditItemTest : public BarFixture {
 protected:
  TdxBarCombo* ComboWith(std::initializer_list<const wchar_t*> Strings) {
    auto* combo = NewItem<TdxBarCombo>(L"Combo");
    for (const wchar_t* s : Strings) combo->Items()->Add(s);
    combo->OnChange = TNotifyEvent([this](TObject*) { ++changes; });
    return combo;
  }
  int changes = 0;
};

TEST_F(EditItemTest, StoredValuesKeepTheirLimits) {
  auto* edit = NewItem<TdxBarEdit>(L"Edit");
  EXPECT_EQ(edit->Width(), 100);
  for (int width : {0, -5}) {
    edit->SetWidth(width);
    EXPECT_EQ(edit->Width(), 100) << width;
  }
  edit->SetWidth(140);
  EXPECT_EQ(edit->Width(), 140);
  struct Case {
    int Written, Stored;
  };
  for (const Case& c : {Case{0, 0}, Case{-3, 0}, Case{12, 12}}) {
    edit->SetMaxLength(c.Written);
    EXPECT_EQ(edit->MaxLength(), c.Stored) << c.Written;
  }
}

TEST_F(EditItemTest, ItemIndexAndTextFollowEachOther) {
  TdxBarCombo* combo = ComboWith({L"One", L"Two", L"Three"});
  struct Step {
    const char* What;
    std::function<void()> Do;
    int Index;
    const wchar_t* Text;
    int Changes;
  };
  const Step steps[] = {
      {"an entry", [&] { combo->SetItemIndex(1); }, 1, L"Two", 1},
      {"past the last", [&] { combo->SetItemIndex(5); }, -1, L"", 2},
      {"a text in the list", [&] { combo->SetText(L"Three"); }, 2, L"Three", 3},
      {"a text not in the list", [&] { combo->SetText(L"three"); }, -1, L"three", 4},
      // The text already equals the new entry: the change is reported all the same.
      {"the entry of the text", [&] { combo->Items()->Add(L"three"); combo->SetItemIndex(3); }, 3, L"three", 5},
      {"the entries go", [&] { combo->Items()->Clear(); }, -1, L"", 6},
  };
  for (const Step& s : steps) {
    s.Do();
    EXPECT_EQ(combo->ItemIndex(), s.Index) << s.What;
    EXPECT_EQ(combo->Text(), s.Text) << s.What;
    EXPECT_EQ(changes, s.Changes) << s.What;
  }
}

TEST_F(EditItemTest, SortingKeepsTheTextAndMovesTheIndex) {
  TdxBarCombo* combo = ComboWith({L"pear", L"apple", L"fig"});
  combo->SetItemIndex(0);
  combo->SetSorted(true);
  EXPECT_EQ(combo->Items()->Strings(2), L"pear");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), L"pear");
}

TEST_F(EditItemTest, PrefixSearchIgnoresCaseAndPrefersTheFirstFullMatch) {
  TdxBarCombo* combo = ComboWith({L"Apple", L"abacus", L"abd"});
  struct Case {
    const wchar_t* Typed;
    int Found;
  };
  for (const Case& c : {Case{L"a", 0}, Case{L"ab", 1}, Case{L"AB", 1}, Case{L"abd", 2}, Case{L"abdx", 2},
                        Case{L"abx", 1}, Case{L"x", -1}, Case{L"", -1}}) {
    EXPECT_EQ(combo->FindByPrefix(c.Typed), c.Found) << String(c.Typed).size() << " chars";
  }
}

TEST_F(EditItemTest, TheDropDownKeepsInsideTheWorkArea) {
  const TRect area{0, 0, 800, 600};
  struct Case {
    const char* What;
    bool Beside;
    int X, Y, W, H;
    int ExpectedX, ExpectedY;
  };
  const Case cases[] = {
      {"under, fits", false, 100, 100, 150, 200, 100, 100},
      {"under, past the right edge", false, 700, 100, 150, 200, 650, 100},
      {"under, more room above", false, 100, 500, 150, 200, 100, 500 - 20 - 200},
      {"under, more room below", false, 100, 150, 150, 500, 100, 150},
      {"beside, more room on the left", true, 700, 100, 150, 200, 700 - 150 - 60, 100},
      {"beside, past the bottom", true, 100, 500, 150, 200, 100, 400},
      {"kept at the left and top", false, -40, -10, 150, 100, 0, 0},
  };
  for (const Case& c : cases) {
    int x = c.X, y = c.Y;
    PlaceDropDownIn(x, y, c.W, c.H, 60, 20, area, c.Beside);
    EXPECT_EQ(x, c.ExpectedX) << c.What;
    EXPECT_EQ(y, c.ExpectedY) << c.What;
  }
}

TEST_F(EditItemTest, DropDownKeysAndAccelerators) {
  TdxBarCombo* combo = ComboWith({});
  struct Case {
    Word Key;
    TShiftState Shift;
    bool ListTakes;
  };
  for (const Case& c : {Case{VK_DOWN, {}, true}, Case{VK_NEXT, {}, true}, Case{VK_DOWN, {ssShift}, false},
                        Case{VK_RETURN, {}, false}, Case{'A', {}, false}}) {
    EXPECT_EQ(combo->CheckKeyForDropDownWindow(c.Key, c.Shift), c.ListTakes) << c.Key;
  }
  // The base combo gives the list every key but Tab, Enter and Escape, unless its event says otherwise.
  auto* custom = NewItem<TCustomdxBarCombo>(L"Custom");
  EXPECT_TRUE(custom->CheckKeyForDropDownWindow('A', {}));
  EXPECT_FALSE(custom->CheckKeyForDropDownWindow(VK_ESCAPE, {}));
  custom->OnCheckKeyForDropDownWindow = [](TObject*, Word Key, bool& Allow, TShiftState) {
    if (Key == 'A') Allow = false;
  };
  EXPECT_FALSE(custom->CheckKeyForDropDownWindow('A', {}));
}

}  // namespace
