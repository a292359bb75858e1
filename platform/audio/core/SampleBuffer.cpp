#include "platform/audio/core/SampleBuffer.h"

#include <string>

#include "platform/audio/core/AudioError.h"

SampleBuffer::SampleBuffer(int channels, int sampleRate, std::int64_t frames)
    : channels_(channels), sampleRate_(sampleRate) {
  CheckChannelCount(channels);
  Resize(frames);
}

void SampleBuffer::Resize(std::int64_t frames) {
  samples_.resize(static_cast<std::size_t>(frames * channels_));
}

void CheckChannelCount(int channels) {
  if (channels < 1 || channels > 2)
    throw EAudioError(L"Audio with " + std::to_wstring(channels) +
                      L" channels is not supported (1 or 2 channels).");
}

void CheckSampleRate(int sampleRate) {
  if (sampleRate < 1000 || sampleRate > 384000)
    throw EAudioError(L"A sample rate of " + std::to_wstring(sampleRate) +
                      L" Hz is not supported (1000 to 384000 Hz).");
}
