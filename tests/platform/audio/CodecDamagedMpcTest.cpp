// Damaged Musepack files: streams of the Musepack encoder (version 8, with APE tags), cut and
// corrupted, and version 7 headers stating more frames than the file holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/audio/codecs/MpcDecoder.h"
#include "platform/audio/core/FormatRegistry.h"
#include "tests/platform/audio/CodecDamagedSweep.h"
#include "tests/platform/audio/CodecTestSignals.h"
#ifdef _WIN32
#include "tests/support/TestSupport.h"
#endif

using namespace codec_test;

namespace {

std::unique_ptr<AudioDecoder> OpenMpc(const AnsiString& bytes) {
  return OpenMpcDecoder(std::make_shared<MemorySource>(bytes));
}

AnsiString Wav(int rate, int channels, std::int64_t frames) {
  auto sink = std::make_unique<MemorySink>();
  MemorySink* bytes = sink.get();
  auto encoder = FormatRegistry::Default().CreateEncoder(kFileTypeWav, std::move(sink), {rate, channels, 16}, {});
  const std::vector<float> samples = Sine(440, 0.5, rate, channels, frames);
  encoder->Write(samples.data(), frames);
  encoder->Finish();
  return bytes->Committed();
}

// The Musepack encoder: the cross-built Windows program under Wine, the system's natively.
class MusepackEncoder {
 public:
  MusepackEncoder() {
    folder_ = std::filesystem::temp_directory_path() / ("mpc-sweep-" + std::to_string(std::rand()) + "-" +
                                                        std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
  }
  ~MusepackEncoder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  static bool Available() {
#ifdef _WIN32
    return std::filesystem::exists(MPC_ENCODER_PROGRAM);
#else
    return std::system("command -v mpcenc > /dev/null") == 0;
#endif
  }

  // The .mpc file of the WAV bytes; empty when the encoder failed.
  AnsiString Encode(const AnsiString& wav, const std::string& options) {
    const std::filesystem::path in = folder_ / "in.wav", out = folder_ / "out.mpc";
    std::ofstream(in, std::ios::binary).write(wav.data(), static_cast<std::streamsize>(wav.size()));
    const std::string arguments = "--silent --overwrite " + options + " in.wav out.mpc";
    if (!Run(arguments)) return {};
    std::ifstream file(out, std::ios::binary);
    return AnsiString(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

 private:
  bool Run(const std::string& arguments) {
#ifdef _WIN32
    String program;
    for (const char* c = MPC_ENCODER_PROGRAM; *c; ++c) program += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
    if (!program.empty() && program[0] == L'\\') program = L"Z:" + program;
    testing_support::ChildProcess encoder(program, String(arguments.begin(), arguments.end()), folder_.wstring());
    DWORD exitCode = 1;
    return encoder.Started() && encoder.WaitForExit(60000, exitCode) && exitCode == 0;
#else
    return std::system(("cd '" + folder_.string() + "' && mpcenc " + arguments + " > /dev/null 2>&1").c_str()) == 0;
#endif
  }

  std::filesystem::path folder_;
};

AnsiString Le32(std::uint32_t v) {
  AnsiString bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
  return bytes;
}

// A version 7 stream header (44100 Hz, one band) stating `frames` frames, then `dataBytes` of zeros.
AnsiString Sv7Stream(std::uint32_t frames, std::size_t dataBytes) {
  const std::uint32_t oneBand = 1u << 24;
  return "MP+\x17" + Le32(frames) + Le32(oneBand) + AnsiString(16, '\0') + AnsiString(dataBytes, '\0');
}

}  // namespace

// Under version 7 every frame starts with a 20-bit length, so 1152 samples take at least 20 bits;
// a header stating more frames than that is damaged, whatever data follows.
TEST(CodecDamagedMpc, LengthsBeyondTheFileRaise) {
  for (std::uint32_t frames : {0xFFFFFFFFu, 0x00FFFFFFu, 100000u})
    EXPECT_THROW(OpenMpc(Sv7Stream(frames, 4000)), EAudioError) << frames;
}

// Musepack at its lowest rate still spends a bit or more on each 1152-sample frame.
TEST(CodecDamagedMpc, CutAndCorruptedFilesDecodeOrRaise) {
  if (!MusepackEncoder::Available()) GTEST_SKIP() << "no Musepack encoder (mpcenc)";
  MusepackEncoder encoder;
  const damaged_sweep::Limits limits{8 * 1152.0, 1152, 256, 200};
  const struct {
    const char* Name;
    AnsiString Bytes;
  } files[] = {
      {"stereo with APE tags", encoder.Encode(Wav(44100, 2, 22050), "--title Sweep --artist Tester --genre Jazz")},
      {"mono, low quality", encoder.Encode(Wav(32000, 1, 16000), "--quality 2")},
  };
  std::uint32_t seed = 5000;
  for (const auto& file : files) {
    SCOPED_TRACE(file.Name);
    ASSERT_GT(file.Bytes.size(), 200u) << "the encoder wrote no stream";
    damaged_sweep::Sweep(file.Bytes, OpenMpc, limits, seed);
    seed += 100000;
  }
  // Version 7 headers with data that is no stream behind them.
  damaged_sweep::SweepPrefixes(Sv7Stream(3, 2000), OpenMpc, limits);
  damaged_sweep::SweepCorruptions(Sv7Stream(3, 2000), OpenMpc, limits, 9000);
}
