#pragma once
// 16-bit PCM WAV files written and read by the tests themselves, with a sample pattern that
// differs at every frame and channel.

#include <cstdint>
#include <vector>

#include "platform/framework/base/Types.h"

struct TWavContent {
  int SampleRate = 0;
  int Channels = 0;
  int Bits = 0;
  std::vector<std::int16_t> Samples;  // interleaved
  int Frames() const { return Channels ? static_cast<int>(Samples.size()) / Channels : 0; }
};

// The pattern's sample of one frame and channel.
std::int16_t PatternSample(int frame, int channel);
// Writes `frames` frames of the pattern.
void WritePatternWav(const String& path, int sampleRate, int channels, int frames);
// Writes interleaved 16-bit samples.
void WriteWav(const String& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples);
// Reads the "fmt " and "data" chunks of a PCM WAV file, skipping any other chunk; empty content
// when the file is not one.
TWavContent ReadWav(const String& path);
