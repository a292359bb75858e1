#include "platform/framework/classes/Registry.h"

#include <gtest/gtest.h>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Strings.h"
#include "tests/support/TestSupport.h"

using testing_support::ScratchRegistryKey;

namespace {

std::vector<String> Sorted(const TStringList& list) {
  std::vector<String> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
  std::sort(items.begin(), items.end());
  return items;
}

class RegistryTest : public testing::Test {
 protected:
  ScratchRegistryKey scratch;
  String root = L"\\" + scratch.Path();
  TRegistry registry;
};

TEST_F(RegistryTest, OpenKeyResolvesAbsoluteAndRelativePaths) {
  EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.OpenKey(root + L"\\Missing", false));
  ASSERT_TRUE(registry.OpenKey(root + L"\\Shell", true));
  EXPECT_EQ(registry.CurrentPath(), scratch.Path() + L"\\Shell");
  ASSERT_TRUE(registry.OpenKey(L"Verb\\command", true));  // relative to the open key
  EXPECT_EQ(registry.CurrentPath(), scratch.Path() + L"\\Shell\\Verb\\command");
  registry.WriteString(L"", L"\"app.exe\" \"%L\"");

  TRegistry other;
  EXPECT_TRUE(other.KeyExists(root + L"\\Shell\\Verb"));
  ASSERT_TRUE(other.OpenKeyReadOnly(root + L"\\SHELL\\verb\\Command"));
  EXPECT_EQ(other.ReadString(L""), L"\"app.exe\" \"%L\"");
  EXPECT_THROW(other.WriteString(L"x", L"y"), ERegistryException);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndSize) {
  ASSERT_TRUE(registry.OpenKey(root, false));
  const Byte blob[] = {5, 0, 255};
  registry.WriteString(L"Text", L"abc");
  registry.WriteExpandString(L"Expand", L"%TEMP%");
  registry.WriteInteger(L"Number", -2);
  registry.WriteBinaryData(L"Blob", blob, sizeof blob);

  struct Case {
    const wchar_t* name;
    TRegDataType type;
    int size;
  };
  const Case cases[] = {
      {L"Text", rdString, 8}, {L"Expand", rdExpandString, 14}, {L"Number", rdInteger, 4},
      {L"Blob", rdBinary, 3}, {L"Missing", rdUnknown, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(registry.GetDataType(c.name), c.type) << testing::PrintToString(c.name);
    EXPECT_EQ(registry.GetDataSize(c.name), c.size) << testing::PrintToString(c.name);
    EXPECT_EQ(registry.ValueExists(c.name), c.type != rdUnknown);
  }
  EXPECT_EQ(registry.ReadString(L"Text"), L"abc");
  EXPECT_EQ(registry.ReadString(L"Expand"), L"%TEMP%");
  EXPECT_EQ(registry.ReadInteger(L"Number"), -2);
  Byte read[8] = {};
  EXPECT_EQ(registry.ReadBinaryData(L"Blob", read, sizeof read), 3);
  EXPECT_EQ(read[2], 255);
}

TEST_F(RegistryTest, MissingStringIsEmptyOtherMisreadsRaise) {
  ASSERT_TRUE(registry.OpenKey(root, false));
  registry.WriteString(L"Text", L"12");
  registry.WriteBinaryData(L"Blob", "abcd", 4);
  EXPECT_EQ(registry.ReadString(L"Missing"), L"");
  EXPECT_THROW(registry.ReadInteger(L"Missing"), ERegistryException);
  EXPECT_THROW(registry.ReadInteger(L"Text"), ERegistryException);
  EXPECT_THROW(registry.ReadString(L"Blob"), ERegistryException);
  char small[2];
  EXPECT_THROW(registry.ReadBinaryData(L"Blob", small, sizeof small), ERegistryException);
}

TEST_F(RegistryTest, DeleteKeyRemovesSubkeysAndDeleteValueOneValue) {
  ASSERT_TRUE(registry.OpenKey(root, false));
  registry.CreateKey(L"A\\B\\C");
  registry.CreateKey(L"D");
  registry.WriteString(L"One", L"1");
  registry.WriteString(L"Two", L"2");

  TStringList names;
  registry.GetKeyNames(names);
  EXPECT_EQ(Sorted(names), (std::vector<String>{L"A", L"D"}));
  EXPECT_TRUE(registry.HasSubKeys());

  EXPECT_TRUE(registry.DeleteKey(L"A"));
  EXPECT_FALSE(registry.KeyExists(L"A"));
  EXPECT_FALSE(registry.DeleteKey(L"A"));
  EXPECT_TRUE(registry.DeleteValue(L"one"));
  registry.GetValueNames(names);
  EXPECT_EQ(Sorted(names), std::vector<String>{L"Two"});
}

}  // namespace
