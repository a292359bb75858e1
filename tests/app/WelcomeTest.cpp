// The welcome window: its recent-file labels, the six choices, a recent file deleted meanwhile, the
// start option, its picture (pixel probes) and its showing after the first show.

#include <filesystem>
#include <memory>

#include "app/Welcome.h"
#include "app/core/Globals.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"
#include "tests/support/WindowTestSupport.h"

namespace {

using WelcomeTest = CommandsTest;

void WriteRecentList(const String& folder, std::initializer_list<String> lines) {
  AnsiString text = "\xEF\xBB\xBF";
  for (const String& line : lines) text += Utf8Encode(line) + "\r\n";
  testing_support::WriteFileBytes(folder + L"MRUList.dat", text);
}

// Moves the picture beside the executable away for the life of the object.
class PictureAway {
 public:
  PictureAway() : picture_(ExtractFilePath(ParamStr(0)) + L"welcome.png"), away_(picture_ + L".away") {
    std::filesystem::rename(std::filesystem::path(picture_), std::filesystem::path(away_));
  }
  ~PictureAway() { std::filesystem::rename(std::filesystem::path(away_), std::filesystem::path(picture_)); }

 private:
  String picture_, away_;
};

std::unique_ptr<window_testing::DibSection> Snapshot(TForm* window) {
  auto dib = std::make_unique<window_testing::DibSection>(window->ClientWidth(), window->ClientHeight());
  window->PaintTo(dib->DC(), 0, 0);
  return dib;
}

TEST_F(WelcomeTest, TheRecentLabelsFollowTheListsFirstThreeLines) {
  struct TCase {
    std::initializer_list<String> Lines;
    bool Shown[4];  // lab1, lab2, lab3, labClear
  };
  const TCase cases[] = {
      {{}, {false, false, false, false}},
      {{L"C:\\music\\one.wav"}, {true, false, false, true}},
      {{L"C:\\music\\one.wav", L"D:\\two.mp3"}, {true, true, false, true}},
      {{L"C:\\music\\one.wav", L"D:\\two.mp3", L"E:\\x\\three.ogg", L"F:\\four.wav"}, {true, true, true, true}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Lines.size());
    WriteRecentList(dataFolder, c.Lines);
    std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
    TLabel* labels[] = {welcome->lab1, welcome->lab2, welcome->lab3, welcome->labClear};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(labels[i]->Visible(), c.Shown[i]) << i;
    if (c.Lines.size() >= 2) {
      EXPECT_EQ(welcome->lab2->Caption(), L"two.mp3");
      EXPECT_EQ(welcome->lab2->Hint(), L"D:\\two.mp3");
    }
  }
  DeleteFile(dataFolder + L"MRUList.dat");
  std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
  EXPECT_FALSE(welcome->lab1->Visible());
  EXPECT_EQ(welcome->Caption(), L"Welcome - Zentavo");
  EXPECT_EQ(welcome->LabelNew->Caption(), L"\r\r\r\r\rNew File...");
}

TEST_F(WelcomeTest, EachChoiceRunsItsCommand) {
  const String song = WritePattern(L"song.wav", 400);
  // 1: New File.
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->LabelNewClick(modal); });
  AcceptNextModalForm();  // the new-file prompt
  form->ShowWelcomeWindow();
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  // 3: Open File, answered with the song.
  dialogFiles = {song};
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->labMoreClick(modal); });
  form->ShowWelcomeWindow();
  EXPECT_EQ(form->DocumentPath, song);
  // 6: a recent file.
  form->ActionCloseFileExecute(form);
  OnNextModalForm([](TCustomForm* modal) {
    auto* welcome = static_cast<TWelcomeStartForm*>(modal);
    EXPECT_TRUE(welcome->lab1->Visible());
    welcome->lab1Click(welcome->lab1);
  });
  form->ShowWelcomeWindow();
  EXPECT_EQ(form->DocumentPath, song);
  // 5: Text To Speech opens its dialog (whatever voices the system has, it ends).
  bool speechShown = false;
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->LabelTexttoSpeechClick(modal); });
  OnNextModalForm([&](TCustomForm* modal) {
    speechShown = modal->Caption() == L"Synthesize Speech";
    modal->ModalResult = mrCancel;
  });
  const std::size_t boxesBefore = boxes.size();
  form->ShowWelcomeWindow();
  EXPECT_TRUE(speechShown || (boxes.size() == boxesBefore + 1 && boxes.back().Text == L"No Speech Engine detected."));
  modalScripts.clear();
  // 2 runs Record, which waits for its console: nothing happens yet.
  const std::size_t boxesBeforeRecord = boxes.size();
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->LabelNewRecordingClick(modal); });
  form->ShowWelcomeWindow();
  EXPECT_TRUE(modalScripts.empty());
  EXPECT_EQ(boxes.size(), boxesBeforeRecord);
  // 4 runs Load CD, which on a machine without a CD drive says so.
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->LabelLoadfromCDClick(modal); });
  form->ShowWelcomeWindow();
  EXPECT_TRUE(modalScripts.empty());
  ASSERT_EQ(boxes.size(), boxesBeforeRecord + 1);
  EXPECT_EQ(boxes.back().Text.rfind(L"No CD-ROM drivres have been detected.", 0), 0u) << Utf8Encode(boxes.back().Text);
  // Close chooses nothing.
  OnNextModalForm([](TCustomForm* modal) { static_cast<TWelcomeStartForm*>(modal)->ButtonClose->Click(); });
  form->ShowWelcomeWindow();
  EXPECT_EQ(form->DocumentPath, song);
}

TEST_F(WelcomeTest, ARecentFileDeletedMeanwhileIsReportedAndLeavesBothLists) {
  const String gone = WritePattern(L"gone.wav", 400);
  ASSERT_TRUE(form->OpenAudioFile(gone));
  form->ActionCloseFileExecute(form);
  DeleteFile(gone);
  OnNextModalForm([](TCustomForm* modal) {
    auto* welcome = static_cast<TWelcomeStartForm*>(modal);
    welcome->lab1Click(welcome->lab1);
  });
  form->ShowWelcomeWindow();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, gone + L" was not found.");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(form->RecentFiles.Items().empty());
  EXPECT_TRUE(form->RecentFiles.PaneItems().empty());
  std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
  EXPECT_FALSE(welcome->lab1->Visible());
}

TEST_F(WelcomeTest, TheCheckBoxAndItsLabelSetTheStartOption) {
  GlobalVars.ShowStartDialog = true;
  std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
  EXPECT_TRUE(welcome->CheckBoxShowAtStart->Checked());
  welcome->LabelShowAtStart->OnClick(welcome->LabelShowAtStart);
  EXPECT_FALSE(welcome->CheckBoxShowAtStart->Checked());
  EXPECT_FALSE(GlobalVars.ShowStartDialog);
  welcome->CheckBoxShowAtStart->SetChecked(true);
  welcome->CheckBoxShowAtStartClick(welcome->CheckBoxShowAtStart);
  EXPECT_TRUE(GlobalVars.ShowStartDialog);
  welcome->labClearClick(welcome.get());
  EXPECT_FALSE(welcome->labClear->Visible());
}

TEST_F(WelcomeTest, ThePictureFillsTheTilesAndWithoutItTheFormColourShows) {
  const POINT insideTile{20 + 52, 88 + 20};
  {
    std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
    welcome->Show();
    const auto dib = Snapshot(welcome.get());
    const DWORD pixel = dib->Pixel(insideTile.x, insideTile.y);
    const DWORD face = ColorToRGB(welcome->Color());
    const DWORD faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    EXPECT_NE(pixel, faceRgb);
    EXPECT_FALSE(welcome->ImageMain->Picture()->Graphic() == nullptr);
  }
  PictureAway away;
  std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(form));
  welcome->Show();
  const auto dib = Snapshot(welcome.get());
  const DWORD face = ColorToRGB(welcome->Color());
  const DWORD faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
  EXPECT_EQ(dib->Pixel(insideTile.x, insideTile.y), faceRgb);
  EXPECT_EQ(dib->Pixel(300, 330), faceRgb);
}

TEST_F(WelcomeTest, TheFirstShowOpensItOnlyWhenAskedAndWithoutAFileArgument) {
  GlobalVars.ShowStartDialog = true;
  bool shown = false;
  OnNextModalForm([&](TCustomForm* modal) {
    shown = dynamic_cast<TWelcomeStartForm*>(modal) != nullptr;
    modal->ModalResult = mrCancel;
  });
  form->TimerAfterShowTimer(form);
  // A command-line argument (this test's own, when it has one) keeps the window away.
  EXPECT_EQ(shown, ParamCount() == 0);
  modalScripts.clear();
  GlobalVars.ShowStartDialog = false;
  form->TimerAfterShowTimer(form);
  EXPECT_EQ(modalScripts.size(), 0u);
}

}  // namespace
