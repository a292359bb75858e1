// The main window with the real editor control, under Xvfb: documents, the save prompt, recent
// files, dropped files, the restored view and the brand check of the creation step.

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "app/DocumentDialogSteps.h"
#include "app/MainForm.h"
#include "app/OutputFormats.h"
#include "app/core/Globals.h"
#include "app/core/SampleRates.h"
#include "app/core/Paths.h"
#include "app/core/SettingsFile.h"
#include "app/core/ShellNamespace.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"
#include "tests/app/WavFixture.h"
#include "ui/skins/windows/DialogSkin.h"
#include "ui/skins/windows/MenuWnd.h"
#include "tests/support/TestSupport.h"

using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

namespace {

constexpr wchar_t kBrand[] = L"Zentavo";

struct TShownBox {
  String Text;
  String Caption;
  UINT Flags;
};

void RemoveFolder(const String& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder), ignored);
}

// A shell drop of the given paths, as the shell hands it over.
HDROP MakeDrop(const std::vector<String>& paths) {
  std::size_t chars = 1;
  for (const String& path : paths) chars += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(drop + 1);
  for (const String& path : paths) {
    std::copy(path.begin(), path.end(), text);
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class MainFormTest : public testing::Test {
 protected:
  void SetUp() override {
    Application->SetTitle(kBrand);
    dataFolder = AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + kBrand);
    RemoveFolder(dataFolder);
    previousBoxes = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
      boxes.push_back({text, caption, flags});
      if (answers.empty()) return IDOK;
      const int answer = answers.front();
      answers.erase(answers.begin());
      return answer;
    });
    previousDialogs = SetDialogAnswerer([this](const TDialogRequest& request) {
      dialogs.push_back(request);
      TDialogAnswer answer;
      if (!dialogFiles.empty()) {
        answer.Ok = true;
        answer.Files = {dialogFiles.front()};
        dialogFiles.erase(dialogFiles.begin());
      }
      return answer;
    });
    // Modal forms (the new-file prompt, the format dialogs of the save routine) close with the
    // answer queued in modalAnswers, OK when none is; their class names are kept.
    previousDriver = SetModalDriver([this](const TModalLoop& loop) {
      auto* modal = dynamic_cast<TCustomForm*>(FindControl(loop.Window));
      if (!modal) return loop.End();
      modalForms.push_back(modal->ClassName());
      modal->ModalResult = mrOk;
      if (!modalAnswers.empty()) {
        modal->ModalResult = modalAnswers.front();
        modalAnswers.erase(modalAnswers.begin());
      }
    });
  }

  void TearDown() override {
    delete form;
    SetModalDriver(previousDriver);
    SetMessageBoxAnswerer(previousBoxes);
    SetDialogAnswerer(previousDialogs);
    RemoveFolder(dataFolder);
  }

  TMainForm* Create() {
    form = new TMainForm(Application);
    return form;
  }

  String Wav(const wchar_t* name, int frames = 4000, int rate = 44100, int channels = 2) {
    const String path = scratch.File(name);
    WritePatternWav(path, rate, channels, frames);
    return path;
  }

  int ErrorBoxes() const {
    int count = 0;
    for (const TShownBox& box : boxes) count += (box.Flags & MB_ICONERROR) ? 1 : 0;
    return count;
  }

  ScratchFolder scratch;
  String dataFolder;
  TMainForm* form = nullptr;
  std::vector<TShownBox> boxes;
  std::vector<int> answers;
  std::vector<TDialogRequest> dialogs;
  std::vector<String> dialogFiles;
  std::vector<String> modalForms;
  std::vector<TModalResult> modalAnswers;
  TMessageBoxAnswerer previousBoxes;
  TDialogAnswerer previousDialogs;
  TModalScript previousDriver;
};

// ---- Opening -------------------------------------------------------------------------------------

TEST_F(MainFormTest, OpeningAFileNamesItMarksItCleanAndListsIt) {
  Create();
  const String path = Wav(L"song.wav");
  ASSERT_TRUE(form->OpenAudioFile(path));
  const String format = form->AudioEditor->FileInfo()->GetFormatText();
  EXPECT_EQ(form->DocumentName(), path + L" - [ " + format + L" ]");
  EXPECT_EQ(form->Caption(), form->DocumentName() + L" - " + form->BaseCaption());
  EXPECT_EQ(form->DocumentPath, path);
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(GlobalVars.LastOpenDir, ExcludeTrailingPathDelimiter(scratch.Path()));
  EXPECT_EQ(form->RecentFiles.Items(), std::vector<String>{path});
  EXPECT_EQ(form->AudioEditor->Position()->GetLength(), 4000);
  TStringList saved;
  saved.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_EQ(saved.Count(), 1);
  EXPECT_EQ(saved[0], path);
}

TEST_F(MainFormTest, AFailedOpenShowsTheErrorAndChangesNothing) {
  Create();
  const String good = Wav(L"good.wav", 1234);
  ASSERT_TRUE(form->OpenAudioFile(good));
  form->SetModified(true);
  const String name = form->DocumentName();
  const String lastDir = GlobalVars.LastOpenDir;
  const String bad = scratch.File(L"sub\\broken.wav");
  CreateDir(scratch.File(L"sub"));
  WriteFileBytes(bad, "RIFF\x04\x00\x00\x00WAVEjunk");
  answers = {IDNO};  // the save prompt

  EXPECT_FALSE(form->OpenAudioFile(bad));
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes.back().Caption, String(kBrand));
  EXPECT_EQ(form->DocumentPath, good);
  EXPECT_EQ(form->DocumentName(), name);
  EXPECT_EQ(GlobalVars.LastOpenDir, lastDir);
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(form->RecentFiles.Items(), std::vector<String>{good});
  EXPECT_EQ(form->AudioEditor->Position()->GetLength(), 1234);
}

TEST_F(MainFormTest, CancellingTheSavePromptKeepsTheDocument) {
  Create();
  const String first = Wav(L"first.wav");
  ASSERT_TRUE(form->OpenAudioFile(first));
  form->SetModified(true);
  answers = {IDCANCEL};
  EXPECT_FALSE(form->OpenAudioFile(Wav(L"second.wav")));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Do you want to save the changes you made to \"" + first + L"\"?");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(form->DocumentPath, first);
}

// ---- New and save --------------------------------------------------------------------------------

TEST_F(MainFormTest, NewFileMakesAnUntitledDocumentOfTheDefaultFormat) {
  Create();
  GlobalVars.OP_PromptNewFile = false;
  form->ActionNewFileExecute(form);
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  EXPECT_TRUE(form->DocumentOpen);
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetSampleRate(), 44100);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetChannels(), 2);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetTitle(), L"Untitled");
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetArtist(), L"Unknown Artist");
  EXPECT_EQ(form->DocumentName().rfind(L"Untitled - [ ", 0), 0u);
  EXPECT_TRUE(form->RecentFiles.Items().empty());
}

// With the prompt on, New File asks for rate and channels in the new-file dialog; Cancel ends the
// command before anything is created.
TEST_F(MainFormTest, NewFileWithThePromptOnAsksAndCancelCreatesNothing) {
  Create();
  GlobalVars.OP_PromptNewFile = true;
  GlobalVars.OP_DefSample = 22050;
  GlobalVars.OP_DefChannel = 1;
  modalAnswers = {mrCancel};
  form->ActionNewFileExecute(form);
  EXPECT_EQ(modalForms, std::vector<String>{L"TNewFileForm"});
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_TRUE(form->DocumentPath.empty());

  form->ActionNewFileExecute(form);  // OK on the record's choice: index 3 and stereo
  EXPECT_EQ(modalForms.size(), 2u);
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetSampleRate(), 44100);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetChannels(), 2);
}

TEST_F(MainFormTest, SaveAsWritesEverySampleAndRenamesTheDocument) {
  Create();
  const String source = Wav(L"source.wav", 5000);
  ASSERT_TRUE(form->OpenAudioFile(source));
  form->SetModified(true);
  const String target = scratch.File(L"copy.wav");
  dialogFiles = {target};
  form->ActionSaveAsExecute(form);

  EXPECT_EQ(modalForms, std::vector<String>{L"TWaveFormatForm"});
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].Kind, TDialogKind::Save);
  EXPECT_EQ(dialogs[0].FileName, RemoveExtension(source));
  const TWavContent written = ReadWav(target);
  EXPECT_EQ(written.SampleRate, 44100);
  EXPECT_EQ(written.Channels, 2);
  EXPECT_EQ(written.Bits, 16);
  EXPECT_EQ(written.Samples, ReadWav(source).Samples);
  EXPECT_EQ(form->DocumentPath, target);
  EXPECT_EQ(form->DocumentName(), target);
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(form->RecentFiles.Items(), (std::vector<String>{target, source}));
}

// The document keeps its name until the new file is written: a failed write names no file.
TEST_F(MainFormTest, ASaveAsWhoseWriteFailsKeepsTheDocumentAsItWas) {
  Create();
  const String source = Wav(L"kept.wav");
  ASSERT_TRUE(form->OpenAudioFile(source));
  form->SetModified(true);
  const String name = form->DocumentName();
  dialogFiles = {scratch.File(L"never.wav")};
  form->AudioEditor->Engine().InjectFailure(L"SaveRangeAs", L"injected");

  EXPECT_FALSE(form->SaveAudioFile(true, false));
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(form->DocumentPath, source);
  EXPECT_EQ(form->DocumentName(), name);
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(form->RecentFiles.Items(), std::vector<String>{source});
}

TEST_F(MainFormTest, ASelectionSavedToItsOwnFileLeavesTheDocumentAsItWas) {
  Create();
  const String source = Wav(L"whole.wav", 5000);
  ASSERT_TRUE(form->OpenAudioFile(source));
  form->SetModified(true);
  form->AudioEditor->Position()->SetSelectionStart(1000);
  form->AudioEditor->Position()->SetSelectionEnd(3000);
  const String part = scratch.File(L"part.wav");
  dialogFiles = {part};

  EXPECT_TRUE(form->SaveAudioFile(true, true));
  const TWavContent written = ReadWav(part);
  ASSERT_EQ(written.Frames(), 2000);
  const std::vector<std::int16_t> whole = ReadWav(source).Samples;
  EXPECT_TRUE(std::equal(written.Samples.begin(), written.Samples.end(), whole.begin() + 2000));
  EXPECT_EQ(form->DocumentPath, source);
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(form->RecentFiles.Items().front(), part);
}

TEST_F(MainFormTest, SaveFileOfANameThatIsNoOutputFormatAsksForANewName) {
  Create();
  ASSERT_TRUE(form->OpenAudioFile(Wav(L"track.wav")));
  form->DocumentPath = scratch.File(L"track.aiff");
  form->ActionSaveFileExecute(form);  // the dialog is cancelled
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].FileName, scratch.File(L"track"));
  EXPECT_FALSE(FileExists(scratch.File(L"track.aiff")));

  dialogFiles = {scratch.File(L"other.aiff")};
  EXPECT_FALSE(form->SaveAudioFile(false, false));
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_NE(boxes.back().Text.find(L".wav, .mp3, .ogg or .wma"), String::npos);
  EXPECT_FALSE(FileExists(scratch.File(L"other.aiff")));
  EXPECT_EQ(form->DocumentPath, scratch.File(L"track.aiff"));
}

// ---- Close query ---------------------------------------------------------------------------------

TEST_F(MainFormTest, CloseQueryFollowsTheAnswer) {
  Create();
  form->ActionNewFileExecute(form);
  form->SetModified(true);
  struct Case {
    int Answer;
    std::vector<String> Dialog;
    bool CanClose;
  } cases[] = {
      {IDCANCEL, {}, false},
      {IDNO, {}, true},
      {IDYES, {}, false},  // the save dialog is cancelled
      {IDYES, {scratch.File(L"kept.wav")}, true},
  };
  for (const Case& c : cases) {
    answers = {c.Answer};
    dialogFiles = c.Dialog;
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_EQ(canClose, c.CanClose) << c.Answer;
  }
  EXPECT_TRUE(FileExists(scratch.File(L"kept.wav")));
  EXPECT_FALSE(form->IsModified());
}

// ---- Steps around the document dialogs ----------------------------------------------------------

TEST_F(MainFormTest, NewFileChoiceComesFromAndGoesBackToTheRecord) {
  Create();
  GlobalVars.DefNewFileSampleRate = 3;
  GlobalVars.DefNewFileChannels = 0;
  const TNewFileChoice start = NewFileChoiceOf(GlobalVars);
  EXPECT_EQ(start.RateIndex, 3);
  EXPECT_FALSE(start.Mono);
  int rate = 0, channels = 0;
  AcceptNewFileChoice({9, true}, GlobalVars, rate, channels);
  EXPECT_EQ(rate, 11025);
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(GlobalVars.DefNewFileSampleRate, 9);
  EXPECT_EQ(GlobalVars.DefNewFileChannels, 1);
}

TEST_F(MainFormTest, SampleRateConversionPreselectsAndConverts) {
  Create();
  EXPECT_EQ(ConversionSampleRateOfIndex(ConversionRateIndexOf(24000)), 44100);
  EXPECT_EQ(ConversionSampleRateOfIndex(ConversionRateIndexOf(22050)), 22050);
  ASSERT_TRUE(form->OpenAudioFile(Wav(L"convert.wav", 4410)));
  ConvertDocumentFormat(*form, ConversionRateIndexOf(11025), true);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetSampleRate(), 11025);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetChannels(), 1);
  EXPECT_TRUE(form->IsModified());
}

TEST_F(MainFormTest, TagsWithAYearThatIsNoNumberWriteNothing) {
  Create();
  form->ActionNewFileExecute(form);
  TTagTexts tags = DocumentTagsOf(*form->AudioEditor);
  EXPECT_EQ(tags.Title, L"Untitled");
  tags.Title = L"Song";
  tags.Artist = L"Band";
  tags.Year = L"19x9";
  EXPECT_FALSE(AcceptDocumentTags(*form, tags));
  EXPECT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(form->AudioEditor->FileInfo()->GetTitle(), L"Untitled");
  EXPECT_FALSE(form->IsModified());

  tags.Year = L"1999";
  tags.Genre = 17;
  tags.Comment = L"live";
  EXPECT_TRUE(AcceptDocumentTags(*form, tags));
  const TTagTexts written = DocumentTagsOf(*form->AudioEditor);
  EXPECT_EQ(written.Title, L"Song");
  EXPECT_EQ(written.Artist, L"Band");
  EXPECT_EQ(written.Year, L"1999");
  EXPECT_EQ(written.Genre, 17);
  EXPECT_EQ(written.Comment, L"live");
  EXPECT_TRUE(form->IsModified());

  tags.Genre = -1;  // nothing chosen in the genre list
  EXPECT_TRUE(AcceptDocumentTags(*form, tags));
  EXPECT_EQ(DocumentTagsOf(*form->AudioEditor).Genre, 17);
}

TEST_F(MainFormTest, OptionsApplyTheTemporaryFolder) {
  Create();
  GlobalVars.OP_UseDefFolder = false;
  GlobalVars.OP_WorkingFolder = scratch.Path();
  AcceptOptions(*form);
  EXPECT_EQ(AddTrailingBackslash(form->AudioEditor->TempDirectory()), scratch.Path());
  GlobalVars.OP_UseDefFolder = true;
  AcceptOptions(*form);
  EXPECT_EQ(AddTrailingBackslash(form->AudioEditor->TempDirectory()), dataFolder);
}

// ---- Recent files --------------------------------------------------------------------------------

TEST_F(MainFormTest, AClickOnAMissingRecentFileReportsAndRemovesIt) {
  Create();
  const String kept = Wav(L"kept.wav");
  const String gone = Wav(L"gone.wav");
  ASSERT_TRUE(form->OpenAudioFile(gone));
  ASSERT_TRUE(form->OpenAudioFile(kept));  // the editor lets go of the first file
  ASSERT_TRUE(DeleteFile(gone));
  form->dxBarMRUFilesClick(1);
  ASSERT_EQ(ErrorBoxes(), 1);
  EXPECT_EQ(boxes.back().Text, gone + L" was not found.");
  EXPECT_EQ(form->RecentFiles.Items(), std::vector<String>{kept});
  EXPECT_EQ(form->RecentFiles.PaneItems(), (std::vector<String>{kept, gone}));
  EXPECT_EQ(form->DocumentPath, kept);
}

TEST_F(MainFormTest, TheFileMenuListsTheRecentFiles) {
  Create();
  const String a = Wav(L"a&b.wav"), b = Wav(L"b.wav");
  ASSERT_TRUE(form->OpenAudioFile(a));
  ASSERT_TRUE(form->OpenAudioFile(b));
  std::vector<String> shown;
  for (int i = 0; i < form->MenuFile->Count(); ++i) {
    TMenuItem* item = form->MenuFile->Items(i);
    if (item->Visible() && !item->IsLine() && !item->Action()) shown.push_back(item->Caption());
  }
  EXPECT_EQ(shown, (std::vector<String>{L"&1 " + b, L"&2 " + StringReplace(a, L"&", L"&&", rfReplaceAll)}));
}

// ---- Dropped files -------------------------------------------------------------------------------

TEST_F(MainFormTest, OnlyADropOfOneSupportedFileOpensIt) {
  Create();
  const String a = Wav(L"a.wav"), b = Wav(L"b.wav");
  const String text = scratch.File(L"notes.txt");
  WriteFileBytes(text, "hello");
  struct Case {
    std::vector<String> Dropped;
    const wchar_t* Opened;
  } cases[] = {
      {{a, b}, L""},
      {{ExcludeTrailingPathDelimiter(scratch.Path())}, L""},
      {{text}, L""},
      {{scratch.File(L"missing.wav")}, L""},
      {{b}, L"b.wav"},
  };
  for (const Case& c : cases) {
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.Dropped)), 0);
    EXPECT_EQ(ExtractFileName(form->DocumentPath), String(c.Opened)) << c.Dropped.front();
  }
  EXPECT_EQ(ErrorBoxes(), 0);
}

// ---- Services and hooks --------------------------------------------------------------------------

TEST_F(MainFormTest, SelectAllIfEmptySelectsTheWholeDocumentOnlyWhenNothingIsSelected) {
  Create();
  ASSERT_TRUE(form->OpenAudioFile(Wav(L"select.wav", 3000)));
  IAudioEditor2Position* position = form->AudioEditor->Position();
  position->SetCursorPosition(700);
  form->SelectAllIfEmpty();
  EXPECT_EQ(position->GetSelectionStart(), 0);
  EXPECT_EQ(position->GetSelectionEnd(), 3000);
  position->SetSelectionStart(100);
  position->SetSelectionEnd(200);
  form->SelectAllIfEmpty();
  EXPECT_EQ(position->GetSelectionStart(), 100);
  EXPECT_EQ(position->GetSelectionEnd(), 200);
}

TEST_F(MainFormTest, TheMessageHookSwallowsRightPressAndDoubleClickOnTheEditorOnly) {
  Create();
  const HWND editor = form->AudioEditor->Handle();
  struct Case {
    HWND Window;
    UINT Message;
    bool Handled;
  } cases[] = {
      {editor, WM_RBUTTONDOWN, true},   {editor, WM_LBUTTONDBLCLK, true}, {editor, WM_RBUTTONUP, false},
      {editor, WM_LBUTTONDOWN, false},  {form->Handle(), WM_RBUTTONDOWN, false},
      {form->PanelMain->Handle(), WM_LBUTTONDBLCLK, false},
  };
  for (const Case& c : cases) {
    MSG msg{};
    msg.hwnd = c.Window;
    msg.message = c.Message;
    bool handled = false;
    Application->OnMessage(msg, handled);
    EXPECT_EQ(handled, c.Handled) << c.Message;
  }
}

TEST_F(MainFormTest, TheEndScrollBarStandsAboveTheStartScrollBar) {
  Create();
  form->HandleNeeded();
  EXPECT_LT(form->ScrollBarEnd->Top(), form->ScrollBarStart->Top());
  EXPECT_EQ(form->ScrollBarEnd->Max(), 65535);
  EXPECT_EQ(form->AudioEditor->Top() + form->AudioEditor->Height(), form->ScrollBarEnd->Top());
}

TEST_F(MainFormTest, TheVersionBoxIsCentredOverTheWindowAndAClickClosesIt) {
  Create();
  form->SetBounds(100, 80, 1000, 560);
  RECT shown{};
  bool overran = false;
  SetModalTimeLimit(5000, [&](const TModalLoop&) { overran = true; });
  const TModalScript previous = SetModalDriver([&](const TModalLoop& loop) {
    GetWindowRect(loop.Window, &shown);
    SendMessageW(loop.Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(loop.Window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  });
  form->ActionAboutExecute(form);
  SetModalDriver(previous);
  SetModalTimeLimit(0, nullptr);
  EXPECT_FALSE(overran);
  const int width = shown.right - shown.left, height = shown.bottom - shown.top;
  EXPECT_EQ(shown.left, 100 + (1000 - width) / 2);
  EXPECT_EQ(shown.top, 80 + (560 - height) / 2);
}

// ---- View ----------------------------------------------------------------------------------------

TEST_F(MainFormTest, WithoutViewKeysTheDefaultViewIsRestored) {
  Create();
  EXPECT_TRUE(form->ActionWaveformMode->Checked());
  EXPECT_FALSE(form->ActionSpectralMode->Checked());
  EXPECT_TRUE(form->ActionHorizontalFormatDecimcal->Checked());
  EXPECT_TRUE(form->ActionVerticalFormatDecibel->Checked());
  EXPECT_TRUE(form->ActionHorizontalFormatVisible->Checked());
  EXPECT_TRUE(form->ActionVerticalFormatVisiable->Checked());
  EXPECT_EQ(form->AudioEditor->TypeView(), 0);
  EXPECT_NE(form->AudioEditor->ScaleX()->GetVisible(), 0);
  EXPECT_EQ(form->AudioEditor->TypeBorder(), 4);
  EXPECT_EQ(form->AudioEditor->Colors()->GetColor(20), static_cast<TColor>(0x0000FF));
  TIniFile settings(SettingsFilePath());
  EXPECT_EQ(settings.ReadString(L"Horizontal", L"Format", L""), L"2");
  EXPECT_EQ(settings.ReadString(L"Vertical", L"Format", L""), L"3");
  EXPECT_EQ(settings.ReadString(L"WaveMode", L"Mode", L""), L"1");
}

TEST_F(MainFormTest, AnUnknownFormatChecksNothingAndStaysInTheFile) {
  ForceDirectories(dataFolder);
  {
    TIniFile settings(dataFolder + L"system.dat");
    settings.WriteInteger(L"Horizontal", L"Format", 7);
    settings.WriteInteger(L"WaveMode", L"Mode", 2);
    settings.WriteBool(L"Vertical", L"Visible", false);
  }
  Create();
  EXPECT_FALSE(form->ActionHorizontalFormatDecimcal->Checked());
  EXPECT_FALSE(form->ActionHorizontalFormatSample->Checked());
  EXPECT_TRUE(form->ActionSpectralMode->Checked());
  EXPECT_EQ(form->AudioEditor->TypeView(), 1);
  EXPECT_FALSE(form->ActionVerticalFormatVisiable->Checked());
  EXPECT_EQ(form->AudioEditor->ScaleY()->GetVisible(), 0);
  TIniFile settings(SettingsFilePath());
  EXPECT_EQ(settings.ReadInteger(L"Horizontal", L"Format", 0), 7);
}

TEST_F(MainFormTest, ToggingAScaleTwiceWritesItVisibleAgain) {
  Create();
  form->ActionVerticalFormatVisiableExecute(form);
  TIniFile settings(SettingsFilePath());
  EXPECT_EQ(settings.ReadString(L"Vertical", L"Visible", L""), L"0");
  form->ActionVerticalFormatVisiableExecute(form);
  EXPECT_EQ(settings.ReadString(L"Vertical", L"Visible", L""), L"1");
  EXPECT_NE(form->AudioEditor->ScaleY()->GetVisible(), 0);
}

// ---- Creation and close --------------------------------------------------------------------------

TEST_F(MainFormTest, AnUnknownBrandStopsTheCreationBeforeAnythingIsWritten) {
  Application->SetTitle(L"zentavo");  // letter case differs from the table's title
  Create();
  EXPECT_TRUE(form->CreationStopped());
  EXPECT_FALSE(DirectoryExists(dataFolder));
  // The termination request stays for the entry routine's pumping; take it out of this test's queue.
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainFormTest, TheSkinManagerShowsTheInternalSkinAndBrandsThreeToNineDesaturateIt) {
  Create();
  ASSERT_NE(form->SkinManager, nullptr);
  EXPECT_TRUE(form->SkinManager->Active());
  EXPECT_EQ(form->SkinManager->SkinName(), L"Harbour Blue (internal)");
  EXPECT_EQ(form->SkinManager->SkinInfo(), L"5.43");
  EXPECT_EQ(form->SkinManager->Saturation(), 0);
  EXPECT_FALSE(form->SkinManager->SkinnedPopups());
  EXPECT_EQ(form->SkinManager->MenuSupport()->IcoLineSkin, L"ICOLINE");
  delete form;
  form = nullptr;
  Application->SetTitle(L"Orvanta");
  Create();
  EXPECT_EQ(form->SkinManager->Saturation(), -100);
  EXPECT_EQ(form->SkinManager->SkinInfo(), L"5.43");
  const TsGeneralData& global = form->SkinManager->Sections()[size_t(form->SkinManager->GetSkinIndex(L"GLOBALINFO"))];
  EXPECT_EQ(global.Color & 0xFF, (global.Color >> 8) & 0xFF);
  EXPECT_EQ(global.Color & 0xFF, (global.Color >> 16) & 0xFF);
  RemoveFolder(AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + L"Orvanta"));
}

TEST_F(MainFormTest, AFirstStartWritesTheSettingsAndCloseStoresTheState) {
  Create();
  EXPECT_EQ(form->Width(), 1000);
  EXPECT_EQ(form->Height(), 560);
  EXPECT_TRUE(FileExists(dataFolder + L"system.dat"));
  const String path = Wav(L"closing.wav");
  ASSERT_TRUE(form->OpenAudioFile(path));
  TCloseAction action = caFree;
  form->FormClose(form, action);
  TIniFile settings(dataFolder + L"system.dat");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"LastOpenDir", L""), ExcludeTrailingPathDelimiter(scratch.Path()));
  EXPECT_EQ(settings.ReadInteger(L"FormPos", L"width", 0), 1000);
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], path);
}

// "system.dat" replaced by a folder: the creation and close steps each report the file once and go on
// to their end; the recent files are still written; a one-key writer reports and raises nothing.
TEST_F(MainFormTest, AnUnwritableSettingsFileIsReportedOnceAndNothingIsSkipped) {
  const String settingsFile = dataFolder + L"system.dat";
  ASSERT_TRUE(ForceDirectories(settingsFile));
  Create();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find(L"\"" + settingsFile + L"\""), String::npos) << Utf8Encode(boxes[0].Text);
  EXPECT_EQ(boxes[0].Caption, kBrand);
  EXPECT_TRUE(boxes[0].Flags & MB_ICONERROR);
  const String path = Wav(L"kept.wav");
  ASSERT_TRUE(form->OpenAudioFile(path));
  boxes.clear();

  TCloseAction action = caFree;
  EXPECT_NO_THROW(form->FormClose(form, action));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find(settingsFile), String::npos);
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], path);

  EXPECT_NO_THROW(WriteSettingBool(L"System", L"ShowCommandBar", false));
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_NO_THROW(form->ActionSpectralModeExecute(form));
  EXPECT_EQ(boxes.size(), 3u);
  EXPECT_EQ(form->AudioEditor->TypeView(), 1);  // the command's work stands
}

TEST_F(MainFormTest, TheExplorerOptionAddsOrRemovesTheVerbsAtStart) {
  const auto verbCommand = [] {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    String progId = L"wavfile";
    if (registry.OpenKeyReadOnly(L"\\Software\\Classes\\.wav")) {
      if (const String value = registry.ReadString(L""); !value.empty()) progId = value;
      registry.CloseKey();
    }
    if (!registry.OpenKeyReadOnly(L"\\Software\\Classes\\" + progId + L"\\Shell\\Edit with " + kBrand + L"\\command"))
      return String();
    return registry.ReadString(L"");
  };
  Create();
  EXPECT_EQ(verbCommand(), L"\"" + ParamStr(0) + L"\" \"%L\"");
  delete form;
  form = nullptr;
  TIniFile(dataFolder + L"system.dat").WriteString(L"SYSTEM", L"OP_AddToExplorer", L"0");
  Create();
  EXPECT_EQ(verbCommand(), L"");
}

TEST_F(MainFormTest, TheActionsStandInCommandOrderWithTheirShortcuts) {
  Create();
  const wchar_t* order[] = {
      L"ActionUndo", L"ActionRedo", L"ActionCut", L"ActionCopy", L"ActionCopyToNew", L"ActionPaste",
      L"ActionDelete", L"ActionSelectAll", L"ActionSelectToStart", L"ActionSelectToEnd",
      L"ActionSelectSpecifiedTime", L"ActionMixFile", L"ActionRepeatLoop", L"ActionNewFile", L"ActionOpenFile",
      L"ActionLoadCD", L"ActionSaveFile", L"ActionSaveAs", L"ActionCloseFile", L"ActionConvertSampleRate",
      L"ActionPasteMix", L"ActionTrim", L"ActionEditID3", L"ActionOptions", L"ActionExit", L"ActionBatch",
      L"ActionHelp", L"ActionAbout", L"ActionTrimStart", L"ActionTrimEnd", L"ActionSilenceSelect",
      L"ActionSaveSelect", L"ActionInsertSilenceBegin", L"ActionInsertSilenceCurrent", L"ActionInsertSilenceEnd",
      L"ActionInsertFileBegin", L"ActionInsertFileCurrent", L"ActionInsertFileEnd", L"ActionRecord",
      L"ActionPlay", L"ActionPlayToEnd", L"ActionLoopPlay", L"ActionPause", L"ActionStop", L"ActionStart",
      L"ActionRewind", L"ActionForword", L"ActionEnd", L"ActionAmplify", L"ActionNormalize",
      L"ActionDynamicRangeCompressor", L"ActionHighPass", L"ActionEqualizer", L"ActionEcho", L"ActionReverb",
      L"ActionReverse", L"ActionFadeIn", L"ActionFadeOut", L"ActionFadeOutAndTrim", L"ActionCrossFade",
      L"ActionEnvelope", L"ActionMixStereo", L"ActionNoiseReduction", L"ActionSpeedChange", L"ActionPitchChange",
      L"ActionPhaser", L"ActionFlanger", L"ActionChorus", L"ActionSetBookmark", L"ActionOpenBookmarkList",
      L"ActionAddRegion", L"ActionOpenRegionList", L"ActionFrequencyAnalysis", L"ActionTextToSpeech",
      L"ActionShowCommandBar", L"ActionBarOntheLeft", L"ActionBarOntheRight", L"ActionZoomIn", L"ActionZoomOut",
      L"ActionZoomToSelection", L"ActionZoomFull", L"ActionPlayAndPause", L"ActionProductPage",
      L"ActionTechnicalSupport", L"ActionCompanyHomepage", L"ActionBottomBar", L"ActionStatusBar",
      L"ActionWelcomeWindow", L"ActionWaveformMode", L"ActionSpectralMode", L"ActionHorizontalFormatDecimcal",
      L"ActionHorizontalFormatSample", L"ActionHorizontalFormatVisible", L"ActionVerticalFormatSample",
      L"ActionVerticalFormatNormalized", L"ActionVerticalFormatDecibel", L"ActionVerticalFormatVisiable",
      L"ActionDiscRipper", L"ActionDiscBurner", L"ActionDiscCopier", L"ActionAudioConverter",
      L"ActionAudioRecorder", L"ActionVerticalZoomIn", L"ActionVerticalZoomOut", L"ActionZoomToRight",
      L"ActionZoomToLeft", L"ActionWindowsMixer", L"ActionTopTransportBar", L"ActionTopZoomBar"};
  ASSERT_EQ(form->ActionList->ActionCount(), static_cast<int>(std::size(order)));
  for (int i = 0; i < form->ActionList->ActionCount(); ++i)
    EXPECT_EQ(form->ActionList->Actions(i)->Name(), order[i]);
  EXPECT_EQ(ShortCutToText(form->ActionOpenFile->ShortCut()), L"Ctrl+O");
  EXPECT_EQ(ShortCutToText(form->ActionHelp->ShortCut()), L"F1");
  EXPECT_EQ(form->ActionSaveAs->ShortCut(), scNone);
  EXPECT_TRUE(form->MenuEdit->Visible());
  EXPECT_TRUE(form->MenuFile->Visible());
}

}  // namespace

// ---- Skinning ------------------------------------------------------------------------------------

namespace {
bool plainBoxSeen = false;

// Looks at the box from inside its own loop and closes it.
void CALLBACK CheckPlainBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Plain box");
  if (!box) return;
  KillTimer(nullptr, id);
  EXPECT_EQ(FindSubclassObject(box), nullptr);
  EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
  plainBoxSeen = true;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}
}  // namespace

TEST_F(MainFormTest, APopupMenuWindowGetsItsSkinObjectUntilItClosesAndAMessageBoxStaysPlain) {
  Create();
  form->Show();
  Application->ProcessMessages();
  ASSERT_NE(form->PopupMenu, nullptr);
  // The window's popup menu is empty until a view fills it: one item makes it open.
  auto* item = new TMenuItem(form);
  item->SetCaption(L"An item");
  form->PopupMenu->Items()->Add(item);
  bool opened = false;
  const TModalScript saved = SetModalDriver([&](const TModalLoop& loop) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu) {
      opened = true;
      EXPECT_EQ(HookMenuObjects().size(), 1u);
      EXPECT_NE(dynamic_cast<TacMnuWnd*>(FindSubclassObject(menu)), nullptr);
    }
    loop.End();
  });
  form->PopupMenu->Popup(200, 200);
  Application->ProcessMessages();
  SetModalDriver(saved);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(HookMenuObjects().empty()) << "the object went with its window";

  // A system message box keeps the system look: the program's rules skin no dialog.
  plainBoxSeen = false;
  const UINT_PTR check = SetTimer(nullptr, 0, 50, &CheckPlainBox);
  MessageBoxW(form->Handle(), L"The program skins no dialog.", L"Plain box", MB_OK);
  KillTimer(nullptr, check);
  EXPECT_TRUE(plainBoxSeen);
  EXPECT_TRUE(DialogProviders().empty());
}
