#include "platform/audio/displays/AudioVisualizationEx2.h"

#include "platform/audio/core/AudioError.h"
#include "platform/framework/rtl/DateUtils.h"
#include "tests/platform/audio/displays/DisplayTestUtil.h"

using namespace display_testing;
using window_testing::FormFixture;

namespace {

constexpr DWORD kGreen = 0x00FF00, kYellow = 0xFFFF00, kRed = 0xFF0000, kBlack = 0x000000;

// The recording console's meter: 198 x 125, a one-pixel inset, 196 one-pixel bars over 123 rows,
// green below 20 %, yellow below 60 %, red above.
class SpectrumMeter : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    clockScope = std::make_unique<TClockScope>(clock);
    meter = Place<TAudioVisualizationEx2>(10, 10, 198, 125);
    meter->SetAutoSize(false);
    for (auto set : {&TAudioVisualizationEx2::SetBackColor, &TAudioVisualizationEx2::SetBackLineLowColor,
                     &TAudioVisualizationEx2::SetBackLineMidColor, &TAudioVisualizationEx2::SetBackLineHighColor,
                     &TAudioVisualizationEx2::SetBorderColor})
      (meter->*set)(clBlack);
    meter->SetLineLowColor(0x00FF00);
    meter->SetLineMidColor(0x00FFFF);
    meter->SetLineHighColor(0x0000FF);
    meter->SetLineCount(196);
    meter->SetLineInterval(0);
    meter->SetHighPoint(60);
    meter->SetMidPoint(20);
    meter->SetSpotHeight(1);
    meter->SetSpotInterval(0);
    meter->SetTickDelayTime(200);
    meter->SetTickReleaseTime(10);
    meter->SetBorderStyle(0);
    meter->SetLineType(1);
    meter->SetXPos(1);
    meter->SetYPos(1);
    meter->SetFFTWindowType(3);
    meter->SetFFTViewType(0);
    ShowForm();
  }
  void TearDown() override {
    FormFixture::TearDown();
    clockScope.reset();
  }
  // Bar i is column 1 + i; plot row r is pixel row 1 + r.
  DWORD At(const window_testing::DibSection& dib, int bar, int row) { return dib.Pixel(1 + bar, 1 + row); }

  TManualClock clock{0, 1000};
  std::unique_ptr<TClockScope> clockScope;
  TAudioVisualizationEx2* meter = nullptr;
};

// 1 kHz at 44100 Hz lies in bin 23.2 of 1024 points; bar i of 196 covers bins around i * 512 / 195.
constexpr int kToneBar = 9;

TEST_F(SpectrumMeter, FullScaleToneLightsItsBarInThreeZones) {
  const SampleBuffer tone = Sine(44100, 2, 1024, 1000.0, 1.0);
  meter->ShowSamples(&tone);
  int loudest = 0;
  for (int i = 1; i < 196; ++i)
    if (meter->BarLevel(i) > meter->BarLevel(loudest)) loudest = i;
  EXPECT_EQ(loudest, kToneBar);
  EXPECT_NEAR(meter->BarLevel(kToneBar), 0.0, 1.5);
  const auto dib = Snapshot(meter);
  EXPECT_EQ(At(*dib, kToneBar, 110), kGreen);   // 10 % of the height
  EXPECT_EQ(At(*dib, kToneBar, 80), kYellow);   // 35 %
  EXPECT_EQ(At(*dib, kToneBar, 10), kRed);      // 91 %
  EXPECT_EQ(At(*dib, 150, 110), kBlack);        // 17 kHz: nothing there
  EXPECT_EQ(dib->Pixel(0, 60), kBlack);         // the inset stays background
}

TEST_F(SpectrumMeter, WholeBarTakesTheColourOfItsTopWithLineTypeZero) {
  meter->SetLineType(0);
  const SampleBuffer tone = Sine(44100, 2, 1024, 1000.0, 0.1);  // -20 dB: the top at 80 %, red zone
  meter->ShowSamples(&tone);
  const auto dib = Snapshot(meter);
  EXPECT_EQ(At(*dib, kToneBar, 110), kRed);
  EXPECT_EQ(At(*dib, kToneBar, 10), kBlack);
}

TEST_F(SpectrumMeter, PeakSpotHoldsThenFallsOneDecibelPerReleaseTick) {
  const SampleBuffer tone = Sine(44100, 2, 1024, 1000.0, 0.1);
  const SampleBuffer silence(2, 44100, 1024);
  meter->ShowSamples(&tone);
  const float peak = meter->BarLevel(kToneBar);
  clock.Advance(100);
  meter->ShowSamples(&silence);
  EXPECT_LE(meter->BarLevel(kToneBar), -100.0f);
  EXPECT_FLOAT_EQ(meter->SpotLevel(kToneBar), peak);  // still held
  clock.Advance(400);                                  // 200 ms held, 300 ms falling
  EXPECT_NEAR(meter->SpotLevel(kToneBar), peak - 30.0f, 1e-3);
  // The spot is one row just above the level it marks: 123 - round((peak - 30 + 100) / 100 * 123).
  const int row = 123 - static_cast<int>(std::lround((peak - 30.0 + 100.0) / 100.0 * 123)) - 1;
  const auto dib = Snapshot(meter);
  EXPECT_EQ(At(*dib, kToneBar, row), kYellow);
  EXPECT_EQ(At(*dib, kToneBar, row - 1), kBlack);
  EXPECT_EQ(At(*dib, kToneBar, row + 1), kBlack);
  clock.Advance(1000);
  EXPECT_LE(meter->SpotLevel(kToneBar), -100.0f);
}

TEST_F(SpectrumMeter, LouderBarRaisesItsSpotAgainAndNullClearsBoth) {
  const SampleBuffer quiet = Sine(44100, 2, 1024, 1000.0, 0.01);
  meter->ShowSamples(&quiet);
  clock.Advance(50);
  const SampleBuffer loud = Sine(44100, 2, 1024, 1000.0, 1.0);
  meter->ShowSamples(&loud);
  EXPECT_NEAR(meter->SpotLevel(kToneBar), meter->BarLevel(kToneBar), 1e-6);
  meter->ShowSamples(nullptr);
  EXPECT_LE(meter->BarLevel(kToneBar), -100.0f);
  EXPECT_LE(meter->SpotLevel(kToneBar), -100.0f);
  const auto dib = Snapshot(meter);
  EXPECT_EQ(At(*dib, kToneBar, 0), kBlack);
  EXPECT_EQ(At(*dib, kToneBar, 122), kBlack);
}

TEST_F(SpectrumMeter, RefusesValuesOutsideItsProperties) {
  EXPECT_THROW(meter->SetLineCount(0), EAudioError);
  EXPECT_THROW(meter->SetFFTWindowType(4), EAudioError);
  EXPECT_THROW(meter->SetMidPoint(101), EAudioError);
  EXPECT_EQ(meter->LineCount(), 196);
}

}  // namespace
