#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<String> ItemsOf(const TStrings& list) {
  std::vector<String> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
  return items;
}

void Fill(TStrings& list, std::initializer_list<const wchar_t*> items) {
  list.Clear();
  for (const wchar_t* item : items) list.Add(item);
}

template <class F>
String StringListErrorOf(F&& f) {
  try {
    f();
  } catch (const EStringListError& e) {
    return e.Message();
  }
  return L"(no error)";
}

TEST(TStringList, IndexOfIgnoresCaseUnlessAskedNotTo) {
  TStringList list;
  Fill(list, {L"Alpha", L"\u00c9t\u00e9", L"beta"});
  EXPECT_EQ(list.IndexOf(L"ALPHA"), 0);
  EXPECT_EQ(list.IndexOf(L"\u00e9T\u00c9"), 1);
  EXPECT_EQ(list.IndexOf(L"gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf(L"ALPHA"), -1);
  EXPECT_EQ(list.IndexOf(L"Alpha"), 0);
}

TEST(TStringList, SortedListsKeepOrderAndApplyDuplicates) {
  struct Case {
    TDuplicates duplicates;
    std::vector<String> expected;
  };
  const Case cases[] = {
      {dupIgnore, {L"a", L"B", L"c"}},
      {dupAccept, {L"a", L"b", L"B", L"c"}},  // inserted before its equals
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    Fill(list, {L"c", L"B", L"a"});
    const int index = list.Add(L"b");
    EXPECT_EQ(ItemsOf(list), c.expected) << c.duplicates;
    EXPECT_EQ(list[index], c.duplicates == dupIgnore ? L"B" : L"b");
    EXPECT_EQ(list.IndexOf(L"C"), static_cast<int>(c.expected.size()) - 1);
  }

  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupError);
  list.Add(L"x");
  EXPECT_EQ(StringListErrorOf([&] { list.Add(L"X"); }), L"String list does not allow duplicates");
  EXPECT_EQ(StringListErrorOf([&] { list.Insert(0, L"a"); }), L"Operation not allowed on sorted list");
  EXPECT_EQ(StringListErrorOf([&] { list.SetStrings(0, L"a"); }), L"Operation not allowed on sorted list");
  EXPECT_EQ(list.Count(), 1);

  int where = -1;
  list.Add(L"m");
  EXPECT_FALSE(list.Find(L"n", where));  // between "m" and "x"
  EXPECT_EQ(where, 1);
}

TEST(TStringList, SortingAnUnsortedListAndCustomOrders) {
  TStringList list;
  Fill(list, {L"pear", L"Apple", L"fig", L"banana"});
  list.CustomSort([](TStringList* l, int a, int b) { return Length(l->Strings(a)) - Length(l->Strings(b)); });
  EXPECT_EQ(ItemsOf(list), (std::vector<String>{L"fig", L"pear", L"Apple", L"banana"}));
  list.SetSorted(true);
  EXPECT_EQ(ItemsOf(list), (std::vector<String>{L"Apple", L"banana", L"fig", L"pear"}));
}

TEST(TStringList, IndexErrorsNameTheIndex) {
  TStringList list;
  list.Add(L"only");
  EXPECT_EQ(StringListErrorOf([&] { list.Strings(1); }), L"List index out of bounds (1)");
  EXPECT_EQ(StringListErrorOf([&] { list.Delete(-1); }), L"List index out of bounds (-1)");
  EXPECT_EQ(StringListErrorOf([&] { list.Insert(2, L"x"); }), L"List index out of bounds (2)");
  EXPECT_EQ(StringListErrorOf([&] { list.Objects(3); }), L"List index out of bounds (3)");
}

TEST(TStringList, DelimitedTextSplitsAtDelimitersAndBlanksAndGroupsQuotes) {
  struct Case {
    const wchar_t* text;
    wchar_t delimiter;
    bool strict;
    std::vector<String> items;
  };
  const Case cases[] = {
      {L"gzip, \"x-foo bar\"", L',', false, {L"gzip", L"x-foo bar"}},
      {L"a b,c", L',', false, {L"a", L"b", L"c"}},
      {L"\"say \"\"hi\"\"\",", L',', false, {L"say \"hi\"", L""}},
      {L"a,,b", L',', false, {L"a", L"", L"b"}},
      {L"  ", L',', false, {}},
      {L"a b;c ", L';', true, {L"a b", L"c "}},
      {L"\"x;y\";z", L';', true, {L"x;y", L"z"}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetDelimiter(c.delimiter);
    list.SetStrictDelimiter(c.strict);
    list.SetDelimitedText(c.text);
    EXPECT_EQ(ItemsOf(list), c.items) << c.text;
  }
}

TEST(TStringList, DelimitedTextQuotesWhatWouldNotSurviveARoundTrip) {
  TStringList list;
  Fill(list, {L"plain", L"two words", L"", L"q\"t", L"a,b"});
  EXPECT_EQ(list.CommaText(), L"plain,\"two words\",,\"q\"\"t\",\"a,b\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(ItemsOf(back), ItemsOf(list));

  Fill(list, {L""});
  EXPECT_EQ(list.CommaText(), L"\"\"");
  list.SetDelimiter(L'|');
  list.SetQuoteChar(L'\'');
  Fill(list, {L"a|b", L"c"});
  EXPECT_EQ(list.DelimitedText(), L"'a|b'|c");
}

TEST(TStringList, NamesAndValues) {
  TStringList list;
  Fill(list, {L"Width=10", L"novalue", L"Caption=a=b"});
  EXPECT_EQ(list.Values(L"WIDTH"), L"10");
  EXPECT_EQ(list.Values(L"Caption"), L"a=b");
  EXPECT_EQ(list.Values(L"novalue"), L"");
  EXPECT_EQ(list.Names(1), L"");
  EXPECT_EQ(list.IndexOfName(L"caption"), 2);
  list.SetValues(L"width", L"20");
  list.SetValues(L"Height", L"5");
  list.SetValues(L"Caption", L"");
  EXPECT_EQ(ItemsOf(list), (std::vector<String>{L"width=20", L"novalue", L"Height=5"}));
  list.SetValueFromIndex(2, L"6");
  EXPECT_EQ(list[2], L"Height=6");
}

TEST(TStringList, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
  TStringList list;
  list.SetText(L"one\r\ntwo\nthree\rfour\r\n\r\nsix\n");
  EXPECT_EQ(ItemsOf(list), (std::vector<String>{L"one", L"two", L"three", L"four", L"", L"six"}));
  EXPECT_EQ(list.Text(), L"one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, ObjectsTravelWithTheirStrings) {
  TObject a, b, c;
  TStringList list;
  list.AddObject(L"a", &a);
  list.AddObject(L"b", &b);
  list.InsertObject(0, L"c", &c);
  list.Move(0, 2);
  list.Exchange(0, 1);
  EXPECT_EQ(ItemsOf(list), (std::vector<String>{L"b", L"a", L"c"}));
  EXPECT_EQ(list.Objects(0), &b);
  EXPECT_EQ(list.Objects(2), &c);
  EXPECT_EQ(list.IndexOfObject(&a), 1);

  TStringList copy;
  copy.Add(L"old");
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(list));
  EXPECT_EQ(copy.Objects(1), &a);
}

TEST(TStringList, ChangeEventsFireOncePerUpdateBracket) {
  TStringList list;
  std::vector<String> events;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back(L"changing");
  };
  list.OnChange = [&](TObject*) { events.push_back(L"change:" + IntToStr(list.Count())); };
  list.Add(L"x");
  EXPECT_EQ(events, (std::vector<String>{L"changing", L"change:1"}));
  events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.SetCommaText(L"a,b,c");
  list.EndUpdate();
  EXPECT_EQ(events, std::vector<String>{L"changing"});
  list.EndUpdate();
  EXPECT_EQ(events, (std::vector<String>{L"changing", L"change:3"}));
}

class TStringListFiles : public ::testing::Test {
 protected:
  testing_support::ScratchFolder folder;
};

TEST_F(TStringListFiles, NonAsciiRoundTripWritesUtf8WithBom) {
  const String path = folder.File(L"list.txt");
  TStringList list;
  Fill(list, {L"caf\u00e9", L"\u65e5\u672c", L"\U0001F3B5 note"});
  list.SaveToFile(path);
  const AnsiString bytes = testing_support::ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(3, 6), "caf\xC3\xA9\r");

  TStringList back;
  back.LoadFromFile(path);
  EXPECT_EQ(ItemsOf(back), ItemsOf(list));
}

TEST_F(TStringListFiles, ReadersAcceptEveryEncodingTheyMeet) {
  struct Case {
    const char* what;
    AnsiString bytes;
  };
  const String expected = L"na\u00efve";
  const Case cases[] = {
      {"UTF-8 with BOM", "\xEF\xBB\xBFna\xC3\xAFve\r\nx"},
      {"UTF-8 without BOM", "na\xC3\xAFve\nx\n"},
      {"UTF-16LE", EncodeText(L"na\u00efve\r\nx", TTextEncoding::Utf16LE)},
      {"UTF-16BE", EncodeText(L"na\u00efve\r\nx", TTextEncoding::Utf16BE)},
      {"ANSI", StringToAnsi(L"na\u00efve\r\nx")},
  };
  for (const Case& c : cases) {
    const String path = folder.File(L"in.txt");
    testing_support::WriteFileBytes(path, c.bytes);
    TStringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(ItemsOf(list), (std::vector<String>{expected, L"x"})) << c.what;
  }
}

TEST_F(TStringListFiles, BomLessAnsiFileUsesTheAnsiCodePage) {
  // 0xE9 alone is not UTF-8; in the ANSI code page it is a letter.
  const String path = folder.File(L"ansi.txt");
  testing_support::WriteFileBytes(path, "caf\xE9");
  TStringList list;
  list.LoadFromFile(path);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], AnsiToString("caf\xE9"));
  if (GetACP() == 1252) {
    EXPECT_EQ(list[0], L"caf\u00e9");
  }
}

TEST(TStringListStreams, LoadReadsFromThePositionAndSaveUsesTheEncoding) {
  TMemoryStream stream;
  stream.WriteBuffer("skip", 4);
  TStringList list;
  Fill(list, {L"\u00e9"});
  list.SaveToStream(stream, TTextEncoding::Utf16LE);
  const AnsiString written(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  EXPECT_EQ(written, AnsiString("skip\xFF\xFE\xE9\x00\r\x00\n\x00", 12));
  stream.SetPosition(4);
  TStringList back;
  back.LoadFromStream(stream);
  EXPECT_EQ(ItemsOf(back), ItemsOf(list));
}

}  // namespace
