// Text to speech with a fake voice: the output format from the document, the insertion at the
// cursor, a new "Untitled" document, the text the voice receives, no voice, empty text, Cancel, and
// the speech file in the data folder for one command only.

#include "app/TextToSpeech.h"
#include "app/core/Globals.h"
#include "dialogs/NewFile.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/editor/AudioEditorInterfaces.h"
#include "platform/audio/speech/SpeechVoices.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"

namespace {

constexpr int kSpokenFrames = 300;

// Writes kSpokenFrames frames of silence in the requested format at the first poll.
class InstantRendering : public SpeechRendering {
 public:
  explicit InstantRendering(const SpeechRequest& request) : request_(request) {
    PostMessageW(request.NotifyWindow, request.NotifyMessage, 0, 0);
  }
  SpeechProgress Poll() override {
    auto encoder = CreateWavEncoder(CreateFileSink(request_.WavPath),
                                    EncoderSettings{request_.Format.SampleRate, request_.Format.Channels, 16},
                                    AudioTags{});
    const std::vector<float> frames(static_cast<std::size_t>(kSpokenFrames) * request_.Format.Channels, 0.25f);
    encoder->Write(frames.data(), kSpokenFrames);
    encoder->Finish();
    return {static_cast<int>(request_.Text.size()), true, L""};
  }

 private:
  SpeechRequest request_;
};

class OneVoice : public SpeechVoiceProvider {
 public:
  OneVoice(bool any, SpeechRequest* last) : any_(any), last_(last) {}
  std::vector<String> VoiceNames() override { return any_ ? std::vector<String>{L"Fake Voice"} : std::vector<String>{}; }
  SpeechFormat NearestFormat(int rate, int channels) override { return {rate, channels}; }
  std::unique_ptr<SpeechRendering> Render(const SpeechRequest& request) override {
    *last_ = request;
    return std::make_unique<InstantRendering>(request);
  }

 private:
  bool any_;
  SpeechRequest* last_;
};

class TextToSpeechTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    InstallVoice(true);
  }
  void TearDown() override {
    SpeechVoices::SetProviderFactory({});
    CommandsTest::TearDown();
  }
  void InstallVoice(bool any) {
    SpeechVoices::SetProviderFactory([this, any] { return std::make_unique<OneVoice>(any, &lastRequest); });
  }
  String SpeechFile() const { return dataFolder + L"SynthesizeSpeech.wav"; }
  // Types the text, synthesizes and waits for the end of the conversion.
  void SpeakOnNextDialog(const String& text) {
    OnNextModalForm([this, text](TCustomForm* modal) {
      auto* dialog = static_cast<TTextToSpeechForm*>(modal);
      shownRate = dialog->SampleRate;
      shownChannels = dialog->Channels;
      dialog->MemoInputString->SetText(text);
      dialog->ButtonSynthesize->Click();
      testing_support::PumpUntil([modal] { return modal->ModalResult != mrNone; });
      fileWhileShown = FileExists(SpeechFile());
    });
  }
  SpeechRequest lastRequest;
  int shownRate = 0, shownChannels = 0;
  bool fileWhileShown = false;
};

TEST_F(TextToSpeechTest, SpeechTakesTheDocumentsFormatAndGoesInAtTheCursor) {
  OpenPattern(L"mono.wav", 1000, 22050, 1);
  Select(400, 400);
  SpeakOnNextDialog(L"a<b>c");
  form->ActionTextToSpeechExecute(form);
  EXPECT_EQ(shownRate, 22050);
  EXPECT_EQ(shownChannels, 1);
  EXPECT_EQ(lastRequest.Text, L"ab>c");
  EXPECT_EQ(Length(), 1000 + kSpokenFrames);
  EXPECT_EQ(Samples(399, 401), (std::vector<float>{PatternFloats(399, 1, 1)[0], 0.25f}));
  EXPECT_TRUE(form->IsModified());
  EXPECT_TRUE(fileWhileShown);
  EXPECT_FALSE(FileExists(SpeechFile()));
  EXPECT_FALSE(FileExists(ExtractFilePath(ParamStr(0)) + L"SynthesizeSpeech.wav"));
}

TEST(SpeechFormatTest, OnlyTheTwelveRatesAndOneOrTwoChannelsAreTakenOver) {
  for (int rate : {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000})
    EXPECT_EQ(SpeechSampleRate(rate), rate);
  for (int rate : {37800, 7999, 192000}) EXPECT_EQ(SpeechSampleRate(rate), 44100);
  EXPECT_EQ(SpeechChannels(1), 1);
  EXPECT_EQ(SpeechChannels(2), 2);
  EXPECT_EQ(SpeechChannels(6), 2);
}

TEST_F(TextToSpeechTest, WithoutADocumentTheSpeechMakesANewUntitledOneInTheDefaultFormat) {
  GlobalVars.OP_PromptNewFile = false;
  GlobalVars.OP_DefSample = 16000;
  GlobalVars.OP_DefChannel = 1;
  SpeakOnNextDialog(L"hello");
  form->ActionTextToSpeechExecute(form);
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_EQ(form->DocumentPath, L"Untitled");
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 16000);
  EXPECT_EQ(Editor().FileInfo()->GetChannels(), 1);
  EXPECT_EQ(Length(), kSpokenFrames);
  EXPECT_FALSE(FileExists(SpeechFile()));
}

// Without a document and with the prompt on, the new-file dialog decides the new document's format.
TEST_F(TextToSpeechTest, WithThePromptOnTheNewFileDialogGivesTheNewDocumentsFormat) {
  GlobalVars.OP_PromptNewFile = true;
  GlobalVars.OP_DefSample = 44100;
  GlobalVars.OP_DefChannel = 2;
  OnNextModalForm([](TCustomForm* modal) {
    auto* prompt = dynamic_cast<TNewFileForm*>(modal);
    ASSERT_NE(prompt, nullptr);
    prompt->cbSampleRate->SetItemIndex(6);  // 22050
    prompt->rbMono->SetChecked(true);
    modal->ModalResult = mrOk;
  });
  SpeakOnNextDialog(L"hello");
  form->ActionTextToSpeechExecute(form);
  EXPECT_EQ(shownRate, 22050);
  EXPECT_EQ(shownChannels, 1);
  ASSERT_TRUE(form->DocumentOpen);
  EXPECT_EQ(Editor().FileInfo()->GetSampleRate(), 22050);
  EXPECT_EQ(Editor().FileInfo()->GetChannels(), 1);
  EXPECT_EQ(Length(), kSpokenFrames);
}

TEST_F(TextToSpeechTest, CancellingTheNewFilePromptShowsNoSpeechDialogAndCreatesNothing) {
  GlobalVars.OP_PromptNewFile = true;
  String second;
  OnNextModalForm([](TCustomForm* modal) {
    EXPECT_NE(dynamic_cast<TNewFileForm*>(modal), nullptr);
    modal->ModalResult = mrCancel;
  });
  OnNextModalForm([&](TCustomForm* modal) {
    second = modal->ClassName();
    modal->ModalResult = mrCancel;
  });
  form->ActionTextToSpeechExecute(form);
  EXPECT_EQ(second, L"");
  EXPECT_FALSE(form->DocumentOpen);
  EXPECT_FALSE(FileExists(SpeechFile()));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TextToSpeechTest, WithoutAVoiceTheMessageShowsAndNothingIsShownOrCreated) {
  InstallVoice(false);
  GlobalVars.OP_PromptNewFile = false;
  bool shown = false;
  OnNextModalForm([&](TCustomForm*) { shown = true; });
  form->ActionTextToSpeechExecute(form);
  EXPECT_FALSE(shown);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"No Speech Engine detected.");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(form->DocumentOpen);
}

TEST_F(TextToSpeechTest, EmptyTextKeepsTheDialogOpenAndCancelInsertsNothing) {
  OpenPattern(L"song.wav", 1000);
  OnNextModalForm([this](TCustomForm* modal) {
    auto* dialog = static_cast<TTextToSpeechForm*>(modal);
    dialog->ButtonSynthesize->Click();
    EXPECT_EQ(modal->ModalResult, mrNone);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"No Text of Speech to Synthesize.");
    dialog->ButtonCancel->Click();
  });
  form->ActionTextToSpeechExecute(form);
  EXPECT_EQ(Length(), 1000);
  EXPECT_FALSE(form->IsModified());
  EXPECT_FALSE(FileExists(SpeechFile()));
}

}  // namespace
