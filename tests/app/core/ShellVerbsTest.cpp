// The "Edit with" verb on a scratch classes root: the quoted command, identifiers reused or
// made, and removal that creates nothing.

#include <gtest/gtest.h>

#include "app/core/ShellVerbs.h"
#include "platform/framework/classes/Registry.h"
#include "tests/support/TestSupport.h"

namespace {

class ShellVerbs : public testing::Test {
 protected:
  TClassesRoot Root() const { return ClassesRootAt(key_.Path()); }
  String Key(const String& sub) const { return L"\\" + key_.Path() + L"\\" + sub; }
  bool Exists(const String& sub) {
    TRegistry registry(KEY_READ);
    return registry.KeyExists(Key(sub));
  }
  String Default(const String& sub) {
    TRegistry registry(KEY_READ);
    if (!registry.OpenKeyReadOnly(Key(sub))) return L"<missing>";
    return registry.ReadString(L"");
  }
  void SetDefault(const String& sub, const String& value) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(Key(sub), true));
    registry.WriteString(L"", value);
  }

  testing_support::ScratchRegistryKey key_;
};

TEST_F(ShellVerbs, CommandQuotesTheProgramPath) {
  const String program = L"C:\\Program Files\\Audio Tools\\editor.exe";
  ASSERT_TRUE(AddShellVerb(program, L"Edit with Zentavo", L"wav", Root()));
  EXPECT_EQ(Default(L".wav"), L"wavfile");
  EXPECT_EQ(Default(L"wavfile\\Shell\\Edit with Zentavo\\command"),
            L"\"C:\\Program Files\\Audio Tools\\editor.exe\" \"%L\"");
  EXPECT_EQ(ShellVerbCommand(L"\"C:\\x y\\a.exe\""), L"\"C:\\x y\\a.exe\" \"%L\"");
}

TEST_F(ShellVerbs, ExistingIdentifierIsReused) {
  SetDefault(L".mp3", L"Player.Mp3");
  ASSERT_TRUE(AddShellVerb(L"C:\\a.exe", L"Edit with Zentavo", L" .mp3 ", Root()));
  EXPECT_EQ(Default(L".mp3"), L"Player.Mp3");
  EXPECT_TRUE(Exists(L"Player.Mp3\\Shell\\Edit with Zentavo\\command"));
  EXPECT_FALSE(Exists(L"mp3file"));
}

TEST_F(ShellVerbs, EmptyExtensionDoesNothing) {
  EXPECT_FALSE(AddShellVerb(L"C:\\a.exe", L"Edit with Zentavo", L"  ", Root()));
  EXPECT_FALSE(Exists(L"file"));
}

TEST_F(ShellVerbs, RemovalDeletesTheVerbAndCreatesNothing) {
  RegisterShellVerbs(true, L"C:\\a.exe", L"Zentavo", Root());
  SetDefault(L"oggfile\\Shell\\Other Verb", L"kept");
  RegisterShellVerbs(false, L"C:\\a.exe", L"Zentavo", Root());
  EXPECT_FALSE(Exists(L"wavfile\\Shell\\Edit with Zentavo"));
  EXPECT_FALSE(Exists(L"mpcfile\\Shell\\Edit with Zentavo"));
  EXPECT_EQ(Default(L"oggfile\\Shell\\Other Verb"), L"kept");

  // An extension that never had a key stays without one.
  RemoveShellVerb(L"Edit with Zentavo", L".xyz", Root());
  EXPECT_FALSE(Exists(L".xyz"));
  EXPECT_FALSE(Exists(L"xyzfile"));
}

}  // namespace

namespace {

// The program's own roots: written below the user's classes, removed from there again.
TEST(UserShellVerbs, WrittenAndRemovedBelowTheUsersClasses) {
  const String ext = L".aecoretest", identifier = L"aecoretestfile";
  const String verbKey = L"\\Software\\Classes\\" + identifier + L"\\Shell\\Edit with Core Test";
  ASSERT_TRUE(AddShellVerb(L"C:\\a b\\x.exe", L"Edit with Core Test", ext));
  {
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKeyReadOnly(verbKey + L"\\command"));
    EXPECT_EQ(registry.ReadString(L""), L"\"C:\\a b\\x.exe\" \"%L\"");
  }
  RemoveShellVerb(L"Edit with Core Test", ext);
  TRegistry registry;
  EXPECT_FALSE(registry.KeyExists(verbKey));
  registry.DeleteKey(L"\\Software\\Classes\\" + ext);
  registry.DeleteKey(L"\\Software\\Classes\\" + identifier);
}

}  // namespace
