#include "dialogs/EffectControls.h"

void TDelayEffectControls::TakeDelayEffectControls(int First) {
  TakeControls(group_, First, LabelDelayTime, ImageSliderDelayTime, EditDelayTime, LabelDelayTimeMin,
               LabelDelayTimeMax);
  TakeControls(group_, First + 1, LabelMixDepth, ImageSliderMixDepth, EditMixDepth, LabelMixDepthMin, LabelMixDepthMax);
  TakeControls(group_, First + 2, LabelFeedbackGain, ImageSliderFeedbackGain, EditFeedbackGain, LabelFeedbackGainMin,
               LabelFeedbackGainMax);
  ImageSliderDelayTime->OnChange = {this, &TDelayEffectControls::ImageSliderDelayTimeChange};
  EditDelayTime->OnChange = {this, &TDelayEffectControls::EditDelayTimeChange};
  EditDelayTime->OnExit = {this, &TDelayEffectControls::EditDelayTimeExit};
  ImageSliderMixDepth->OnChange = {this, &TDelayEffectControls::ImageSliderMixDepthChange};
  EditMixDepth->OnChange = {this, &TDelayEffectControls::EditMixDepthChange};
  EditMixDepth->OnExit = {this, &TDelayEffectControls::EditMixDepthExit};
  ImageSliderFeedbackGain->OnChange = {this, &TDelayEffectControls::ImageSliderFeedbackGainChange};
  EditFeedbackGain->OnChange = {this, &TDelayEffectControls::EditFeedbackGainChange};
  EditFeedbackGain->OnExit = {this, &TDelayEffectControls::EditFeedbackGainExit};
}

void TDelayEffectControls::ImageSliderDelayTimeChange(TObject* Sender) { group_.SliderChange(Sender); }
void TDelayEffectControls::EditDelayTimeChange(TObject* Sender) { group_.EditChange(Sender); }
void TDelayEffectControls::EditDelayTimeExit(TObject* Sender) { group_.EditExit(Sender); }
void TDelayEffectControls::ImageSliderMixDepthChange(TObject* Sender) { group_.SliderChange(Sender); }
void TDelayEffectControls::EditMixDepthChange(TObject* Sender) { group_.EditChange(Sender); }
void TDelayEffectControls::EditMixDepthExit(TObject* Sender) { group_.EditExit(Sender); }
void TDelayEffectControls::ImageSliderFeedbackGainChange(TObject* Sender) { group_.SliderChange(Sender); }
void TDelayEffectControls::EditFeedbackGainChange(TObject* Sender) { group_.EditChange(Sender); }
void TDelayEffectControls::EditFeedbackGainExit(TObject* Sender) { group_.EditExit(Sender); }

void TSweepEffectControls::TakeSweepEffectControls(int First) {
  TakeControls(group_, First, LabelDelayRate, ImageSliderDelayRate, EditDelayRate, LabelDelayRateMin,
               LabelDelayRateMax);
  TakeControls(group_, First + 1, LabelMixDepth, ImageSliderMixDepth, EditMixDepth, LabelMixDepthMin, LabelMixDepthMax);
  TakeControls(group_, First + 2, LabelFeedbackGain, ImageSliderFeedbackGain, EditFeedbackGain, LabelFeedbackGainMin,
               LabelFeedbackGainMax);
  TakeControls(group_, First + 3, LabelSweepDepth, ImageSliderSweepDepth, EditSweepDepth, LabelSweepDepthMin,
               LabelSweepDepthMax);
  TakeControls(group_, First + 4, LabelSweepRate, ImageSliderSweepRate, EditSweepRate, LabelSweepRateMin,
               LabelSweepRateMax);
  TakeControls(group_, First + 5, LabelSweepPhase, ImageSliderSweepPhase, EditSweepPhase, LabelSweepPhaseMin,
               LabelSweepPhaseMax);
  ImageSliderDelayRate->OnChange = {this, &TSweepEffectControls::ImageSliderDelayRateChange};
  EditDelayRate->OnChange = {this, &TSweepEffectControls::EditDelayRateChange};
  EditDelayRate->OnExit = {this, &TSweepEffectControls::EditDelayRateExit};
  ImageSliderMixDepth->OnChange = {this, &TSweepEffectControls::ImageSliderMixDepthChange};
  EditMixDepth->OnChange = {this, &TSweepEffectControls::EditMixDepthChange};
  EditMixDepth->OnExit = {this, &TSweepEffectControls::EditMixDepthExit};
  ImageSliderFeedbackGain->OnChange = {this, &TSweepEffectControls::ImageSliderFeedbackGainChange};
  EditFeedbackGain->OnChange = {this, &TSweepEffectControls::EditFeedbackGainChange};
  EditFeedbackGain->OnExit = {this, &TSweepEffectControls::EditFeedbackGainExit};
  ImageSliderSweepDepth->OnChange = {this, &TSweepEffectControls::ImageSliderSweepDepthChange};
  EditSweepDepth->OnChange = {this, &TSweepEffectControls::EditSweepDepthChange};
  EditSweepDepth->OnExit = {this, &TSweepEffectControls::EditSweepDepthExit};
  ImageSliderSweepRate->OnChange = {this, &TSweepEffectControls::ImageSliderSweepRateChange};
  EditSweepRate->OnChange = {this, &TSweepEffectControls::EditSweepRateChange};
  EditSweepRate->OnExit = {this, &TSweepEffectControls::EditSweepRateExit};
  ImageSliderSweepPhase->OnChange = {this, &TSweepEffectControls::ImageSliderSweepPhaseChange};
  EditSweepPhase->OnChange = {this, &TSweepEffectControls::EditSweepPhaseChange};
  EditSweepPhase->OnExit = {this, &TSweepEffectControls::EditSweepPhaseExit};
}

void TSweepEffectControls::ImageSliderDelayRateChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditDelayRateChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditDelayRateExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepEffectControls::ImageSliderMixDepthChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditMixDepthChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditMixDepthExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepEffectControls::ImageSliderFeedbackGainChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditFeedbackGainChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditFeedbackGainExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepEffectControls::ImageSliderSweepDepthChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditSweepDepthChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditSweepDepthExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepEffectControls::ImageSliderSweepRateChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditSweepRateChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditSweepRateExit(TObject* Sender) { group_.EditExit(Sender); }
void TSweepEffectControls::ImageSliderSweepPhaseChange(TObject* Sender) { group_.SliderChange(Sender); }
void TSweepEffectControls::EditSweepPhaseChange(TObject* Sender) { group_.EditChange(Sender); }
void TSweepEffectControls::EditSweepPhaseExit(TObject* Sender) { group_.EditExit(Sender); }

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
