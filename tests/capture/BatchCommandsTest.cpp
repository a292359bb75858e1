// The batch commands: defaults and settings texts, editing through the dialogs without touching the
// settings record, and the list applied to a chunk.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/Globals.h"
#include "capture/AddCommand.h"
#include "capture/BatchCommands.h"
#include "dialogs/ConvertSampleRate.h"
#include "dialogs/FamilyMember.h"
#include "dialogs/InsertSilence.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"

namespace {

using K = TBatchCommandKind;

class BatchCommandsTest : public testing::Test {
 protected:
  void SetUp() override { saved_ = GlobalVars; }
  void TearDown() override {
    SetModalDriver(previousDriver_);
    GlobalVars = saved_;
  }
  void Drive(std::function<void(TCustomForm&)> script) {
    previousDriver_ = SetModalDriver([script](const TModalLoop& loop) {
      auto* form = dynamic_cast<TCustomForm*>(FindControl(loop.Window));
      if (!form) return loop.End();
      script(*form);
    });
  }

  TGlobalVars saved_;
  TModalScript previousDriver_;
};

TEST_F(BatchCommandsTest, DefaultsComeFromTheRecordAndTheTextsFollowTheTable) {
  GlobalVars.InsertSilenceTime = 750;
  GlobalVars.DefAmplify = 150;
  GlobalVars.DefReverbDelayTime = 1, GlobalVars.DefReverbMixDepth = 2, GlobalVars.DefReverbFeedbackGain = 3;
  GlobalVars.DefReverbGain = 4, GlobalVars.DefReverbFrequency = 5, GlobalVars.DefReverbTaps = 6;
  GlobalVars.DefMixChanLL = 10, GlobalVars.DefMixChanLR = 20;
  GlobalVars.DefMixChanRL = 30, GlobalVars.DefMixChanRR = 40;
  GlobalVars.DefPhaserDelayTime = 7, GlobalVars.DefPhaserMixDepth = 8, GlobalVars.DefPhaserFeedbackGain = 9;
  struct Case {
    K Kind;
    const wchar_t* Name;
    const wchar_t* Text;
  } cases[] = {
      {K::InsertSilenceAtTheEnd, L"Insert Silence At The End", L"Silence Time (ms) = 750"},
      {K::Amplify, L"Amplify", L"Amplify Gain (%) = 150"},
      {K::Reverb, L"Reverb",
       L"Delay Time (ms) = 1, Mix Depth (%) = 2, Feedback Gain (%) = 3Reverb Gain (%) = 4, Reverb Frequency: (Hz) = 5, "
       L"Taps Before delay Feedback = 6"},
      {K::MixStereoChannels, L"Mix Stereo Channels",
       L"New Left Channel, Left (%) = 10, New Left Channel, Right (%) = 20, New Right Channel, Left (%) = 30, New "
       L"Right Channel, Right (%) = 40"},
      {K::Phaser, L"Phaser", L"Delay Time (ms) = 7, Mix Depth (%) = 8, Feedback Gain (%) = 9"},
      {K::Equalizer, L"Equalizer", L"Click on Settings to view or change."},
      {K::ConvertSampleType, L"Convert Sample Rate And Channel",
       L"Convert Sample Rate = 44100, Convert Channel = Stereo"},
  };
  for (const Case& c : cases) {
    TBatchCommandPtr command = NewBatchCommand(c.Kind, GlobalVars);
    EXPECT_EQ(command->Name(), c.Name);
    EXPECT_EQ(command->SettingsText(), c.Text) << c.Name;
  }
  // A later change of the record reaches only rows added later.
  TBatchCommandPtr first = NewBatchCommand(K::Amplify, GlobalVars);
  GlobalVars.DefAmplify = 40;
  EXPECT_EQ(first->Values, std::vector<int>{150});
  EXPECT_EQ(NewBatchCommand(K::Amplify, GlobalVars)->Values, std::vector<int>{40});
  EXPECT_EQ(NewBatchCommand(K::ConvertSampleType, std::vector<int>{5, 1})->SettingsText(),
            L"Convert Sample Rate = 22050, Convert Channel = Mono");
}

TEST_F(BatchCommandsTest, TheAddDialogListsTheSeventeenNamesAndReturnsTheChosenKind) {
  ObjectPtr<TAddCommandForm> dialog(new TAddCommandForm(nullptr));
  ASSERT_EQ(dialog->ListBoxCommand->Items()->Count(), 17);
  EXPECT_EQ(dialog->ListBoxCommand->Items()->Strings(0), L"  Insert Silence At The Start");
  EXPECT_EQ(dialog->ListBoxCommand->Items()->Strings(16), L"  Chorus");
  EXPECT_FALSE(dialog->ButtonAdd->Enabled());
  TBatchCommandKind kind;
  EXPECT_FALSE(dialog->SelectedKind(kind));
  dialog->ListBoxCommand->SetItemIndex(12);
  dialog->ListBoxCommandClick(nullptr);
  EXPECT_TRUE(dialog->ButtonAdd->Enabled());
  ASSERT_TRUE(dialog->SelectedKind(kind));
  EXPECT_EQ(kind, K::ConvertSampleType);
}

// Every command's dialog is filled from the command's own values (not the record), shows no Preview,
// and OK gives a new command with the values read back; the record stays as it was.
TEST_F(BatchCommandsTest, EditingFillsTheDialogFromTheCommandAndLeavesTheRecordAlone) {
  for (int k = 0; k < kBatchCommandCount; ++k) {
    const K kind = static_cast<K>(k);
    TBatchCommandPtr command = NewBatchCommand(kind, GlobalVars);
    // Values unlike the record's (and within every dialog's range).
    for (std::size_t i = 0; i < command->Values.size(); ++i) command->Values[i] = static_cast<int>(i % 2) + 1;
    if (kind == K::HighPass || kind == K::SpeedChange || kind == K::PitchChange) command->Values[0] = 150;
    if (kind == K::Compressor) command->Values[0] = -10;
    if (kind == K::ConvertSampleType) command->Values = {7, 1};
    if (kind == K::Reverb) command->Values[4] = 100;
    std::vector<int> shown;
    bool previewVisible = false;
    Drive([&](TCustomForm& form) {
      if (auto* member = dynamic_cast<TFamilyMember*>(&form)) {
        TParameterDialog& family = member->Family();
        for (int i = 0; i < family.ParameterCount(); ++i) {
          const TParameterControls& c = family.Controls(i);
          shown.push_back(c.Slider ? c.Slider->Value() : StrToInt(c.Edit->Text()));
        }
        previewVisible = member->ButtonPreview && member->ButtonPreview->Visible();
      } else if (auto* silence = dynamic_cast<TInsertSilenceForm*>(&form)) {
        shown.push_back(StrToInt(silence->EditSilenceTime->Text()));
      } else if (auto* convert = dynamic_cast<TConvertSampleRateForm*>(&form)) {
        shown = {convert->ComboBoxRate->ItemIndex(), convert->GroupBoxSChannels->ItemIndex() == 0 ? 1 : 0};
      }
      form.ModalResult = mrOk;
    });
    const TGlobalVars before = GlobalVars;
    TBatchCommandPtr edited = EditBatchCommand(nullptr, *command);
    ASSERT_TRUE(edited) << k;
    EXPECT_EQ(edited->Kind(), kind);
    EXPECT_EQ(edited->Values, command->Values) << k;
    std::vector<int> expected = command->Values;
    std::vector<int> sortedShown = shown;
    std::sort(expected.begin(), expected.end());
    std::sort(sortedShown.begin(), sortedShown.end());
    EXPECT_EQ(sortedShown, expected) << k;
    EXPECT_FALSE(previewVisible) << k;
    EXPECT_EQ(NewBatchCommand(kind, GlobalVars)->Values, NewBatchCommand(kind, before)->Values) << k;
    EXPECT_EQ(GlobalVars.PreviewOperationTypes, before.PreviewOperationTypes);
  }
}

TEST_F(BatchCommandsTest, AChangedControlBecomesTheNewCommandAndCancelKeepsNone) {
  GlobalVars.DefAmplify = 120;
  TBatchCommandPtr amplify = NewBatchCommand(K::Amplify, GlobalVars);
  Drive([](TCustomForm& form) {
    dynamic_cast<TFamilyMember&>(form).Family().Controls(0).Edit->SetText(L"50");
    form.ModalResult = mrOk;
  });
  TBatchCommandPtr edited = EditBatchCommand(nullptr, *amplify);
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->SettingsText(), L"Amplify Gain (%) = 50");
  EXPECT_EQ(GlobalVars.DefAmplify, 120);

  Drive([](TCustomForm& form) {
    auto& convert = dynamic_cast<TConvertSampleRateForm&>(form);
    convert.ComboBoxRate->SetItemIndex(5);
    convert.GroupBoxSChannels->SetItemIndex(0);
    form.ModalResult = mrOk;
  });
  edited = EditBatchCommand(nullptr, *NewBatchCommand(K::ConvertSampleType, GlobalVars));
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->SettingsText(), L"Convert Sample Rate = 22050, Convert Channel = Mono");

  Drive([](TCustomForm& form) { form.ModalResult = mrCancel; });
  EXPECT_FALSE(EditBatchCommand(nullptr, *amplify));
}

TEST_F(BatchCommandsTest, EachRowActsOnceOnTheWholeChunkInItsOwnChannelCount) {
  TAudioTransform2 transform(nullptr);
  transform.SetSampleRate(8000);
  SampleBuffer mono(1, 8000, 100);
  for (int i = 0; i < 100; ++i) mono.Data()[i] = 0.5f * ((i % 7) - 3) / 3.0f;
  std::vector<float> original(mono.Data(), mono.Data() + 100);

  TBatchCommandPtr amplify = NewBatchCommand(K::Amplify, std::vector<int>{50});
  TBatchCommandPtr mix = NewBatchCommand(K::MixStereoChannels, std::vector<int>{0, 100, 100, 0});
  TBatchCommandPtr convert = NewBatchCommand(K::ConvertSampleType, std::vector<int>{5, 1});
  const TBatchCommand* rows[] = {amplify.get(), mix.get(), convert.get()};
  ApplyCommandList(transform, rows, {}, mono);
  ASSERT_EQ(mono.Channels(), 1);
  ASSERT_EQ(mono.Frames(), 100);
  for (int i = 0; i < 100; ++i) EXPECT_NEAR(mono.Data()[i], original[i] / 2, 1e-6);

  // Mix Stereo swaps the channels of a stereo chunk in one call.
  SampleBuffer stereo(2, 8000, 2);
  const float values[] = {0.1f, -0.2f, 0.3f, -0.4f};
  std::copy(values, values + 4, stereo.Data());
  const TBatchCommand* swap[] = {mix.get()};
  ApplyCommandList(transform, swap, {}, stereo);
  EXPECT_NEAR(stereo.Data()[0], -0.2f, 1e-6);
  EXPECT_NEAR(stereo.Data()[1], 0.1f, 1e-6);

  // A Normalize row applies the gain it is given, and nothing without one.
  TBatchCommandPtr normalize = NewBatchCommand(K::Normalize, std::vector<int>{90});
  const TBatchCommand* one[] = {normalize.get()};
  const TNormalizeGain gains[] = {{true, 200.0f}};
  ApplyCommandList(transform, one, gains, stereo);
  EXPECT_NEAR(stereo.Data()[0], -0.4f, 1e-6);
  ApplyCommandList(transform, one, {}, stereo);
  EXPECT_NEAR(stereo.Data()[0], -0.4f, 1e-6);
  EXPECT_FALSE(transform.ChunkMode());
}

}  // namespace
