// The recent-files list: order, cutting, matching by text or object, removal on click while the
// click handler reorders the list, and the path ellipsis of long and oversized texts.
#include <gtest/gtest.h>

#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/items/MRUListItem.h"

using namespace bar_testing;

namespace {

std::vector<String> EntriesOf(TdxBarMRUListItem* List) {
  std::vector<String> out;
  for (int i = 0; i < List->Items()->Count(); ++i) out.push_back(List->Items()->Strings(i));
  return out;
}

class MRUList : public BarFixture {
 protected:
  TdxBarMRUListItem* NewList() { return NewItem<TdxBarMRUListItem>(L"mru"); }
  // Clicks the entry at Index through the button the list made for it in a menu.
  void ClickEntry(TdxBarMRUListItem* List, int Index) {
    TTestLinksOwner* menu = NewOwner(pkMenu);
    List->AddListedItemLinks(menu->Links(), 0, nullptr, true);
    static_cast<TdxBarButton*>(menu->Links()->LinkAt(Index)->Item())->Click();
  }
};

TEST_F(MRUList, EntriesAreKeptMostRecentFirstAndCut) {
  TObject o1, o2;
  using V = std::vector<String>;
  struct Step {
    const wchar_t* action;  // "add", "remove", "max"
    const wchar_t* text;
    TObject* obj;
    int max;
    V want;
  } steps[] = {
      {L"add", L"A", nullptr, 0, {L"A"}},
      {L"add", L"B", nullptr, 0, {L"B", L"A"}},
      {L"add", L"C", &o1, 0, {L"C", L"B", L"A"}},
      {L"add", L"a", nullptr, 0, {L"A", L"C", L"B"}},        // the text matches without case
      {L"add", L"renamed", &o1, 0, {L"C", L"A", L"B"}},      // the object matches; the old text stays
      {L"max", nullptr, nullptr, 2, {L"C", L"A"}},
      {L"add", L"D", nullptr, 0, {L"D", L"C"}},
      {L"max", nullptr, nullptr, 0, {L"D", L"C"}},
      {L"add", L"E", &o2, 0, {L"E", L"D", L"C"}},
      {L"remove", L"", nullptr, 0, {L"E", L"D", L"C"}},      // nothing to find by
      {L"remove", L"", &o2, 0, {L"D", L"C"}},
      {L"remove", L"c", nullptr, 0, {L"D"}},
      {L"max", nullptr, nullptr, -3, {L"D"}},
  };
  TdxBarMRUListItem* list = NewList();
  EXPECT_EQ(list->MaxItemCount(), 5);
  for (const Step& s : steps) {
    const String action = s.action;
    if (action == L"add") list->AddMRUItem(s.text, s.obj);
    if (action == L"remove") list->RemoveMRUItem(s.text, s.obj);
    if (action == L"max") list->SetMaxItemCount(s.max);
    EXPECT_EQ(EntriesOf(list), s.want) << action << " " << (s.text ? s.text : L"") << " " << s.max;
  }
  EXPECT_EQ(list->MaxItemCount(), 0);
  for (int i = 0; i < 8; ++i) list->AddMRUItem(L"f" + IntToStr(i));
  EXPECT_EQ(list->Items()->Count(), 9) << "no limit at 0";
  list->SetMaxItemCount(1);
  EXPECT_EQ(EntriesOf(list), std::vector<String>{L"f7"});
}

// The click handler moves the clicked entry to the top or removes another one; the clicked entry is
// the one that goes.
TEST_F(MRUList, AClickRemovesTheClickedEntryWhateverItsHandlerDid) {
  struct Case {
    const wchar_t* name;
    std::function<void(TdxBarMRUListItem*)> handler;
    std::vector<String> want;
  } cases[] = {
      {L"moves it to the top", [](TdxBarMRUListItem* l) { l->AddMRUItem(L"c"); }, {L"a", L"b"}},
      {L"removes another", [](TdxBarMRUListItem* l) { l->RemoveMRUItem(L"a"); }, {L"b"}},
      {L"removes it", [](TdxBarMRUListItem* l) { l->RemoveMRUItem(L"c"); }, {L"a", L"b"}},
      {L"does nothing", [](TdxBarMRUListItem*) {}, {L"a", L"b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TdxBarMRUListItem* list = NewList();
    list->SetName(L"mru" + String(c.name).substr(0, 3) + IntToStr(int(c.want.size())));
    for (const wchar_t* t : {L"c", L"b", L"a"}) list->AddMRUItem(t);
    list->RemoveItemOnClick = true;
    int seenIndex = -2;
    list->OnClick = [&](TObject*) {
      seenIndex = list->ItemIndex;
      c.handler(list);
    };
    ClickEntry(list, 2);
    EXPECT_EQ(seenIndex, 2);
    EXPECT_EQ(EntriesOf(list), c.want);
    EXPECT_EQ(list->ItemIndex, -1);
    list->OnClick = nullptr;
  }
}

TEST_F(MRUList, AClickKeepsTheEntryWithoutTheOptionOrWhileCustomizing) {
  TdxBarMRUListItem* list = NewList();
  for (const wchar_t* t : {L"b", L"a"}) list->AddMRUItem(t);
  ClickEntry(list, 1);
  EXPECT_EQ(EntriesOf(list), (std::vector<String>{L"a", L"b"}));
  EXPECT_EQ(list->ItemIndex, 1);
}

TEST_F(MRUList, LongPathsAreShortenedInTheMiddleAndOversizedTextsAreSafe) {
  String path = L"C:\\Users\\somebody\\Documents";
  for (int i = 0; i < 12; ++i) path += L"\\folder number " + IntToStr(i);
  path += L"\\final recording.wav";
  const String shown = ShortenPathText(path);
  EXPECT_LT(shown.size(), path.size());
  EXPECT_NE(shown.find(L"..."), String::npos) << std::string(shown.begin(), shown.end());
  EXPECT_NE(shown.find(L"final recording.wav"), String::npos);
  EXPECT_EQ(shown.substr(0, 3), L"C:\\");
  HDC dc = ::GetDC(nullptr);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, shown.c_str(), int(shown.size()), &size);
  ::ReleaseDC(nullptr, dc);
  EXPECT_LE(size.cx, 300);
  EXPECT_EQ(ShortenPathText(L"C:\\a.wav"), L"C:\\a.wav");

  // Texts longer than any fixed buffer: a long-path prefix and a damaged list file.
  for (size_t length : {600u, 5000u}) {
    String text = L"\\\\?\\C:\\" + String(length - 16, L'x') + L"\\tail.wav";
    const String out = ShortenPathText(text);
    EXPECT_LE(out.size(), text.size() + 4);
    EXPECT_FALSE(out.empty());
    // Wine keeps the file name of the 600-character path; of far longer texts it keeps only a part.
    if (length == 600u) {
      EXPECT_NE(out.find(L"tail.wav"), String::npos);
    }
  }
  TdxBarMRUListItem* list = NewList();
  list->AddMRUItem(String(5000, L'y'));
  EXPECT_LE(list->GetEntryCaption(0).size(), 5004u);
}

}  // namespace
