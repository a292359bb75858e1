// audiotool: the engine from the command line, for measurements.
//   audiotool make FILE SECONDS         writes a 44100 Hz stereo 16-bit test signal
//   audiotool draw FILE [WIDTH HEIGHT]  opens FILE and draws its overview into a pixel buffer
//   audiotool gain IN OUT DB            opens IN, amplifies everything by DB, saves OUT as 16-bit WAV
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/WaveformRaster.h"
#include "platform/audio/core/WavFile.h"
#include "platform/framework/base/Utf8.h"

namespace {

int Usage() {
  std::fputs("usage: audiotool make FILE SECONDS | draw FILE [WIDTH HEIGHT] | gain IN OUT DB\n", stderr);
  return 2;
}

// A chord with a slow tremolo, so every block differs and peaks vary across the file.
void Make(const String& path, double seconds) {
  const int rate = 44100;
  const std::int64_t frames = static_cast<std::int64_t>(seconds * rate);
  auto encoder = CreateWavEncoder(CreateFileSink(path), {rate, 2, 16}, {});
  std::vector<float> piece(2 * 65536);
  for (std::int64_t at = 0; at < frames;) {
    const std::int64_t n = std::min<std::int64_t>(65536, frames - at);
    for (std::int64_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(at + i) / rate;
      const double level = 0.3 + 0.25 * std::sin(2 * 3.141592653589793 * 0.05 * t);
      piece[2 * i] = static_cast<float>(level * std::sin(2 * 3.141592653589793 * 220.0 * t));
      piece[2 * i + 1] = static_cast<float>(level * std::sin(2 * 3.141592653589793 * 331.0 * t));
    }
    encoder->Write(piece.data(), n);
    at += n;
  }
  encoder->Finish();
}

std::uint32_t Draw(const String& path, int width, int height) {
  AudioEngine engine;
  engine.OpenFile(path);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  WaveformScratch columns;
  RasterizeWaveform(*engine.Doc().Audio, 0, engine.Length(), {pixels.data(), width, height, width}, WaveformStyle{},
                    columns);
  std::uint32_t sum = 0;
  for (std::uint32_t p : pixels) sum = sum * 31 + p;
  return sum;
}

void Gain(const String& in, const String& out, double db) {
  AudioEngine engine;
  engine.OpenFile(in);
  engine.SetSelection(0, engine.Length());
  engine.Amplify(static_cast<float>(100.0 * std::pow(10.0, db / 20.0)));
  engine.SetFileFormat(kFileTypeWav, {engine.SampleRate(), engine.Channels(), 16});
  engine.SaveRangeAs(out, 0, kFileTypeWav);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  try {
    if (command == "make" && argc == 4) {
      Make(Utf8Decode(argv[2]), std::atof(argv[3]));
    } else if (command == "draw" && (argc == 3 || argc == 5)) {
      const int width = argc == 5 ? std::atoi(argv[3]) : 1280;
      const int height = argc == 5 ? std::atoi(argv[4]) : 400;
      std::printf("%08x\n", Draw(Utf8Decode(argv[2]), width, height));
    } else if (command == "gain" && argc == 5) {
      Gain(Utf8Decode(argv[2]), Utf8Decode(argv[3]), std::atof(argv[4]));
    } else {
      return Usage();
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "audiotool: %s\n", e.what());
    return 1;
  }
  return 0;
}
