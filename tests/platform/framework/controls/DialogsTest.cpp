#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/base/Utf8.h"

namespace {

// Answers every dialog of a test; a dialog the test did not expect fails it.
class NoUnansweredDialogs : public testing::Environment {
 public:
  void SetUp() override {
    SetDialogAnswerer([](const TDialogRequest& request) {
      ADD_FAILURE() << "unexpected dialog: " << Utf8Encode(request.Title);
      return TDialogAnswer{};
    });
  }
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new NoUnansweredDialogs);

class Answering {
 public:
  explicit Answering(TDialogAnswer answer)
      : saved_(SetDialogAnswerer([this, answer](const TDialogRequest& request) {
          Requests.push_back(request);
          return answer;
        })) {}
  ~Answering() { SetDialogAnswerer(saved_); }
  std::vector<TDialogRequest> Requests;

 private:
  TDialogAnswerer saved_;
};

const wchar_t kOpenFilter[] =
    L"All Supported Formats|*.wav;*.mp3|Wave Files (*.wav)|*.wav|MPEG Layer 3 Files (*.mp3;*.mp2;*.mpga)|*.mp3;*.mp2;*.mpga";

TEST(DialogsTest, OpenDialogPassesItsSettingsAndTakesEveryChosenFile) {
  TOpenDialog dialog(nullptr);
  dialog.Filter = kOpenFilter;
  dialog.InitialDir = L"C:\\Music";
  dialog.Options = {ofFileMustExist, ofPathMustExist, ofAllowMultiSelect, ofHideReadOnly};
  TDialogAnswer answer;
  answer.Ok = true;
  answer.Files = {L"C:\\Music\\a.wav", L"C:\\Music\\b.mp3"};
  answer.FilterIndex = 2;
  Answering answering(answer);
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(answering.Requests.size(), 1u);
  const TDialogRequest& request = answering.Requests[0];
  EXPECT_EQ(request.Kind, TDialogKind::Open);
  EXPECT_EQ(request.Filter, kOpenFilter);
  EXPECT_EQ(request.InitialDir, L"C:\\Music");
  EXPECT_TRUE(request.Options.Contains(ofFileMustExist) && request.Options.Contains(ofPathMustExist) &&
              request.Options.Contains(ofAllowMultiSelect));
  ASSERT_EQ(dialog.Files()->Count(), 2);
  EXPECT_EQ(dialog.Files()->Strings(1), L"C:\\Music\\b.mp3");
  EXPECT_EQ(dialog.FileName, L"C:\\Music\\a.wav");
  EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST(DialogsTest, SaveDialogAsksWithOverwritePromptAndACancelKeepsTheName) {
  TSaveDialog dialog(nullptr);
  dialog.Filter = L"Wave (*.wav)|*.wav|OGG Vorbis (*.ogg)|*.ogg";
  dialog.DefaultExt = L".wav";
  dialog.FileName = L"C:\\Out\\Untitled";
  dialog.Options = {ofOverwritePrompt, ofPathMustExist};
  Answering answering(TDialogAnswer{});
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(answering.Requests.size(), 1u);
  EXPECT_EQ(answering.Requests[0].Kind, TDialogKind::Save);
  EXPECT_EQ(answering.Requests[0].DefaultExt, L".wav");
  EXPECT_EQ(answering.Requests[0].FileName, L"C:\\Out\\Untitled");
  EXPECT_TRUE(answering.Requests[0].Options.Contains(ofOverwritePrompt));
  EXPECT_EQ(dialog.FileName, L"C:\\Out\\Untitled");
}

TEST(DialogsTest, SelectDirectoryPassesTheCallersFlagsAndInitialFolder) {
  TDialogAnswer answer;
  answer.Ok = true;
  answer.Folder = L"D:\\Recordings";
  Answering answering(answer);
  String folder = L"unchanged";
  ASSERT_TRUE(SelectDirectory(L"Choose the output folder", L"C:\\Music", 65, folder));
  EXPECT_EQ(folder, L"D:\\Recordings");
  ASSERT_EQ(answering.Requests.size(), 1u);
  EXPECT_EQ(answering.Requests[0].Kind, TDialogKind::Folder);
  EXPECT_EQ(answering.Requests[0].Flags, 65u);
  EXPECT_EQ(answering.Requests[0].InitialDir, L"C:\\Music");
  EXPECT_EQ(answering.Requests[0].Title, L"Choose the output folder");
}

TEST(DialogsTest, ColorDialogTakesTheAnsweredColour) {
  TColorDialog dialog(nullptr);
  dialog.Color = clRed;
  TDialogAnswer answer;
  answer.Ok = true;
  answer.Color = static_cast<TColor>(0x123456);
  Answering answering(answer);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(answering.Requests[0].Color, clRed);
  EXPECT_EQ(dialog.Color, static_cast<TColor>(0x123456));
}

TEST(DialogsTest, MultiSelectBufferSplitsIntoFullPaths) {
  const wchar_t several[] = L"C:\\Long folder name\0first file.wav\0second.mp3\0";
  EXPECT_EQ(SplitOpenDialogResult(several),
            (std::vector<String>{L"C:\\Long folder name\\first file.wav", L"C:\\Long folder name\\second.mp3"}));
  const wchar_t one[] = L"C:\\Music\\only.wav\0";
  EXPECT_EQ(SplitOpenDialogResult(one), std::vector<String>{L"C:\\Music\\only.wav"});
  const wchar_t root[] = L"C:\\\0a.wav\0b.wav\0";
  EXPECT_EQ(SplitOpenDialogResult(root), (std::vector<String>{L"C:\\a.wav", L"C:\\b.wav"}));
}

}  // namespace
