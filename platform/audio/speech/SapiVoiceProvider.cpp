// The system's speech API: voices are the tokens of the voice category, and a rendering is an
// asynchronous Speak into a stream bound to a WAV file, with word-boundary and end-of-stream events
// delivered as window messages.

#include "platform/framework/base/Win32.h"
// The speech API after the one Windows header.
#include <sapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/speech/SpeechMarkup.h"
#include "platform/audio/speech/SpeechVoices.h"

using Microsoft::WRL::ComPtr;

namespace {

// Registry path of the voice category, and the stream format type of a WAVEFORMATEX: both from the
// API's published headers, which the cross headers lack.
constexpr wchar_t kVoiceCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";
constexpr GUID kWaveFormatExFormat = {0xC31ADBAE, 0x527F, 0x4FF5, {0xA2, 0x30, 0xF6, 0x2B, 0xB6, 0x1F, 0xF7, 0x0C}};

constexpr ULONGLONG EventBit(SPEVENTENUM event) { return 1ULL << event; }
// Every interest mask carries the two reserved bits.
constexpr ULONGLONG kInterest = EventBit(SPEI_WORD_BOUNDARY) | EventBit(SPEI_END_INPUT_STREAM) |
                                EventBit(SPEI_RESERVED1) | EventBit(SPEI_RESERVED2);

// The rates the API's stream formats offer.
constexpr int kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

String Failure(const wchar_t* what, HRESULT hr) {
  wchar_t text[160];
  std::swprintf(text, 160, L"The speech voice could not %ls (error 0x%08lX).", what, static_cast<unsigned long>(hr));
  return text;
}

void Check(HRESULT hr, const wchar_t* what) {
  if (FAILED(hr)) throw EAudioError(Failure(what, hr));
}

// COM on this thread for as long as the provider lives.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

String TokenString(ISpObjectToken* token, const wchar_t* valueName) {
  wchar_t* value = nullptr;
  if (FAILED(token->GetStringValue(valueName, &value)) || !value) return L"";
  String result = value;
  CoTaskMemFree(value);
  return result;
}

// A token names a voice that can speak only when it names the engine's class.
bool CanSpeak(ISpObjectToken* token) { return !TokenString(token, L"CLSID").empty(); }

std::vector<ComPtr<ISpObjectToken>> VoiceTokens() {
  std::vector<ComPtr<ISpObjectToken>> tokens;
  ComPtr<ISpObjectTokenCategory> category;
  if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&category)))) return tokens;
  if (FAILED(category->SetId(kVoiceCategory, FALSE))) return tokens;
  ComPtr<IEnumSpObjectTokens> list;
  ULONG count = 0;
  if (FAILED(category->EnumTokens(nullptr, nullptr, &list)) || !list || FAILED(list->GetCount(&count))) return tokens;
  for (ULONG i = 0; i < count; ++i) {
    ComPtr<ISpObjectToken> token;
    if (SUCCEEDED(list->Item(i, &token)) && token && CanSpeak(token.Get())) tokens.push_back(token);
  }
  return tokens;
}

// The token's description, or the last part of its id when it has none.
String TokenName(ISpObjectToken* token) {
  String name = TokenString(token, nullptr);
  if (!name.empty()) return name;
  wchar_t* id = nullptr;
  if (FAILED(token->GetId(&id)) || !id) return L"";
  name = id;
  CoTaskMemFree(id);
  return name.substr(name.find_last_of(L'\\') + 1);
}

void ClearEvent(SPEVENT& event) {
  switch (event.elParamType) {
    case SPET_LPARAM_IS_POINTER:
    case SPET_LPARAM_IS_STRING: CoTaskMemFree(reinterpret_cast<void*>(event.lParam)); break;
    case SPET_LPARAM_IS_TOKEN:
    case SPET_LPARAM_IS_OBJECT: reinterpret_cast<IUnknown*>(event.lParam)->Release(); break;
    default: break;
  }
}

class SapiRendering : public SpeechRendering {
 public:
  SapiRendering(ComPtr<ISpObjectToken> token, const SpeechRequest& request)
      : markup_(BuildSpeechMarkup(request.Text, request.Pitch)) {
    Check(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&voice_)), L"be created");
    Check(voice_->SetVoice(token.Get()), L"be selected");
    Check(voice_->SetRate(request.Rate), L"take the rate");
    Check(voice_->SetVolume(static_cast<USHORT>(request.Volume)), L"take the volume");
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(request.Format.Channels);
    format.nSamplesPerSec = static_cast<DWORD>(request.Format.SampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    Check(CoCreateInstance(CLSID_SpStream, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&stream_)), L"make its stream");
    Check(stream_->BindToFile(request.WavPath.c_str(), SPFM_CREATE_ALWAYS, &kWaveFormatExFormat, &format, 0),
          L"create its file");
    Check(voice_->SetOutput(stream_.Get(), TRUE), L"write to its file");
    Check(voice_->SetInterest(kInterest, kInterest), L"report its progress");
    Check(voice_->SetNotifyWindowMessage(request.NotifyWindow, request.NotifyMessage, 0, 0), L"report its progress");
    Check(voice_->Speak(markup_.Markup.c_str(), SPF_ASYNC | SPF_IS_XML, nullptr), L"start speaking");
  }

  ~SapiRendering() override {
    if (voice_) {
      voice_->SetNotifySink(nullptr);
      if (!done_) voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
      voice_->SetOutput(nullptr, FALSE);
    }
    if (stream_) stream_->Close();
  }

  SpeechProgress Poll() override {
    SPEVENT event;
    ULONG fetched = 0;
    while (!done_ && SUCCEEDED(voice_->GetEvents(1, &event, &fetched)) && fetched == 1) {
      if (event.eEventId == SPEI_WORD_BOUNDARY)
        reached_ = std::max(reached_, markup_.TextReached(static_cast<long long>(event.lParam) +
                                                          static_cast<long long>(event.wParam)));
      if (event.eEventId == SPEI_END_INPUT_STREAM) done_ = true;
      ClearEvent(event);
    }
    if (done_) {
      // The file is complete only once the stream is closed.
      voice_->SetOutput(nullptr, FALSE);
      stream_->Close();
      stream_.Reset();
    }
    return {reached_, done_, L""};
  }

 private:
  SpeechMarkup markup_;
  ComPtr<ISpVoice> voice_;
  ComPtr<ISpStream> stream_;
  int reached_ = 0;
  bool done_ = false;
};

class SapiVoiceProvider : public SpeechVoiceProvider {
 public:
  std::vector<String> VoiceNames() override {
    LoadTokens();
    std::vector<String> names;
    for (const auto& token : tokens_) names.push_back(TokenName(token.Get()));
    return names;
  }

  SpeechFormat NearestFormat(int sampleRate, int channels) override {
    // The lowest offered rate at or above the wanted one, so the resampler only ever lowers it.
    int rate = kRates[std::size(kRates) - 1];
    for (int offered : kRates) {
      if (offered >= sampleRate) {
        rate = offered;
        break;
      }
    }
    return {rate, std::clamp(channels, 1, 2)};
  }

  std::unique_ptr<SpeechRendering> Render(const SpeechRequest& request) override {
    LoadTokens();
    if (request.Voice < 0 || request.Voice >= static_cast<int>(tokens_.size()))
      throw EAudioError(L"No speech voice is installed (Windows speech API).");
    return std::make_unique<SapiRendering>(tokens_[request.Voice], request);
  }

 private:
  void LoadTokens() {
    if (!loaded_) tokens_ = VoiceTokens();
    loaded_ = true;
  }

  ComScope com_;
  bool loaded_ = false;
  std::vector<ComPtr<ISpObjectToken>> tokens_;
};

SpeechVoices::ProviderFactory& Factory() {
  static SpeechVoices::ProviderFactory factory;
  return factory;
}

}  // namespace

std::unique_ptr<SpeechVoiceProvider> SpeechVoices::CreateSystemProvider() {
  return std::make_unique<SapiVoiceProvider>();
}

std::unique_ptr<SpeechVoiceProvider> SpeechVoices::CreateProvider() {
  return Factory() ? Factory()() : CreateSystemProvider();
}

SpeechVoices::ProviderFactory SpeechVoices::SetProviderFactory(ProviderFactory factory) {
  ProviderFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}
