// The launch commands: help topics of the FAQ buttons, the FAQ page, the sibling tools through the
// shell, the recent-files pane's click on a deleted file and the hand cursor.

#include "app/Tools.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/ShellCommands.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"

namespace {

std::vector<String> helpPaths;

HWND WINAPI RecordHtmlHelp(HWND, const wchar_t* path, UINT command, DWORD_PTR) {
  if (command == 0) helpPaths.push_back(path);
  return nullptr;
}

struct TShellCall {
  String Verb, File, Parameters;
};

class ToolsTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    helpPaths.clear();
    const HMODULE module = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x7000));
    previousHelp_ = SetHtmlHelpLoader({[module](const String&) { return module; },
                                       [](HMODULE, const char*) -> THtmlHelpEntry { return &RecordHtmlHelp; },
                                       [](HMODULE) {}});
    previousShell_ = SetShellExecute([this](HWND, const String& verb, const String& file, const String& parameters) {
      shellCalls.push_back({verb, file, parameters});
      playingAtShell.push_back(Editor().TransportState());
    });
  }
  void TearDown() override {
    SetShellExecute(previousShell_);
    SetHtmlHelpLoader(previousHelp_);
    CommandsTest::TearDown();
  }
  std::vector<TShellCall> shellCalls;
  std::vector<int> playingAtShell;

 private:
  THtmlHelpLoader previousHelp_;
  TShellExecute previousShell_;
};

TEST_F(ToolsTest, TheFaqButtonsOpenTheirTopicsAndTheFirstTheProductPagesFaq) {
  const String help = ChangeFileExt(ParamStr(0), L".chm");
  form->dxBarButtonFAQ2Click(form);
  form->dxBarButtonFAQ3Click(form);
  form->dxBarButtonFAQ4Click(form);
  form->dxBarButtonFAQ5Click(form);
  form->dxBarButtonFAQ6Click(form);
  EXPECT_EQ(helpPaths, (std::vector<String>{help + L"::/recordquicktour.htm", help + L"::/importingaudiotracksfromcd.htm",
                                            help + L"::/basicaudioediting.htm",
                                            help + L"::/connectingyourstereoequipment.htm",
                                            help + L"::/bookmarksandregions.htm"}));
  form->dxBarButtonFAQ1Click(form);
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].File, L"https://www.zentavo.example/product.htmlvistaproblem/");
  EXPECT_EQ(GlobalVars.ProductPageAddress + L"vistaproblem/", shellCalls[0].File);
}

TEST_F(ToolsTest, ASiblingToolStartsFromTheProgramsFolderWithTheSwitchAfterPlaybackStopped) {
  OpenPattern(L"song.wav", 44100);
  form->ActionPlayExecute(form);
  ASSERT_EQ(Editor().TransportState(), 1);
  form->ActionAudioConverter->Execute();
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].Verb, L"open");
  EXPECT_EQ(shellCalls[0].File, ExtractFilePath(ParamStr(0)) + L"AudioConverter.exe");
  EXPECT_EQ(shellCalls[0].Parameters, L"/fromeditor");
  EXPECT_NE(playingAtShell[0], 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ToolsTest, TheBrandShowsTheCdToolActions) {
  // Brand 1 hides them.
  EXPECT_FALSE(form->ActionDiscRipper->Visible());
  EXPECT_FALSE(form->ActionDiscCopier->Visible());
  EXPECT_TRUE(form->ActionAudioConverter->Visible());
}

TEST_F(ToolsTest, APaneEntryOfADeletedFileIsReportedOnceAndLeavesThePane) {
  const String gone = WritePattern(L"gone.wav", 400);
  const String kept = WritePattern(L"kept.wav", 400);
  ASSERT_TRUE(form->OpenAudioFile(kept));
  ASSERT_TRUE(form->OpenAudioFile(gone));
  ASSERT_EQ(form->RecentFiles.PaneItems().front(), gone);
  form->ActionCloseFileExecute(form);
  ASSERT_TRUE(DeleteFile(gone));
  form->ApplicationMenuExtraPaneItemClick(0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, gone + L" was not found.");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(form->RecentFiles.PaneItems().front(), kept);
  form->ApplicationMenuExtraPaneItemClick(0);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(form->DocumentPath, kept);
}

TEST_F(ToolsTest, TheHandPointCursorIsTheSystemsHand) {
  EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
