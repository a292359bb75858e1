#include "platform/audio/processing/AudioTransform2.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/Biquad.h"
#include "platform/audio/core/Delays.h"
#include "platform/audio/core/Dynamics.h"
#include "platform/audio/core/Equalizer.h"
#include "platform/audio/core/Modulation.h"
#include "platform/audio/core/Normalizer.h"
#include "platform/audio/core/TimePitch.h"
#include "platform/audio/devices/AudioCallLog.h"

DEFINE_CLASS(TAudioTransform2)

namespace {

constexpr const wchar_t* kClass = L"TAudioTransform2";

// Operation numbers that tell the chunk streams apart.
enum Operation {
  kAmplify = 25, kFade, kNormalize, kVibrato, kCompress = 30, kNoiseReduction, kEcho, kFlanger, kChorus, kPhaser,
  kReverb, kLowPass, kHighPass, kBandPass, kNotch, kPeakEQ, kLowShelf, kHighShelf, kEqualizer, kMixStereo = 13,
  kPitchChange = 16, kSpeedChange = 17
};

template <class Effect, class... Args>
ChunkEffectStates::Factory Make(bool wholeBuffer, Args... args) {
  return [=] { return std::make_unique<EffectStream>(std::make_unique<Effect>(args...), wholeBuffer); };
}

ChunkEffectStates::Factory MakeFilter(FilterType type, float frequency, float steepness, float gain = 0.0f) {
  return Make<FilterEffect>(false, type, frequency, steepness, gain);
}

SampleBuffer ChannelOf(const SampleBuffer& buffer, int channel) {
  SampleBuffer half(1, buffer.SampleRate(), buffer.Frames());
  const int channels = buffer.Channels();
  const int source = std::min(channel, channels - 1);
  const float* in = buffer.Data();
  float* out = half.Data();
  for (std::int64_t i = 0, frames = buffer.Frames(); i < frames; ++i) out[i] = in[i * channels + source];
  return half;
}

}  // namespace

TAudioTransform2::TAudioTransform2(TComponent* AOwner) : TComponent(AOwner) {}
TAudioTransform2::~TAudioTransform2() = default;

void TAudioTransform2::RunProgress(std::int64_t done, std::int64_t total, int& lastPercent) {
  const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
  if (percent == lastPercent) return;
  lastPercent = percent;
  if (OnTransformBlock) OnTransformBlock(this, percent);
}

void TAudioTransform2::Run(int operation, SampleBuffer& buffer, std::vector<float> parameters,
                           const ChunkEffectStates::Factory& make, bool alone) {
  if (buffer.Empty()) return;
  if (sampleRate_ > 0) buffer.SetSampleRate(sampleRate_);
  const bool reports = buffer.Frames() > progressThreshold_;
  int lastPercent = -1;
  ProgressCallback progress;
  if (reports) progress = [&](std::int64_t done, std::int64_t total) { RunProgress(done, total, lastPercent); };
  try {
    if (chunkMode_ && !alone) {
      streams_.Next(operation, parameters, make).ProcessChunk(buffer, progress);
    } else {
      make()->ProcessWhole(buffer, progress);
    }
  } catch (...) {
    if (reports && OnEndTransform) OnEndTransform(this);
    throw;
  }
  if (reports && OnEndTransform) OnEndTransform(this);
}

void TAudioTransform2::Amplify(SampleBuffer& Buffer, float Percent) {
  AudioCallLog::Add(kClass, L"Amplify", Buffer.Values(), Percent);
  Run(kAmplify, Buffer, {Percent}, Make<AmplifyEffect>(false, Percent / 100.0f));
}

void TAudioTransform2::Fade(SampleBuffer& Buffer, float InitialPercent, float FinalPercent) {
  AudioCallLog::Add(kClass, L"Fade", Buffer.Values(), InitialPercent, FinalPercent);
  // A fade spans the buffer it is given, in chunk mode too.
  Run(kFade, Buffer, {}, Make<EnvelopeEffect>(false, std::vector<float>{InitialPercent / 100.0f, FinalPercent / 100.0f}),
      true);
}

void TAudioTransform2::Normalize(SampleBuffer& Buffer, float Percent, int Mode) {
  AudioCallLog::Add(kClass, L"Normalize", Buffer.Values(), Percent, Mode);
  Run(kNormalize, Buffer, {Percent, static_cast<float>(Mode)}, Make<NormalizeEffect>(true, Percent, Mode));
}

void TAudioTransform2::CompressDynamics(SampleBuffer& Buffer, float Threshold, float Rate, float Output) {
  AudioCallLog::Add(kClass, L"CompressDynamics", Buffer.Values(), Threshold, Rate, Output);
  Run(kCompress, Buffer, {Threshold, Rate, Output}, Make<CompressorEffect>(false, Threshold, Rate, Output));
}

void TAudioTransform2::NoiseReduction(SampleBuffer& Buffer, float Threshold, float Rate, float RmsTime) {
  AudioCallLog::Add(kClass, L"NoiseReduction", Buffer.Values(), Threshold, Rate, RmsTime);
  Run(kNoiseReduction, Buffer, {Threshold, Rate, RmsTime},
      Make<NoiseReductionEffect>(false, Threshold, Rate, RmsTime));
}

void TAudioTransform2::MixStereo(SampleBuffer& Buffer, float LeftFromLeft, float LeftFromRight, float RightFromLeft,
                                 float RightFromRight) {
  AudioCallLog::Add(kClass, L"MixStereo", Buffer.Values(), LeftFromLeft, LeftFromRight, RightFromLeft,
                    RightFromRight);
  Run(kMixStereo, Buffer, {LeftFromLeft, LeftFromRight, RightFromLeft, RightFromRight},
      Make<MixStereoEffect>(false, LeftFromLeft, LeftFromRight, RightFromLeft, RightFromRight));
}

void TAudioTransform2::Echo(SampleBuffer& Buffer, float DelayTime, float MixDepth, float FeedbackGain) {
  AudioCallLog::Add(kClass, L"Echo", Buffer.Values(), DelayTime, MixDepth, FeedbackGain);
  Run(kEcho, Buffer, {DelayTime, MixDepth, FeedbackGain}, Make<EchoEffect>(false, DelayTime, MixDepth, FeedbackGain));
}

void TAudioTransform2::Reverb(SampleBuffer& Buffer, float DelayTime, float MixDepth, float FeedbackGain, float Gain,
                              float Frequency, int Taps) {
  AudioCallLog::Add(kClass, L"Reverb", Buffer.Values(), DelayTime, MixDepth, FeedbackGain, Gain, Frequency, Taps);
  Run(kReverb, Buffer, {DelayTime, MixDepth, FeedbackGain, Gain, Frequency, static_cast<float>(Taps)},
      Make<ReverbEffect>(false, DelayTime, MixDepth, FeedbackGain, Gain, Frequency, Taps));
}

void TAudioTransform2::Phaser(SampleBuffer& Buffer, float Period, float MixDepth, float FeedbackGain) {
  AudioCallLog::Add(kClass, L"Phaser", Buffer.Values(), Period, MixDepth, FeedbackGain);
  Run(kPhaser, Buffer, {Period, MixDepth, FeedbackGain}, Make<PhaserEffect>(false, Period, MixDepth, FeedbackGain));
}

void TAudioTransform2::Flanger(SampleBuffer& Buffer, float DelayRate, float MixDepth, float FeedbackGain,
                               float SweepDepth, float SweepRate, float SweepPhase) {
  AudioCallLog::Add(kClass, L"Flanger", Buffer.Values(), DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate,
                    SweepPhase);
  Run(kFlanger, Buffer, {DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate, SweepPhase},
      Make<SweepDelayEffect>(false, SweepKind::Flanger, DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate,
                             SweepPhase));
}

void TAudioTransform2::Chorus(SampleBuffer& Buffer, float DelayRate, float MixDepth, float FeedbackGain,
                              float SweepDepth, float SweepRate, float SweepPhase) {
  AudioCallLog::Add(kClass, L"Chorus", Buffer.Values(), DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate,
                    SweepPhase);
  Run(kChorus, Buffer, {DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate, SweepPhase},
      Make<SweepDelayEffect>(false, SweepKind::Chorus, DelayRate, MixDepth, FeedbackGain, SweepDepth, SweepRate,
                             SweepPhase));
}

void TAudioTransform2::Vibrato(SampleBuffer& Buffer, float Depth, float Rate, float Phase) {
  AudioCallLog::Add(kClass, L"Vibrato", Buffer.Values(), Depth, Rate, Phase);
  Run(kVibrato, Buffer, {Depth, Rate, Phase}, Make<VibratoEffect>(false, Depth, Rate, Phase));
}

void TAudioTransform2::LowPass(SampleBuffer& Buffer, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"LowPass", Buffer.Values(), Frequency, Steepness);
  Run(kLowPass, Buffer, {Frequency, Steepness}, MakeFilter(FilterType::LowPass, Frequency, Steepness));
}

void TAudioTransform2::HighPass(SampleBuffer& Buffer, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"HighPass", Buffer.Values(), Frequency, Steepness);
  Run(kHighPass, Buffer, {Frequency, Steepness}, MakeFilter(FilterType::HighPass, Frequency, Steepness));
}

void TAudioTransform2::BandPass(SampleBuffer& Buffer, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"BandPass", Buffer.Values(), Frequency, Steepness);
  Run(kBandPass, Buffer, {Frequency, Steepness}, MakeFilter(FilterType::BandPass, Frequency, Steepness));
}

void TAudioTransform2::Notch(SampleBuffer& Buffer, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"Notch", Buffer.Values(), Frequency, Steepness);
  Run(kNotch, Buffer, {Frequency, Steepness}, MakeFilter(FilterType::Notch, Frequency, Steepness));
}

void TAudioTransform2::PeakEQ(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"PeakEQ", Buffer.Values(), Gain, Frequency, Steepness);
  Run(kPeakEQ, Buffer, {Gain, Frequency, Steepness}, MakeFilter(FilterType::PeakEQ, Frequency, Steepness, Gain));
}

void TAudioTransform2::LowShelf(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"LowShelf", Buffer.Values(), Gain, Frequency, Steepness);
  Run(kLowShelf, Buffer, {Gain, Frequency, Steepness}, MakeFilter(FilterType::LowShelf, Frequency, Steepness, Gain));
}

void TAudioTransform2::HighShelf(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness) {
  AudioCallLog::Add(kClass, L"HighShelf", Buffer.Values(), Gain, Frequency, Steepness);
  Run(kHighShelf, Buffer, {Gain, Frequency, Steepness},
      MakeFilter(FilterType::HighShelf, Frequency, Steepness, Gain));
}

void TAudioTransform2::Equalizer(SampleBuffer& Buffer, const std::vector<float>& Gains,
                                 const std::vector<float>& Frequencies) {
  AudioCallLog::Add(kClass, L"Equalizer", Buffer.Values(), static_cast<int>(Gains.size()),
                    static_cast<int>(Frequencies.size()));
  if (Gains.size() != Frequencies.size())
    throw EAudioError(L"The equalizer needs as many band gains as band frequencies.");
  std::vector<float> parameters = Gains;
  parameters.insert(parameters.end(), Frequencies.begin(), Frequencies.end());
  Run(kEqualizer, Buffer, std::move(parameters), [=] {
    return std::make_unique<EffectStream>(std::make_unique<EqualizerEffect>(Gains, Frequencies), false);
  });
}

void TAudioTransform2::SpeedChange(SampleBuffer& Buffer, float Percent) {
  AudioCallLog::Add(kClass, L"SpeedChange", Buffer.Values(), Percent);
  CheckSpeedPercent(Percent);
  Run(kSpeedChange, Buffer, {Percent}, Make<SpeedChangeEffect>(false, Percent));
}

void TAudioTransform2::PitchChange(SampleBuffer& Buffer, float Percent) {
  AudioCallLog::Add(kClass, L"PitchChange", Buffer.Values(), Percent);
  CheckPitchPercent(Percent);
  Run(kPitchChange, Buffer, {Percent}, Make<PitchChangeEffect>(false, Percent));
}

SampleBuffer TAudioTransform2::LeftChannelOf(const SampleBuffer& Buffer) {
  AudioCallLog::Add(kClass, L"LeftChannelOf", Buffer.Values());
  return ChannelOf(Buffer, 0);
}

SampleBuffer TAudioTransform2::RightChannelOf(const SampleBuffer& Buffer) {
  AudioCallLog::Add(kClass, L"RightChannelOf", Buffer.Values());
  return ChannelOf(Buffer, 1);
}

SampleBuffer TAudioTransform2::JoinChannels(const SampleBuffer& Left, const SampleBuffer& Right) {
  AudioCallLog::Add(kClass, L"JoinChannels", Left.Values(), Right.Values());
  if (Left.Channels() != 1 || Right.Channels() != 1)
    throw EAudioError(L"Only two mono buffers can be joined into a stereo buffer.");
  if (Left.Frames() != Right.Frames())
    throw EAudioError(L"The left and right buffers to join differ in length (" + std::to_wstring(Left.Frames()) +
                      L" and " + std::to_wstring(Right.Frames()) + L" samples).");
  SampleBuffer joined(2, Left.SampleRate(), Left.Frames());
  float* out = joined.Data();
  const float* left = Left.Data();
  const float* right = Right.Data();
  for (std::int64_t i = 0, frames = Left.Frames(); i < frames; ++i) {
    out[2 * i] = left[i];
    out[2 * i + 1] = right[i];
  }
  return joined;
}

SampleBuffer TAudioTransform2::MonoToStereo(const SampleBuffer& Buffer) {
  AudioCallLog::Add(kClass, L"MonoToStereo", Buffer.Values());
  SampleBuffer stereo(2, Buffer.SampleRate(), Buffer.Frames());
  if (Buffer.Channels() == 2) {
    if (!Buffer.Empty()) std::memcpy(stereo.Data(), Buffer.Data(), static_cast<std::size_t>(Buffer.Values()) * 4);
    return stereo;
  }
  float* out = stereo.Data();
  const float* in = Buffer.Data();
  for (std::int64_t i = 0, frames = Buffer.Frames(); i < frames; ++i) out[2 * i] = out[2 * i + 1] = in[i];
  return stereo;
}

void TAudioTransform2::SetSampleRate(int SampleRate) {
  AudioCallLog::Add(kClass, L"SetSampleRate", SampleRate);
  if (SampleRate != 0) CheckSampleRate(SampleRate);
  sampleRate_ = SampleRate;
  streams_.Clear();
}

void TAudioTransform2::SetChunkMode(int Mode) {
  AudioCallLog::Add(kClass, L"SetChunkMode", Mode);
  chunkMode_ = Mode != 0;
  if (chunkMode_) streams_.BeginChunk();
}
