#include "platform/audio/core/SampleCodec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Adding and subtracting 1.5 * 2^23 rounds a float below 2^22 to the nearest integer in the default
// rounding mode, and unlike lrintf it vectorises.
constexpr float kRoundFloat = 12582912.0f;
constexpr double kRoundDouble = 6755399441055744.0;

inline float RoundToInt(float v) { return (v + kRoundFloat) - kRoundFloat; }
inline double RoundToInt(double v) { return (v + kRoundDouble) - kRoundDouble; }

inline std::uint32_t Swap32(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}
inline std::uint64_t Swap64(std::uint64_t v) {
  return (static_cast<std::uint64_t>(Swap32(static_cast<std::uint32_t>(v))) << 32) | Swap32(static_cast<std::uint32_t>(v >> 32));
}

std::int16_t ALawToLinear(std::uint8_t code) {
  code ^= 0x55;
  int t = (code & 0x0F) << 4;
  const int segment = (code & 0x70) >> 4;
  if (segment == 0) t += 8;
  else if (segment == 1) t += 0x108;
  else t = (t + 0x108) << (segment - 1);
  return static_cast<std::int16_t>((code & 0x80) ? t : -t);
}

std::int16_t MuLawToLinear(std::uint8_t code) {
  code = static_cast<std::uint8_t>(~code);
  int t = ((code & 0x0F) << 3) + 0x84;
  t <<= (code & 0x70) >> 4;
  return static_cast<std::int16_t>((code & 0x80) ? (0x84 - t) : (t - 0x84));
}

std::uint8_t LinearToALaw(int pcm) {
  int mask;
  if (pcm >= 0) {
    mask = 0xD5;
  } else {
    mask = 0x55;
    pcm = -pcm - 1;
  }
  pcm >>= 3;
  static constexpr int kSegmentEnd[8] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
  int segment = 0;
  while (segment < 8 && pcm > kSegmentEnd[segment]) ++segment;
  if (segment >= 8) return static_cast<std::uint8_t>(0x7F ^ mask);
  int code = segment << 4;
  code |= segment < 2 ? (pcm >> 1) & 0x0F : (pcm >> segment) & 0x0F;
  return static_cast<std::uint8_t>(code ^ mask);
}

std::uint8_t LinearToMuLaw(int pcm) {
  constexpr int kBias = 0x84, kClip = 8159;
  int mask;
  pcm >>= 2;
  if (pcm < 0) {
    pcm = -pcm;
    mask = 0x7F;
  } else {
    mask = 0xFF;
  }
  pcm = std::min(pcm, kClip) + (kBias >> 2);
  static constexpr int kSegmentEnd[8] = {0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF};
  int segment = 0;
  while (segment < 8 && pcm > kSegmentEnd[segment]) ++segment;
  if (segment >= 8) return static_cast<std::uint8_t>(0x7F ^ mask);
  const int code = (segment << 4) | ((pcm >> (segment + 1)) & 0x0F);
  return static_cast<std::uint8_t>(code ^ mask);
}

const std::array<float, 256>& CompandTable(bool aLaw) {
  static const std::array<float, 256> alaw = [] {
    std::array<float, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = ALawToLinear(static_cast<std::uint8_t>(i)) / 32768.0f;
    return t;
  }();
  static const std::array<float, 256> mulaw = [] {
    std::array<float, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = MuLawToLinear(static_cast<std::uint8_t>(i)) / 32768.0f;
    return t;
  }();
  return aLaw ? alaw : mulaw;
}

void Decode16(const std::uint8_t* in, float* out, std::size_t n, bool big) {
  constexpr float kScale = 1.0f / 32768.0f;
  if (big) {
    for (std::size_t i = 0; i < n; ++i)
      out[i] = static_cast<std::int16_t>((in[2 * i] << 8) | in[2 * i + 1]) * kScale;
  } else {
    for (std::size_t i = 0; i < n; ++i) {
      std::int16_t v;
      std::memcpy(&v, in + 2 * i, 2);
      out[i] = v * kScale;
    }
  }
}

void Decode24(const std::uint8_t* in, float* out, std::size_t n, bool big) {
  constexpr float kScale = 1.0f / 8388608.0f;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* p = in + 3 * i;
    const std::uint32_t u = big ? (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8)
                                : (std::uint32_t(p[2]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[0]) << 8);
    out[i] = static_cast<float>(static_cast<std::int32_t>(u) >> 8) * kScale;
  }
}

void Decode32(const std::uint8_t* in, float* out, std::size_t n, bool big, bool isFloat) {
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t u;
    std::memcpy(&u, in + 4 * i, 4);
    if (big) u = Swap32(u);
    if (isFloat) {
      std::memcpy(&out[i], &u, 4);
    } else {
      out[i] = static_cast<float>(static_cast<double>(static_cast<std::int32_t>(u)) * (1.0 / 2147483648.0));
    }
  }
}

void Decode64(const std::uint8_t* in, float* out, std::size_t n, bool big) {
  for (std::size_t i = 0; i < n; ++i) {
    std::uint64_t u;
    std::memcpy(&u, in + 8 * i, 8);
    if (big) u = Swap64(u);
    double d;
    std::memcpy(&d, &u, 8);
    out[i] = static_cast<float>(d);
  }
}

void Encode16(const float* in, std::uint8_t* out, std::size_t n, bool big) {
  for (std::size_t i = 0; i < n; ++i) {
    const float v = RoundToInt(std::clamp(in[i] * 32768.0f, -32768.0f, 32767.0f));
    const std::int16_t s = static_cast<std::int16_t>(v);
    if (big) {
      out[2 * i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> 8);
      out[2 * i + 1] = static_cast<std::uint8_t>(s);
    } else {
      std::memcpy(out + 2 * i, &s, 2);
    }
  }
}

void Encode24(const float* in, std::uint8_t* out, std::size_t n, bool big) {
  for (std::size_t i = 0; i < n; ++i) {
    const double v = RoundToInt(std::clamp(static_cast<double>(in[i]) * 8388608.0, -8388608.0, 8388607.0));
    const std::uint32_t u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
    std::uint8_t* p = out + 3 * i;
    if (big) {
      p[0] = static_cast<std::uint8_t>(u >> 16), p[1] = static_cast<std::uint8_t>(u >> 8), p[2] = static_cast<std::uint8_t>(u);
    } else {
      p[0] = static_cast<std::uint8_t>(u), p[1] = static_cast<std::uint8_t>(u >> 8), p[2] = static_cast<std::uint8_t>(u >> 16);
    }
  }
}

void Encode32(const float* in, std::uint8_t* out, std::size_t n, bool big, bool isFloat) {
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t u;
    if (isFloat) {
      std::memcpy(&u, &in[i], 4);
    } else {
      const double v = RoundToInt(std::clamp(static_cast<double>(in[i]) * 2147483648.0, -2147483648.0, 2147483647.0));
      u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
    }
    if (big) u = Swap32(u);
    std::memcpy(out + 4 * i, &u, 4);
  }
}

void Encode64(const float* in, std::uint8_t* out, std::size_t n, bool big) {
  for (std::size_t i = 0; i < n; ++i) {
    const double d = in[i];
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    if (big) u = Swap64(u);
    std::memcpy(out + 8 * i, &u, 8);
  }
}

int ClampedPcm16(float v) {
  return static_cast<int>(RoundToInt(std::clamp(v * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

int SampleLayout::BytesPerSample() const {
  switch (Encoding) {
    case SampleEncoding::UnsignedPcm8:
    case SampleEncoding::SignedPcm8:
    case SampleEncoding::ALaw:
    case SampleEncoding::MuLaw: return 1;
    case SampleEncoding::Pcm16: return 2;
    case SampleEncoding::Pcm24: return 3;
    case SampleEncoding::Pcm32:
    case SampleEncoding::Float32: return 4;
    case SampleEncoding::Float64: return 8;
  }
  return 0;
}

int SampleLayout::BitsPerSample() const { return 8 * BytesPerSample(); }

bool operator==(const SampleLayout& a, const SampleLayout& b) {
  return a.Encoding == b.Encoding && (a.BigEndian == b.BigEndian || a.BytesPerSample() == 1);
}

void DecodeSamples(const SampleLayout& layout, const std::uint8_t* in, float* out, std::size_t n) {
  const bool big = layout.BigEndian;
  switch (layout.Encoding) {
    case SampleEncoding::UnsignedPcm8:
      for (std::size_t i = 0; i < n; ++i) out[i] = (static_cast<int>(in[i]) - 128) * (1.0f / 128.0f);
      break;
    case SampleEncoding::SignedPcm8:
      for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::int8_t>(in[i]) * (1.0f / 128.0f);
      break;
    case SampleEncoding::Pcm16: Decode16(in, out, n, big); break;
    case SampleEncoding::Pcm24: Decode24(in, out, n, big); break;
    case SampleEncoding::Pcm32: Decode32(in, out, n, big, false); break;
    case SampleEncoding::Float32: Decode32(in, out, n, big, true); break;
    case SampleEncoding::Float64: Decode64(in, out, n, big); break;
    case SampleEncoding::ALaw:
    case SampleEncoding::MuLaw: {
      const auto& table = CompandTable(layout.Encoding == SampleEncoding::ALaw);
      for (std::size_t i = 0; i < n; ++i) out[i] = table[in[i]];
      break;
    }
  }
}

void EncodeSamples(const SampleLayout& layout, const float* in, std::uint8_t* out, std::size_t n) {
  const bool big = layout.BigEndian;
  switch (layout.Encoding) {
    case SampleEncoding::UnsignedPcm8:
      for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(RoundToInt(std::clamp(in[i] * 128.0f, -128.0f, 127.0f)) + 128.0f);
      break;
    case SampleEncoding::SignedPcm8:
      for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(static_cast<std::int8_t>(RoundToInt(std::clamp(in[i] * 128.0f, -128.0f, 127.0f))));
      break;
    case SampleEncoding::Pcm16: Encode16(in, out, n, big); break;
    case SampleEncoding::Pcm24: Encode24(in, out, n, big); break;
    case SampleEncoding::Pcm32: Encode32(in, out, n, big, false); break;
    case SampleEncoding::Float32: Encode32(in, out, n, big, true); break;
    case SampleEncoding::Float64: Encode64(in, out, n, big); break;
    case SampleEncoding::ALaw:
      for (std::size_t i = 0; i < n; ++i) out[i] = LinearToALaw(ClampedPcm16(in[i]));
      break;
    case SampleEncoding::MuLaw:
      for (std::size_t i = 0; i < n; ++i) out[i] = LinearToMuLaw(ClampedPcm16(in[i]));
      break;
  }
}
