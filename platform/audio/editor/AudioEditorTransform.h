#pragma once
// The editor's transform interface: every effect runs over the selection as one undo step. The DSP
// effects take the editor's argument orders: PeakEQ takes the gain first, LowShelf and HighShelf the
// frequency first and the gain second.

#include <vector>

class TAudioEditor2;
class AudioEffect;

class IAudioEditor2Transform {
 public:
  explicit IAudioEditor2Transform(TAudioEditor2& editor) : editor_(editor) {}

  // 10..1000 %; other values raise and change nothing.
  void PitchChange(float percent);
  void SpeedChange(float percent);
  // At the cursor; selects the silence inserted.
  void InsertSilence(double milliseconds);
  void MixStereo(float leftFromLeft, float leftFromRight, float rightFromLeft, float rightFromRight);
  void SilenceSelection();
  void Reverse();
  void Invert();
  void Amplify(float percent);
  void Fade(float initialPercent, float finalPercent);
  // mode -1: one gain for all channels; 0: a gain per channel.
  void Normalize(float percent, int mode);
  void Vibrato(float depth, float rate, float phase);
  // Linear gains spread evenly over the selection.
  void Envelope(const std::vector<float>& gains);
  void CompressDynamics(float thresholdDb, float rate, float output);
  void NoiseReduction(float thresholdDb, float rate, float rmsMilliseconds);
  void Echo(float delayMilliseconds, float mix, float feedback);
  void Flanger(float delayRate, float depth, float feedback, float sweepDepth, float sweepRate, float sweepPhase);
  void Chorus(float delayRate, float depth, float feedback, float sweepDepth, float sweepRate, float sweepPhase);
  void Phaser(float periodMilliseconds, float mix, float feedback);
  void Reverb(float delayMilliseconds, float mix, float feedback, float gain, float frequency, int taps);
  void LowPass(float frequency, float steepness);
  void HighPass(float frequency, float steepness);
  void BandPass(float frequency, float steepness);
  void Notch(float frequency, float steepness);
  void PeakEQ(float gainDb, float frequency, float steepness);
  void LowShelf(float frequency, float gainDb, float steepness);
  void HighShelf(float frequency, float gainDb, float steepness);
  // Band gains (dB / 10) and centre frequencies, one entry per band.
  void Equalizer(const std::vector<float>& gains, const std::vector<float>& frequencies);

 private:
  void Apply(const wchar_t* operation, AudioEffect& effect);
  TAudioEditor2& editor_;
};
