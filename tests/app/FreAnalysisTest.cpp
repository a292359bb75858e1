// The frequency-analysis window: reads only while showing, the window size it reads, the readouts,
// its first placement, the peak of a 1 kHz tone, and its bounds stored by the main window's close.

#include <cmath>
#include <memory>

#include "app/FreAnalysis.h"
#include "app/core/Globals.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/displays/AudioVisualization2.h"
#include "tests/app/CommandsFixture.h"
#include "tests/support/WindowTestSupport.h"

namespace {

class FreAnalysisTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    analysis = new TFreAnalysisForm(Application);
  }
  void TearDown() override {
    delete analysis;
    CommandsTest::TearDown();
  }
  String WriteSine(const wchar_t* name, int rate, double hz, int frames) {
    const String path = scratch.File(name);
    auto encoder = CreateWavEncoder(CreateFileSink(path), EncoderSettings{rate, 1, 16}, AudioTags{});
    std::vector<float> samples(frames);
    for (int f = 0; f < frames; ++f)
      samples[f] = static_cast<float>(0.5 * std::sin(2 * 3.14159265358979323846 * hz * f / rate));
    encoder->Write(samples.data(), frames);
    encoder->Finish();
    return path;
  }
  TFreAnalysisForm* analysis = nullptr;
};

TEST_F(FreAnalysisTest, ItReadsOnlyWhileShowingTwiceTheChosenSizeEachRefresh) {
  OpenPattern(L"song.wav", 20000);
  Select(100, 200);
  form->RefreshAnalysis();
  EXPECT_EQ(analysis->Refreshes(), 0);
  EXPECT_EQ(GlobalVars.FreAnalysisFormWidth, 550);
  form->ActionFrequencyAnalysisExecute(form);
  EXPECT_EQ(analysis->BoundsRect(), TRect(0, 0, 550, 300));
  EXPECT_EQ(analysis->FormStyle(), fsStayOnTop);
  EXPECT_EQ(analysis->LastFrames(), 2048);
  analysis->ComboBoxFFTSize->SetItemIndex(2);
  analysis->ComboBoxFFTSizeClick(analysis->ComboBoxFFTSize);
  EXPECT_EQ(analysis->LastFrames(), 8192);
  // The editor's position events refresh it.
  const int refreshes = analysis->Refreshes();
  Select(0, 0);
  EXPECT_GT(analysis->Refreshes(), refreshes);
  analysis->Close();
  const int hidden = analysis->Refreshes();
  Select(300, 400);
  EXPECT_EQ(analysis->Refreshes(), hidden);
}

TEST_F(FreAnalysisTest, TheReadoutsNameSamplesInTheWaveformAndStartAtZeroAfterReopening) {
  OpenPattern(L"song.wav", 4000);
  form->ActionFrequencyAnalysisExecute(form);
  analysis->AudioVisualizationMouseMove(analysis, 5, 5, 120, -30);
  EXPECT_EQ(analysis->LabelFreq->Caption(), L"120 smpl");
  EXPECT_EQ(analysis->LabelValue->Caption(), L"-30 dB");
  analysis->ComboBoxViewType->SetItemIndex(3);
  analysis->ComboBoxViewTypeClick(analysis->ComboBoxViewType);
  EXPECT_EQ(analysis->AudioVisualization->VisType(), 3);
  analysis->AudioVisualizationMouseMove(analysis, 5, 5, 440, -12);
  EXPECT_EQ(analysis->LabelFreq->Caption(), L"440 hz");
  analysis->SetBounds(40, 50, 500, 280);
  analysis->Close();
  EXPECT_EQ(GlobalVars.FreAnalysisFormLeft, 40);
  EXPECT_EQ(GlobalVars.FreAnalysisFormHeight, 280);
  form->ActionFrequencyAnalysisExecute(form);
  EXPECT_EQ(analysis->LabelFreq->Caption(), L"0 hz");
  EXPECT_EQ(analysis->LabelValue->Caption(), L"0 dB");
  EXPECT_EQ(analysis->BoundsRect(), TRect(40, 50, 540, 330));
}

TEST_F(FreAnalysisTest, AOneKilohertzToneDrawsItsPeakAtItsColumn) {
  ASSERT_TRUE(form->OpenAudioFile(WriteSine(L"tone.wav", 8000, 1000.0, 8000)));
  Select(0, 0);
  analysis->ComboBoxViewType->SetItemIndex(1);
  form->ActionFrequencyAnalysisExecute(form);
  TAudioVisualization2* display = analysis->AudioVisualization;
  const int width = display->ClientWidth(), height = display->ClientHeight();
  window_testing::DibSection dib(width, height);
  display->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
  // The highest coloured pixel: 0 Hz at the left edge, 4000 Hz at the right.
  int best = -1, top = height;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < top; ++y) {
      const DWORD p = dib.Pixel(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r == g && g == b) continue;
      best = x;
      top = y;
      break;
    }
  EXPECT_NEAR(best, (width - 1) / 4.0, 2.0);
}

TEST_F(FreAnalysisTest, TheMainWindowsCloseStoresTheBoundsOfAShowingWindow) {
  form->ActionFrequencyAnalysisExecute(form);
  analysis->SetBounds(70, 80, 520, 310);
  TCloseAction action = caFree;
  form->FormClose(form, action);
  EXPECT_EQ(GlobalVars.FreAnalysisFormLeft, 70);
  EXPECT_EQ(GlobalVars.FreAnalysisFormTop, 80);
  EXPECT_EQ(GlobalVars.FreAnalysisFormWidth, 520);
  EXPECT_EQ(GlobalVars.FreAnalysisFormHeight, 310);
}

}  // namespace
