// The effect commands and the live preview. A command stops the transport, selects the whole
// document when nothing is selected, asks for its values in its dialog (through the family's caller
// protocol: centred, loaded from the settings record, stored back on OK, a running preview stopped,
// the dialog freed on every path) and applies the effect to the selection through the editor; a few
// apply fixed values at once. The preview plays the selection through the buffer effects without
// touching the document: read in one buffer, transformed in place and queued, moved all the way.

#include "app/EffectCalls.h"
#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "app/core/Progress.h"
#include "dialogs/Amplify.h"
#include "dialogs/BandPass.h"
#include "dialogs/Chorus.h"
#include "dialogs/CossFade.h"
#include "dialogs/DialogProtocol.h"
#include "dialogs/DynamicRangeCompressor.h"
#include "dialogs/Echo.h"
#include "dialogs/Envelope.h"
#include "dialogs/Equalizer.h"
#include "dialogs/Flanger.h"
#include "dialogs/HighPass.h"
#include "dialogs/HighShelf.h"
#include "dialogs/LowPass.h"
#include "dialogs/LowShelf.h"
#include "dialogs/MixStereo.h"
#include "dialogs/NoiseReduction.h"
#include "dialogs/Normalize.h"
#include "dialogs/Notch.h"
#include "dialogs/PeakEQ.h"
#include "dialogs/Phaser.h"
#include "dialogs/PitchChange.h"
#include "dialogs/Reverb.h"
#include "dialogs/SpeedChange.h"
#include "dialogs/Vibrato.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/audio/transport/AudioPlayer2.h"

namespace {

using M = TMainForm;
using O = TTransformOperation;
using TExecute = void (TMainForm::*)(TObject*);
// Shows the command's dialog; true when it was closed with OK and stored its values.
using TDialogRun = bool (*)(TMainForm&);

template <class TDialog, bool StopPreview = true>
bool EffectDialog(TMainForm& Main) {
  return ExecuteEffectDialog<TDialog, StopPreview>(&Main);
}

enum class TEffectCall {
  Transform,       // the effects table's transform of Operation, with the settings fields or Fixed
  Equalizer,       // the editor's equalizer with the equalizer's arrays
  Envelope,        // the envelope dialog's curve, in gain factors
  FadeOutAndTrim,  // the Fade Out command, then the Trim End command
};

struct TEffectCommand {
  TExecute Handler;
  TDialogRun Dialog;  // null: applied at once
  TEffectCall Call;
  O Operation;
  // The values applied without a dialog, in the table's slot order; empty: the settings fields.
  std::vector<int> Fixed;
};

// The thirty commands, in the order of the command list and then of the ribbon's buttons.
const TEffectCommand kEffectCommands[] = {
    {&M::ActionAmplifyExecute, EffectDialog<TAmplifyForm>, TEffectCall::Transform, O::Amplify, {}},
    {&M::ActionNormalizeExecute, EffectDialog<TNormalizeForm, false>, TEffectCall::Transform, O::Normalize, {}},
    {&M::ActionDynamicRangeCompressorExecute, EffectDialog<TDynamicRangeCompressorForm>, TEffectCall::Transform,
     O::CompressDynamics, {}},
    {&M::ActionHighPassExecute, EffectDialog<THighPassForm>, TEffectCall::Transform, O::HighPass, {}},
    {&M::ActionEqualizerExecute, EffectDialog<TEqualizerForm>, TEffectCall::Equalizer, O::Amplify, {}},
    {&M::ActionEchoExecute, EffectDialog<TEchoForm>, TEffectCall::Transform, O::Echo, {}},
    {&M::ActionReverbExecute, EffectDialog<TReverbForm>, TEffectCall::Transform, O::Reverb, {}},
    {&M::ActionReverseExecute, nullptr, TEffectCall::Transform, O::Reverse, {}},
    {&M::ActionFadeInExecute, nullptr, TEffectCall::Transform, O::Fade, {0, 100}},
    {&M::ActionFadeOutExecute, nullptr, TEffectCall::Transform, O::Fade, {100, 0}},
    {&M::ActionFadeOutAndTrimExecute, nullptr, TEffectCall::FadeOutAndTrim, O::Fade, {}},
    {&M::ActionCrossFadeExecute, EffectDialog<TCossFadeForm>, TEffectCall::Transform, O::Fade, {}},
    {&M::ActionEnvelopeExecute, nullptr, TEffectCall::Envelope, O::Amplify, {}},
    {&M::ActionMixStereoExecute, EffectDialog<TMixStereoForm>, TEffectCall::Transform, O::MixStereo, {}},
    {&M::ActionNoiseReductionExecute, EffectDialog<TNoiseReductionForm>, TEffectCall::Transform, O::NoiseReduction,
     {}},
    {&M::ActionSpeedChangeExecute, EffectDialog<TSpeedChangeForm>, TEffectCall::Transform, O::SpeedChange, {}},
    {&M::ActionPitchChangeExecute, EffectDialog<TPitchChangeForm>, TEffectCall::Transform, O::PitchChange, {}},
    {&M::ActionPhaserExecute, EffectDialog<TPhaserForm>, TEffectCall::Transform, O::Phaser, {}},
    {&M::ActionFlangerExecute, EffectDialog<TFlangerForm>, TEffectCall::Transform, O::Flanger, {}},
    {&M::ActionChorusExecute, EffectDialog<TChorusForm>, TEffectCall::Transform, O::Chorus, {}},
    {&M::dxBarButtonVibratoClick, EffectDialog<TVibratoForm>, TEffectCall::Transform, O::Vibrato, {}},
    {&M::dxBarButtonPeakEQClick, EffectDialog<TPeakEQForm>, TEffectCall::Transform, O::PeakEQ, {}},
    {&M::dxBarButtonNotchFilterClick, EffectDialog<TNotchForm>, TEffectCall::Transform, O::Notch, {}},
    {&M::dxBarButtonBandPassClick, EffectDialog<TBandPassForm>, TEffectCall::Transform, O::BandPass, {}},
    {&M::dxBarButtonLowPassClick, EffectDialog<TLowPassForm>, TEffectCall::Transform, O::LowPass, {}},
    {&M::dxBarButtonLowShelfClick, EffectDialog<TLowShelfForm>, TEffectCall::Transform, O::LowShelf, {}},
    {&M::dxBarButtonHighShelfClick, EffectDialog<THighShelfForm>, TEffectCall::Transform, O::HighShelf, {}},
    {&M::dxBarButtonInvertClick, nullptr, TEffectCall::Transform, O::Invert, {}},
    {&M::dxBarButtonCassetteNoiseReductionClick, nullptr, TEffectCall::Transform, O::NoiseReduction, {-13, 99, 55}},
    {&M::dxBarButtonVoiceBreathNoiseReductionClick, nullptr, TEffectCall::Transform, O::NoiseReduction,
     {-30, 25, 30}},
};

const TEffectCommand& EffectCommandOf(TExecute Handler) {
  for (const TEffectCommand& command : kEffectCommands)
    if (command.Handler == Handler) return command;
  throw Exception(L"The command has no effect.");
}

void ShowErrorBox(const wchar_t* Text) { Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR); }

}  // namespace

// ---- The commands ------------------------------------------------------------------------------------

void TMainForm::RunEffectCommand(void (TMainForm::*Handler)(TObject*)) {
  const TEffectCommand& command = EffectCommandOf(Handler);
  StopTransport();
  SelectAllIfEmpty();
  switch (command.Call) {
    case TEffectCall::Envelope:
      RunEnvelopeCommand();
      return;
    case TEffectCall::FadeOutAndTrim:
      ActionFadeOutExecute(this);
      ActionTrimEndExecute(this);
      return;
    case TEffectCall::Equalizer: {
      if (!command.Dialog(*this)) return;
      const TEqualizerArrays arrays = EqualizerArrays(GlobalVars);
      AudioEditor->Transform()->Equalizer(arrays.Gains, arrays.Frequencies);
      break;
    }
    case TEffectCall::Transform: {
      if (command.Dialog && !command.Dialog(*this)) return;
      const TFavoriteEffect& effect = EffectOf(command.Operation);
      std::array<int, 10> values = SettingsValues(effect, GlobalVars);
      std::copy(command.Fixed.begin(), command.Fixed.end(), values.begin());
      CallTransform(*AudioEditor->Transform(), command.Operation, TransformArguments(effect, values));
      break;
    }
  }
  FinishEdit();
}

// The curve is read while the dialog still exists; nothing else keeps it.
void TMainForm::RunEnvelopeCommand() {
  ObjectPtr<TEnvelopeForm> dialog(new TEnvelopeForm(this));
  TEnvelopeForm& envelope = *dialog;
  const bool accepted = RunDialogProtocol({&envelope, this, nullptr, [&] { envelope.FitToSelection(); }, false,
                                           [&] {
                                             std::vector<float> gains = envelope.TD->GetPoints();
                                             DecibelsToGains(gains);
                                             AudioEditor->Transform()->Envelope(gains);
                                           },
                                           false});
  if (accepted) FinishEdit();
}

void TMainForm::ActionAmplifyExecute(TObject*) { RunEffectCommand(&M::ActionAmplifyExecute); }
void TMainForm::ActionNormalizeExecute(TObject*) { RunEffectCommand(&M::ActionNormalizeExecute); }
void TMainForm::ActionDynamicRangeCompressorExecute(TObject*) {
  RunEffectCommand(&M::ActionDynamicRangeCompressorExecute);
}
void TMainForm::ActionHighPassExecute(TObject*) { RunEffectCommand(&M::ActionHighPassExecute); }
void TMainForm::ActionEqualizerExecute(TObject*) { RunEffectCommand(&M::ActionEqualizerExecute); }
void TMainForm::ActionEchoExecute(TObject*) { RunEffectCommand(&M::ActionEchoExecute); }
void TMainForm::ActionReverbExecute(TObject*) { RunEffectCommand(&M::ActionReverbExecute); }
void TMainForm::ActionReverseExecute(TObject*) { RunEffectCommand(&M::ActionReverseExecute); }
void TMainForm::ActionFadeInExecute(TObject*) { RunEffectCommand(&M::ActionFadeInExecute); }
void TMainForm::ActionFadeOutExecute(TObject*) { RunEffectCommand(&M::ActionFadeOutExecute); }
void TMainForm::ActionFadeOutAndTrimExecute(TObject*) { RunEffectCommand(&M::ActionFadeOutAndTrimExecute); }
void TMainForm::ActionCrossFadeExecute(TObject*) { RunEffectCommand(&M::ActionCrossFadeExecute); }
void TMainForm::ActionEnvelopeExecute(TObject*) { RunEffectCommand(&M::ActionEnvelopeExecute); }
void TMainForm::ActionMixStereoExecute(TObject*) { RunEffectCommand(&M::ActionMixStereoExecute); }
void TMainForm::ActionNoiseReductionExecute(TObject*) { RunEffectCommand(&M::ActionNoiseReductionExecute); }
void TMainForm::ActionSpeedChangeExecute(TObject*) { RunEffectCommand(&M::ActionSpeedChangeExecute); }
void TMainForm::ActionPitchChangeExecute(TObject*) { RunEffectCommand(&M::ActionPitchChangeExecute); }
void TMainForm::ActionPhaserExecute(TObject*) { RunEffectCommand(&M::ActionPhaserExecute); }
void TMainForm::ActionFlangerExecute(TObject*) { RunEffectCommand(&M::ActionFlangerExecute); }
void TMainForm::ActionChorusExecute(TObject*) { RunEffectCommand(&M::ActionChorusExecute); }
void TMainForm::dxBarButtonVibratoClick(TObject*) { RunEffectCommand(&M::dxBarButtonVibratoClick); }
void TMainForm::dxBarButtonPeakEQClick(TObject*) { RunEffectCommand(&M::dxBarButtonPeakEQClick); }
void TMainForm::dxBarButtonNotchFilterClick(TObject*) { RunEffectCommand(&M::dxBarButtonNotchFilterClick); }
void TMainForm::dxBarButtonBandPassClick(TObject*) { RunEffectCommand(&M::dxBarButtonBandPassClick); }
void TMainForm::dxBarButtonLowPassClick(TObject*) { RunEffectCommand(&M::dxBarButtonLowPassClick); }
void TMainForm::dxBarButtonLowShelfClick(TObject*) { RunEffectCommand(&M::dxBarButtonLowShelfClick); }
void TMainForm::dxBarButtonHighShelfClick(TObject*) { RunEffectCommand(&M::dxBarButtonHighShelfClick); }
void TMainForm::dxBarButtonInvertClick(TObject*) { RunEffectCommand(&M::dxBarButtonInvertClick); }
void TMainForm::dxBarButtonCassetteNoiseReductionClick(TObject*) {
  RunEffectCommand(&M::dxBarButtonCassetteNoiseReductionClick);
}
void TMainForm::dxBarButtonVoiceBreathNoiseReductionClick(TObject*) {
  RunEffectCommand(&M::dxBarButtonVoiceBreathNoiseReductionClick);
}

// ---- The preview ----------------------------------------------------------------------------------

void TMainForm::BindPreviewEvents() {
  AudioTransform->OnTransformBlock = {this, &TMainForm::AudioTransformTransformBlock};
  AudioTransform->OnEndTransform = {this, &TMainForm::AudioTransformEndTransform};
  AudioPlayer->OnEndPlay = {this, &TMainForm::AudioPlayerEndPlay};
}

bool TMainForm::Previewing() { return previewing_; }
void TMainForm::ClearPreviewing() { previewing_ = false; }
bool TMainForm::TransformBusy() { return transformBusy_; }
TAudioEditor2* TMainForm::DocumentEditor() { return AudioEditor; }

// Previewing is set only once a buffer is queued. A read or transform that raises (a selection over
// the store's budget, a speed the effect refuses) stops the player started here and goes on to the
// caller, which reports it.
void TMainForm::StartPreview() {
  IAudioEditor2FileInfo* info = AudioEditor->FileInfo();
  const int channels = info->GetChannels();
  const int sampleRate = info->GetSampleRate();
  AudioPlayer->SetPlaybackFormat(sampleRate, channels);
  AudioPlayer->Start();
  if (AudioPlayer->GetLastError() != 0) {
    ShowErrorBox(L"Starting audio device error.");
    return;
  }
  IAudioEditor2Position* position = AudioEditor->Position();
  PreviewLength = position->GetSelectionEnd() - position->GetSelectionStart();
  bool queued = false;
  try {
    queued = FeedPreviewBuffer();
  } catch (...) {
    AudioPlayer->Stop();
    throw;
  }
  previewing_ = queued;
}

// Safe when idle and inside the player's end-of-play event.
void TMainForm::StopPreview() {
  AudioPlayer->Stop();
  previewing_ = false;
}

// False when nothing was queued (the transform failed and has been reported).
bool TMainForm::FeedPreviewBuffer() {
  SampleBuffer buffer = TransformPreviewBuffer(AudioEditor->ReadSamples(PreviewLength));
  if (buffer.Empty()) return false;
  AudioPlayer->QueueBuffer(buffer);
  return true;
}

SampleBuffer TMainForm::TransformPreviewBuffer(SampleBuffer Buffer) {
  if (!ApplyPreviewEffect(*AudioTransform, Buffer, GlobalVars.PreviewOperationTypes, GlobalVars)) return Buffer;
  if (Buffer.Empty()) {
    ShowErrorBox(L"Preview Transform Buffer error.");
    StopPreview();
  }
  return Buffer;
}

void TMainForm::AudioTransformTransformBlock(TObject*, int Percent) {
  transformBusy_ = true;
  ShowProgress(this, Percent);
}

void TMainForm::AudioTransformEndTransform(TObject*) {
  transformBusy_ = false;
  HideProgress();
}

void TMainForm::AudioPlayerEndPlay(TObject*) { StopPreview(); }
