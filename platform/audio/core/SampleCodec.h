#pragma once
// Conversion between stored sample encodings and the engine's floats. Integers decode to k / 2^(bits-1);
// they encode with round-to-nearest and clipping, no dither, so decode-then-encode at the same depth is
// bit-exact.

#include <cstddef>
#include <cstdint>

enum class SampleEncoding {
  UnsignedPcm8,  // 8-bit WAV: 128 is silence
  SignedPcm8,    // 8-bit AIFF
  Pcm16,
  Pcm24,
  Pcm32,
  Float32,
  Float64,
  ALaw,
  MuLaw,
};

struct SampleLayout {
  SampleEncoding Encoding = SampleEncoding::Pcm16;
  bool BigEndian = false;

  int BytesPerSample() const;
  int BitsPerSample() const;
};

bool operator==(const SampleLayout& a, const SampleLayout& b);

// Decodes `values` samples (not frames) from `bytes`.
void DecodeSamples(const SampleLayout& layout, const std::uint8_t* bytes, float* out, std::size_t values);
// Encodes `values` samples into `bytes` (layout.BytesPerSample() each).
void EncodeSamples(const SampleLayout& layout, const float* in, std::uint8_t* bytes, std::size_t values);
