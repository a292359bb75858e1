#include "platform/audio/speech/TextToAudio2.h"

#include <algorithm>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/FormatConverter.h"
#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/FileUtils.h"

DEFINE_CLASS(TTextToAudio2)

namespace {

constexpr wchar_t kClass[] = L"TTextToAudio2";
constexpr UINT kVoiceNews = WM_APP + 0x1A5;
constexpr std::int64_t kCopyFrames = 16384;

void CheckRange(int value, int lo, int hi, const wchar_t* what) {
  if (value < lo || value > hi)
    throw EAudioError(String(what) + L" must be between " + std::to_wstring(lo) + L" and " + std::to_wstring(hi) + L".");
}

// A fresh, empty file in the folder of `path` for the voice to write into; raises when the folder
// cannot take files, so a bad target fails at once rather than at the end.
String VoiceFileBeside(const String& path) {
  String folder = ExtractFilePath(path);
  if (folder.empty()) folder = L".\\";
  wchar_t name[MAX_PATH + 16];
  if (!GetTempFileNameW(folder.c_str(), L"spk", 0, name))
    throw EAudioError(L"The file \"" + path + L"\" cannot be created.");
  return name;
}

}  // namespace

namespace {

// The voice is chosen by name through its property.
void RegisterPublishedProperties() {
  RegisterProperties(&TTextToAudio2::ClassInfo(),
                     {StringProperty(L"VoiceName", &TTextToAudio2::VoiceName, &TTextToAudio2::SetVoiceName)});
}

}  // namespace

TTextToAudio2::TTextToAudio2(TComponent* AOwner) : TComponent(AOwner) {
  static const bool registered = (RegisterPublishedProperties(), true);
  (void)registered;
  window_ = AllocateHWnd({this, &TTextToAudio2::HandleMessage});
}

TTextToAudio2::~TTextToAudio2() {
  if (rendering_) {
    rendering_.reset();
    DiscardFiles();
  }
  DeallocateHWnd(window_);
}

void TTextToAudio2::LoadVoices() {
  if (voicesLoaded_) return;
  voicesLoaded_ = true;
  try {
    provider_ = SpeechVoices::CreateProvider();
    voices_ = provider_->VoiceNames();
  } catch (const Exception&) {
    voices_.clear();
  }
}

void TTextToAudio2::RequireVoice() {
  LoadVoices();
  if (voices_.empty()) throw EAudioError(L"No speech voice is installed (Windows speech API).");
}

int TTextToAudio2::GetVoiceCount() {
  AudioCallLog::Add(kClass, L"GetVoiceCount");
  LoadVoices();
  return static_cast<int>(voices_.size());
}

void TTextToAudio2::SelectVoice(int Index) {
  AudioCallLog::Add(kClass, L"SelectVoice", Index);
  RequireVoice();
  CheckRange(Index, 0, static_cast<int>(voices_.size()) - 1, L"The voice index");
  voice_ = Index;
}

String TTextToAudio2::GetVoiceName() {
  AudioCallLog::Add(kClass, L"GetVoiceName");
  RequireVoice();
  return voices_[voice_];
}

String TTextToAudio2::VoiceName() {
  RequireVoice();
  return voices_[voice_];
}

void TTextToAudio2::SetVoiceName(const String& Value) {
  AudioCallLog::Add(kClass, L"SetVoiceName", Value);
  RequireVoice();
  const auto found = std::find(voices_.begin(), voices_.end(), Value);
  if (found == voices_.end()) throw EAudioError(L"There is no speech voice named \"" + Value + L"\".");
  voice_ = static_cast<int>(found - voices_.begin());
}

void TTextToAudio2::SetOutputFormat(int SampleRate, int Channels) {
  AudioCallLog::Add(kClass, L"SetOutputFormat", SampleRate, Channels);
  RequireVoice();
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  sampleRate_ = SampleRate;
  channels_ = Channels;
}

void TTextToAudio2::SetRate(int Rate) {
  AudioCallLog::Add(kClass, L"SetRate", Rate);
  RequireVoice();
  CheckRange(Rate, -10, 10, L"The speaking rate");
  rate_ = Rate;
}

void TTextToAudio2::SetVolume(int Volume) {
  AudioCallLog::Add(kClass, L"SetVolume", Volume);
  RequireVoice();
  CheckRange(Volume, 0, 100, L"The volume");
  volume_ = Volume;
}

void TTextToAudio2::SetVoicePitch(int Pitch) {
  AudioCallLog::Add(kClass, L"SetVoicePitch", Pitch);
  RequireVoice();
  CheckRange(Pitch, -10, 10, L"The voice pitch");
  pitch_ = Pitch;
}

void TTextToAudio2::ConvertToFile(const String& Text, const String& Path, int BitsPerSample) {
  AudioCallLog::Add(kClass, L"ConvertToFile", Text, Path, BitsPerSample);
  RequireVoice();
  if (rendering_) throw EAudioError(L"A speech conversion is already running.");
  if (BitsPerSample != 8 && BitsPerSample != 16 && BitsPerSample != 24 && BitsPerSample != 32)
    throw EAudioError(L"The WAV file must have 8, 16, 24 or 32 bits per sample.");
  SpeechRequest request;
  request.Text = Text;
  request.Voice = voice_;
  request.Rate = rate_;
  request.Volume = volume_;
  request.Pitch = pitch_;
  request.Format = provider_->NearestFormat(sampleRate_, channels_);
  request.NotifyWindow = window_;
  request.NotifyMessage = kVoiceNews;
  request.WavPath = VoiceFileBeside(Path);
  path_ = Path;
  voicePath_ = request.WavPath;
  bits_ = BitsPerSample;
  textOfRendering_ = Text;
  percent_ = -1;
  try {
    rendering_ = provider_->Render(request);
  } catch (...) {
    DiscardFiles();
    throw;
  }
}

void TTextToAudio2::CancelConversion() {
  AudioCallLog::Add(kClass, L"CancelConversion");
  RequireVoice();
  if (!rendering_) return;
  rendering_.reset();
  DiscardFiles();
}

void TTextToAudio2::HandleMessage(TMessage& Message) {
  if (Message.Msg == kVoiceNews) {
    // News still queued from a cancelled conversion finds no rendering and is dropped.
    if (rendering_) Progress();
    return;
  }
  DefaultWindowMessage(window_, Message);
}

void TTextToAudio2::Progress() {
  const SpeechProgress progress = rendering_->Poll();
  const int length = static_cast<int>(textOfRendering_.size());
  int percent = length > 0 ? static_cast<int>(static_cast<long long>(progress.CharactersSpoken) * 100 / length) : 0;
  if (progress.Done && progress.Error.empty()) percent = 100;
  percent = std::clamp(percent, 0, 100);
  if (percent > percent_) {
    percent_ = percent;
    if (OnConvertBlock) OnConvertBlock(this, percent);
    // The handler may have cancelled.
    if (!rendering_) return;
  }
  if (progress.Done) Finish(progress.Error);
}

void TTextToAudio2::Finish(const String& error) {
  rendering_.reset();
  try {
    if (!error.empty()) throw EAudioError(error);
    WriteResult();
  } catch (...) {
    DiscardFiles();
    throw;
  }
  DeleteFileAt(voicePath_);
  if (OnEndConvert) OnEndConvert(this);
}

void TTextToAudio2::WriteResult() {
  auto decoder = OpenWavDecoder(OpenFileSource(voicePath_));
  const AudioFileInfo& info = decoder->Info();
  FormatConverter converter(info.Channels, info.SampleRate, channels_, sampleRate_);
  auto encoder = CreateWavEncoder(CreateFileSink(path_), EncoderSettings{sampleRate_, channels_, bits_}, AudioTags{});
  const FrameConsumer write = [&](const float* samples, std::int64_t frames) { encoder->Write(samples, frames); };
  SampleBuffer block(info.Channels, info.SampleRate, kCopyFrames);
  for (;;) {
    const std::int64_t frames = decoder->Read(block.Data(), kCopyFrames);
    if (frames <= 0) break;
    converter.Push(block.Data(), frames, write);
  }
  converter.Finish(write);
  encoder->Finish();
}

void TTextToAudio2::DiscardFiles() {
  if (!voicePath_.empty()) DeleteFileAt(voicePath_);
  voicePath_.clear();
}
