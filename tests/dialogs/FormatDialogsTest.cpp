// The output format dialogs: the summaries and preset labels as pure functions, then the dialogs in
// real windows: enabling, the specify dialogs' load and store steps, the MP3 list coupling and
// quality slider, the OGG quality label, out-of-range indexes, the painted preset slider.

#include <functional>
#include <memory>

#include "DialogFixture.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/Mp3Format.h"
#include "dialogs/Mp3CustomSettings.h"
#include "dialogs/OGGFormat.h"
#include "dialogs/OGGCustomSettings.h"
#include "dialogs/WMAFormat.h"
#include "dialogs/WaveFormat.h"
#include "dialogs/WaveCustomFormat.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {
namespace {

TGlobalVars Defaults() {
  TGlobalVars vars;
  AssignDefaultValues(vars);
  return vars;
}

// A choice in a drop-down list as the user makes it: the selection, then the notification.
void Pick(TComboBox* list, int index) {
  SendMessageW(list->Handle(), CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(list->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list->Handle()));
}

// ---- Pure tables ------------------------------------------------------------------------------------

TEST(FormatSummaries, WaveTextsAndUnknownIndexes) {
  struct Case {
    Byte rate, bits, mode;
    const wchar_t* text;
  } cases[] = {
      {7, 1, 0, L"WAV, 44,100 Hz, 16 bits, Stereo"},
      {7, 9, 0, L"WAV, 44,100 Hz, Unknow bits, Stereo"},
      {0, 0, 1, L"WAV, 8,000 Hz, 8 bits, Mono"},
      {9, 3, 2, L"WAV, 96,000 Hz, 32 bits, Unknow"},
      {10, 1, 0, L"WAV, Unknow Hz, 16 bits, Stereo"},
  };
  TGlobalVars vars = Defaults();
  EXPECT_EQ(TWaveFormatForm::SummaryText(vars), cases[0].text);
  for (const Case& c : cases) {
    vars.OutputWAVSampleType = c.rate, vars.OutputWAVBitesPerSample = c.bits, vars.OutputWAVMode = c.mode;
    EXPECT_EQ(TWaveFormatForm::SummaryText(vars), c.text);
  }
}

TEST(FormatSummaries, Mp3ConstantAndVariableRates) {
  struct Case {
    bool cbr, qualityLevel, xing, checksum;
    Byte cbrRate, min, max, abr, mode;
    int quality;
    const wchar_t* text;
  } cases[] = {
      {true, true, true, false, 10, 8, 12, 10, 0, 2, L"MPEG 1, Layer 3, 192kbps, Stereo"},
      {false, true, true, false, 10, 8, 12, 10, 0, 2,
       L"MPEG 1, Layer 3, Variable 128kbps - 320kbps, Quality 2, Stereo, XING compatible variable bit rate header"},
      // The XING text only for a variable rate; the checksum for both.
      {true, true, true, true, 13, 8, 12, 10, 3, 2, L"MPEG 1, Layer 3, 320kbps, Mono, Checksum on"},
      {false, false, false, true, 10, 0, 0, 8, 1, 2,
       L"MPEG 1, Layer 3, Variable 32kbps - 40kbps, Average 128kbps, Joint Stereo, Checksum on"},
      // Indexes outside their lists: "kbps" alone and no mode text.
      {true, true, false, false, 14, 8, 12, 10, 4, 2, L"MPEG 1, Layer 3, kbps, "},
      {false, true, false, false, 10, 13, 13, 10, 2, 7, L"MPEG 1, Layer 3, Variable kbps - kbps, Quality 7, Dual Channels"},
  };
  TGlobalVars vars = Defaults();
  EXPECT_EQ(TMp3FormatForm::SummaryText(vars), cases[0].text);
  for (const Case& c : cases) {
    vars.OutputMP3CBR = c.cbr, vars.OutputMP3QualityLevel = c.qualityLevel, vars.OutputMP3WriteXING = c.xing;
    vars.OutputMP3Checksum = c.checksum, vars.OutputMP3CBRBitRate = c.cbrRate, vars.OutputMP3VBRBitRateMin = c.min;
    vars.OutputMP3VBRBitRateMax = c.max, vars.OutputMP3ABRBitRate = c.abr, vars.OutputMP3Mode = c.mode;
    vars.OutputMP3QualityLevelValue = c.quality;
    EXPECT_EQ(TMp3FormatForm::SummaryText(vars), c.text);
  }
}

TEST(FormatSummaries, OggAverageAndVariable) {
  struct Case {
    bool abr;
    Byte rate, mode;
    int quality;
    const wchar_t* text;
  } cases[] = {
      {false, 4, 0, 60, L"Variable bit rate 60%, Stereo"},
      {true, 2, 1, 60, L"Average Bit Rate: 128 kbps, Mono"},
      {true, 6, 3, 60, L"Average Bit Rate: 350 kbps, Mono"},
      {true, 7, 0, 60, L"Average Bit Rate: Unknow kbps, Stereo"},
      {false, 0, 0, 100, L"Variable bit rate 100%, Stereo"},
  };
  TGlobalVars vars = Defaults();
  EXPECT_EQ(TOGGFormatForm::SummaryText(vars), cases[0].text);
  for (const Case& c : cases) {
    vars.OutputOGGABR = c.abr, vars.OutputOGGABRBitRate = c.rate, vars.OutputOGGMode = c.mode;
    vars.OutputOGGQualityValue = c.quality;
    EXPECT_EQ(TOGGFormatForm::SummaryText(vars), c.text);
  }
}

TEST(FormatTexts, Mp3ListTexts) {
  EXPECT_EQ(Mp3BitRateText(0), L"32kbps");
  EXPECT_EQ(Mp3BitRateText(13), L"320kbps");
  EXPECT_EQ(Mp3MinBitRateText(12), L"256kbps");
  EXPECT_EQ(Mp3MinBitRateText(13), L"kbps");
  EXPECT_EQ(Mp3MaxBitRateText(0), L"40kbps");
  EXPECT_EQ(Mp3MaxBitRateText(12), L"320kbps");
  EXPECT_EQ(Mp3ModeText(2), L"Dual Channels");
  EXPECT_EQ(Mp3ModeText(-1), L"");
}

// ---- The dialogs ------------------------------------------------------------------------------------

struct Format {
  const char* what;
  std::function<TOutputFormatForm*(TComponent*)> make;
  const wchar_t* caption;
  int presets, designValue;
  const wchar_t* topic;
  // Three rows of the label table: value, name, description.
  struct Row {
    int value;
    const wchar_t* quality;
    const wchar_t* description;
  } rows[3];
};

const Format kFormats[] = {
    {"WAV", [](TComponent* o) -> TOutputFormatForm* { return new TWaveFormatForm(o); }, L"Wave File Setup", 3, 1,
     L"wavsettings",
     {{0, L"FM Quality", L"22,050 Hz, 16 bits, Stereo"},
      {1, L"CD Quality", L"44,100 Hz, 16 bits, Stereo"},
      {2, L"Hi-Fi Quality", L"96,000 Hz, 16 bits, Stereo"}}},
    {"MP3", [](TComponent* o) -> TOutputFormatForm* { return new TMp3FormatForm(o); }, L"MP3 File Setup", 11, 8,
     L"mp3settings",
     {{0, L"Phone Quality", L"[MPEG 2.5, Layer 3, 16kbps, Mono]"},
      {5, L"Radio Quality", L"[MPEG 1, Layer 3, 112kbps, Joint Stereo]"},
      {10, L"Super Quality!", L"[MPEG 1, Layer 3, 320kbps, Stereo]"}}},
    {"OGG", [](TComponent* o) -> TOutputFormatForm* { return new TOGGFormatForm(o); }, L"OGG File Setup", 7, 4,
     L"oggsettings",
     {{0, L"Voice Quality", L"64 kbps, Mono"},
      {3, L"Hi-Fi Quality", L"160 kbps, Stereo"},
      {6, L"Best Quality", L"320 kbps, Stereo"}}},
    {"WMA", [](TComponent* o) -> TOutputFormatForm* { return new TWMAFormatForm(o); }, L"WMA File Setup", 7, 5,
     L"wmasettings",
     {{0, L"Phone Quality", L"[WMA, 8 kbps, 8,000 Hz, Mono]"},
      {2, L"High Quality Mono", L"[WMA, 48 kbps, 44,100 Hz, Mono]"},
      {6, L"Studio Quality", L"[WMA, 192 kbps, 44,100 Hz, Stereo]"}}},
};

using FormatDialogs = DialogFixture;

TEST_F(FormatDialogs, PresetSliderAndLabelsOfEveryFormat) {
  for (const Format& f : kFormats) {
    SCOPED_TRACE(f.what);
    ObjectPtr<TOutputFormatForm> dialog(f.make(host));
    EXPECT_EQ(dialog->Caption(), f.caption);
    TImageSlider* slider = dialog->ImageSliderPreset;
    EXPECT_EQ(slider->MaxValue() + 1, f.presets);
    EXPECT_EQ(int(dialog->Spec().PresetLabels.size()), f.presets);
    EXPECT_EQ(slider->Value(), f.designValue);
    EXPECT_EQ(slider->Increment(), 1);
    EXPECT_EQ(slider->Options(), TSliderOptions{soShowPoints});
    ShowDialog(dialog.get());
    for (const Format::Row& row : f.rows) {
      slider->SetValue(row.value);
      EXPECT_EQ(dialog->LabelPresetQuality1->Caption(), row.quality) << row.value;
      EXPECT_EQ(dialog->LabelPresetQuality2->Caption(), row.description) << row.value;
    }
    // A value outside the table (read from a damaged file) leaves the labels as they are.
    EXPECT_EQ(PresetLabelOf(dialog->Spec().PresetLabels, f.presets), nullptr);
    EXPECT_EQ(PresetLabelOf(dialog->Spec().PresetLabels, -1), nullptr);
  }
}

TEST_F(FormatDialogs, PresetAndSpecifyEnablingFollowsTheRadioButtons) {
  struct Case {
    Byte type;
    bool preset, specify;
  } cases[] = {{0, true, false}, {1, false, true}, {7, false, false}};
  for (int which = 0; which < 3; ++which) {
    for (const Case& c : cases) {
      SCOPED_TRACE(kFormats[which].what);
      SCOPED_TRACE(int(c.type));
      GlobalVars.OutputWAVType = GlobalVars.OutputMP3Type = GlobalVars.OutputOGGType = c.type;
      ObjectPtr<TOutputFormatForm> dialog(kFormats[which].make(host));
      dialog->LoadFromSettings();
      ShowDialog(dialog.get());
      EXPECT_EQ(dialog->RadioButtonPresetQuality->Checked(), c.preset);
      EXPECT_EQ(dialog->RadioButtonSpecifySettings->Checked(), c.specify);
      for (TControl* control : std::initializer_list<TControl*>{dialog->ImageSliderPreset, dialog->LabelLowQuality,
                                                                dialog->LabelHighQuality, dialog->LabelPresetQuality1,
                                                                dialog->LabelPresetQuality2})
        EXPECT_EQ(control->Enabled(), c.preset) << control->Name();
      EXPECT_EQ(dialog->ButtonConfigure->Enabled(), c.specify);
      EXPECT_EQ(dialog->LabelSpecifySettings->Enabled(), c.specify);
      // A type that is neither stays as it was unless the user picks one.
      dialog->StoreToSettings();
      EXPECT_EQ(GlobalVars.*dialog->Spec().TypeField, c.type);
      dialog->RadioButtonSpecifySettings->SetChecked(true);
      EXPECT_FALSE(dialog->ImageSliderPreset->Enabled());
      EXPECT_TRUE(dialog->ButtonConfigure->Enabled());
      dialog->RadioButtonPresetQuality->SetChecked(true);
      EXPECT_TRUE(dialog->ImageSliderPreset->Enabled());
      EXPECT_FALSE(dialog->ButtonConfigure->Enabled());
    }
  }
  // WMA has presets only.
  ObjectPtr<TOutputFormatForm> wma(new TWMAFormatForm(host));
  EXPECT_EQ(wma->RadioButtonPresetQuality, nullptr);
  EXPECT_EQ(wma->ButtonConfigure, nullptr);
  GlobalVars.OutputWMAPresets = 2;
  wma->LoadFromSettings();
  wma->ImageSliderPreset->SetValue(6);
  wma->StoreToSettings();
  EXPECT_EQ(GlobalVars.OutputWMAPresets, 6);
}

// The specify fields are written when the specify dialog is confirmed, whatever the format dialog
// is closed with; the type and preset only by the format dialog's OK.
TEST_F(FormatDialogs, ConfiguredSettingsOutliveACancelledFormatDialog) {
  String summaryAfterConfigure;
  ModalScript script([&](TCustomForm* modal) {
    if (auto* specify = dynamic_cast<TWaveFormatSpecifyForm*>(modal)) {
      EXPECT_EQ(specify->ComboBoxSampleRate->ItemIndex(), 7);
      Pick(specify->ComboBoxSampleRate, 4);
      specify->RadioButtonMono->SetChecked(true);
      specify->ButtonOK->Click();
      return;
    }
    auto* dialog = dynamic_cast<TWaveFormatForm*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->LabelSpecifySettings->Caption(), L"WAV, 44,100 Hz, 16 bits, Stereo");
    dialog->RadioButtonSpecifySettings->SetChecked(true);
    dialog->ImageSliderPreset->SetValue(2);
    dialog->ButtonConfigure->Click();
    summaryAfterConfigure = dialog->LabelSpecifySettings->Caption();
    dialog->ButtonCancel->Click();
  });
  EXPECT_FALSE(ExecuteOutputFormatDialog(L".wav", host));
  EXPECT_EQ(summaryAfterConfigure, L"WAV, 22,050 Hz, 16 bits, Mono");
  EXPECT_EQ(GlobalVars.OutputWAVSampleType, 4);
  EXPECT_EQ(GlobalVars.OutputWAVMode, 1);
  EXPECT_EQ(GlobalVars.OutputWAVType, 0);
  EXPECT_EQ(GlobalVars.OutputWAVPersets, 1);
  EXPECT_FALSE(ExecuteOutputFormatDialog(L".aiff", host)) << "no dialog for another extension";
}

TEST_F(FormatDialogs, FormatDialogOKStoresTypeAndPresetAndTheSpecifyCancelNothing) {
  ModalScript script([&](TCustomForm* modal) {
    if (auto* specify = dynamic_cast<TOGGSettingsSpecifyForm*>(modal)) {
      specify->GroupBoxMode->SetItemIndex(1);
      specify->ButtonCancel->Click();
      return;
    }
    auto* dialog = dynamic_cast<TOGGFormatForm*>(modal);
    dialog->RadioButtonSpecifySettings->SetChecked(true);
    dialog->ButtonConfigure->Click();
    dialog->ImageSliderPreset->SetValue(6);
    dialog->ButtonOK->Click();
  });
  EXPECT_TRUE(ExecuteOutputFormatDialog(L".ogg", host));
  EXPECT_EQ(GlobalVars.OutputOGGType, 1);
  EXPECT_EQ(GlobalVars.OutputOGGPresets, 6);
  EXPECT_EQ(GlobalVars.OutputOGGMode, 0);
}

TEST_F(FormatDialogs, Mp3MinimumAndMaximumFollowOnlyTheUsersChoice) {
  // Loaded values are shown as they are, even a minimum above the maximum.
  GlobalVars.OutputMP3VBRBitRateMin = 10;  // 192
  GlobalVars.OutputMP3VBRBitRateMax = 7;   // 128 kbps
  GlobalVars.OutputMP3CBR = false;
  ObjectPtr<TMp3SettingsSpecifyForm> dialog(new TMp3SettingsSpecifyForm(host));
  dialog->LoadFromSettings();
  ShowDialog(dialog.get());
  EXPECT_EQ(dialog->ComboBoxMin->ItemIndex(), 10);
  EXPECT_EQ(dialog->ComboBoxMax->ItemIndex(), 7);
  EXPECT_EQ(dialog->ComboBoxMax->Text(), L"128 kbps");
  // The user picks minimum "256 kbps": the maximum moves to the same index, "320 kbps".
  Pick(dialog->ComboBoxMin, 12);
  EXPECT_EQ(dialog->ComboBoxMin->Text(), L"256 kbps");
  EXPECT_EQ(dialog->ComboBoxMax->Text(), L"320 kbps");
  // A maximum below the minimum takes the minimum down with it.
  Pick(dialog->ComboBoxMax, 3);
  EXPECT_EQ(dialog->ComboBoxMax->Text(), L"64 kbps");
  EXPECT_EQ(dialog->ComboBoxMin->Text(), L"56 kbps");
  // Within the bounds nothing else moves.
  Pick(dialog->ComboBoxMin, 1);
  EXPECT_EQ(dialog->ComboBoxMax->ItemIndex(), 3);
  dialog->StoreToSettings();
  EXPECT_EQ(GlobalVars.OutputMP3VBRBitRateMin, 1);
  EXPECT_EQ(GlobalVars.OutputMP3VBRBitRateMax, 3);
}

TEST_F(FormatDialogs, Mp3QualitySliderEndsAndEnabling) {
  ObjectPtr<TMp3SettingsSpecifyForm> dialog(new TMp3SettingsSpecifyForm(host));
  GlobalVars.OutputMP3CBR = false;
  GlobalVars.OutputMP3QualityLevel = true;
  GlobalVars.OutputMP3QualityLevelValue = 2;
  dialog->LoadFromSettings();
  ShowDialog(dialog.get());
  EXPECT_EQ(dialog->ImageSliderQuality->Value(), 7);
  EXPECT_EQ(dialog->LabelQuality->Caption(), L"2");
  struct End {
    Word key;
    const wchar_t* label;
    int stored;
  } ends[] = {{VK_HOME, L"9", 9}, {VK_END, L"0", 0}};
  for (const End& e : ends) {
    dialog->ImageSliderQuality->SetFocus();
    window_testing::PressKey(e.key);
    EXPECT_EQ(dialog->LabelQuality->Caption(), e.label);
    dialog->StoreToSettings();
    EXPECT_EQ(GlobalVars.OutputMP3QualityLevelValue, e.stored);
  }
  // Variable by quality: the slider on, the average list off; constant: the whole group off.
  EXPECT_TRUE(dialog->ImageSliderQuality->Enabled());
  EXPECT_FALSE(dialog->ComboBoxSetAverage->Enabled());
  EXPECT_FALSE(dialog->ComboBoxConstant->Enabled());
  dialog->RadioButtonSetAverage->SetChecked(true);
  EXPECT_FALSE(dialog->ImageSliderQuality->Enabled());
  EXPECT_FALSE(dialog->LabelLow->Enabled());
  EXPECT_TRUE(dialog->ComboBoxSetAverage->Enabled());
  dialog->RadioButtonConstant->SetChecked(true);
  for (TControl* control : std::initializer_list<TControl*>{dialog->GroupBoxVariable, dialog->ComboBoxMin,
                                                            dialog->ComboBoxMax, dialog->RadioButtonQuality,
                                                            dialog->CheckBoxWriteXING, dialog->ComboBoxSetAverage})
    EXPECT_FALSE(control->Enabled()) << control->Name();
  EXPECT_TRUE(dialog->ComboBoxConstant->Enabled());
  EXPECT_TRUE(dialog->CheckBoxChecksum->Enabled());
  dialog->StoreToSettings();
  EXPECT_TRUE(GlobalVars.OutputMP3CBR);
  EXPECT_FALSE(GlobalVars.OutputMP3QualityLevel);
}

TEST_F(FormatDialogs, OggQualityLabelAndEnabling) {
  ObjectPtr<TOGGSettingsSpecifyForm> dialog(new TOGGSettingsSpecifyForm(host));
  GlobalVars.OutputOGGQualityValue = 35;
  dialog->LoadFromSettings();
  ShowDialog(dialog.get());
  EXPECT_EQ(dialog->LabelQuality->Caption(), L"35%");
  dialog->ImageSliderQuality->SetValue(100);
  EXPECT_EQ(dialog->LabelQuality->Caption(), L"100%");
  EXPECT_FALSE(dialog->ComboBoxSetAverage->Enabled());
  dialog->RadioButtonAverage->SetChecked(true);
  EXPECT_TRUE(dialog->ComboBoxSetAverage->Enabled());
  EXPECT_FALSE(dialog->ImageSliderQuality->Enabled());
  EXPECT_FALSE(dialog->LabelQuality->Enabled());
  dialog->StoreToSettings();
  EXPECT_TRUE(GlobalVars.OutputOGGABR);
  EXPECT_EQ(GlobalVars.OutputOGGQualityValue, 100);
}

// An index outside its list (read from a damaged settings file) selects nothing; OK then keeps the
// field as it was instead of storing -1, and the summary still names it unknown.
TEST_F(FormatDialogs, AnOutOfRangeIndexKeepsItsField) {
  GlobalVars.OutputWAVSampleType = 12;
  GlobalVars.OutputWAVMode = 5;
  ObjectPtr<TWaveFormatSpecifyForm> wave(new TWaveFormatSpecifyForm(host));
  wave->LoadFromSettings();
  EXPECT_EQ(wave->ComboBoxSampleRate->ItemIndex(), -1);
  EXPECT_FALSE(wave->RadioButtonStereo->Checked() || wave->RadioButtonMono->Checked());
  wave->StoreToSettings();
  EXPECT_EQ(GlobalVars.OutputWAVSampleType, 12);
  EXPECT_EQ(GlobalVars.OutputWAVMode, 5);
  EXPECT_EQ(TWaveFormatForm::SummaryText(GlobalVars), L"WAV, Unknow Hz, 16 bits, Unknow");

  GlobalVars.OutputMP3CBRBitRate = 200;
  GlobalVars.OutputMP3Mode = 9;
  ObjectPtr<TMp3SettingsSpecifyForm> mp3(new TMp3SettingsSpecifyForm(host));
  mp3->LoadFromSettings();
  mp3->StoreToSettings();
  EXPECT_EQ(GlobalVars.OutputMP3CBRBitRate, 200);
  EXPECT_EQ(GlobalVars.OutputMP3Mode, 9);

  GlobalVars.OutputOGGMode = 4;
  GlobalVars.OutputOGGABRBitRate = 30;
  ObjectPtr<TOGGSettingsSpecifyForm> ogg(new TOGGSettingsSpecifyForm(host));
  ogg->LoadFromSettings();
  EXPECT_EQ(ogg->GroupBoxMode->ItemIndex(), -1);
  ogg->StoreToSettings();
  EXPECT_EQ(GlobalVars.OutputOGGMode, 4);
  EXPECT_EQ(GlobalVars.OutputOGGABRBitRate, 30);
}

// The WAV preset slider is the 217 x 40 three-value slider: painted at preset 1 its thumb's face
// starts at x 98.
TEST_F(FormatDialogs, WavPresetSliderPaintsItsThumbAtPresetOne) {
  constexpr DWORD kThumbFace = 0xC0C0C0;
  ObjectPtr<TWaveFormatForm> dialog(new TWaveFormatForm(host));
  ShowDialog(dialog.get());
  TImageSlider* slider = dialog->ImageSliderPreset;
  ASSERT_EQ(slider->Width(), 217);
  ASSERT_EQ(slider->Height(), 40);
  window_testing::DibSection dib(217, 40);
  slider->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(slider->ThumbRect().left, 98);
  EXPECT_EQ(dib.Pixel(98 + 10, 6 + 6), kThumbFace);
  EXPECT_NE(dib.Pixel(97, 6 + 6), kThumbFace);
}

}  // namespace
}  // namespace dialog_testing
