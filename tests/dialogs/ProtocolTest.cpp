// The caller protocol: what reaches the settings record on each path, the stop of a running
// preview, and the dialog freed on every path.

#include "DialogFixture.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/LowShelf.h"
#include "dialogs/Vibrato.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {
namespace {

using CallerProtocol = DialogFixture;

TEST_F(CallerProtocol, CancelAfterAPreviewKeepsThePreviewedValuesAndStopsIt) {
  GlobalVars.PreviewOperationTypes = -1;
  ModalScript script([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TVibratoForm*>(modal);
    dialog->ImageSliderSweepDepth->SetValue(77);
    dialog->ButtonPreviewClick(dialog->ButtonPreview);
    dialog->ModalResult = mrCancel;
  });
  EXPECT_FALSE(ExecuteEffectDialog<TVibratoForm>(host));
  EXPECT_EQ(GlobalVars.DefVibratoSweepDepth, 77);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, 21);
  EXPECT_EQ(host->stops, 1);
  EXPECT_FALSE(host->previewing);
  EXPECT_EQ(host->ComponentCount(), 0);
}

TEST_F(CallerProtocol, CancelWithoutAPreviewLeavesTheRecordUntouched) {
  GlobalVars.PreviewOperationTypes = -1;
  ModalScript script([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TVibratoForm*>(modal);
    dialog->ImageSliderSweepDepth->SetValue(77);
  });
  EXPECT_FALSE(ExecuteEffectDialog<TVibratoForm>(host));
  EXPECT_EQ(GlobalVars.DefVibratoSweepDepth, 40);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, -1);
  EXPECT_EQ(host->stops, 0);
}

TEST_F(CallerProtocol, ARaisingOKStepStillStopsThePreviewAndFreesTheDialog) {
  ModalScript script([](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TLowShelfForm*>(modal);
    dialog->ButtonPreviewClick(dialog->ButtonPreview);
    dialog->EditFrequency->SetText(L"");
    dialog->ModalResult = mrOk;
  });
  EXPECT_THROW(ExecuteEffectDialog<TLowShelfForm>(host), EConvertError);
  EXPECT_EQ(host->stops, 1);
  EXPECT_FALSE(host->previewing);
  EXPECT_EQ(host->ComponentCount(), 0);
}

TEST_F(CallerProtocol, ACallerThatFillsTheControlsAndHidesPreviewLeavesTheRecordUntouched) {
  const TGlobalVars before = GlobalVars;
  bool previewShown = true;
  ModalScript script([&](TCustomForm* modal) {
    auto* dialog = dynamic_cast<TVibratoForm*>(modal);
    previewShown = dialog->ButtonPreview->Visible();
    dialog->ImageSliderSweepRate->SetValue(dialog->ImageSliderSweepRate->Value() + 1);
    dialog->ModalResult = mrOk;
  });
  int read[3] = {};
  const bool accepted = ExecuteParameterDialog<TVibratoForm>(
      host,
      [](TVibratoForm& d) {
        d.ImageSliderSweepDepth->SetValue(11);
        d.ImageSliderSweepRate->SetValue(22);
        d.ImageSliderSweepPhase->SetValue(33);
      },
      true,
      [&](TVibratoForm& d) {
        read[0] = d.ImageSliderSweepDepth->Value();
        read[1] = d.ImageSliderSweepRate->Value();
        read[2] = d.ImageSliderSweepPhase->Value();
      },
      false);
  EXPECT_TRUE(accepted);
  EXPECT_FALSE(previewShown);
  EXPECT_EQ(read[0], 11);
  EXPECT_EQ(read[1], 23);
  EXPECT_EQ(read[2], 33);
  EXPECT_EQ(GlobalVars.DefVibratoSweepDepth, before.DefVibratoSweepDepth);
  EXPECT_EQ(GlobalVars.DefVibratoSweepRate, before.DefVibratoSweepRate);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, before.PreviewOperationTypes);
}

TEST_F(CallerProtocol, TheDialogIsCentredOverItsCaller) {
  TRect placed;
  ModalScript script([&](TCustomForm* modal) { placed = modal->BoundsRect(); });
  ExecuteEffectDialog<TVibratoForm>(host);
  EXPECT_EQ(placed.left, host->Left() + (host->Width() - placed.Width()) / 2);
  EXPECT_EQ(placed.top, host->Top() + (host->Height() - placed.Height()) / 2);
}

}  // namespace
}  // namespace dialog_testing
