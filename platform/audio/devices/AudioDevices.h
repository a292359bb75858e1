#pragma once
// The sound card behind two small interfaces, so every control runs the same over the real waveOut
// and waveIn devices, the null devices of a machine without any, and the scripted devices tests
// install through the factory seam below.
//
// Threads: a real device calls its pull or push callback on its own worker thread; clock-driven
// devices (null, scripted) call it inside Service(), on the GUI thread. Callbacks therefore touch
// only state they own (a playback snapshot, a capture queue). Owners call Service() about every
// 50 ms from a timer; that is also where they learn of the end of play.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"

struct DeviceFormat {
  int SampleRate = 44100;
  int Channels = 2;
};

// Fills `out` with up to `frames` interleaved float frames; fewer only when the material ends.
using AudioPull = std::function<std::int64_t(float* out, std::int64_t frames)>;
// Receives `frames` captured interleaved float frames.
using AudioPush = std::function<void(const float* samples, std::int64_t frames)>;

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Starts playing what `pull` gives, in `format`. Returns 0, or the device's error code when it
  // cannot start (nothing plays then). A rate the card refuses is played through the resampler.
  virtual int Start(DeviceFormat format, AudioPull pull) = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // Stops at once and drops what is queued; no pull runs after it returns.
  virtual void Stop() = 0;
  // Clock-driven devices advance here; real ones report worker failures here.
  virtual void Service() = 0;
  // Frames of the started format heard since Start, pauses excluded.
  virtual std::int64_t PlayedFrames() const = 0;
  // The pull ran dry and every frame it gave has been heard.
  virtual bool Finished() const = 0;
};

struct InputLine {
  String Name;
  bool Selected = false;
  bool HasVolume = true;
  int Volume = 0;  // 0..65535
};

class AudioInput {
 public:
  virtual ~AudioInput() = default;
  // Starts capturing in `format`; 0, or the device's error code.
  virtual int Start(DeviceFormat format, AudioPush push) = 0;
  // No push runs after it returns.
  virtual void Stop() = 0;
  virtual void Service() = 0;
  // The mixer's recording lines; index is 0-based.
  virtual std::vector<InputLine> Lines() const = 0;
  virtual void SelectLine(int index) = 0;
  virtual void SetLineVolume(int index, int volume) = 0;
};

// Where controls get their devices. Production code takes the system's (the null ones when the
// machine has none); tests install factories returning scripted devices.
namespace AudioDevices {
using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;
using InputFactory = std::function<std::unique_ptr<AudioInput>()>;

std::unique_ptr<AudioOutput> CreateOutput();
std::unique_ptr<AudioInput> CreateInput();
// An empty factory restores the system's devices. Returns the previous factory.
OutputFactory SetOutputFactory(OutputFactory factory);
InputFactory SetInputFactory(InputFactory factory);
}  // namespace AudioDevices
