// The document and edit dialogs: time parsing and the selection's exit rules as pure functions,
// then the dialogs in real windows: the rate lists, digits-only edits, the options dialog, the set
// selection dialog's edits, the paste-mix check and every help address of the format and edit
// dialogs.

#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "app/core/Help.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/EditID3.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/InsertSilence.h"
#include "dialogs/Mp3Format.h"
#include "dialogs/NewFile.h"
#include "dialogs/OGGFormat.h"
#include "dialogs/Options.h"
#include "dialogs/PasteMix.h"
#include "dialogs/RepeatLoop.h"
#include "dialogs/SelectTime.h"
#include "dialogs/WMAFormat.h"
#include "dialogs/WaveFormat.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/controls/Dialogs.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {
namespace {

using window_testing::PressKey;
using window_testing::ProcessMessages;

// ---- Time texts and the selection's rules -----------------------------------------------------------

TEST(TimeTexts, TheSixFormsAndWhatIsNoTime) {
  struct Case {
    const wchar_t* text;
    int milliseconds;
  } cases[] = {
      {L"1:02:03.004", 3723004}, {L"2:03.5", 123005},  {L"7.250", 7250},   {L"90", 90000},
      {L"1:30", 90000},          {L"1:00:00", 3600000}, {L"", -1},          {L"1.2.3", -1},
      {L"1.2:3", -1},            {L"1:2:3:4", -1},      {L"abc", -1},       {L"-5", -1},
      // Fields have no bound of their own; empty fields count 0.
      {L"0:75", 75000},          {L"75.1", 75001},      {L":30", 30000},    {L"1:.5", 60005},
      // A 20-digit field and 600 hours saturate at the largest time instead of wrapping.
      {L"99999999999999999999", 2147483647},           {L"600:00:00", 2147483647},
      {L"596:31:23.647", 2147483647},                  {L"0.99999999999999999999", 2147483647},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTimeText(c.text), c.milliseconds) << Utf8Encode(c.text);
}

TEST(TimeTexts, TheExitRulesKeepStartEndAndLengthInOrder) {
  const int length = 10000;
  const TTimeRange range{2000, 5000};
  struct Case {
    const char* what;
    TTimeRange (*rule)(TTimeRange, int, int);
    int typed;
    TTimeRange result;
  } cases[] = {
      {"start inside", StartExitRule, 3000, {3000, 5000}},
      {"start past the end drags it", StartExitRule, 7000, {7000, 7000}},
      {"start past the length puts both there", StartExitRule, 12000, {10000, 10000}},
      {"end inside", EndExitRule, 8000, {2000, 8000}},
      {"end before the start: empty at the start", EndExitRule, 1000, {2000, 2000}},
      {"end past the length", EndExitRule, 15000, {2000, 10000}},
      {"length inside", LengthExitRule, 1500, {2000, 3500}},
      {"length past the end of the document", LengthExitRule, 9000, {2000, 10000}},
      {"the largest length does not wrap", LengthExitRule, 2147483647, {2000, 10000}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.rule(range, c.typed, length), c.result) << c.what;
}

// ---- The dialogs -----------------------------------------------------------------------------------

using EditDialogs = DialogFixture;

std::vector<String> ItemsOf(TComboBox* list) {
  std::vector<String> items;
  for (int i = 0; i < list->Items()->Count(); ++i) items.push_back(list->Items()->Strings(i));
  return items;
}

TEST_F(EditDialogs, TheNewFileListOffersRatesTheConversionListHasNot) {
  ObjectPtr<TNewFileForm> newFile(new TNewFileForm(host));
  ObjectPtr<TConvertSampleRateForm> convert(new TConvertSampleRateForm(host));
  const std::vector<String> rates = ItemsOf(newFile->cbSampleRate);
  EXPECT_EQ(rates, (std::vector<String>{L"96,000", L"88,200", L"48,000", L"44,100", L"32,000", L"24,000", L"22,050",
                                        L"16,000", L"12,000", L"11,025", L"8,000", L"6,000"}));
  EXPECT_EQ(newFile->cbSampleRate->ItemIndex(), 3);
  EXPECT_TRUE(newFile->rbStereo->Checked());
  EXPECT_EQ(ItemsOf(convert->ComboBoxRate),
            (std::vector<String>{L"96000 Hz", L"88200 Hz", L"48000 Hz", L"44100 Hz", L"32000 Hz", L"22050 Hz",
                                 L"16000 Hz", L"11025 Hz", L"8000 Hz", L"6000 Hz"}));
  EXPECT_EQ(convert->ComboBoxRate->ItemIndex(), 3);
  EXPECT_EQ(convert->GroupBoxSChannels->ItemIndex(), 1);
  EXPECT_EQ(newFile->Caption(), L"New Sample");
  EXPECT_EQ(convert->Caption(), L"Convert Sample Rate");
}

TEST_F(EditDialogs, DigitsOnlyEditsRefuseLettersAndSigns) {
  ObjectPtr<TEditID3Form> tags(new TEditID3Form(host));
  ObjectPtr<TPasteMixForm> mix(new TPasteMixForm(host));
  ObjectPtr<TRepeatLoopForm> repeat(new TRepeatLoopForm(host));
  ObjectPtr<TInsertSilenceForm> silence(new TInsertSilenceForm(host));
  struct Case {
    TForm* dialog;
    TEdit* edit;
    int maxLength;
  } cases[] = {{tags.get(), tags->EditYear, 6},           {mix.get(), mix->EditSelectPart, 3},
               {mix.get(), mix->EditAudioInBuffer, 3},    {repeat.get(), repeat->EditRepeatTimes, 1},
               {silence.get(), silence->EditSilenceTime, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8Encode(c.edit->Name()));
    ShowDialog(c.dialog);
    EXPECT_EQ(c.edit->MaxLength(), c.maxLength);
    c.edit->SetText(L"");
    for (wchar_t key : {L'a', L'-', L'7', L'x'}) SendMessageW(c.edit->Handle(), WM_CHAR, key, 0);
    EXPECT_EQ(c.edit->Text(), L"7");
  }
  // An emptied year stays empty: the caller gets "".
  tags->EditYear->SetText(L"");
  EXPECT_EQ(tags->EditYear->Text(), L"");
}

// An owner that plays the main window's recent-files list.
class TFakeRecentHost : public TForm, public IRecentFilesHost {
 public:
  explicit TFakeRecentHost(TComponent* AOwner) : TForm(AOwner, 0) {}
  void ClearRecentFiles() override { ++clears; }
  int clears = 0;
};

class OptionsDialog : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    Application->SetTitle(L"Zentavo");
    recent = new TFakeRecentHost(host);
    previousBoxes = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
      boxes.push_back(text + L"|" + caption);
      boxFlags.push_back(flags);
      const int answer = answers.empty() ? IDCANCEL : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return answer;
    });
  }
  void TearDown() override {
    SetMessageBoxAnswerer(previousBoxes);
    DialogFixture::TearDown();
  }
  TOptionsForm* Shown() {
    auto* dialog = new TOptionsForm(recent);
    dialog->LoadFromSettings();
    ShowDialog(dialog);
    return dialog;
  }

  TFakeRecentHost* recent = nullptr;
  std::vector<String> boxes;
  std::vector<UINT> boxFlags;
  std::vector<int> answers;
  TMessageBoxAnswerer previousBoxes;
};

TEST_F(OptionsDialog, EnablingFollowsTheRadioButtonsAndTheVerbNamesTheApplication) {
  GlobalVars.OP_PromptNewFile = true;
  GlobalVars.OP_UseDefFolder = true;
  ObjectPtr<TOptionsForm> dialog(Shown());
  EXPECT_EQ(dialog->CheckBoxAddToExplore->Caption(), L"&Add Zentavo into Windows &Explorer context menu");
  EXPECT_FALSE(dialog->ButtonSetDefault->Enabled());
  EXPECT_FALSE(dialog->EditFolder->Enabled());
  EXPECT_FALSE(dialog->ButtonFolder->Enabled());
  dialog->RadioButtonUseDefault->SetChecked(true);
  EXPECT_TRUE(dialog->ButtonSetDefault->Enabled());
  dialog->RadioButtonUseSpecifiedFolder->SetChecked(true);
  EXPECT_TRUE(dialog->EditFolder->Enabled());
  EXPECT_TRUE(dialog->ButtonFolder->Enabled());
  dialog->RadioButtonPrompt->SetChecked(true);
  EXPECT_FALSE(dialog->ButtonSetDefault->Enabled());
  dialog->CheckBoxPlayAfterEdit->SetChecked(true);
  dialog->StoreToSettings();
  EXPECT_TRUE(GlobalVars.OP_PromptNewFile);
  EXPECT_FALSE(GlobalVars.OP_UseDefFolder);
  EXPECT_TRUE(GlobalVars.OP_PlayAfterEdit);
  EXPECT_EQ(dialog->PageControl->PageCount(), 2);
  EXPECT_EQ(dialog->TabSheetAudio->Caption(), L"Audio Processing");
}

TEST_F(OptionsDialog, TheDefaultFormatIsStoredAtOnceFromTheRateDialog) {
  struct Case {
    int storedRate, storedChannels;
    int shownIndex, shownChannel;
    int pickIndex, pickChannel;
    int rate, channels;
  } cases[] = {
      {24000, 2, 3, 1, -1, -1, 44100, 2},  // not in the list: 44100 shown and stored
      {6000, 1, 9, 0, -1, -1, 6000, 1},
      {44100, 2, 3, 1, 5, 0, 22050, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedRate);
    GlobalVars.OP_DefSample = c.storedRate;
    GlobalVars.OP_DefChannel = c.storedChannels;
    ObjectPtr<TOptionsForm> dialog(Shown());
    ModalScript script([&](TCustomForm* modal) {
      auto* rate = dynamic_cast<TConvertSampleRateForm*>(modal);
      ASSERT_NE(rate, nullptr);
      EXPECT_EQ(rate->ComboBoxRate->ItemIndex(), c.shownIndex);
      EXPECT_EQ(rate->GroupBoxSChannels->ItemIndex(), c.shownChannel);
      if (c.pickIndex >= 0) rate->ComboBoxRate->SetItemIndex(c.pickIndex);
      if (c.pickChannel >= 0) rate->GroupBoxSChannels->SetItemIndex(c.pickChannel);
      rate->ButtonOK->Click();
    });
    dialog->ButtonSetDefaultClick(dialog->ButtonSetDefault);
    EXPECT_EQ(GlobalVars.OP_DefSample, c.rate);
    EXPECT_EQ(GlobalVars.OP_DefChannel, c.channels);
  }
}

TEST_F(OptionsDialog, AChosenFolderIsKeptWhenTheDialogIsCancelled) {
  GlobalVars.OP_WorkingFolder = L"C:\\before";
  GlobalVars.OP_UseDefFolder = false;
  std::vector<TDialogRequest> requests;
  const TDialogAnswerer previous = SetDialogAnswerer([&](const TDialogRequest& request) {
    requests.push_back(request);
    TDialogAnswer answer;
    answer.Ok = true;
    answer.Folder = L"C:\\chosen";
    return answer;
  });
  ModalScript script([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TOptionsForm*>(modal);
    dialog->ButtonFolder->Click();
    EXPECT_EQ(dialog->EditFolder->Text(), L"C:\\chosen");
    dialog->ButtonCancel->Click();
  });
  const bool accepted = ExecuteDialog<TOptionsForm>(
      recent, [](TOptionsForm& d) { d.LoadFromSettings(); }, [](TOptionsForm& d) { d.StoreToSettings(); });
  SetDialogAnswerer(previous);
  EXPECT_FALSE(accepted);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Kind, TDialogKind::Folder);
  EXPECT_EQ(requests[0].Title, L"Please select a folder");
  EXPECT_EQ(requests[0].Flags, 65u);
  EXPECT_EQ(requests[0].InitialDir, L"C:\\before");
  EXPECT_EQ(GlobalVars.OP_WorkingFolder, L"C:\\chosen");
}

TEST_F(OptionsDialog, DeletingTheRecentListAsksAndOnlyYesClearsIt) {
  ObjectPtr<TOptionsForm> dialog(Shown());
  for (int answer : {IDNO, IDCANCEL, IDYES}) {
    answers = {answer};
    dialog->ButtonDeleteRecent->Click();
  }
  EXPECT_EQ(recent->clears, 1);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], L"Are you sure you want to delete your recent files list?|Zentavo");
  EXPECT_EQ(boxFlags[0], UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST_F(EditDialogs, EnterInEachSelectionEditAppliesItsRuleBeforeOK) {
  struct Case {
    const char* what;
    TEdit* TSelectSpecifiedTimeForm::*edit;
    const wchar_t* typed;
    int start, end;
  } cases[] = {
      {"start past the end", &TSelectSpecifiedTimeForm::EditStart, L"0:06", 6000, 6000},
      {"end before the start", &TSelectSpecifiedTimeForm::EditEnd, L"0.500", 1000, 1000},
      {"length", &TSelectSpecifiedTimeForm::EditLength, L"1", 1000, 2000},
      {"no time: the saved text comes back", &TSelectSpecifiedTimeForm::EditEnd, L"abc", 1000, 4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    String shownLength;
    ModalScript script([&](TCustomForm* modal) {
      auto* dialog = dynamic_cast<TSelectSpecifiedTimeForm*>(modal);
      SetForegroundWindow(dialog->Handle());
      EXPECT_EQ(dialog->EditLength->Text(), L"0:00:03.000");
      TEdit* edit = dialog->*c.edit;
      edit->SetFocus();
      ProcessMessages();
      edit->SetText(c.typed);
      PressKey(VK_RETURN);
      ProcessMessages();
      shownLength = dialog->EditLength->Text();
    });
    TTimeRange range;
    const bool accepted = ExecuteDialog<TSelectSpecifiedTimeForm>(
        host,
        [](TSelectSpecifiedTimeForm& d) {
          d.InitialStart = 1000, d.InitialEnd = 4000, d.DocumentLength = 9000;
        },
        [&](TSelectSpecifiedTimeForm& d) { range = {d.RangeStart, d.RangeEnd}; });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(range, (TTimeRange{c.start, c.end}));
  }
}

TEST_F(EditDialogs, SelectionEditsShowTheirValuesFormattedAndCancelKeepsTheRange) {
  ModalScript script([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TSelectSpecifiedTimeForm*>(modal);
    EXPECT_EQ(dialog->EditStart->Text(), L"0:00:01.000");
    EXPECT_EQ(dialog->EditEnd->Text(), L"0:00:04.000");
    dialog->EditStart->SetFocus();
    dialog->EditStart->SetText(L"2.5");
    dialog->EditEnd->SetFocus();
    EXPECT_EQ(dialog->EditStart->Text(), L"0:00:02.005");
    EXPECT_EQ(dialog->EditLength->Text(), L"0:00:01.995");
    dialog->ButtonCancel->Click();
  });
  TSelectSpecifiedTimeForm* seen = nullptr;
  EXPECT_FALSE(ExecuteDialog<TSelectSpecifiedTimeForm>(
      host,
      [&](TSelectSpecifiedTimeForm& d) {
        d.InitialStart = 1000, d.InitialEnd = 4000, d.DocumentLength = 9000;
        seen = &d;
      },
      [](TSelectSpecifiedTimeForm&) { ADD_FAILURE() << "Cancel read the range"; }));
  EXPECT_NE(seen, nullptr);
}

class PasteMixDialog : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    previousBoxes = SetMessageBoxAnswerer([this](HWND, const String& text, const String&, UINT flags) {
      boxes.push_back(text);
      EXPECT_EQ(flags, UINT(MB_OK | MB_ICONERROR));
      return IDOK;
    });
  }
  void TearDown() override {
    SetMessageBoxAnswerer(previousBoxes);
    DialogFixture::TearDown();
  }
  std::vector<String> boxes;
  TMessageBoxAnswerer previousBoxes;
};

TEST_F(PasteMixDialog, OKChecksTheLevelsInOrder) {
  struct Case {
    const char* what;
    const wchar_t *selectPart, *buffer;
    bool closes;
    int messages;
    bool focusFirst, conversionError;
  } cases[] = {
      {"100 and 100", L"100", L"100", true, 0, false, false},
      {"101 in the first", L"101", L"100", false, 1, true, false},
      {"above 100 in the second", L"0", L"999", false, 1, false, false},
      {"both above 100: only the first", L"200", L"300", false, 1, true, false},
      {"an emptied level", L"", L"100", false, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    const int errorsBefore = ReportedErrors();
    ObjectPtr<TPasteMixForm> dialog(new TPasteMixForm(host));
    ShowDialog(dialog.get());
    dialog->EditSelectPart->SetText(c.selectPart);
    dialog->EditAudioInBuffer->SetText(c.buffer);
    dialog->btnOK->SetFocus();
    // A click through the button's window, so a raised conversion error meets the window's boundary.
    SendMessageW(dialog->btnOK->Handle(), BM_CLICK, 0, 0);
    ProcessMessages();
    EXPECT_EQ(dialog->ModalResult, c.closes ? mrOk : mrNone);
    EXPECT_EQ(int(boxes.size()), c.messages);
    if (c.messages) {
      EXPECT_EQ(boxes[0], L"Mix Volume must be less than 100%. Please try again.");
      EXPECT_EQ(Screen->ActiveControl(), c.focusFirst ? dialog->EditSelectPart : dialog->EditAudioInBuffer);
    }
    EXPECT_EQ(ReportedErrors() - errorsBefore, c.conversionError ? 1 : 0);
    if (c.conversionError) {
      EXPECT_EQ(LastReportedError(), L"'' is not a valid integer value");
    }
  }
}

TEST_F(EditDialogs, HelpButtonsOpenTheirTopics) {
  HelpRequests help;
  struct Case {
    std::function<TForm*(TComponent*)> make;
    std::function<TButton*(TForm*)> help;
    const wchar_t* topic;
  } cases[] = {
      {[](TComponent* o) { return new TWaveFormatForm(o); },
       [](TForm* f) { return static_cast<TOutputFormatForm*>(f)->ButtonHelp; }, L"wavsettings"},
      {[](TComponent* o) { return new TMp3FormatForm(o); },
       [](TForm* f) { return static_cast<TOutputFormatForm*>(f)->ButtonHelp; }, L"mp3settings"},
      {[](TComponent* o) { return new TOGGFormatForm(o); },
       [](TForm* f) { return static_cast<TOutputFormatForm*>(f)->ButtonHelp; }, L"oggsettings"},
      {[](TComponent* o) { return new TWMAFormatForm(o); },
       [](TForm* f) { return static_cast<TOutputFormatForm*>(f)->ButtonHelp; }, L"wmasettings"},
      {[](TComponent* o) { return new TNewFileForm(o); },
       [](TForm* f) { return static_cast<TNewFileForm*>(f)->ButtonHelp; }, L"createopenandsaveaudiofiles"},
      {[](TComponent* o) { return new TOptionsForm(o); },
       [](TForm* f) { return static_cast<TOptionsForm*>(f)->ButtonHelp; }, L"appoptions"},
      {[](TComponent* o) { return new TPasteMixForm(o); },
       [](TForm* f) { return static_cast<TPasteMixForm*>(f)->btnHelp; }, L"editing"},
  };
  for (const Case& c : cases) {
    ObjectPtr<TForm> dialog(c.make(host));
    c.help(dialog.get())->Click();
  }
  const std::vector<String>& paths = help.Paths();
  ASSERT_EQ(paths.size(), std::size(cases));
  for (std::size_t i = 0; i < paths.size(); ++i)
    EXPECT_EQ(paths[i], HelpFilePath() + L"::/" + cases[i].topic + L".htm");
}

}  // namespace
}  // namespace dialog_testing
