// Help topics: the topic path, one initialization, and the two load failures with their retry.

#include <gtest/gtest.h>

#include <vector>

#include "app/core/Help.h"
#include "platform/framework/base/Exceptions.h"

namespace {

struct HelpCall {
  HWND Owner;
  String Path;
  UINT Command;
  DWORD_PTR Data;
};
std::vector<HelpCall> calls;

HWND WINAPI FakeHtmlHelp(HWND owner, const wchar_t* path, UINT command, DWORD_PTR data) {
  calls.push_back({owner, path ? path : L"<null>", command, data});
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4321));
}

class Help : public testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    previous_ = SetHtmlHelpLoader({[this](const String& path) {
                                     loadedPaths.push_back(path);
                                     return loadFails ? nullptr : kModule;
                                   },
                                   [this](HMODULE module, const char* name) -> THtmlHelpEntry {
                                     EXPECT_EQ(module, kModule);
                                     EXPECT_STREQ(name, "HtmlHelpW");
                                     return entryMissing ? nullptr : &FakeHtmlHelp;
                                   },
                                   [this](HMODULE module) { freed.push_back(module); }});
  }
  void TearDown() override { SetHtmlHelpLoader(previous_); }

  String ErrorOf(const String& topic) {
    try {
      ShowHtmlHelp(nullptr, topic, 0, 0);
    } catch (const Exception& e) {
      return e.Message();
    }
    return L"<no error>";
  }

  const HMODULE kModule = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x7000));
  bool loadFails = false;
  bool entryMissing = false;
  std::vector<String> loadedPaths;
  std::vector<HMODULE> freed;

 private:
  THtmlHelpLoader previous_;
};

TEST_F(Help, TopicPathUsesTheHelpFileAndTheLowerCaseTopic) {
  EXPECT_EQ(HelpTopicPath(L"C:\\P\\app.chm", L"WelcometoAPP"), L"C:\\P\\app.chm::/welcometoapp.htm");
  const String own = HelpTopicPath(L"Effects");
  EXPECT_NE(own.find(L".chm::/effects.htm"), String::npos);
  EXPECT_EQ(own.find(L".exe"), String::npos);
}

TEST_F(Help, LibraryIsInitializedOnceAndEveryRequestReachesTheEntry) {
  const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x99));
  EXPECT_EQ(ShowHtmlHelp(owner, L"a.chm::/one.htm", 0, 0), 0x4321);
  ShowHelpTopic(owner, L"Two");
  ASSERT_EQ(loadedPaths.size(), 1u);
  EXPECT_NE(loadedPaths[0].find(L"\\HHCTRL.OCX"), String::npos);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].Owner, nullptr);
  EXPECT_EQ(calls[0].Command, 28u);
  EXPECT_NE(calls[0].Data, 0u);
  EXPECT_EQ(calls[1].Path, L"a.chm::/one.htm");
  EXPECT_EQ(calls[1].Owner, owner);
  EXPECT_EQ(calls[2].Path, HelpTopicPath(L"two"));
  EXPECT_EQ(calls[2].Command, 0u);
}

TEST_F(Help, MissingLibraryRaisesAndTheNextRequestTriesAgain) {
  loadFails = true;
  EXPECT_EQ(ErrorOf(L"x"), L"HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
  loadFails = false;
  ShowHtmlHelp(nullptr, L"x", 0, 0);
  EXPECT_EQ(loadedPaths.size(), 2u);
  EXPECT_EQ(calls.size(), 2u);  // initialization and the request
}

TEST_F(Help, MissingEntryFreesTheLibraryAndReturnsToNotLoaded) {
  entryMissing = true;
  EXPECT_EQ(ErrorOf(L"x"), L"Function HTMLHELP cannot loaded!");
  EXPECT_EQ(ErrorOf(L"x"), L"Function HTMLHELP cannot loaded!");
  EXPECT_EQ(loadedPaths.size(), 2u);
  EXPECT_EQ(freed, (std::vector<HMODULE>{kModule, kModule}));
  EXPECT_TRUE(calls.empty());
  entryMissing = false;
  ShowHtmlHelp(nullptr, L"x", 0, 0);
  EXPECT_EQ(calls.size(), 2u);
}

}  // namespace
