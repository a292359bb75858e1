// The effect members' own behaviour: the single-value checks on leaving the edit and on OK, the
// signed thresholds, Enter in the fade and stereo-mix dialogs, and the envelope dialog's display.

#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "app/core/Help.h"
#include "dialogs/Amplify.h"
#include "dialogs/CossFade.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/DynamicRangeCompressor.h"
#include "dialogs/Envelope.h"
#include "dialogs/HighPass.h"
#include "dialogs/MixStereo.h"
#include "dialogs/NoiseReduction.h"
#include "dialogs/Normalize.h"
#include "dialogs/PitchChange.h"
#include "dialogs/SpeedChange.h"
#include "platform/audio/editor/AudioEditor.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {
namespace {

using window_testing::ProcessMessages;

struct Box {
  String text, caption;
  UINT flags;
};

// Message boxes are answered OK and recorded.
class Boxes {
 public:
  Boxes() {
    previous_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
      shown.push_back({text, caption, flags});
      return IDOK;
    });
  }
  ~Boxes() { SetMessageBoxAnswerer(previous_); }
  std::vector<Box> shown;

 private:
  TMessageBoxAnswerer previous_;
};

// What happened to a single-value dialog whose edit was given a text and then OK was clicked.
struct Outcome {
  bool accepted = false;        // closed with OK and stored
  bool threw = false;           // the caller's store step raised
  int stored = -1;              // the settings field after the run
  std::vector<Box> boxes;       // message boxes shown
  int errors = 0;               // errors that reached the application's handler
  bool focusInEdit = false;     // where the focus was after OK
};

struct SingleCase {
  const char* what;
  std::function<bool(TWinControl*)> execute;
  const wchar_t* editName;
  int TGlobalVars::*field;
};

bool RunsAmplify(TWinControl* c) { return ExecuteEffectDialog<TAmplifyForm>(c); }
bool RunsHighPass(TWinControl* c) { return ExecuteEffectDialog<THighPassForm>(c); }
bool RunsSpeed(TWinControl* c) { return ExecuteEffectDialog<TSpeedChangeForm>(c); }
bool RunsPitch(TWinControl* c) { return ExecuteEffectDialog<TPitchChangeForm>(c); }
bool RunsNormalize(TWinControl* c) { return ExecuteEffectDialog<TNormalizeForm, false>(c); }

class SingleValueChecks : public DialogFixture {
 protected:
  // Types the text into the focused edit and clicks OK, as the user does.
  Outcome TypeAndClickOK(const SingleCase& c, const wchar_t* text);
};

Outcome SingleValueChecks::TypeAndClickOK(const SingleCase& c, const wchar_t* text) {
  Outcome outcome;
  Boxes boxes;
  const int errorsBefore = ReportedErrors();
  GlobalVars.*c.field = -1;
  ModalScript script([&](TCustomForm* modal) {
    auto* edit = dynamic_cast<TEdit*>(modal->FindComponent(c.editName));
    SetForegroundWindow(modal->Handle());
    ProcessMessages();
    edit->SetFocus();
    edit->SetText(text);
    ProcessMessages();
    auto* ok = dynamic_cast<TButton*>(modal->FindComponent(L"ButtonOK"));
    window_testing::Click(ok->Handle(), 10, 10);
    ProcessMessages();
    outcome.focusInEdit = GetFocus() == edit->Handle();
  });
  try {
    outcome.accepted = c.execute(host);
  } catch (const EConvertError&) {
    outcome.threw = true;
  }
  outcome.stored = GlobalVars.*c.field;
  outcome.boxes = boxes.shown;
  outcome.errors = ReportedErrors() - errorsBefore;
  return outcome;
}

TEST_F(SingleValueChecks, BoundariesAsTypedThenOK) {
  using G = TGlobalVars;
  const SingleCase speed{"speed", RunsSpeed, L"EditSpeedAdjust", &G::DefSpeedChange};
  const SingleCase pitch{"pitch", RunsPitch, L"EditPitchAdjust", &G::DefPitchChange};
  const SingleCase normalize{"normalize", RunsNormalize, L"EditNormalizePeak", &G::DefNormalize};
  const SingleCase amplify{"amplify", RunsAmplify, L"EditAmplify", &G::DefAmplify};
  const SingleCase highPass{"high-pass", RunsHighPass, L"EditFrequency", &G::DefHighPass};
  const wchar_t* speedText = L"Speed Change Percent must be less than 300. Please try again.";
  const wchar_t* pitchText = L"Pitch Change Percent must be less than 300 and more than 10. Please try again.";
  const wchar_t* normalizeText = L"Normailze Peak Level must be less than 500%. Please try again.";
  struct Case {
    const SingleCase& dialog;
    const wchar_t* typed;
    bool accepted;
    const wchar_t* message;  // the error box, or null
    bool focusInEdit;
  } cases[] = {
      {speed, L"300", true, nullptr, false},      {speed, L"301", false, speedText, true},
      {speed, L"0", true, nullptr, false},        {pitch, L"9", false, pitchText, true},
      {pitch, L"10", true, nullptr, false},       {pitch, L"300", true, nullptr, false},
      {pitch, L"301", false, pitchText, true},    {normalize, L"500", true, nullptr, false},
      {normalize, L"501", false, normalizeText, true},
      {amplify, L"999", true, nullptr, false},    {highPass, L"9999", true, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog.what << " " << testing::PrintToString(std::wstring(c.typed)));
    const Outcome o = TypeAndClickOK(c.dialog, c.typed);
    EXPECT_EQ(o.accepted, c.accepted);
    EXPECT_EQ(o.stored, c.accepted ? std::stoi(c.typed) : -1);
    EXPECT_EQ(o.errors, 0);
    if (c.message) {
      ASSERT_EQ(o.boxes.size(), 1u);
      EXPECT_EQ(o.boxes[0].text, c.message);
      EXPECT_EQ(o.boxes[0].caption, Application->Title());
      EXPECT_EQ(o.boxes[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
      EXPECT_EQ(o.focusInEdit, c.focusInEdit);
    } else {
      EXPECT_TRUE(o.boxes.empty());
    }
  }
}

TEST_F(SingleValueChecks, AnEmptiedEditIsReportedOnceAndOnlyTheUncheckedDialogsClose) {
  using G = TGlobalVars;
  struct Case {
    SingleCase dialog;
    bool closes;  // and then the caller's store step raises
  } cases[] = {
      {{"speed", RunsSpeed, L"EditSpeedAdjust", &G::DefSpeedChange}, false},
      {{"pitch", RunsPitch, L"EditPitchAdjust", &G::DefPitchChange}, false},
      {{"normalize", RunsNormalize, L"EditNormalizePeak", &G::DefNormalize}, false},
      {{"amplify", RunsAmplify, L"EditAmplify", &G::DefAmplify}, true},
      {{"high-pass", RunsHighPass, L"EditFrequency", &G::DefHighPass}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog.what);
    const Outcome o = TypeAndClickOK(c.dialog, L"");
    EXPECT_FALSE(o.accepted);
    EXPECT_EQ(o.threw, c.closes);
    EXPECT_EQ(o.stored, -1);
    EXPECT_TRUE(o.boxes.empty());
    if (!c.closes) {
      EXPECT_EQ(o.errors, 1);
      EXPECT_EQ(LastReportedError(), L"'' is not a valid integer value");
    }
  }
}

TEST_F(SingleValueChecks, LeavingTheSpeedEditRefusesAtOnceAndKeepsTheText) {
  Boxes boxes;
  auto* dialog = new TSpeedChangeForm(host);
  ShowDialog(dialog);
  dialog->EditSpeedAdjust->SetFocus();
  dialog->EditSpeedAdjust->SetText(L"450");
  dialog->ComboBoxPreset->SetFocus();
  ProcessMessages();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(GetFocus(), dialog->EditSpeedAdjust->Handle());
  EXPECT_EQ(dialog->EditSpeedAdjust->Text(), L"450");
  EXPECT_EQ(dialog->ButtonOK->ModalResult, mrNone);
  dialog->Free();
}

TEST_F(SingleValueChecks, NormalizeChecksOnOKWithoutMovingTheFocusAndLeavesThePreviewNumber) {
  GlobalVars.PreviewOperationTypes = 7;
  bool focusStayed = false;
  ModalScript script([&](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TNormalizeForm*>(modal);
    SetForegroundWindow(dialog->Handle());
    dialog->EditNormalizePeak->SetFocus();
    ProcessMessages();
    dialog->EditNormalizePeak->SetText(L"75");
    dialog->ButtonOKClick(dialog->ButtonOK);
    focusStayed = GetFocus() == dialog->EditNormalizePeak->Handle();
  });
  EXPECT_TRUE(RunsNormalize(host));
  EXPECT_TRUE(focusStayed);
  EXPECT_EQ(GlobalVars.DefNormalize, 75);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, 7);
  ObjectPtr<TNormalizeForm> dialog(new TNormalizeForm(host));
  EXPECT_EQ(dialog->LabelNewSampleRate->Name(), L"LabelNewSampleRate");
  EXPECT_EQ(dialog->LabelNewSampleRate->Caption(), L"&Presets:");
}

// ---- signed thresholds ---------------------------------------------------------------------------

using Thresholds = DialogFixture;

TEST_F(Thresholds, TypedTextMovesTheSliderOrTurnsRedAndLeavingClampsIt) {
  struct Case {
    const char* what;
    std::function<TForm*(TComponent*)> make;
    const wchar_t* typed;
    int sliderWhileTyping;
    bool red;
    const wchar_t* afterLeaving;
  } cases[] = {
      {"compressor -5", [](TComponent* o) { return new TDynamicRangeCompressorForm(o); }, L"-5", -5, false, L"-5"},
      {"compressor 5", [](TComponent* o) { return new TDynamicRangeCompressorForm(o); }, L"5", -10, true, L"0"},
      {"compressor dot", [](TComponent* o) { return new TDynamicRangeCompressorForm(o); }, L".", -10, true, L"-40"},
      {"noise reduction dot", [](TComponent* o) { return new TNoiseReductionForm(o); }, L".", -13, true, L"-96"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TForm* dialog = c.make(host);
    ShowDialog(dialog);
    auto* edit = dynamic_cast<TEdit*>(dialog->FindComponent(L"EditThreshold"));
    auto* slider = dynamic_cast<TImageSlider*>(dialog->FindComponent(L"ImageSliderThreshold"));
    auto* rate = dynamic_cast<TEdit*>(dialog->FindComponent(L"EditRate"));
    EXPECT_FALSE(edit->NumbersOnly());
    EXPECT_TRUE(rate->NumbersOnly());
    edit->SetFocus();
    edit->SetText(L"");
    ProcessMessages();
    for (const wchar_t* k = c.typed; *k; ++k) SendMessageW(edit->Handle(), WM_CHAR, *k, 0);
    EXPECT_EQ(edit->Text(), c.typed);
    EXPECT_EQ(slider->Value(), c.sliderWhileTyping);
    EXPECT_EQ(edit->Font()->Color(), c.red ? clRed : clWindowText);
    rate->SetFocus();
    ProcessMessages();
    EXPECT_EQ(edit->Text(), c.afterLeaving);
    EXPECT_EQ(slider->Value(), std::stoi(c.afterLeaving));
    dialog->Free();
  }
}

TEST_F(Thresholds, ASecondMinusOrOneAfterADigitIsDropped) {
  auto* dialog = new TNoiseReductionForm(host);
  ShowDialog(dialog);
  TEdit* edit = dialog->EditThreshold;
  edit->SetText(L"-3");
  edit->SetSelStart(0);
  SendMessageW(edit->Handle(), WM_CHAR, L'-', 0);
  edit->SetSelStart(2);
  SendMessageW(edit->Handle(), WM_CHAR, L'-', 0);
  SendMessageW(edit->Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(edit->Text(), L"-3");
  dialog->Free();
}

// ---- Enter in the fade and stereo-mix dialogs ----------------------------------------------------

using EnterStoresClamped = DialogFixture;

TEST_F(EnterStoresClamped, FadeAndStereoMixClampTheEditBeforeClosing) {
  struct Case {
    const char* what;
    std::function<bool(TWinControl*)> execute;
    const wchar_t* edit;
    int TGlobalVars::*field;
  } cases[] = {
      {"fade", [](TWinControl* c) { return ExecuteEffectDialog<TCossFadeForm>(c); }, L"EditInitial",
       &TGlobalVars::DefFadeInt},
      {"stereo mix", [](TWinControl* c) { return ExecuteEffectDialog<TMixStereoForm>(c); }, L"EditNewLeftChannelRight",
       &TGlobalVars::DefMixChanLR},
  };
  for (const Case& c : cases) {
    for (bool enter : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.what << (enter ? " Enter" : " OK clicked"));
      ModalScript script([&](TCustomForm* modal) {
        auto* edit = dynamic_cast<TEdit*>(modal->FindComponent(c.edit));
        SetForegroundWindow(modal->Handle());
        ProcessMessages();
        edit->SetFocus();
        edit->SetText(L"15");
        edit->SetText(L"150");
        ProcessMessages();
        if (enter) window_testing::PressKey(VK_RETURN);
        else window_testing::Click(dynamic_cast<TButton*>(modal->FindComponent(L"ButtonOK"))->Handle(), 10, 10);
        ProcessMessages();
      });
      EXPECT_TRUE(c.execute(host));
      EXPECT_EQ(GlobalVars.*c.field, 100);
    }
  }
}

// ---- the envelope dialog ---------------------------------------------------------------------------

using EnvelopeDialog = DialogFixture;

TEST_F(EnvelopeDialog, TheDisplayKeepsItsStoredStateUntilShown) {
  ObjectPtr<TEnvelopeForm> dialog(new TEnvelopeForm(host));
  TAudioTransformDisplay2* td = dialog->TD;
  EXPECT_EQ(dialog->Caption(), L"Envelope");
  EXPECT_EQ(dialog->ClientWidth(), 555);
  EXPECT_EQ(dialog->ClientHeight(), 252);
  EXPECT_EQ(td->LineArraySize(), 1024);
  EXPECT_EQ(td->ScaleXCaption(), L"Hz");
  EXPECT_EQ(td->ScaleYCaption(), L"dB");
  EXPECT_EQ(td->ScaleXMax(), 22050.0f);
  EXPECT_EQ(td->Font()->Name(), L"Small Fonts");
  EXPECT_EQ(td->GridColor(), RGBColor(112, 112, 112));
  EXPECT_EQ(td->Color(), RGBColor(64, 255, 64));
  EXPECT_EQ(dialog->FindComponent(L"ComboBoxPreset"), nullptr);
  EXPECT_EQ(dialog->FindComponent(L"ButtonPreview"), nullptr);
  EXPECT_EQ(dialog->ButtonOK->ModalResult, mrOk);
  EXPECT_EQ(dialog->ButtonCancel->ModalResult, mrCancel);
}

TEST_F(EnvelopeDialog, ShownTheDisplaySitsAtItsPlaceInSamplesFromMinus20To20dB) {
  auto* dialog = new TEnvelopeForm(host);
  ShowDialog(dialog);
  TAudioTransformDisplay2* td = dialog->TD;
  EXPECT_EQ(td->BoundsRect(), Bounds(8, 0, 545, 200));
  EXPECT_EQ(td->ScaleXCaption(), L"smpl");
  EXPECT_EQ(td->LineArraySize(), 100000);
  EXPECT_EQ(td->ScaleYMin(), -20.0f);
  EXPECT_EQ(td->ScaleYMax(), 20.0f);
  EXPECT_EQ(td->Font()->Name(), L"Tahoma");
  EXPECT_EQ(td->Font()->Size(), 7);
  EXPECT_EQ(td->Font()->Color(), RGBColor(168, 220, 248));
  EXPECT_EQ(td->GetPoints().size(), 100000u);

  // The form painted: the plot's black frame and back where the display sits, the scale area and
  // the form around it in the button face.
  window_testing::DibSection dib(dialog->ClientWidth(), dialog->ClientHeight());
  dialog->PaintTo(dib.DC(), 0, 0);
  TRect plot = td->PlotRect();
  OffsetRect(&plot, 8, 0);
  const DWORD black = 0x000000;
  const DWORD face = ColorToRGB(clBtnFace);
  const DWORD faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
  const int middle = (plot.top + plot.bottom) / 4;
  EXPECT_EQ(dib.Pixel(plot.left, middle), black);
  EXPECT_EQ(dib.Pixel(plot.right - 1, middle), black);
  EXPECT_EQ(dib.Pixel(plot.left + 2, plot.top + 2), black);
  EXPECT_EQ(dib.Pixel(plot.left - 1, middle), faceRgb);
  EXPECT_EQ(dib.Pixel(7, middle), faceRgb);
  EXPECT_EQ(dib.Pixel(8 + 545, middle), faceRgb);
  EXPECT_EQ(dib.Pixel(plot.left + (plot.Width() - 1) / 10, plot.top + 3), 0x707070u);  // the grid
  dialog->Free();
}

TEST_F(EnvelopeDialog, FitToSelectionTakesTheEditorsSelectionInSamples) {
  auto* editor = new TAudioEditor2(host);
  host->editor = editor;
  editor->NewDocument(44100, 2);
  SampleBuffer samples(2, 44100, 50000);
  editor->InsertSamples(samples);
  struct Case {
    std::int64_t start, end;
  } cases[] = {{1000, 41000}, {0, 50000}, {20000, 20000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
    editor->Position()->SetCursorPosition(c.start);
    editor->Position()->SetSelectionEnd(c.end);
    ObjectPtr<TEnvelopeForm> dialog(new TEnvelopeForm(host));
    dialog->FitToSelection();
    EXPECT_EQ(dialog->TD->ScaleXMin(), float(c.start));
    EXPECT_EQ(dialog->TD->ScaleXMax(), float(c.end));
    EXPECT_EQ(dialog->TD->GetPoints().size(), 1024u);
  }
  host->editor = nullptr;
  editor->Free();
}

TEST_F(EnvelopeDialog, HelpOpensTheEffectsTopic) {
  HelpRequests help;
  ObjectPtr<TEnvelopeForm> dialog(new TEnvelopeForm(host));
  dialog->ButtonHelpClick(dialog->ButtonHelp);
  ASSERT_EQ(help.Paths().size(), 1u);
  EXPECT_EQ(help.Paths()[0], HelpFilePath() + L"::/effects.htm");
}

}  // namespace
}  // namespace dialog_testing
