#include "dialogs/EffectControls.h"

void TMixFeedbackControls::TakeMixFeedbackControls(int First) {
  TakeControls(group_, First, LabelMixDepth, ImageSliderMixDepth, EditMixDepth, LabelMixDepthMin, LabelMixDepthMax);
  TakeControls(group_, First + 1, LabelFeedbackGain, ImageSliderFeedbackGain, EditFeedbackGain, LabelFeedbackGainMin,
               LabelFeedbackGainMax);
  ImageSliderMixDepth->OnChange = {this, &TMixFeedbackControls::ImageSliderMixDepthChange};
  EditMixDepth->OnChange = {this, &TMixFeedbackControls::EditMixDepthChange};
  EditMixDepth->OnExit = {this, &TMixFeedbackControls::EditMixDepthExit};
  ImageSliderFeedbackGain->OnChange = {this, &TMixFeedbackControls::ImageSliderFeedbackGainChange};
  EditFeedbackGain->OnChange = {this, &TMixFeedbackControls::EditFeedbackGainChange};
  EditFeedbackGain->OnExit = {this, &TMixFeedbackControls::EditFeedbackGainExit};
}

void TMixFeedbackControls::ImageSliderMixDepthChange(TObject* Sender) { group_.SliderChange(Sender); }
void TMixFeedbackControls::EditMixDepthChange(TObject* Sender) { group_.EditChange(Sender); }
void TMixFeedbackControls::EditMixDepthExit(TObject* Sender) { group_.EditExit(Sender); }
void TMixFeedbackControls::ImageSliderFeedbackGainChange(TObject* Sender) { group_.SliderChange(Sender); }
void TMixFeedbackControls::EditFeedbackGainChange(TObject* Sender) { group_.EditChange(Sender); }
void TMixFeedbackControls::EditFeedbackGainExit(TObject* Sender) { group_.EditExit(Sender); }

void TSweepControls::TakeSweepControls(int First) {
  TakeControls(group_, First, LabelSweepDepth, ImageSliderSweepDepth, EditSweepDepth, LabelSweepDepthMin,
               LabelSweepDepthMax);
  TakeControls(group_, First + 1, LabelSweepRate, ImageSliderSweepRate, EditSweepRate, LabelSweepRateMin,
               LabelSweepRateMax);
  TakeControls(group_, First + 2, LabelSweepPhase, ImageSliderSweepPhase, EditSweepPhase, LabelSweepPhaseMin,
               LabelSweepPhaseMax);
  ImageSliderSweepDepth->OnChange = {this, &TSweepControls::ImageSliderSweepDepthChange};
  EditSweepDepth->OnChange = {this, &TSweepControls::EditSweepDepthChange};
  EditSweepDepth->OnExit = {this, &TSweepControls::EditSweepDepthExit};
  ImageSliderSweepRate->OnChange = {this, &TSweepControls::ImageSliderSweepRateChange};
  EditSweepRate->OnChange = {this, &TSweepControls::EditSweepRateChange};
  EditSweepRate->OnExit = {this, &TSweepControls::EditSweepRateExit};
  ImageSliderSweepPhase->OnChange = {this, &TSweepControls::ImageSliderSweepPhaseChange};
  EditSweepPhase->OnChange = {this, &TSweepControls::EditSweepPhaseChange};
  EditSweepPhase->OnExit = {this, &TSweepControls::EditSweepPhaseExit};
}

void TSweepControls::ImageSliderSweepDepthChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepControls::EditSweepDepthChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepControls::EditSweepDepthExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepControls::ImageSliderSweepRateChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepControls::EditSweepRateChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepControls::EditSweepRateExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepControls::ImageSliderSweepPhaseChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepControls::EditSweepPhaseChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepControls::EditSweepPhaseExit(TObject* Sender) { group_.EditExit(Sender); }

void TDelayEffectControls::TakeDelayEffectControls(int First) {
  TakeMixFeedbackControls(First + 1);
  TakeControls(group_, First, LabelDelayTime, ImageSliderDelayTime, EditDelayTime, LabelDelayTimeMin,
               LabelDelayTimeMax);
  ImageSliderDelayTime->OnChange = {this, &TDelayEffectControls::ImageSliderDelayTimeChange};
  EditDelayTime->OnChange = {this, &TDelayEffectControls::EditDelayTimeChange};
  EditDelayTime->OnExit = {this, &TDelayEffectControls::EditDelayTimeExit};
}

void TDelayEffectControls::ImageSliderDelayTimeChange(TObject* Sender) { group_.SliderChange(Sender); }
void TDelayEffectControls::EditDelayTimeChange(TObject* Sender) { group_.EditChange(Sender); }
void TDelayEffectControls::EditDelayTimeExit(TObject* Sender) { group_.EditExit(Sender); }

void TSweepEffectControls::TakeSweepEffectControls(int First) {
  TakeMixFeedbackControls(First + 1);
  TakeSweepControls(First + 3);
  TakeControls(group_, First, LabelDelayRate, ImageSliderDelayRate, EditDelayRate, LabelDelayRateMin,
               LabelDelayRateMax);
  ImageSliderDelayRate->OnChange = {this, &TSweepEffectControls::ImageSliderDelayRateChange};
  EditDelayRate->OnChange = {this, &TSweepEffectControls::EditDelayRateChange};
  EditDelayRate->OnExit = {this, &TSweepEffectControls::EditDelayRateExit};
}

void TSweepEffectControls::ImageSliderDelayRateChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditDelayRateChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditDelayRateExit(TObject* Sender) { group_.EditExit(Sender); }

void TThresholdControls::TakeThresholdControls(int First) {
  TakeControls(group_, First, LabelThreshold, ImageSliderThreshold, EditThreshold, LabelThresholdMin,
               LabelThresholdMax);
  TakeControls(group_, First + 1, LabelRate, ImageSliderRate, EditRate, LabelRateMin, LabelRateMax);
  ImageSliderThreshold->OnChange = {this, &TThresholdControls::ImageSliderThresholdChange};
  EditThreshold->OnChange = {this, &TThresholdControls::EditThresholdChange};
  EditThreshold->OnExit = {this, &TThresholdControls::EditThresholdExit};
  EditThreshold->OnKeyPress = {this, &TThresholdControls::EditThresholdKeyPress};
  ImageSliderRate->OnChange = {this, &TThresholdControls::ImageSliderRateChange};
  EditRate->OnChange = {this, &TThresholdControls::EditRateChange};
  EditRate->OnExit = {this, &TThresholdControls::EditRateExit};
}

void TThresholdControls::ImageSliderThresholdChange(TObject* Sender) { group_.SliderChange(Sender); }
void TThresholdControls::EditThresholdChange(TObject* Sender) { group_.EditChange(Sender); }
void TThresholdControls::EditThresholdExit(TObject* Sender) { group_.EditExit(Sender); }
void TThresholdControls::EditThresholdKeyPress(TObject* Sender, wchar_t& Key) { group_.SignedKeyPress(Sender, Key); }
void TThresholdControls::ImageSliderRateChange(TObject* Sender) { group_.SliderChange(Sender); }
void TThresholdControls::EditRateChange(TObject* Sender) { group_.EditChange(Sender); }
void TThresholdControls::EditRateExit(TObject* Sender) { group_.EditExit(Sender); }
