#pragma once
// TTextToAudio2: speaks text into a WAV file with one of the installed voices. ConvertToFile starts
// the voice and returns; OnConvertBlock (percent of the text spoken, rising) and then one
// OnEndConvert arrive through the message loop, the file complete and closed before the end event.
// The voice writes the format nearest to SetOutputFormat's that it can; the result is converted to
// exactly that rate and channel count. CancelConversion stops the voice, deletes what was written
// and fires nothing more. Without a voice GetVoiceCount is 0 and every other call raises.

#include <memory>
#include <vector>

#include "platform/audio/speech/SpeechVoices.h"
#include "platform/framework/windows/AllocateHWnd.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"

using TConvertBlockEvent = TEvent<void(TObject* Sender, int Percent)>;

class TTextToAudio2 : public TComponent {
  DECLARE_CLASS(TTextToAudio2, TComponent)
 public:
  explicit TTextToAudio2(TComponent* AOwner);
  ~TTextToAudio2() override;

  int GetVoiceCount();
  // 0-based; raises outside the voices.
  void SelectVoice(int Index);
  String GetVoiceName();
  // The selected voice's name; setting it selects the voice of that name or raises.
  String VoiceName();
  void SetVoiceName(const String& Value);

  void SetOutputFormat(int SampleRate, int Channels);
  // -10 (slowest) .. 10.
  void SetRate(int Rate);
  // 0 .. 100.
  void SetVolume(int Volume);
  // -10 .. 10.
  void SetVoicePitch(int Pitch);
  // Starts speaking `Text` into a WAV file of `BitsPerSample` (8, 16, 24, or 32 for float) bits.
  void ConvertToFile(const String& Text, const String& Path, int BitsPerSample);
  void CancelConversion();
  bool Converting() const { return rendering_ != nullptr; }

  TConvertBlockEvent OnConvertBlock;
  TNotifyEvent OnEndConvert;

 private:
  void LoadVoices();
  void RequireVoice();
  void HandleMessage(TMessage& Message);
  void Progress();
  void Finish(const String& error);
  void WriteResult();
  void DiscardFiles();

  std::unique_ptr<SpeechVoiceProvider> provider_;
  std::vector<String> voices_;
  bool voicesLoaded_ = false;
  int voice_ = 0;
  int sampleRate_ = 44100, channels_ = 2, rate_ = 0, volume_ = 100, pitch_ = 0;

  HWND window_ = nullptr;
  std::unique_ptr<SpeechRendering> rendering_;
  String textOfRendering_;
  String path_, voicePath_;
  int bits_ = 16;
  int percent_ = -1;
};
