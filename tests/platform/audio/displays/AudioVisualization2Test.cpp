#include "platform/audio/displays/AudioVisualization2.h"

#include "platform/audio/core/AudioError.h"
#include "platform/framework/classes/Reflection.h"
#include "tests/platform/audio/displays/DisplayTestUtil.h"

using namespace display_testing;
using window_testing::FormFixture;

namespace {

// 401 x 201 pixels: at 8000 Hz column c shows c * 10 Hz and row r shows -r / 2 dB.
class AnalysisDisplay : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    display = Place<TAudioVisualization2>(0, 0, 401, 201);
    ShowForm();
  }
  // The first coloured pixel from the top of the column, or -1.
  int TopOfColumn(const window_testing::DibSection& dib, int x) {
    for (int y = 0; y < 201; ++y)
      if (Coloured(dib.Pixel(x, y))) return y;
    return -1;
  }
  // The column whose coloured pixels reach highest.
  int HighestColumn(const window_testing::DibSection& dib, int& top) {
    int best = -1;
    top = 201;
    for (int x = 0; x < 401; ++x) {
      const int y = TopOfColumn(dib, x);
      if (y >= 0 && y < top) {
        top = y;
        best = x;
      }
    }
    return best;
  }
  TAudioVisualization2* display = nullptr;
};

struct PeakCase {
  int visType;
  int channelMask;     // channels carrying the sine
  double expectedRow;  // -6 dB for both channels, -12 dB when one of two is silent
};

class AnalysisPeak : public AnalysisDisplay, public testing::WithParamInterface<PeakCase> {};

TEST_P(AnalysisPeak, OneKilohertzPeaksAtItsColumnAndLevel) {
  const PeakCase c = GetParam();
  display->SetVisType(c.visType);
  const SampleBuffer sine = Sine(8000, 2, 2048, 1000.0, 0.5, c.channelMask);
  display->ShowSamples(&sine);
  const auto dib = Snapshot(display);
  int top = 0;
  EXPECT_NEAR(HighestColumn(*dib, top), 100, 1);
  EXPECT_NEAR(top, c.expectedRow, 1.0);
  // Two octaves up the spectrum is far down, or below the scale.
  const int high = TopOfColumn(*dib, 400);
  EXPECT_TRUE(high < 0 || high > 150) << high;
}

INSTANTIATE_TEST_SUITE_P(Views, AnalysisPeak,
                         testing::Values(PeakCase{1, 3, 12.04}, PeakCase{2, 3, 12.04}, PeakCase{3, 3, 12.04},
                                         PeakCase{4, 3, 12.04}, PeakCase{5, 3, 12.04}, PeakCase{2, 1, 24.08}));

TEST_F(AnalysisDisplay, PalettesColourTheSameBarDifferently) {
  const SampleBuffer sine = Sine(8000, 1, 2048, 1000.0, 0.9);
  display->ShowSamples(&sine);
  std::vector<DWORD> colours;
  for (int type = 2; type <= 5; ++type) {
    display->SetVisType(type);
    colours.push_back(Snapshot(display)->Pixel(100, 100));
  }
  for (std::size_t i = 0; i < colours.size(); ++i)
    for (std::size_t j = i + 1; j < colours.size(); ++j) EXPECT_NE(colours[i], colours[j]) << i << " " << j;
}

TEST_F(AnalysisDisplay, SpectrumAveragesThreeHalfOverlappingWindows) {
  // A tone only in the last quarter of the 2n frames fills the second half of the third window alone:
  // half its amplitude there (a quarter of the power), and a third of that in the mean of the three
  // windows: -10.8 dB, where one window over the last n frames would read -6 dB.
  SampleBuffer late = Sine(8000, 1, 2048, 1000.0, 1.0);
  std::fill(late.Data(), late.Data() + 1536, 0.0f);
  display->SetVisType(2);
  display->ShowSamples(&late);
  int top = 0;
  EXPECT_NEAR(HighestColumn(*Snapshot(display), top), 100, 1);
  EXPECT_NEAR(top, 21.6, 1.0);
}

TEST_F(AnalysisDisplay, WaveformSpansTheAmplitude) {
  display->SetVisType(0);
  const SampleBuffer sine = Sine(8000, 2, 2048, 250.0, 0.5);
  display->ShowSamples(&sine);
  const auto dib = Snapshot(display);
  int highest = 201;
  for (int x = 0; x < 401; ++x) highest = std::min(highest, TopOfColumn(*dib, x));
  EXPECT_NEAR(highest, 50, 1);  // +0.5 sits a quarter down
}

TEST_F(AnalysisDisplay, NullClearsTheDisplay) {
  display->SetVisType(2);
  const SampleBuffer sine = Sine(8000, 2, 2048, 1000.0, 0.5);
  display->ShowSamples(&sine);
  display->ShowSamples(nullptr);
  EXPECT_EQ(TopOfColumn(*Snapshot(display), 100), -1);
}

struct ReadoutCase {
  int visType;
  int x, y;
  int xValue, yValue;
};

class AnalysisReadout : public AnalysisDisplay, public testing::WithParamInterface<ReadoutCase> {};

TEST_P(AnalysisReadout, MouseMoveReportsFrequencyOrFrameAndDecibels) {
  const ReadoutCase c = GetParam();
  display->SetVisType(c.visType);
  const SampleBuffer sine = Sine(8000, 2, 2048, 1000.0, 0.5);
  display->ShowSamples(&sine);
  int calls = 0, x = -1, y = -1, xValue = -1, yValue = 1;
  display->OnMouseMove = [&](TObject*, int X, int Y, int XValue, int YValue) {
    ++calls;
    x = X, y = Y, xValue = XValue, yValue = YValue;
  };
  window_testing::SendMouse(display->Handle(), WM_MOUSEMOVE, c.x, c.y);
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(x, c.x);
  EXPECT_EQ(y, c.y);
  EXPECT_EQ(xValue, c.xValue);
  EXPECT_EQ(yValue, c.yValue);
}

INSTANTIATE_TEST_SUITE_P(Points, AnalysisReadout,
                         testing::Values(ReadoutCase{2, 100, 0, 1000, 0}, ReadoutCase{1, 400, 200, 4000, -100},
                                         ReadoutCase{5, 33, 13, 330, -7},
                                         // Waveform: frame index of 2n = 2048 frames, level of the amplitude.
                                         ReadoutCase{0, 0, 0, 0, 0}, ReadoutCase{0, 400, 50, 2047, -6},
                                         ReadoutCase{0, 200, 100, 1024, -100}));

TEST_F(AnalysisDisplay, RefusesValuesOutsideItsProperties) {
  EXPECT_THROW(display->SetVisType(6), EAudioError);
  EXPECT_THROW(display->SetWindowFFTType(4), EAudioError);
  EXPECT_THROW(display->SetWindowArraySize(1000), EAudioError);
  // The analysis window sets them by name.
  SetOrdProp(display, L"WindowArraySize", 4096);
  SetOrdProp(display, L"VisType", 3);
  EXPECT_EQ(display->WindowArraySize(), 4096);
  EXPECT_EQ(display->VisType(), 3);
}

}  // namespace
