#pragma once
// TAudioTransform2: effects over sample buffers (the preview and the batch converter). Every effect
// takes the buffer first and replaces it with the result; the buffer is processed as it is, stereo as
// stereo. Outside chunk mode a buffer is processed alone and keeps its length (the effect's tail is
// cut), SpeedChange aside. Between SetChunkMode(-1) and SetChunkMode(0) the k-th call continues the
// state of the k-th call of the previous chunk when it is the same operation, so a file processed in
// chunks sounds as if processed whole. An empty buffer gives an empty result; bad arguments raise
// EAudioError. Operations on more frames than ProgressThreshold() fire OnTransformBlock (0, each whole
// percent, 100) and then OnEndTransform once, also when they fail.

#include <cstdint>
#include <vector>

#include "platform/audio/core/EffectStream.h"
#include "platform/audio/core/SampleBuffer.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"

using TTransformBlockEvent = TEvent<void(TObject* Sender, int Percent)>;

class TAudioTransform2 : public TComponent {
  DECLARE_CLASS(TAudioTransform2, TComponent)
 public:
  explicit TAudioTransform2(TComponent* AOwner);
  ~TAudioTransform2() override;

  // Gain and level
  void Amplify(SampleBuffer& Buffer, float Percent);
  void Fade(SampleBuffer& Buffer, float InitialPercent, float FinalPercent);
  // Mode -1: one gain for all channels; 0: a gain per channel. In chunk mode the first chunk's gain is
  // kept and only lowered (ramped) where a later chunk would pass the target.
  void Normalize(SampleBuffer& Buffer, float Percent, int Mode);
  void CompressDynamics(SampleBuffer& Buffer, float Threshold, float Rate, float Output);
  void NoiseReduction(SampleBuffer& Buffer, float Threshold, float Rate, float RmsTime);
  void MixStereo(SampleBuffer& Buffer, float LeftFromLeft, float LeftFromRight, float RightFromLeft,
                 float RightFromRight);

  // Delays and modulation
  void Echo(SampleBuffer& Buffer, float DelayTime, float MixDepth, float FeedbackGain);
  void Reverb(SampleBuffer& Buffer, float DelayTime, float MixDepth, float FeedbackGain, float Gain, float Frequency,
              int Taps);
  void Phaser(SampleBuffer& Buffer, float Period, float MixDepth, float FeedbackGain);
  void Flanger(SampleBuffer& Buffer, float DelayRate, float MixDepth, float FeedbackGain, float SweepDepth,
               float SweepRate, float SweepPhase);
  void Chorus(SampleBuffer& Buffer, float DelayRate, float MixDepth, float FeedbackGain, float SweepDepth,
              float SweepRate, float SweepPhase);
  void Vibrato(SampleBuffer& Buffer, float Depth, float Rate, float Phase);

  // Filters (frequencies in Hz, steepness in %, gains in dB; the gain comes first)
  void LowPass(SampleBuffer& Buffer, float Frequency, float Steepness);
  void HighPass(SampleBuffer& Buffer, float Frequency, float Steepness);
  void BandPass(SampleBuffer& Buffer, float Frequency, float Steepness);
  void Notch(SampleBuffer& Buffer, float Frequency, float Steepness);
  void PeakEQ(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness);
  void LowShelf(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness);
  void HighShelf(SampleBuffer& Buffer, float Gain, float Frequency, float Steepness);
  // Gains[i]: band i's gain in dB divided by 10; Frequencies[i]: its centre. Both of one length.
  void Equalizer(SampleBuffer& Buffer, const std::vector<float>& Gains, const std::vector<float>& Frequencies);

  // Time and pitch: 10..1000 %, otherwise they raise and leave the buffer as it was.
  void SpeedChange(SampleBuffer& Buffer, float Percent);
  void PitchChange(SampleBuffer& Buffer, float Percent);

  // Channels. A mono buffer is its own left and right half.
  SampleBuffer LeftChannelOf(const SampleBuffer& Buffer);
  SampleBuffer RightChannelOf(const SampleBuffer& Buffer);
  // Two mono halves of one length into one stereo buffer.
  SampleBuffer JoinChannels(const SampleBuffer& Left, const SampleBuffer& Right);
  // Duplicates a mono buffer's channel; a stereo buffer is returned as it is.
  SampleBuffer MonoToStereo(const SampleBuffer& Buffer);

  // The rate of the buffers to come (0: each buffer's own); forgets the chunk states.
  void SetSampleRate(int SampleRate);
  int SampleRate() const { return sampleRate_; }
  // -1 (any non-zero): a chunk's calls begin; 0: they end.
  void SetChunkMode(int Mode);
  bool ChunkMode() const { return chunkMode_; }

  void SetProgressThreshold(std::int64_t Frames) { progressThreshold_ = Frames; }
  std::int64_t ProgressThreshold() const { return progressThreshold_; }

  TTransformBlockEvent OnTransformBlock;
  TNotifyEvent OnEndTransform;

 private:
  // Runs the effect `make` builds over the buffer: in chunk mode continuing the chunk's stream unless
  // `alone`, else by itself.
  void Run(int operation, SampleBuffer& buffer, std::vector<float> parameters, const ChunkEffectStates::Factory& make,
           bool alone = false);
  void RunProgress(std::int64_t done, std::int64_t total, int& lastPercent);

  int sampleRate_ = 0;
  bool chunkMode_ = false;
  ChunkEffectStates streams_;
  std::int64_t progressThreshold_ = std::int64_t{1} << 20;
};
