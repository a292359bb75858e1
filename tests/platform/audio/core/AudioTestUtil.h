#pragma once
// Helpers of the audio core's tests: generated signals, documents filled from them, scratch paths.

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/core/SampleBuffer.h"

namespace audio_test {

constexpr double kPi = 3.14159265358979323846;

// Interleaved frames where sample (frame, channel) = f(frame, channel).
inline std::vector<float> Signal(std::int64_t frames, int channels, const std::function<float(std::int64_t, int)>& f) {
  std::vector<float> v(static_cast<std::size_t>(frames * channels));
  for (std::int64_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) v[static_cast<std::size_t>(i * channels + c)] = f(i, c);
  return v;
}

// A ramp of distinct values, exact in 16 bits: frame i, channel c -> ((i * 2 + c) % 2000 - 1000) / 32768.
inline float Ramp(std::int64_t i, int c) { return static_cast<float>(((i * 2 + c) % 2000) - 1000) / 32768.0f; }

inline SampleBuffer Buffer(const std::vector<float>& v, int channels, int rate = 44100) {
  SampleBuffer b(channels, rate, static_cast<std::int64_t>(v.size()) / channels);
  std::copy(v.begin(), v.end(), b.Data());
  return b;
}

// Replaces the engine's document with these samples, selection empty at 0 and no undo step.
inline void Load(AudioEngine& engine, const std::vector<float>& v, int channels, int rate = 44100) {
  engine.NewDocument(rate, channels);
  engine.InsertSamples(Buffer(v, channels, rate));
  engine.SetUndoRedoCount(0);
  engine.SetUndoRedoCount(100);
  engine.SetCursorPosition(0);
}

inline std::vector<float> All(const AudioEngine& engine) {
  const BlockList& audio = *engine.Doc().Audio;
  std::vector<float> v(static_cast<std::size_t>(audio.Frames() * audio.Channels()));
  audio.Read(0, audio.Frames(), v.data());
  return v;
}

inline std::vector<float> Range(const std::vector<float>& v, int channels, std::int64_t from, std::int64_t to) {
  return std::vector<float>(v.begin() + from * channels, v.begin() + to * channels);
}

inline std::vector<float> Concat(std::vector<float> a, const std::vector<float>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A unique path in the temporary folder, removed when the object goes.
class TempPath {
 public:
  explicit TempPath(const std::string& name) {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("audio-test-" + std::to_string(++counter) + "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" + name);
  }
  ~TempPath() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  String Path() const { return path_.wstring(); }
  std::filesystem::path FsPath() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace audio_test
