// The VOX and G.721/G.723 readers checked sample for sample against the sox command-line tool: sox
// encodes VOX itself and decodes VOX and the G.72x codes wrapped in .au files to 16-bit PCM, which
// must equal our decoders' output at 16-bit scale. Natively only; skipped when sox is not installed.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/G726.h"
#include "platform/audio/core/FormatRegistry.h"
#include "tests/platform/audio/CodecTestSignals.h"

using namespace codec_test;
namespace fs = std::filesystem;

namespace {

constexpr int kRate = 8000;

bool SoxInstalled() { return std::system("sox --version >/dev/null 2>&1") == 0; }

// A folder of its own under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("adpcm-reference-" + std::to_string(getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const char* name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void WriteFile(const std::string& path, const AnsiString& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

AnsiString ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return AnsiString(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs sox with `arguments` (paths quoted by the caller); true when it succeeded.
bool Sox(const std::string& arguments) { return std::system(("sox -q " + arguments + " 2>&1").c_str()) == 0; }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// sox's decoding of `encoded` (type from its extension) as 16-bit signed little-endian samples.
std::vector<std::int16_t> SoxDecoding(const std::string& encoded, const std::string& pcm) {
  if (!Sox(Quoted(encoded) + " -t raw -e signed-integer -b 16 -L " + Quoted(pcm))) return {};
  const AnsiString bytes = ReadFile(pcm);
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
  return samples;
}

// Our reader's samples of `bytes` opened as a file called `name`, at 16-bit scale.
std::vector<int> OurDecoding(const AnsiString& bytes, const String& name) {
  static const FormatRegistry registry = [] {
    FormatRegistry r = FormatRegistry::Default();
    RegisterAudioCodecs(r);
    return r;
  }();
  const auto decoder = registry.OpenDecoder(std::make_shared<MemorySource>(bytes), name);
  std::vector<int> samples;
  for (float value : ReadAll(*decoder)) samples.push_back(static_cast<int>(std::lround(value * 32768.0f)));
  return samples;
}

// Equal lengths and, at the first differing sample, both values.
void ExpectSameSamples(const std::vector<int>& ours, const std::vector<int>& reference) {
  ASSERT_FALSE(reference.empty()) << "sox produced nothing";
  ASSERT_EQ(ours.size(), reference.size());
  for (std::size_t i = 0; i < ours.size(); ++i)
    if (ours[i] != reference[i]) {
      FAIL() << "first difference at sample " << i << ": ours " << ours[i] << ", sox " << reference[i];
    }
}

// Four seconds of speech-band tones with a little noise, a square of `squareLevel`, silence, loud
// noise starting suddenly and a sweep, as 16-bit samples scaled by `gain`.
std::vector<std::int16_t> TestSignal(double gain, double squareLevel) {
  const int frames = 4 * kRate;
  const std::vector<float> noise = Noise(1.0, 1, frames);
  std::vector<std::int16_t> samples(frames);
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double x = 0.3 * std::sin(2 * kPi * 440 * t) + 0.15 * std::sin(2 * kPi * 1230 * t) + 0.05 * noise[i];
    if (t >= 1.0 && t < 1.5) x = std::sin(2 * kPi * 2600 * t) > 0 ? squareLevel : -squareLevel;
    if (t >= 2.0 && t < 2.5) x = 0.0;
    if (t >= 2.5 && t < 3.0) x = 0.6 * noise[i];
    if (t >= 3.0) x = 0.7 * std::sin(2 * kPi * (300 + 800 * (t - 3.0)) * t);
    samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(gain * x, -1.0, 32767.0 / 32768.0) * 32768.0));
  }
  return samples;
}

AnsiString LittleEndianBytes(const std::vector<std::int16_t>& samples) {
  AnsiString bytes;
  for (std::int16_t s : samples) {
    bytes += static_cast<char>(s & 0xFF);
    bytes += static_cast<char>((s >> 8) & 0xFF);
  }
  return bytes;
}

// Codes in a deterministic random order: runs of large codes drive a decoder to its limits, which
// a real signal rarely does.
std::vector<int> RandomNibbles(int count) {
  std::vector<int> codes(static_cast<std::size_t>(count));
  std::uint32_t state = 2024;
  for (int& code : codes) {
    state = state * 1664525u + 1013904223u;
    code = static_cast<int>(state >> 24) & 15;
  }
  return codes;
}

// Codes of `bits` bits, packed from the low bits of each byte up (`highFirst`: two 4-bit codes per
// byte, the first in the high nibble).
AnsiString Pack(const std::vector<int>& codes, int bits, bool highFirst = false) {
  AnsiString bytes;
  if (highFirst) {
    for (std::size_t i = 0; i + 1 < codes.size(); i += 2) bytes += static_cast<char>(codes[i] << 4 | codes[i + 1]);
    return bytes;
  }
  unsigned buffer = 0;
  int count = 0;
  for (int code : codes) {
    buffer |= static_cast<unsigned>(code) << count;
    for (count += bits; count >= 8; count -= 8, buffer >>= 8) bytes += static_cast<char>(buffer & 0xFF);
  }
  return bytes;
}

// An .au file of 8000 Hz mono codes (a 28-byte header with an empty annotation); encoding 23 is
// G.721 at 4 bits, 25 G.723 at 3 bits.
AnsiString AuFile(int encoding, const AnsiString& payload) {
  AnsiString bytes = ".snd";
  for (std::uint32_t field : {28u, static_cast<std::uint32_t>(payload.size()), static_cast<std::uint32_t>(encoding),
                              static_cast<std::uint32_t>(kRate), 1u, 0u})
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((field >> shift) & 0xFF);
  return bytes + payload;
}

class AdpcmReference : public testing::Test {
 protected:
  void SetUp() override {
    if (!SoxInstalled()) GTEST_SKIP() << "sox is not installed; the reference decodings need it";
  }
  ScratchFolder folder_;
};

// sox's own VOX encoding of the test signal and a random nibble stream decode as sox decodes them.
// sox keeps the sample at 16-bit scale and clips it at 32767, so after a positive clip the four bits
// below the 12-bit sample read 15 until the next negative clip; they carry nothing and are dropped.
TEST_F(AdpcmReference, VoxDecodesAsSoxDoes) {
  WriteFile(folder_ / "signal.raw", LittleEndianBytes(TestSignal(1.0, 0.99)));
  ASSERT_TRUE(Sox("-t raw -r 8000 -c 1 -e signed-integer -b 16 -L " + Quoted(folder_ / "signal.raw") +
                  " -e oki-adpcm " + Quoted(folder_ / "signal.vox")));
  WriteFile(folder_ / "random.vox", Pack(RandomNibbles(2 * kRate), 4, true));
  for (const char* name : {"signal.vox", "random.vox"}) {
    SCOPED_TRACE(name);
    const AnsiString vox = ReadFile(folder_ / name);
    ASSERT_FALSE(vox.empty());
    std::vector<int> twelveBit;
    for (std::int16_t s : SoxDecoding(folder_ / name, folder_ / "decoded.raw")) twelveBit.push_back(s & ~15);
    ExpectSameSamples(OurDecoding(vox, L"take.vox"), twelveBit);
  }
}

struct G72xCase {
  const char* Name;
  int Bits;
  int AuEncoding;
  const wchar_t* Extension;
};

class G72xReference : public AdpcmReference, public testing::WithParamInterface<G72xCase> {};

// Codes wrapped in .au for sox and read headerless by our reader decode to the same samples: our
// encoder's codes for the test signal at a quarter of full scale, and runs of the largest positive
// and negative codes that drive the reconstruction past the 14-bit range and the predictor's sums
// around their 16 bits. sox's 16-bit output then wraps around (sample · 4 modulo 2^16); the reader
// clips instead. Noise much louder than the signal's (above about -20 dBFS RMS) makes sox differ by
// one step now and then: it takes a predictor coefficient whose magnitude rounds to zero as one unit
// in the product, where the recommendation takes half a unit (mantissa 32, exponent 0).
TEST_P(G72xReference, DecodesAsSoxDoes) {
  const G72xCase& c = GetParam();
  G726Codec encoder(c.Bits);
  std::vector<int> signalCodes;
  for (std::int16_t s : TestSignal(0.25, 0.99)) signalCodes.push_back(encoder.Encode(s >> 2));
  const int largest = (1 << (c.Bits - 1)) - 1, mostNegative = 1 << (c.Bits - 1);
  std::vector<int> overshootCodes;
  for (int i = 0; i < kRate; ++i) overshootCodes.push_back((i / 20) % 2 ? mostNegative : largest);
  const struct {
    const char* Name;
    std::vector<int> Codes;
  } streams[] = {{"signal", signalCodes}, {"overshoot", overshootCodes}};
  for (const auto& stream : streams) {
    SCOPED_TRACE(stream.Name);
    const AnsiString payload = Pack(stream.Codes, c.Bits);
    WriteFile(folder_ / "codes.au", AuFile(c.AuEncoding, payload));
    G726Codec decoder(c.Bits);
    std::vector<int> wrapped, clipped;
    for (int code : stream.Codes) {
      const int sample = decoder.Decode(code) * 4;
      wrapped.push_back(static_cast<std::int16_t>(static_cast<std::uint16_t>(sample & 0xFFFF)));
      clipped.push_back(std::clamp(sample, -32768, 32768));
    }
    std::vector<int> reference;
    for (std::int16_t s : SoxDecoding(folder_ / "codes.au", folder_ / "decoded.raw")) reference.push_back(s);
    ExpectSameSamples(wrapped, reference);
    ExpectSameSamples(OurDecoding(payload, String(L"take") + c.Extension), clipped);
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, G72xReference,
                         testing::Values(G72xCase{"G721", 4, 23, L".g721"}, G72xCase{"G723_24", 3, 25, L".g723"}),
                         [](const testing::TestParamInfo<G72xCase>& info) { return std::string(info.param.Name); });

}  // namespace

#else

TEST(AdpcmReference, RunsNativelyOnly) { GTEST_SKIP() << "the sox reference decodings run in the native tests"; }

#endif
