#include "platform/audio/editor/AudioEditorTransform.h"

#include "platform/audio/core/Biquad.h"
#include "platform/audio/core/Delays.h"
#include "platform/audio/core/Dynamics.h"
#include "platform/audio/core/Equalizer.h"
#include "platform/audio/core/Modulation.h"
#include "platform/audio/core/TimePitch.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/editor/AudioEditor.h"

namespace {
constexpr const wchar_t* kLogName = L"TAudioEditor2.Transform";
}

void IAudioEditor2Transform::Apply(const wchar_t* operation, AudioEffect& effect) {
  editor_.Edit([&] { editor_.engine_.ApplyEffect(operation, effect); });
}

void IAudioEditor2Transform::PitchChange(float percent) {
  AudioCallLog::Add(kLogName, L"PitchChange", percent);
  CheckPitchPercent(percent);
  PitchChangeEffect effect(percent);
  Apply(L"PitchChange", effect);
}

void IAudioEditor2Transform::SpeedChange(float percent) {
  AudioCallLog::Add(kLogName, L"SpeedChange", percent);
  CheckSpeedPercent(percent);
  SpeedChangeEffect effect(percent);
  Apply(L"SpeedChange", effect);
}

void IAudioEditor2Transform::InsertSilence(double milliseconds) {
  AudioCallLog::Add(kLogName, L"InsertSilence", milliseconds);
  editor_.Edit([&] { editor_.engine_.InsertSilence(milliseconds); });
}

void IAudioEditor2Transform::MixStereo(float leftFromLeft, float leftFromRight, float rightFromLeft,
                                       float rightFromRight) {
  AudioCallLog::Add(kLogName, L"MixStereo", leftFromLeft, leftFromRight, rightFromLeft, rightFromRight);
  editor_.Edit([&] { editor_.engine_.MixStereo(leftFromLeft, leftFromRight, rightFromLeft, rightFromRight); });
}

void IAudioEditor2Transform::SilenceSelection() {
  AudioCallLog::Add(kLogName, L"SilenceSelection");
  editor_.Edit([&] { editor_.engine_.SilenceSelection(); });
}

void IAudioEditor2Transform::Reverse() {
  AudioCallLog::Add(kLogName, L"Reverse");
  editor_.Edit([&] { editor_.engine_.Reverse(); });
}

void IAudioEditor2Transform::Invert() {
  AudioCallLog::Add(kLogName, L"Invert");
  editor_.Edit([&] { editor_.engine_.Invert(); });
}

void IAudioEditor2Transform::Amplify(float percent) {
  AudioCallLog::Add(kLogName, L"Amplify", percent);
  editor_.Edit([&] { editor_.engine_.Amplify(percent); });
}

void IAudioEditor2Transform::Fade(float initialPercent, float finalPercent) {
  AudioCallLog::Add(kLogName, L"Fade", initialPercent, finalPercent);
  editor_.Edit([&] { editor_.engine_.Fade(initialPercent, finalPercent); });
}

void IAudioEditor2Transform::Normalize(float percent, int mode) {
  AudioCallLog::Add(kLogName, L"Normalize", percent, mode);
  editor_.Edit([&] { editor_.engine_.Normalize(percent, mode); });
}

void IAudioEditor2Transform::Vibrato(float depth, float rate, float phase) {
  AudioCallLog::Add(kLogName, L"Vibrato", depth, rate, phase);
  VibratoEffect effect(depth, rate, phase);
  Apply(L"Vibrato", effect);
}

void IAudioEditor2Transform::Envelope(const std::vector<float>& gains) {
  AudioCallLog::Add(kLogName, L"Envelope", static_cast<std::int64_t>(gains.size()));
  editor_.Edit([&] { editor_.engine_.Envelope(gains); });
}

void IAudioEditor2Transform::CompressDynamics(float thresholdDb, float rate, float output) {
  AudioCallLog::Add(kLogName, L"CompressDynamics", thresholdDb, rate, output);
  CompressorEffect effect(thresholdDb, rate, output);
  Apply(L"CompressDynamics", effect);
}

void IAudioEditor2Transform::NoiseReduction(float thresholdDb, float rate, float rmsMilliseconds) {
  AudioCallLog::Add(kLogName, L"NoiseReduction", thresholdDb, rate, rmsMilliseconds);
  NoiseReductionEffect effect(thresholdDb, rate, rmsMilliseconds);
  Apply(L"NoiseReduction", effect);
}

void IAudioEditor2Transform::Echo(float delayMilliseconds, float mix, float feedback) {
  AudioCallLog::Add(kLogName, L"Echo", delayMilliseconds, mix, feedback);
  EchoEffect effect(delayMilliseconds, mix, feedback);
  Apply(L"Echo", effect);
}

void IAudioEditor2Transform::Flanger(float delayRate, float depth, float feedback, float sweepDepth, float sweepRate,
                                     float sweepPhase) {
  AudioCallLog::Add(kLogName, L"Flanger", delayRate, depth, feedback, sweepDepth, sweepRate, sweepPhase);
  SweepDelayEffect effect(SweepKind::Flanger, delayRate, depth, feedback, sweepDepth, sweepRate, sweepPhase);
  Apply(L"Flanger", effect);
}

void IAudioEditor2Transform::Chorus(float delayRate, float depth, float feedback, float sweepDepth, float sweepRate,
                                    float sweepPhase) {
  AudioCallLog::Add(kLogName, L"Chorus", delayRate, depth, feedback, sweepDepth, sweepRate, sweepPhase);
  SweepDelayEffect effect(SweepKind::Chorus, delayRate, depth, feedback, sweepDepth, sweepRate, sweepPhase);
  Apply(L"Chorus", effect);
}

void IAudioEditor2Transform::Phaser(float periodMilliseconds, float mix, float feedback) {
  AudioCallLog::Add(kLogName, L"Phaser", periodMilliseconds, mix, feedback);
  PhaserEffect effect(periodMilliseconds, mix, feedback);
  Apply(L"Phaser", effect);
}

void IAudioEditor2Transform::Reverb(float delayMilliseconds, float mix, float feedback, float gain, float frequency,
                                    int taps) {
  AudioCallLog::Add(kLogName, L"Reverb", delayMilliseconds, mix, feedback, gain, frequency, taps);
  ReverbEffect effect(delayMilliseconds, mix, feedback, gain, frequency, taps);
  Apply(L"Reverb", effect);
}

void IAudioEditor2Transform::LowPass(float frequency, float steepness) {
  AudioCallLog::Add(kLogName, L"LowPass", frequency, steepness);
  FilterEffect effect(FilterType::LowPass, frequency, steepness);
  Apply(L"LowPass", effect);
}

void IAudioEditor2Transform::HighPass(float frequency, float steepness) {
  AudioCallLog::Add(kLogName, L"HighPass", frequency, steepness);
  FilterEffect effect(FilterType::HighPass, frequency, steepness);
  Apply(L"HighPass", effect);
}

void IAudioEditor2Transform::BandPass(float frequency, float steepness) {
  AudioCallLog::Add(kLogName, L"BandPass", frequency, steepness);
  FilterEffect effect(FilterType::BandPass, frequency, steepness);
  Apply(L"BandPass", effect);
}

void IAudioEditor2Transform::Notch(float frequency, float steepness) {
  AudioCallLog::Add(kLogName, L"Notch", frequency, steepness);
  FilterEffect effect(FilterType::Notch, frequency, steepness);
  Apply(L"Notch", effect);
}

void IAudioEditor2Transform::PeakEQ(float gainDb, float frequency, float steepness) {
  AudioCallLog::Add(kLogName, L"PeakEQ", gainDb, frequency, steepness);
  FilterEffect effect(FilterType::PeakEQ, frequency, steepness, gainDb);
  Apply(L"PeakEQ", effect);
}

void IAudioEditor2Transform::LowShelf(float frequency, float gainDb, float steepness) {
  AudioCallLog::Add(kLogName, L"LowShelf", frequency, gainDb, steepness);
  FilterEffect effect(FilterType::LowShelf, frequency, steepness, gainDb);
  Apply(L"LowShelf", effect);
}

void IAudioEditor2Transform::HighShelf(float frequency, float gainDb, float steepness) {
  AudioCallLog::Add(kLogName, L"HighShelf", frequency, gainDb, steepness);
  FilterEffect effect(FilterType::HighShelf, frequency, steepness, gainDb);
  Apply(L"HighShelf", effect);
}

void IAudioEditor2Transform::Equalizer(const std::vector<float>& gains, const std::vector<float>& frequencies) {
  AudioCallLog::Add(kLogName, L"Equalizer", static_cast<std::int64_t>(gains.size()),
                    static_cast<std::int64_t>(frequencies.size()));
  EqualizerEffect effect(gains, frequencies);
  Apply(L"Equalizer", effect);
}
