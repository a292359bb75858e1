#pragma once
// Parameter controls that several members share, with their published fields and named handlers.
// A member derives from TForm, TFamilyMember and a group, and calls the group's Take step once the
// family has built the controls (the group's parameters stand at First, First + 1, ... of its table).

#include "dialogs/FamilyMember.h"

// The mix depth and feedback gain of the delay and sweep effects.
class TMixFeedbackControls {
 public:
  TLabel* LabelMixDepth = nullptr;
  TImageSlider* ImageSliderMixDepth = nullptr;
  TEdit* EditMixDepth = nullptr;
  TLabel* LabelMixDepthMin = nullptr;
  TLabel* LabelMixDepthMax = nullptr;
  TLabel* LabelFeedbackGain = nullptr;
  TImageSlider* ImageSliderFeedbackGain = nullptr;
  TEdit* EditFeedbackGain = nullptr;
  TLabel* LabelFeedbackGainMin = nullptr;
  TLabel* LabelFeedbackGainMax = nullptr;

  void ImageSliderMixDepthChange(TObject* Sender);
  void EditMixDepthChange(TObject* Sender);
  void EditMixDepthExit(TObject* Sender);
  void ImageSliderFeedbackGainChange(TObject* Sender);
  void EditFeedbackGainChange(TObject* Sender);
  void EditFeedbackGainExit(TObject* Sender);

 protected:
  explicit TMixFeedbackControls(TParameterDialog& Family) : group_(Family) {}
  ~TMixFeedbackControls() = default;
  void TakeMixFeedbackControls(int First);

 private:
  TParameterDialog& group_;
};

// A sweep's depth, rate and phase (the vibrato, flanger and chorus dialogs).
class TSweepControls {
 public:
  TLabel* LabelSweepDepth = nullptr;
  TImageSlider* ImageSliderSweepDepth = nullptr;
  TEdit* EditSweepDepth = nullptr;
  TLabel* LabelSweepDepthMin = nullptr;
  TLabel* LabelSweepDepthMax = nullptr;
  TLabel* LabelSweepRate = nullptr;
  TImageSlider* ImageSliderSweepRate = nullptr;
  TEdit* EditSweepRate = nullptr;
  TLabel* LabelSweepRateMin = nullptr;
  TLabel* LabelSweepRateMax = nullptr;
  TLabel* LabelSweepPhase = nullptr;
  TImageSlider* ImageSliderSweepPhase = nullptr;
  TEdit* EditSweepPhase = nullptr;
  TLabel* LabelSweepPhaseMin = nullptr;
  TLabel* LabelSweepPhaseMax = nullptr;

  void ImageSliderSweepDepthChange(TObject* Sender);
  void EditSweepDepthChange(TObject* Sender);
  void EditSweepDepthExit(TObject* Sender);
  void ImageSliderSweepRateChange(TObject* Sender);
  void EditSweepRateChange(TObject* Sender);
  void EditSweepRateExit(TObject* Sender);
  void ImageSliderSweepPhaseChange(TObject* Sender);
  void EditSweepPhaseChange(TObject* Sender);
  void EditSweepPhaseExit(TObject* Sender);

 protected:
  explicit TSweepControls(TParameterDialog& Family) : group_(Family) {}
  ~TSweepControls() = default;
  void TakeSweepControls(int First);

 private:
  TParameterDialog& group_;
};

// The delay time, mix depth and feedback gain of the echo, phaser and reverb dialogs.
class TDelayEffectControls : public TMixFeedbackControls {
 public:
  TLabel* LabelDelayTime = nullptr;
  TImageSlider* ImageSliderDelayTime = nullptr;
  TEdit* EditDelayTime = nullptr;
  TLabel* LabelDelayTimeMin = nullptr;
  TLabel* LabelDelayTimeMax = nullptr;

  void ImageSliderDelayTimeChange(TObject* Sender);
  void EditDelayTimeChange(TObject* Sender);
  void EditDelayTimeExit(TObject* Sender);

 protected:
  explicit TDelayEffectControls(TParameterDialog& Family) : TMixFeedbackControls(Family), group_(Family) {}
  ~TDelayEffectControls() = default;
  void TakeDelayEffectControls(int First);

 private:
  TParameterDialog& group_;
};

// The six parameters the flanger and chorus dialogs share.
class TSweepEffectControls : public TMixFeedbackControls, public TSweepControls {
 public:
  TLabel* LabelDelayRate = nullptr;
  TImageSlider* ImageSliderDelayRate = nullptr;
  TEdit* EditDelayRate = nullptr;
  TLabel* LabelDelayRateMin = nullptr;
  TLabel* LabelDelayRateMax = nullptr;

  void ImageSliderDelayRateChange(TObject* Sender);
  void EditDelayRateChange(TObject* Sender);
  void EditDelayRateExit(TObject* Sender);

 protected:
  explicit TSweepEffectControls(TParameterDialog& Family)
      : TMixFeedbackControls(Family), TSweepControls(Family), group_(Family) {}
  ~TSweepEffectControls() = default;
  void TakeSweepEffectControls(int First);

 private:
  TParameterDialog& group_;
};

// The signed threshold and the rate of the compressor and noise-reduction dialogs.
class TThresholdControls {
 public:
  TLabel* LabelThreshold = nullptr;
  TImageSlider* ImageSliderThreshold = nullptr;
  TEdit* EditThreshold = nullptr;
  TLabel* LabelThresholdMin = nullptr;
  TLabel* LabelThresholdMax = nullptr;
  TLabel* LabelRate = nullptr;
  TImageSlider* ImageSliderRate = nullptr;
  TEdit* EditRate = nullptr;
  TLabel* LabelRateMin = nullptr;
  TLabel* LabelRateMax = nullptr;

  void ImageSliderThresholdChange(TObject* Sender);
  void EditThresholdChange(TObject* Sender);
  void EditThresholdExit(TObject* Sender);
  void EditThresholdKeyPress(TObject* Sender, wchar_t& Key);
  void ImageSliderRateChange(TObject* Sender);
  void EditRateChange(TObject* Sender);
  void EditRateExit(TObject* Sender);

 protected:
  explicit TThresholdControls(TParameterDialog& Family) : group_(Family) {}
  ~TThresholdControls() = default;
  void TakeThresholdControls(int First);

 private:
  TParameterDialog& group_;
};
