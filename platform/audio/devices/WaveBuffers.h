#pragma once
// What the waveOut and waveIn devices share: the 16-bit PCM format they open the card with and the
// ring of prepared headers their worker threads cycle.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/framework/Win32.h"

#include <mmsystem.h>

WAVEFORMATEX Pcm16Format(int sampleRate, int channels);

// kCount headers of about kMilliseconds each, with their sample storage.
struct WaveBufferRing {
  static constexpr int kCount = 4;
  static constexpr int kMilliseconds = 50;

  void Allocate(int sampleRate, int channels);
  std::int64_t FramesPerBuffer() const { return framesPerBuffer; }

  std::array<WAVEHDR, kCount> headers{};
  std::array<bool, kCount> queued{};
  std::array<std::vector<std::int16_t>, kCount> storage;
  std::int64_t framesPerBuffer = 0;
};
