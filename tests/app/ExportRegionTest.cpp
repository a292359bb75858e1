// Region export: the file names, the order rows are written in, the format set-up of each row,
// the folder check and the dialog's load and store steps.

#include "app/ExportFileNames.h"
#include "app/ExportRegion.h"
#include "app/MarkerNamePrompt.h"
#include "app/Regions.h"
#include "app/core/Globals.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/WavFixture.h"

namespace {

TEST(ExportFileNames, RegionNamesBecomeSafeFileNames) {
  struct TCase {
    const wchar_t* Folder;
    const wchar_t* Name;
    int Format;
    const wchar_t* Path;
  };
  const TCase cases[] = {
      {L"C:\\Out", L"Intro: take 1/2", 1, L"C:\\Out\\Intro_ take 1_2.mp3"},
      {L"C:\\Out\\", L"a*b?c", 0, L"C:\\Out\\a_b_c.wav"},
      {L"C:\\Out", L"CON", 2, L"C:\\Out\\CON_.ogg"},
      {L"C:\\Out", L"lpt3", 3, L"C:\\Out\\lpt3_.wma"},
      {L"C:\\Out", L"nul.take", 0, L"C:\\Out\\nul_.take.wav"},
      {L"C:\\Out", L"COM0", 0, L"C:\\Out\\COM0.wav"},
      {L"C:\\Out", L"CONSOLE", 0, L"C:\\Out\\CONSOLE.wav"},
      {L"C:\\Out", L"end. ", 0, L"C:\\Out\\end__.wav"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ExportRegionPath(c.Folder, c.Name, ExportFormatExtension(c.Format)), c.Path);
  EXPECT_EQ(ExportFormatExtension(4), L"");
  EXPECT_EQ(ExportFormatFileType(3), 11);
}

class ExportRegionTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    OpenPattern(L"song.wav", 4000);
    outFolder = scratch.File(L"out");
    CreateDir(outFolder);
  }
  void AddRegion(std::int64_t from, std::int64_t to, const String& name) {
    Select(from, to);
    OnNextModalForm([name](TCustomForm* modal) {
      auto* prompt = dynamic_cast<TAddRegionOrBookmarkForm*>(modal);
      prompt->EditName->SetText(name);
      prompt->ButtonOK->Click();
    });
    form->ActionAddRegionExecute(form);
  }
  void SelectAllRows() {
    TListItems* items = RegionForm->List()->Items();
    for (int i = 0; i < items->Count(); ++i) items->Item(i)->SetSelected(true);
  }
  // The calls of the export, in order.
  std::vector<String> Export(int format) {
    GlobalVars.ExportFolder = outFolder;
    GlobalVars.ExportFormat = format;
    AudioCallLog::Enable(true);
    AudioCallLog::Clear();
    try {
      RegionForm->ExportSelectedRows();
    } catch (const std::exception&) {
      failed = true;
    }
    std::vector<String> calls = AudioCallLog::Lines();
    AudioCallLog::Enable(false);
    return calls;
  }
  static std::vector<String> Matching(const std::vector<String>& calls, const wchar_t* part) {
    std::vector<String> found;
    for (const String& call : calls)
      if (call.find(part) != String::npos) found.push_back(call);
    return found;
  }

  String outFolder;
  bool failed = false;
};

TEST_F(ExportRegionTest, RowsAreWrittenFromTheBottomRowToTheTopAndReadBackAsTheRegion) {
  AddRegion(100, 600, L"a");
  AddRegion(1000, 1250, L"b");
  AddRegion(2000, 2100, L"c");
  RegionForm->ColumnClick(0);  // descending: c, b, a
  SelectAllRows();
  const std::vector<String> saves = Matching(Export(0), L"SaveRangeAs");
  ASSERT_EQ(saves.size(), 3u);
  EXPECT_NE(saves[0].find(outFolder + L"\\a.wav"), String::npos) << saves[0];
  EXPECT_NE(saves[1].find(outFolder + L"\\b.wav"), String::npos) << saves[1];
  EXPECT_NE(saves[2].find(outFolder + L"\\c.wav"), String::npos) << saves[2];
  EXPECT_EQ(SelectionStart(), 2000) << "the last region written is the top row";
  EXPECT_EQ(SelectionEnd(), 2100);
  EXPECT_FALSE(form->IsModified());
  EXPECT_TRUE(RegionForm->List()->Enabled());

  const TWavContent b = ReadWav(outFolder + L"\\b.wav");
  ASSERT_EQ(b.Frames(), 250);
  ASSERT_EQ(b.Channels, 2);
  for (int frame = 0; frame < 250; ++frame)
    for (int channel = 0; channel < 2; ++channel)
      ASSERT_EQ(b.Samples[frame * 2 + channel], PatternSample(1000 + frame, channel)) << frame;
}

TEST_F(ExportRegionTest, EachFormatUsesItsOwnSetUp) {
  AddRegion(100, 600, L"a");
  SelectAllRows();
  const std::vector<String> wma = Export(3);
  const std::vector<String> formatCalls = Matching(wma, L"TAudioEditor2.FileFormat.");
  ASSERT_FALSE(formatCalls.empty());
  for (const String& call : formatCalls) EXPECT_NE(call.find(L"SetWmaProfile"), String::npos) << call;
  const std::vector<String> saves = Matching(wma, L"SaveRangeAs");
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_NE(saves[0].find(L"a.wma, -1, 11)"), String::npos) << saves[0];

  EXPECT_TRUE(Matching(Export(7), L"SaveRangeAs").empty()) << "no format outside the list";
}

TEST_F(ExportRegionTest, AMissingOrEmptyFolderIsReportedAndNothingWritten) {
  AddRegion(100, 600, L"a");
  SelectAllRows();
  for (const String& folder : {String(), scratch.File(L"missing")}) {
    GlobalVars.ExportFolder = folder;
    GlobalVars.ExportFormat = 0;
    boxes.clear();
    AudioCallLog::Enable(true);
    AudioCallLog::Clear();
    RegionForm->ExportSelectedRows();
    const std::vector<String> saves = Matching(AudioCallLog::Lines(), L"SaveRangeAs");
    AudioCallLog::Enable(false);
    EXPECT_TRUE(saves.empty());
    ASSERT_EQ(ErrorBoxes(), 1);
    if (!folder.empty()) {
      EXPECT_NE(boxes[0].Text.find(folder), String::npos) << boxes[0].Text;
    }
  }
}

TEST_F(ExportRegionTest, TheDialogLoadsAndStoresFolderAndFormat) {
  AddRegion(100, 600, L"take");
  SelectAllRows();
  GlobalVars.ExportFolder = outFolder;
  GlobalVars.ExportFormat = 1;
  String shownFolder;
  int shownFormat = -1;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TExportRegionForm*>(modal);
    shownFolder = dialog->EditFolder->Text();
    shownFormat = dialog->ComboBoxFormat->ItemIndex();
    dialog->ComboBoxFormat->SetItemIndex(0);
    dialog->ModalResult = mrOk;
  });
  RegionForm->ActionExportExecute(RegionForm);
  EXPECT_EQ(shownFolder, outFolder);
  EXPECT_EQ(shownFormat, 1);
  EXPECT_EQ(GlobalVars.ExportFormat, 0);
  EXPECT_TRUE(FileExists(outFolder + L"\\take.wav"));
}

}  // namespace
