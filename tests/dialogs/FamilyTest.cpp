// The family's behaviour on real dialogs: the edit rules, the key filters, OK, the equalizer's
// scale labels, SetControlsEnabled and the preview states.

#include "DialogFixture.h"
#include "app/core/WaitCursor.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/Equalizer.h"
#include "dialogs/LowShelf.h"
#include "dialogs/Vibrato.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {
namespace {

using window_testing::ProcessMessages;

// Leaves the edit through a real focus change, so its exit step runs as it does for the user.
void Leave(TEdit* edit, TWinControl* next) {
  edit->SetFocus();
  ProcessMessages();
  next->SetFocus();
  ProcessMessages();
}

using FamilyBehaviour = DialogFixture;

TEST_F(FamilyBehaviour, EditRulesColourWhileTypingAndClampOnLeaving) {
  struct Case {
    const char* what;
    const wchar_t* typed;
    bool red;
    int sliderWhileTyping;
    const wchar_t* afterLeaving;
    int sliderAfter;
  } cases[] = {
      {"above the maximum", L"400", true, 95, L"359", 359},
      {"emptied", L"", true, 95, L"0", 0},
      {"leading zeros", L"007", false, 7, L"7", 7},
      {"a dot", L".", true, 95, L"0", 0},
      {"a minus alone", L"-", true, 95, L"0", 0},
      {"in range", L"120", false, 120, L"120", 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* dialog = new TVibratoForm(host);
    ShowDialog(dialog);
    TEdit* edit = dialog->EditSweepPhase;
    edit->SetFocus();
    edit->SetText(c.typed);
    EXPECT_EQ(edit->Font()->Color(), c.red ? clRed : clWindowText);
    EXPECT_EQ(dialog->ImageSliderSweepPhase->Value(), c.sliderWhileTyping);
    Leave(edit, dialog->EditSweepDepth);
    EXPECT_EQ(edit->Text(), c.afterLeaving);
    EXPECT_EQ(dialog->ImageSliderSweepPhase->Value(), c.sliderAfter);
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
    dialog->Free();
  }
}

TEST_F(FamilyBehaviour, SignedGainLeavesBelowTheMinimumAtTheMinimum) {
  auto* dialog = new TLowShelfForm(host);
  ShowDialog(dialog);
  dialog->EditGain->SetFocus();
  dialog->EditGain->SetText(L"-95");
  EXPECT_EQ(dialog->EditGain->Font()->Color(), clRed);
  EXPECT_EQ(dialog->ImageSliderGain->Value(), -10);
  Leave(dialog->EditGain, dialog->EditSteepness);
  EXPECT_EQ(dialog->EditGain->Text(), L"-90");
  EXPECT_EQ(dialog->ImageSliderGain->Value(), -90);
  dialog->Free();
}

TEST_F(FamilyBehaviour, DigitsOnlyEditsRefuseLettersAndTheSixthFrequencyDigit) {
  auto* dialog = new TLowShelfForm(host);
  ShowDialog(dialog);
  for (TEdit* edit : {dialog->EditFrequency, dialog->EditSteepness}) {
    edit->SetText(L"12");
    edit->SetSelStart(2);
    SendMessageW(edit->Handle(), WM_CHAR, L'a', 0);
    SendMessageW(edit->Handle(), WM_CHAR, L'3', 0);
    EXPECT_EQ(edit->Text(), L"123");
  }
  dialog->EditFrequency->SetText(L"99999");
  dialog->EditFrequency->SetSelStart(5);
  SendMessageW(dialog->EditFrequency->Handle(), WM_CHAR, L'1', 0);
  EXPECT_EQ(dialog->EditFrequency->Text(), L"99999");
  dialog->Free();
}

TEST_F(FamilyBehaviour, SignedKeyFilterDecidesByTheCaretIndex) {
  struct Case {
    const char* what;
    const wchar_t* text;
    int selStart, selLength;
    wchar_t key;
    const wchar_t* result;
  } cases[] = {
      {"minus in front of an empty text", L"", 0, 0, L'-', L"-"},
      {"minus in front of a digit", L"5", 0, 0, L'-', L"-5"},
      {"a second minus", L"-5", 0, 0, L'-', L"-5"},
      {"minus after a digit", L"5", 1, 0, L'-', L"5"},
      {"minus over the whole text", L"-5", 0, 2, L'-', L"-"},
      {"a letter", L"5", 1, 0, L'x', L"5"},
      {"a dot passes", L"5", 1, 0, L'.', L"5."},
      {"a digit", L"5", 1, 0, L'3', L"53"},
  };
  auto* dialog = new TLowShelfForm(host);
  ShowDialog(dialog);
  TEdit* edit = dialog->EditGain;
  EXPECT_FALSE(edit->NumbersOnly());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    edit->SetText(c.text);
    edit->SetSelStart(c.selStart);
    edit->SetSelLength(c.selLength);
    SendMessageW(edit->Handle(), WM_CHAR, c.key, 0);
    EXPECT_EQ(edit->Text(), c.result);
  }
  dialog->Free();
}

TEST_F(FamilyBehaviour, EnterAndOKStoreAnOutOfRangeValueClamped) {
  for (bool enter : {true, false}) {
    SCOPED_TRACE(enter ? "Enter" : "a click on OK");
    ModalScript script([enter](TCustomForm* modal) {
      auto* dialog = dynamic_cast<TLowShelfForm*>(modal);
      SetForegroundWindow(dialog->Handle());
      ProcessMessages();
      dialog->EditSteepness->SetFocus();
      dialog->EditSteepness->SetText(L"150");
      ProcessMessages();
      if (enter) window_testing::PressKey(VK_RETURN);
      else window_testing::Click(dialog->ButtonOK->Handle(), 10, 10);
      ProcessMessages();
    });
    EXPECT_TRUE(ExecuteEffectDialog<TLowShelfForm>(host));
    EXPECT_EQ(GlobalVars.DefLowShelfSteepness, 100);
    EXPECT_EQ(GlobalVars.PreviewOperationTypes, 18);
  }
}

TEST_F(FamilyBehaviour, EscapeDoesNothingAndTheCloseBoxCancels) {
  TModalResult afterEscape = -1, afterClose = -1;
  ModalScript script([&](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TLowShelfForm*>(modal);
    SetForegroundWindow(dialog->Handle());
    dialog->EditSteepness->SetFocus();
    ProcessMessages();
    window_testing::PressKey(VK_ESCAPE);
    afterEscape = dialog->ModalResult;
    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    afterClose = dialog->ModalResult;
  });
  EXPECT_FALSE(ExecuteEffectDialog<TLowShelfForm>(host));
  EXPECT_EQ(afterEscape, mrNone);
  EXPECT_EQ(afterClose, mrCancel);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, -1);
}

TEST_F(FamilyBehaviour, FrequencyIsStoredAsTypedAndAnEmptyOneFailsToConvert) {
  ObjectPtr<TLowShelfForm> dialog(new TLowShelfForm(host));
  for (const wchar_t* typed : {L"0", L"99999"}) {
    dialog->EditFrequency->SetText(typed);
    dialog->StoreToSettings();
    EXPECT_EQ(GlobalVars.DefLowShelfFrequency, std::stoi(typed));
  }
  dialog->EditFrequency->SetText(L"");
  EXPECT_EQ(testing_support::MessageOf<EConvertError>([&] { dialog->StoreToSettings(); }),
            L"'' is not a valid integer value");
}

TEST_F(FamilyBehaviour, ScaleLabelsSetEveryBandAndThePresetNameStays) {
  auto* dialog = new TEqualizerForm(host);
  ShowDialog(dialog);
  dialog->ComboBoxPreset->SetItemIndex(15);
  dialog->ComboBoxPresetChange(dialog->ComboBoxPreset);
  EXPECT_EQ(dialog->Band6->Value(), 90);
  struct Case {
    TLabel* label;
    int value;
  } cases[] = {{dialog->Label18dB, 180}, {dialog->Label18dB2, -180}, {dialog->Label10dB, 0}};
  EXPECT_EQ(dialog->Label10dB->Caption(), L"0 dB");
  EXPECT_EQ(dialog->LabelBands[3]->Caption(), L"252");
  for (const Case& c : cases) {
    const TRect r = c.label->BoundsRect();
    window_testing::SendMouse(dialog->GroupBoxEqualizer->Handle(), WM_LBUTTONDOWN, r.left + 3, r.top + 3, MK_LBUTTON);
    window_testing::SendMouse(dialog->GroupBoxEqualizer->Handle(), WM_LBUTTONUP, r.left + 3, r.top + 3);
    window_testing::SendMouse(dialog->GroupBoxEqualizer->Handle(), WM_LBUTTONDBLCLK, r.left + 3, r.top + 3,
                              MK_LBUTTON);
    window_testing::SendMouse(dialog->GroupBoxEqualizer->Handle(), WM_LBUTTONUP, r.left + 3, r.top + 3);
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(dialog->Band(n)->Value(), c.value) << n;
  }
  EXPECT_EQ(dialog->ComboBoxPreset->ItemIndex(), 15);
  dialog->Free();
}

TEST_F(FamilyBehaviour, SetControlsEnabledMakesEditsReadOnlyNeverDisabled) {
  ObjectPtr<TLowShelfForm> dialog(new TLowShelfForm(host));
  dialog->SetControlsEnabled(false);
  for (TEdit* edit : {dialog->EditFrequency, dialog->EditSteepness, dialog->EditGain}) {
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_TRUE(edit->Enabled());
  }
  for (TControl* c : std::initializer_list<TControl*>{
           dialog->LabelFrequency, dialog->LabelSteepness, dialog->ImageSliderSteepness, dialog->LabelSteepnessMin,
           dialog->LabelSteepnessMax, dialog->LabelGain, dialog->ImageSliderGain, dialog->LabelGainMin,
           dialog->LabelGainMax, dialog->LabelPreset, dialog->ComboBoxPreset, dialog->ButtonOK,
           dialog->ButtonCancel, dialog->ButtonHelp, dialog->ButtonPreview})
    EXPECT_FALSE(c->Enabled()) << Utf8Encode(c->Name());
  dialog->SetControlsEnabled(true);
  EXPECT_FALSE(dialog->EditGain->ReadOnly());
  EXPECT_TRUE(dialog->ImageSliderGain->Enabled());
}

// ---- preview states ------------------------------------------------------------------------

struct PreviewProbe {
  TLowShelfForm* dialog;
  String Caption() const { return dialog->ButtonPreview->Caption(); }
  bool TimerOn() const { return dialog->TimerMonitor->Enabled(); }
  bool ControlsOn() const { return dialog->ImageSliderSteepness->Enabled() && !dialog->EditGain->ReadOnly(); }
  void Tick() const { dialog->TimerMonitorTimer(dialog->TimerMonitor); }
};

using PreviewStates = DialogFixture;

TEST_F(PreviewStates, IdleStartingPreviewingIdle) {
  auto* dialog = new TLowShelfForm(host);
  ShowDialog(dialog);
  const PreviewProbe p{dialog};
  EXPECT_EQ(p.Caption(), L"&Preview");
  EXPECT_FALSE(p.TimerOn());
  bool disabledDuringStart = false;
  host->busy = true;
  host->onStart = [&] {
    disabledDuringStart = !p.ControlsOn() && p.Caption() == L"&Stop" && !p.TimerOn();
    host->previewing = true;
  };
  dialog->ImageSliderGain->SetValue(-33);
  dialog->ButtonPreviewClick(dialog->ButtonPreview);
  EXPECT_TRUE(disabledDuringStart);
  EXPECT_EQ(host->startedWith, 18);
  EXPECT_EQ(GlobalVars.DefLowShelfGain, -33);
  EXPECT_EQ(p.Caption(), L"&Stop");
  EXPECT_TRUE(p.TimerOn());
  p.Tick();  // still transforming
  EXPECT_FALSE(p.ControlsOn());
  host->busy = false;
  p.Tick();
  EXPECT_TRUE(p.ControlsOn());
  EXPECT_TRUE(p.TimerOn());
  host->previewing = false;  // played to its end
  p.Tick();
  EXPECT_EQ(p.Caption(), L"&Preview");
  EXPECT_FALSE(p.TimerOn());
  EXPECT_EQ(WaitCursorDepth(), 0);
  dialog->Free();
}

TEST_F(PreviewStates, AFailedStartIsIdleAfterOneTickAndStopActsAtOnce) {
  auto* dialog = new TLowShelfForm(host);
  ShowDialog(dialog);
  const PreviewProbe p{dialog};
  host->onStart = [] {};  // the device failed: reported, Previewing left clear
  dialog->ButtonPreviewClick(dialog->ButtonPreview);
  EXPECT_EQ(p.Caption(), L"&Stop");
  p.Tick();
  EXPECT_EQ(p.Caption(), L"&Preview");
  EXPECT_FALSE(p.TimerOn());
  EXPECT_TRUE(p.ControlsOn());

  host->onStart = nullptr;
  dialog->ButtonPreviewClick(dialog->ButtonPreview);
  p.Tick();
  dialog->ButtonPreviewClick(dialog->ButtonPreview);  // Stop
  EXPECT_EQ(host->stops, 1);
  EXPECT_FALSE(host->previewing);
  EXPECT_EQ(p.Caption(), L"&Preview");
  EXPECT_TRUE(p.ControlsOn());
  dialog->Free();
}

TEST_F(PreviewStates, AnErrorWhileStartingLeavesTheDialogIdleUsableAndReportedOnce) {
  struct Case {
    const char* what;
    std::function<void(TLowShelfForm*)> breakIt;
    const wchar_t* message;
  } cases[] = {
      {"the start raises", [this](TLowShelfForm*) { host->onStart = [] { throw Exception(L"device gone"); }; },
       L"device gone"},
      {"the store step cannot convert", [](TLowShelfForm* d) { d->EditFrequency->SetText(L""); },
       L"'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* dialog = new TLowShelfForm(host);
    ShowDialog(dialog);
    const PreviewProbe p{dialog};
    const int before = ReportedErrors();
    const int stopsBefore = host->stops;
    c.breakIt(dialog);
    SendMessageW(dialog->ButtonPreview->Handle(), BM_CLICK, 0, 0);
    ProcessMessages();
    EXPECT_EQ(ReportedErrors(), before + 1);
    EXPECT_EQ(LastReportedError(), c.message);
    EXPECT_EQ(host->stops, stopsBefore + 1);
    EXPECT_EQ(p.Caption(), L"&Preview");
    EXPECT_FALSE(p.TimerOn());
    EXPECT_TRUE(p.ControlsOn());
    EXPECT_TRUE(dialog->ButtonOK->Enabled());
    EXPECT_EQ(WaitCursorDepth(), 0);
    host->onStart = nullptr;
    dialog->EditFrequency->SetText(L"500");
    dialog->ButtonPreviewClick(dialog->ButtonPreview);
    EXPECT_TRUE(host->previewing);
    host->previewing = false;
    dialog->Free();
  }
}

TEST_F(PreviewStates, ShowClearsPreviewingAndStopsTheTimer) {
  auto* dialog = new TEqualizerForm(host);
  host->previewing = true;
  dialog->TimerMonitor->SetEnabled(true);
  ShowDialog(dialog);
  EXPECT_FALSE(host->previewing);
  EXPECT_EQ(host->clears, 1);
  EXPECT_FALSE(dialog->TimerMonitor->Enabled());
  EXPECT_TRUE(dialog->ButtonPreview->Visible());
  dialog->Free();
}

TEST_F(PreviewStates, WithoutAHostPreviewIsHidden) {
  ObjectPtr<TForm> plain(new TForm(nullptr, 0));
  auto* dialog = new TVibratoForm(plain.get());
  ShowDialog(dialog);
  EXPECT_FALSE(dialog->ButtonPreview->Visible());
  dialog->ButtonPreviewClick(dialog->ButtonPreview);  // nothing to start
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, -1);
  dialog->Free();
}

}  // namespace
}  // namespace dialog_testing
