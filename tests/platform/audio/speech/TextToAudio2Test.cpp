#include "platform/audio/speech/TextToAudio2.h"

#include <cmath>
#include <functional>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/Resampler.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/speech/SpeechMarkup.h"
#include "platform/framework/classes/Reflection.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::ScratchFolder;

constexpr int kFramesPerCharacter = 100;
constexpr int kCharactersPerNews = 4;

// A voice that speaks kCharactersPerNews characters per notify message, each as kFramesPerCharacter
// frames of a tone of its own, into a 16-bit WAV of the format the provider settled on.
class FakeRendering : public SpeechRendering {
 public:
  explicit FakeRendering(const SpeechRequest& request) : request_(request) {
    encoder_ = CreateWavEncoder(CreateFileSink(request.WavPath),
                                EncoderSettings{request.Format.SampleRate, request.Format.Channels, 16}, AudioTags{});
    Notify();
  }

  SpeechProgress Poll() override {
    const int length = static_cast<int>(request_.Text.size());
    const int end = std::min(length, spoken_ + kCharactersPerNews);
    std::vector<float> frames(static_cast<std::size_t>(kFramesPerCharacter) * request_.Format.Channels);
    for (; spoken_ < end; ++spoken_) {
      const double hz = 200.0 + 10.0 * (request_.Text[spoken_] % 64);
      for (int f = 0; f < kFramesPerCharacter; ++f)
        for (int c = 0; c < request_.Format.Channels; ++c)
          frames[f * request_.Format.Channels + c] =
              static_cast<float>(0.5 * std::sin(2 * 3.14159265358979 * hz * f / request_.Format.SampleRate));
      encoder_->Write(frames.data(), kFramesPerCharacter);
    }
    const bool done = spoken_ >= length;
    if (done) encoder_->Finish();
    else Notify();
    return {spoken_, done, L""};
  }

 private:
  void Notify() { PostMessageW(request_.NotifyWindow, request_.NotifyMessage, 0, 0); }

  SpeechRequest request_;
  std::unique_ptr<AudioEncoder> encoder_;
  int spoken_ = 0;
};

class FakeVoices : public SpeechVoiceProvider {
 public:
  FakeVoices(std::vector<String> names, SpeechFormat native, SpeechRequest* last)
      : names_(std::move(names)), native_(native), last_(last) {}
  std::vector<String> VoiceNames() override { return names_; }
  SpeechFormat NearestFormat(int, int) override { return native_; }
  std::unique_ptr<SpeechRendering> Render(const SpeechRequest& request) override {
    *last_ = request;
    return std::make_unique<FakeRendering>(request);
  }

 private:
  std::vector<String> names_;
  SpeechFormat native_;
  SpeechRequest* last_;
};

class Speech : public testing::Test {
 protected:
  void SetUp() override { Install({L"Fake Anna", L"Fake Bert"}, {22050, 1}); }
  void TearDown() override {
    speech.reset();
    SpeechVoices::SetProviderFactory({});
  }
  void Install(std::vector<String> names, SpeechFormat native) {
    SpeechVoices::SetProviderFactory([this, names, native] {
      return std::make_unique<FakeVoices>(names, native, &lastRequest);
    });
    speech = std::make_unique<TTextToAudio2>(nullptr);
    speech->OnConvertBlock = [this](TObject*, int percent) {
      progress.push_back(percent);
      if (onProgress) onProgress();
    };
    speech->OnEndConvert = [this](TObject*) {
      ++ends;
      if (onEnd) onEnd();
    };
  }
  // Files in the scratch folder.
  std::vector<String> FolderFiles() {
    std::vector<String> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder.Path() + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
  }

  ScratchFolder folder;
  std::unique_ptr<TTextToAudio2> speech;
  SpeechRequest lastRequest;
  std::vector<int> progress;
  int ends = 0;
  std::function<void()> onProgress, onEnd;
};

const String kText = L"Speak this text, please & thank you.";  // 36 characters: nine pieces of news

struct FormatCase {
  int rate, channels;
};

class SpeechFormats : public Speech, public testing::WithParamInterface<FormatCase> {};

TEST_P(SpeechFormats, WritesTheRequestedFormatWithRisingProgressAndOneEnd) {
  const FormatCase c = GetParam();
  const String path = folder.File(L"SynthesizeSpeech.wav");
  speech->SelectVoice(1);
  speech->SetOutputFormat(c.rate, c.channels);
  speech->SetRate(0);
  speech->SetVolume(100);
  speech->SetVoicePitch(-1);
  std::int64_t framesAtEnd = -1;
  onEnd = [&] {
    // The file is complete and closed when the end arrives.
    framesAtEnd = OpenWavDecoder(OpenFileSource(path))->Info().Frames;
  };
  speech->ConvertToFile(kText, path, 16);
  EXPECT_TRUE(progress.empty());  // nothing happens inside the call
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
  PumpFor(50);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(lastRequest.Voice, 1);
  EXPECT_EQ(lastRequest.Pitch, -1);
  EXPECT_EQ(lastRequest.Text, kText);
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()) &&
              std::adjacent_find(progress.begin(), progress.end()) == progress.end());
  EXPECT_GT(progress.size(), 5u);
  EXPECT_EQ(progress.back(), 100);

  auto decoder = OpenWavDecoder(OpenFileSource(path));
  const AudioFileInfo& info = decoder->Info();
  EXPECT_EQ(info.SampleRate, c.rate);
  EXPECT_EQ(info.Channels, c.channels);
  EXPECT_EQ(info.BitsPerSample, 16);
  const std::int64_t voiceFrames = static_cast<std::int64_t>(kText.size()) * kFramesPerCharacter;
  EXPECT_EQ(info.Frames, Resampler::OutputFrames(voiceFrames, 22050, c.rate));
  EXPECT_EQ(framesAtEnd, info.Frames);
  decoder.reset();
  EXPECT_EQ(FolderFiles(), std::vector<String>{L"SynthesizeSpeech.wav"});  // the voice's own file is gone
}

INSTANTIATE_TEST_SUITE_P(Formats, SpeechFormats,
                         testing::Values(FormatCase{22050, 1}, FormatCase{44100, 2}, FormatCase{8000, 2}));

TEST_F(Speech, CancelFiresNoEndAndLeavesNoFile) {
  for (bool inProgressHandler : {false, true}) {
    SCOPED_TRACE(inProgressHandler ? "cancelled from the progress event" : "cancelled right after the start");
    progress.clear();
    ends = 0;
    const String path = folder.File(L"speech.wav");
    onProgress = inProgressHandler ? std::function<void()>([&] { speech->CancelConversion(); }) : nullptr;
    speech->ConvertToFile(kText, path, 16);
    if (!inProgressHandler) speech->CancelConversion();
    PumpFor(300);
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(speech->Converting());
    EXPECT_EQ(progress.size(), inProgressHandler ? 1u : 0u);
    EXPECT_TRUE(FolderFiles().empty());
  }
}

TEST_F(Speech, VoicesAreListedAndChosenByName) {
  EXPECT_EQ(speech->GetVoiceCount(), 2);
  speech->SelectVoice(1);
  EXPECT_EQ(speech->GetVoiceName(), L"Fake Bert");
  speech->SetVoiceName(L"Fake Anna");
  EXPECT_EQ(speech->VoiceName(), L"Fake Anna");
  EXPECT_THROW(speech->SetVoiceName(L"Nobody"), EAudioError);
  // The dialog puts the name through the property.
  SetStrProp(speech.get(), L"VoiceName", L"Fake Bert");
  EXPECT_EQ(speech->GetVoiceName(), L"Fake Bert");
  EXPECT_THROW(speech->SelectVoice(2), EAudioError);
}

TEST_F(Speech, BadArgumentsAndASecondConversionRaise) {
  EXPECT_THROW(speech->SetRate(11), EAudioError);
  EXPECT_THROW(speech->SetVolume(101), EAudioError);
  EXPECT_THROW(speech->SetVoicePitch(-11), EAudioError);
  EXPECT_THROW(speech->SetOutputFormat(44100, 3), EAudioError);
  EXPECT_THROW(speech->ConvertToFile(kText, folder.File(L"a.wav"), 12), EAudioError);
  EXPECT_THROW(speech->ConvertToFile(kText, folder.File(L"missing\\a.wav"), 16), EAudioError);
  speech->ConvertToFile(kText, folder.File(L"a.wav"), 16);
  EXPECT_THROW(speech->ConvertToFile(kText, folder.File(L"b.wav"), 16), EAudioError);
  ASSERT_TRUE(PumpUntil([&] { return ends > 0; }));
}

TEST_F(Speech, WithoutAVoiceOnlyTheCountAnswers) {
  Install({}, {22050, 1});
  EXPECT_EQ(speech->GetVoiceCount(), 0);
  const std::vector<std::function<void()>> calls = {
      [&] { speech->SelectVoice(0); },
      [&] { speech->GetVoiceName(); },
      [&] { speech->SetVoiceName(L"x"); },
      [&] { speech->SetOutputFormat(44100, 2); },
      [&] { speech->SetRate(0); },
      [&] { speech->SetVolume(100); },
      [&] { speech->SetVoicePitch(-1); },
      [&] { speech->ConvertToFile(L"x", folder.File(L"x.wav"), 16); },
      [&] { speech->CancelConversion(); },
  };
  for (std::size_t i = 0; i < calls.size(); ++i) {
    try {
      calls[i]();
      ADD_FAILURE() << "call " << i << " did not raise";
    } catch (const EAudioError& error) {
      EXPECT_EQ(error.Message(), L"No speech voice is installed (Windows speech API).") << i;
    }
  }
  EXPECT_TRUE(FolderFiles().empty());
}

TEST_F(Speech, CallsAreLogged) {
  AudioCallLog::Clear();
  AudioCallLog::Enable(true);
  speech->GetVoiceCount();
  speech->SetOutputFormat(22050, 1);
  speech->SetVoicePitch(-1);
  AudioCallLog::Enable(false);
  EXPECT_EQ(AudioCallLog::Lines(), (std::vector<String>{L"TTextToAudio2.GetVoiceCount()",
                                                         L"TTextToAudio2.SetOutputFormat(22050, 1)",
                                                         L"TTextToAudio2.SetVoicePitch(-1)"}));
}

TEST(SystemSpeech, EnumeratesItsVoicesWithoutError) {
  SpeechVoices::SetProviderFactory({});
  TTextToAudio2 speech(nullptr);
  const int count = speech.GetVoiceCount();
  EXPECT_GE(count, 0);
  if (count == 0) {
    EXPECT_THROW(speech.SelectVoice(0), EAudioError);
  } else {
    speech.SelectVoice(count - 1);
    EXPECT_FALSE(speech.GetVoiceName().empty());
  }
}

TEST(SystemSpeech, WritesTheLowestOfferedRateAtOrAboveTheAskedOne) {
  const auto provider = SpeechVoices::CreateSystemProvider();
  const std::pair<int, int> rates[] = {{6000, 8000},   {8000, 8000},   {11025, 11025}, {37800, 44100},
                                       {44100, 44100}, {88200, 48000}, {96000, 48000}};
  for (const auto& [asked, written] : rates) {
    for (int channels : {1, 2}) {
      const SpeechFormat format = provider->NearestFormat(asked, channels);
      EXPECT_EQ(format.SampleRate, written) << asked;
      EXPECT_EQ(format.Channels, channels);
    }
  }
}

TEST(SpeechMarkupText, EscapesTheTextInsideThePitchElementAndMapsPositionsBack) {
  const SpeechMarkup markup = BuildSpeechMarkup(L"a&b>c", -1);
  EXPECT_EQ(markup.Markup, L"<pitch absmiddle=\"-1\">a&amp;b&gt;c</pitch>");
  const long long body = markup.Markup.find(L"a&amp;");
  EXPECT_EQ(markup.TextReached(0), 0);
  EXPECT_EQ(markup.TextReached(body + 1), 1);       // past "a"
  EXPECT_EQ(markup.TextReached(body + 3), 1);       // inside "&amp;": still one character
  EXPECT_EQ(markup.TextReached(body + 6), 2);       // past "&amp;"
  EXPECT_EQ(markup.TextReached(static_cast<long long>(markup.Markup.size())), 5);
  EXPECT_EQ(markup.TextReached(1 << 20), 5);
}

}  // namespace
