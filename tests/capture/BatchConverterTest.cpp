// The batch converter in its real window, on WAV files the tests write.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>

#include "app/core/Globals.h"
#include "capture/BatchConverter.h"
#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "tests/app/WavFixture.h"
#include "tests/support/TestSupport.h"

namespace {

using K = TBatchCommandKind;

// A deterministic signal at about a quarter of full scale that changes at every frame and channel.
std::vector<std::int16_t> Signal(int frames, int channels, int amplitude = 8000) {
  std::vector<std::int16_t> samples;
  std::uint32_t state = 12345;
  for (int i = 0; i < frames * channels; ++i) {
    state = state * 1664525u + 1013904223u;
    samples.push_back(static_cast<std::int16_t>(static_cast<int>(state >> 16) % (2 * amplitude + 1) - amplitude));
  }
  return samples;
}

// Runs once, from the message loop a run pumps between its chunks.
std::function<void()> gTimerAction;
void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (auto action = std::exchange(gTimerAction, nullptr)) action();
}
void AtNextPump(std::function<void()> action) {
  gTimerAction = std::move(action);
  SetTimer(nullptr, 0, 1, RunTimerAction);
}

// The whole file as floats, through the audio layer's reader.
SampleBuffer ReadAll(const String& path) {
  TAudioFile2 reader(nullptr);
  reader.OpenRead(path, 0, 1);
  SampleBuffer all = reader.ReadBlock(reader.GetLength() * reader.GetChannels() + 1);
  reader.CloseAudioFile();
  return all;
}

class BatchConverterTest : public testing::Test {
 protected:
  void SetUp() override {
    // What the program does at its start.
    static const bool registered = (RegisterAudioCodecs(FormatRegistry::Default()), true);
    (void)registered;
    saved_ = GlobalVars;
    GlobalVars.BatchFileFormatUseTheSame = true;
    GlobalVars.BatchFileSaveFolderUseTheSame = false;
    Out = Dir.Path() + L"out";
    CreateDir(Out);
    GlobalVars.BatchFileSaveFolderpath = Out;
    previousAnswerer_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String&, UINT flags) {
      Boxes.push_back(text);
      if (OnBox) OnBox(text);
      return (flags & MB_YESNO) ? IDYES : IDOK;
    });
    Form.reset(new TBatchConverterForm(nullptr));
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    SetMessageBoxAnswerer(previousAnswerer_);
    GlobalVars = saved_;
  }

  String Source(const String& name, int rate, int channels, const std::vector<std::int16_t>& samples) {
    const String path = Dir.File(name);
    WriteWav(path, rate, channels, samples);
    return path;
  }
  void AddRow(K kind, std::vector<int> values) { Form->AddCommand(NewBatchCommand(kind, std::move(values))); }
  String Output(const String& name) const { return IncludeTrailingPathDelimiter(Out) + name; }
  std::vector<String> RowPaths() const {
    std::vector<String> rows;
    for (int i = 0; i < Form->ListViewFiles->Items()->Count(); ++i) rows.push_back(BatchFilePath(*Form->FileItem(i)));
    return rows;
  }

  testing_support::ScratchFolder Dir;
  String Out;
  std::vector<String> Boxes;
  std::function<void(const String&)> OnBox;
  ObjectPtr<TBatchConverterForm> Form;

 private:
  TGlobalVars saved_;
  TMessageBoxAnswerer previousAnswerer_;
};

TEST_F(BatchConverterTest, AFileIsListedOnceByItsFullPathWhateverItsCase) {
  const String a = Source(L"song.wav", 8000, 1, Signal(10, 1));
  CreateDir(Dir.Path() + L"other");
  const String other = Dir.Path() + L"other\\song.wav";
  WriteWav(other, 8000, 1, Signal(10, 1));
  testing_support::WriteFileBytes(Dir.File(L"notes.txt"), "text");
  Form->AddFile(a);
  Form->AddFile(UpperCase(a));
  Form->AddFile(other);
  Form->AddFile(a);
  Form->AddFile(Dir.File(L"notes.txt"));
  Form->AddFile(Dir.File(L"missing.wav"));
  EXPECT_EQ(RowPaths(), (std::vector<String>{a, other}));
  EXPECT_EQ(Form->ListViewFiles->Items()->Item(0)->Caption(), L"song.wav");
  EXPECT_EQ(Form->ListViewFiles->Items()->Item(1)->SubItems()->Strings(0),
            ExcludeTrailingPathDelimiter(Dir.Path()) + L"\\other");
  // Adding the folder offers its entries: only the audio file not yet listed is new.
  Source(L"second.wav", 8000, 1, Signal(10, 1));
  Form->AddFolder(Dir.Path());
  EXPECT_EQ(RowPaths().size(), 3u);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(BatchConverterTest, TheStepsLeadToFinishAndRemovingSelectsTheRowAtTheLowestRemovedPlace) {
  Form->UpdateControls();
  EXPECT_EQ(Form->LabelStep->Caption(), L"Step 1:");
  EXPECT_FALSE(Form->ButtonNext->Enabled());
  EXPECT_FALSE(Form->ButtonBack->Enabled());
  std::vector<String> paths;
  for (const wchar_t* name : {L"0.wav", L"1.wav", L"2.wav", L"3.wav"}) {
    paths.push_back(Source(name, 8000, 1, Signal(10, 1)));
    Form->AddFile(paths.back());
  }
  Form->UpdateControls();
  ASSERT_TRUE(Form->ButtonNext->Enabled());
  Form->ButtonNext->Click();
  EXPECT_EQ(Form->LabelStep->Caption(), L"Step 2:");
  EXPECT_EQ(Form->LabelStepDetail->Caption(), L"Click Add to select the commands you want to apply to files.");
  Form->ButtonNext->Click();
  EXPECT_EQ(Form->LabelStep->Caption(), L"Step 3:");
  EXPECT_EQ(Form->ButtonNext->Caption(), L"&Finish");
  EXPECT_TRUE(Form->ButtonBack->Enabled());
  Form->ButtonBack->Click();
  Form->ButtonBack->Click();
  EXPECT_EQ(Form->PageControl->ActivePageIndex(), 0);

  Form->ListViewFiles->Items()->Item(1)->SetSelected(true);
  Form->ListViewFiles->Items()->Item(2)->SetSelected(true);
  Form->ButtonRemoveFileClick(nullptr);
  EXPECT_EQ(RowPaths(), (std::vector<String>{paths[0], paths[3]}));
  EXPECT_TRUE(Form->ListViewFiles->Items()->Item(1)->Selected());
  Form->ListViewFiles->Items()->Item(0)->SetSelected(false);
  Form->ButtonRemoveFileClick(nullptr);
  EXPECT_EQ(RowPaths(), (std::vector<String>{paths[0]}));
  EXPECT_TRUE(Form->ListViewFiles->Items()->Item(0)->Selected());
}

TEST_F(BatchConverterTest, AmplifyHalvesEverySampleAndAMonoSourceStaysMonoWithItsLength) {
  const std::vector<std::int16_t> stereo = Signal(20000, 2), mono = Signal(12345, 1);
  Form->AddFile(Source(L"stereo.wav", 8000, 2, stereo));
  Form->AddFile(Source(L"mono.wav", 8000, 1, mono));
  AddRow(K::Amplify, {50});
  Form->RunBatch();
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Form->ModalResult, mrOk);
  EXPECT_EQ(Form->ListViewFiles->Items()->Count(), 0);
  struct Case {
    const wchar_t* Name;
    int Channels;
    const std::vector<std::int16_t>& Samples;
  } cases[] = {{L"stereo.wav", 2, stereo}, {L"mono.wav", 1, mono}};
  for (const Case& c : cases) {
    const TWavContent out = ReadWav(Output(c.Name));
    EXPECT_EQ(out.Channels, c.Channels);
    EXPECT_EQ(out.SampleRate, 8000);
    ASSERT_EQ(out.Samples.size(), c.Samples.size()) << c.Name;
    for (std::size_t i = 0; i < c.Samples.size(); ++i) ASSERT_NEAR(out.Samples[i], c.Samples[i] / 2.0, 1.0) << i;
  }
}

TEST_F(BatchConverterTest, ALongEchoCarriesAcrossChunksAsInTheWholeFile) {
  const String source = Source(L"echo.wav", 8000, 2, Signal(8000 * 4, 2, 6000));
  Form->AddFile(source);
  AddRow(K::Echo, {1500, 50, 50});
  Form->RunBatch();
  ASSERT_TRUE(Boxes.empty());
  SampleBuffer expected = ReadAll(source);
  TAudioTransform2 whole(nullptr);
  whole.Echo(expected, 1500, 50, 50);
  const SampleBuffer out = ReadAll(Output(L"echo.wav"));
  ASSERT_EQ(out.Values(), expected.Values());
  double worst = 0;
  for (std::int64_t i = 0; i < out.Values(); ++i)
    worst = std::max(worst, double(std::fabs(out.Data()[i] - expected.Data()[i])));
  // The output is 16-bit: half a step of rounding on top of the comparison's 1e-4.
  EXPECT_LT(worst, 1e-4 + 0.5 / 32768);
}

TEST_F(BatchConverterTest, NormalizeScalesTheWholeFileByOneGainToItsLevel) {
  // The loudest sample sits in the last chunk; an earlier chunk alone would get a larger gain.
  std::vector<std::int16_t> samples = Signal(8000 * 3, 2, 4000);
  samples[samples.size() - 10] = 8192;
  Form->AddFile(Source(L"quiet.wav", 8000, 2, samples));
  AddRow(K::Normalize, {90});
  Form->RunBatch();
  ASSERT_TRUE(Boxes.empty());
  const TWavContent out = ReadWav(Output(L"quiet.wav"));
  ASSERT_EQ(out.Samples.size(), samples.size());
  int peak = 0;
  for (std::int16_t s : out.Samples) peak = std::max(peak, std::abs(int(s)));
  EXPECT_NEAR(20 * std::log10(peak / 32768.0), 20 * std::log10(0.9), 0.1);
  const double gain = 0.9 * 32768 / 8192;
  for (std::size_t i = 0; i < samples.size(); ++i) ASSERT_NEAR(out.Samples[i], samples[i] * gain, 1.5) << i;
}

TEST_F(BatchConverterTest, TwoFailingFilesOfFiveKeepTheirRowsInOrderAndTheOtherOutputs) {
  std::vector<String> paths;
  for (const wchar_t* name : {L"a.wav", L"b.wav", L"c.wav", L"d.wav", L"e.wav"}) {
    paths.push_back(Source(name, 8000, 1, Signal(3000, 1)));
    Form->AddFile(paths.back());
  }
  DeleteFile(paths[1]);
  testing_support::WriteFileBytes(paths[3], "junk that is no audio at all");
  Form->RunBatch();
  const String failed = L"Something wasn't as expected! At least one error occurred while processing file: ";
  EXPECT_EQ(Boxes, (std::vector<String>{
                       L"File do not exist: " + paths[1],
                       failed + L"\"" + paths[1] + L"\"",
                       L"An error occurred while transforming file:\r\n\r\nThe file \"" + paths[3] +
                           L"\" is damaged or the format is not supported.",
                       failed + L"\"" + paths[3] + L"\"",
                       L"Encoding finished. 2 file(s) not been encoded.",
                   }));
  EXPECT_EQ(RowPaths(), (std::vector<String>{paths[1], paths[3]}));
  // The failures deleted nothing of the files converted before them.
  for (const wchar_t* name : {L"a.wav", L"c.wav", L"e.wav"}) EXPECT_EQ(ReadWav(Output(name)).Frames(), 3000) << name;
  EXPECT_FALSE(FileExists(Output(L"b.wav")));
  EXPECT_FALSE(FileExists(Output(L"d.wav")));
  EXPECT_NE(Form->ModalResult, mrOk);
  EXPECT_EQ(Form->PageControl->ActivePageIndex(), 0);
  EXPECT_FALSE(Form->Running());
}

TEST_F(BatchConverterTest, AStopDeletesOnlyThePartialOutputAndTheListsStayReadOnlyMeanwhile) {
  const String first = Source(L"long.wav", 8000, 1, Signal(8000 * 5, 1));
  const String second = Source(L"next.wav", 8000, 1, Signal(100, 1));
  Form->AddFile(first);
  Form->AddFile(second);
  // An older file of the output's name stays; the run writes "long(1).wav".
  WriteWav(Output(L"long.wav"), 8000, 1, Signal(10, 1));
  bool sawPartial = false, stillShown = false;
  OnBox = [&](const String& text) {
    if (text != L"Really want to stop convertion?") return;
    sawPartial = Form->Running();
    // Closing the window while the run walks its lists is refused.
    Form->Close();
    stillShown = Form->Visible();
    Form->AddFile(Source(L"late.wav", 8000, 1, Signal(10, 1)));
    AddRow(K::Amplify, {50});
  };
  AtNextPump([&] { Form->ButtonStopClick(Form->ButtonStop); });
  Form->RunBatch();
  EXPECT_TRUE(sawPartial);
  EXPECT_TRUE(stillShown);
  EXPECT_EQ(ReadWav(Output(L"long.wav")).Frames(), 10);
  EXPECT_FALSE(FileExists(Output(L"long(1).wav")));
  EXPECT_FALSE(FileExists(Output(L"next.wav")));
  EXPECT_EQ(RowPaths(), (std::vector<String>{second, first}));
  EXPECT_EQ(Form->ListViewCommand->Items()->Count(), 0);
  ASSERT_EQ(Boxes.size(), 2u);
  EXPECT_EQ(Boxes[1],
            L"Something wasn't as expected! At least one error occurred while processing file: \"" + first + L"\"");
  EXPECT_FALSE(Form->GroupBoxProcessing->Visible());
}

TEST_F(BatchConverterTest, TheSourceFolderGetsANumberedNameAndAVanishedFolderFallsBackToIt) {
  const String source = Source(L"take.wav", 8000, 1, Signal(500, 1));
  GlobalVars.BatchFileSaveFolderpath = Dir.Path() + L"gone";
  Form.reset(new TBatchConverterForm(nullptr));
  Form->Show();
  Form->AddFile(source);
  Form->RunBatch();
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(ReadWav(Dir.File(L"take(1).wav")).Frames(), 500);
  EXPECT_EQ(ReadWav(source).Samples, Signal(500, 1));
}

TEST_F(BatchConverterTest, SilenceRowsLengthenTheOutputExactlyAndTheConvertRowSetsRateAndChannels) {
  const std::vector<std::int16_t> samples = Signal(8000, 2);
  Form->AddFile(Source(L"pad.wav", 8000, 2, samples));
  AddRow(K::InsertSilenceAtTheStart, {500});
  AddRow(K::InsertSilenceAtTheEnd, {250});
  AddRow(K::InsertSilenceAtTheStart, {125});
  Form->RunBatch();
  const TWavContent padded = ReadWav(Output(L"pad.wav"));
  ASSERT_EQ(padded.Frames(), 8000 + 5000 + 2000);
  for (int i = 0; i < 5000 * 2; ++i) ASSERT_EQ(padded.Samples[i], 0) << i;
  for (int i = 0; i < 8000 * 2; ++i) ASSERT_EQ(padded.Samples[5000 * 2 + i], samples[i]) << i;

  Form->AddFile(Source(L"tomono.wav", 8000, 2, samples));
  AddRow(K::ConvertSampleType, {3, 0});
  AddRow(K::ConvertSampleType, {5, 1});
  Form->RunBatch();
  const TWavContent converted = ReadWav(Output(L"tomono.wav"));
  EXPECT_EQ(converted.SampleRate, 22050);
  EXPECT_EQ(converted.Channels, 1);
  // The silence rows of the first run are still listed: 7000 frames of silence at 8000 Hz.
  EXPECT_NEAR(converted.Frames(), (8000 + 7000) * 22050 / 8000, 30);
}

TEST_F(BatchConverterTest, TagsAreCopiedAndCompressedOutputsDecodeToTheExpectedFormat) {
  const String source = Source(L"tagged.wav", 44100, 2, Signal(44100 * 2, 2));
  {
    TAudioInformation2 info(nullptr);
    info.ReadTagsFrom(source);
    AudioTags tags;
    tags.Title = L"Night Song";
    tags.Artist = L"The Band";
    info.SetTags(tags);
    info.WriteTagsTo(source);
  }
  Form->AddFile(source);
  Form->RunBatch();
  TAudioInformation2 info(nullptr);
  info.ReadTagsFrom(Output(L"tagged.wav"));
  EXPECT_EQ(info.Tags().Title, L"Night Song");
  EXPECT_EQ(info.Tags().Artist, L"The Band");

  GlobalVars.BatchFileFormatUseTheSame = false;
  GlobalVars.OutputMP3Type = 1, GlobalVars.OutputMP3CBR = true, GlobalVars.OutputMP3CBRBitRate = 8;
  GlobalVars.OutputMP3Mode = 0;
  GlobalVars.OutputOGGType = 0, GlobalVars.OutputOGGPresets = 2;
  struct Case {
    int Index;
    const wchar_t* Name;
  } cases[] = {{1, L"tagged.mp3"}, {2, L"tagged.ogg"}};
  for (const Case& c : cases) {
    GlobalVars.BatchFileFormatIndex = c.Index;
    Form.reset(new TBatchConverterForm(nullptr));
    Form->Show();
    Form->AddFile(source);
    Form->RunBatch();
    ASSERT_TRUE(Boxes.empty()) << c.Name;
    TAudioFile2 reader(nullptr);
    reader.OpenRead(Output(c.Name), 0, 1);
    EXPECT_EQ(reader.GetSampleRate(), 44100) << c.Name;
    EXPECT_EQ(reader.GetChannels(), 2) << c.Name;
    EXPECT_NEAR(double(reader.GetLength()), 44100 * 2, 3000) << c.Name;
    reader.CloseAudioFile();
    info.ReadTagsFrom(Output(c.Name));
    EXPECT_EQ(info.Tags().Title, L"Night Song") << c.Name;
  }
}

TEST_F(BatchConverterTest, WithoutMediaFoundationEachWmaFileFailsAlone) {
  if (GetModuleHandleW(L"ntdll.dll") && !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
    GTEST_SKIP() << "only under Wine, where the encoder is missing";
  GlobalVars.BatchFileFormatUseTheSame = false;
  GlobalVars.BatchFileFormatIndex = 3;
  Form->AddFile(Source(L"one.wav", 44100, 2, Signal(4410, 2)));
  Form->AddFile(Source(L"two.wav", 44100, 2, Signal(4410, 2)));
  Form->RunBatch();
  ASSERT_FALSE(Boxes.empty());
  EXPECT_EQ(Boxes.back(), L"Encoding finished. 2 file(s) not been encoded.");
  EXPECT_EQ(RowPaths().size(), 2u);
  EXPECT_FALSE(FileExists(Output(L"one.wma")));
  EXPECT_FALSE(FileExists(Output(L"two.wma")));
}

TEST_F(BatchConverterTest, TheWriterSetUpFollowsTheRecordTheExactExtensionAndTheConvertRow) {
  const String wav = Source(L"source.wav", 22050, 1, Signal(100, 1));
  const String capital = Dir.File(L"SOURCE2.WAV");
  WriteWav(capital, 22050, 1, Signal(100, 1));
  struct Case {
    const wchar_t* What;
    bool Same;
    int Index;
    String Path;
    std::optional<TBatchConvertTarget> Convert;
    const wchar_t* Extension;
    OutputKind Kind;
    int Rate, Channels;  // the WAV set-up's, or the Ogg set-up's; 0: not checked
  } cases[] = {
      {L"same WAV", true, 0, wav, std::nullopt, L".wav", OutputKind::Wav, 22050, 1},
      {L"same WAV, converted", true, 0, wav, TBatchConvertTarget{8000, 2}, L".wav", OutputKind::Wav, 8000, 2},
      {L"capital extension", true, 0, capital, std::nullopt, L".mp3", OutputKind::Mp3, 0, 0},
      {L"OGG type that sets nothing", false, 2, wav, std::nullopt, L".ogg", OutputKind::Ogg, 44100, 2},
      {L"OGG converted", false, 2, wav, TBatchConvertTarget{48000, 2}, L".ogg", OutputKind::Ogg, 48000, 2},
      // 128 kbit/s is more than the encoder takes for 22050 Hz mono: the set-up keeps its own.
      {L"OGG refusing the conversion", false, 2, wav, TBatchConvertTarget{22050, 1}, L".ogg", OutputKind::Ogg, 44100,
       2},
      {L"WMA preset outside", false, 3, wav, TBatchConvertTarget{22050, 1}, L".wma", OutputKind::Wma, 0, 0},
  };
  GlobalVars.OutputOGGType = 7;
  GlobalVars.OutputWMAPresets = 9;
  for (const Case& c : cases) {
    GlobalVars.BatchFileFormatUseTheSame = c.Same;
    GlobalVars.BatchFileFormatIndex = c.Index;
    TAudioFile2 reader(nullptr), writer(nullptr);
    TAudioFile2LameEnc encoder;
    reader.OpenRead(c.Path, 0, 1);
    EXPECT_EQ(SetUpBatchOutput(writer, encoder, reader, c.Path, GlobalVars, c.Convert), c.Extension) << c.What;
    EXPECT_EQ(writer.Output().Kind, c.Kind) << c.What;
    if (c.Kind == OutputKind::Wav) {
      EXPECT_EQ(writer.Output().Wav.SampleRate, c.Rate) << c.What;
      EXPECT_EQ(writer.Output().Wav.Channels, c.Channels) << c.What;
    }
    if (c.Kind == OutputKind::Ogg) {
      EXPECT_EQ(writer.Output().Ogg.SampleRate, c.Rate) << c.What;
      EXPECT_EQ(writer.Output().Ogg.Channels, c.Channels) << c.What;
    }
    if (c.Kind == OutputKind::Wma) {
      EXPECT_EQ(writer.Output().WmaProfile, 10) << c.What;
    }
    reader.CloseAudioFile();
  }
}

TEST_F(BatchConverterTest, AnEmptySourceConvertsWithoutDividingByItsLength) {
  Form->AddFile(Source(L"empty.wav", 8000, 1, {}));
  Form->RunBatch();
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(FileExists(Output(L"empty.wav")));
  EXPECT_EQ(Form->ModalResult, mrOk);
}

}  // namespace
