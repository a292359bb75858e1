#include "tests/app/WavFixture.h"

#include <cstring>

#include "tests/support/TestSupport.h"

namespace {

void PutU32(AnsiString& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutU16(AnsiString& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

std::uint32_t U32(const AnsiString& in, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + i]);
  return v;
}

std::uint16_t U16(const AnsiString& in, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(in[at]) | (static_cast<unsigned char>(in[at + 1]) << 8));
}

}  // namespace

std::int16_t PatternSample(int frame, int channel) {
  return static_cast<std::int16_t>(((frame * 37 + channel * 5003) % 20000) - 10000);
}

void WritePatternWav(const String& path, int sampleRate, int channels, int frames) {
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(frames) * channels);
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) samples.push_back(PatternSample(f, c));
  WriteWav(path, sampleRate, channels, samples);
}

void WriteWav(const String& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  AnsiString out = "RIFF";
  PutU32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint16_t>(channels));
  PutU32(out, static_cast<std::uint32_t>(sampleRate));
  PutU32(out, static_cast<std::uint32_t>(sampleRate * channels * 2));
  PutU16(out, static_cast<std::uint16_t>(channels * 2));
  PutU16(out, 16);
  out += "data";
  PutU32(out, dataBytes);
  for (std::int16_t sample : samples) PutU16(out, static_cast<std::uint16_t>(sample));
  testing_support::WriteFileBytes(path, out);
}

TWavContent ReadWav(const String& path) {
  const AnsiString in = testing_support::ReadFileBytes(path);
  TWavContent content;
  if (in.size() < 12 || in.compare(0, 4, "RIFF") != 0 || in.compare(8, 4, "WAVE") != 0) return content;
  std::size_t at = 12;
  while (at + 8 <= in.size()) {
    const AnsiString id = in.substr(at, 4);
    const std::uint32_t size = U32(in, at + 4);
    const std::size_t body = at + 8;
    if (body + size > in.size()) break;
    if (id == "fmt ") {
      content.Channels = U16(in, body + 2);
      content.SampleRate = static_cast<int>(U32(in, body + 4));
      content.Bits = U16(in, body + 14);
    } else if (id == "data" && content.Bits == 16) {
      content.Samples.resize(size / 2);
      std::memcpy(content.Samples.data(), in.data() + body, content.Samples.size() * 2);
    }
    at = body + size + (size & 1);
  }
  return content;
}
