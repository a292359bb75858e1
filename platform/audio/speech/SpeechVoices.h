#pragma once
// The speech voices behind TTextToAudio2: the system's speech API by default, or whatever provider
// a test installs. A provider lists its voices and renders text with one of them into a 16-bit
// PCM WAV file of a format it can produce, working on its own and posting a message to the
// caller's window whenever it has news; the caller then asks for that news on its own thread.

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

struct SpeechFormat {
  int SampleRate = 44100;
  int Channels = 2;
};

struct SpeechRequest {
  String Text;         // as the caller gave it, plain
  int Voice = 0;       // index into VoiceNames()
  int Rate = 0;        // -10 (slowest) .. 10
  int Volume = 100;    // 0 .. 100
  int Pitch = 0;       // -10 .. 10
  SpeechFormat Format; // one the provider returned from NearestFormat
  String WavPath;      // where the provider writes its WAV
  HWND NotifyWindow = nullptr;
  UINT NotifyMessage = 0;
};

struct SpeechProgress {
  int CharactersSpoken = 0;  // of Text
  bool Done = false;         // the WAV is complete (or Error says why it is not)
  String Error;
};

// One text being spoken. Destroying it stops the voice and closes its file, whatever its state.
class SpeechRendering {
 public:
  virtual ~SpeechRendering() = default;
  // What happened since the last call; called on the requester's thread after a notify message.
  virtual SpeechProgress Poll() = 0;
};

class SpeechVoiceProvider {
 public:
  virtual ~SpeechVoiceProvider() = default;
  // The installed voices' names; empty when there are none or the API is missing.
  virtual std::vector<String> VoiceNames() = 0;
  // The format closest to the wanted one that the voices can write.
  virtual SpeechFormat NearestFormat(int sampleRate, int channels) = 0;
  // Starts speaking; raises EAudioError when the voice cannot start.
  virtual std::unique_ptr<SpeechRendering> Render(const SpeechRequest& request) = 0;
};

namespace SpeechVoices {
using ProviderFactory = std::function<std::unique_ptr<SpeechVoiceProvider>()>;
std::unique_ptr<SpeechVoiceProvider> CreateProvider();
// An empty factory restores the system's speech API. Returns the previous factory.
ProviderFactory SetProviderFactory(ProviderFactory factory);
// The system's speech API, whatever factory is installed.
std::unique_ptr<SpeechVoiceProvider> CreateSystemProvider();
}  // namespace SpeechVoices
