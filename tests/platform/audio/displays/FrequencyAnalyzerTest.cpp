#include "platform/audio/displays/FrequencyAnalyzer.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

constexpr int kSize = 1024;

std::vector<float> Tone(double bin, double amplitude) {
  std::vector<float> samples(kSize);
  for (int i = 0; i < kSize; ++i) samples[i] = static_cast<float>(amplitude * std::sin(2 * 3.14159265358979 * bin * i / kSize));
  return samples;
}

float LevelAt(SpectrumWindow window, const std::vector<float>& samples, int bin) {
  FrequencyAnalyzer analyzer;
  analyzer.Configure(kSize, window);
  std::vector<float> levels(analyzer.Bins());
  analyzer.Levels(samples.data(), levels.data());
  return levels[bin];
}

constexpr SpectrumWindow kWindows[] = {SpectrumWindow::Rectangular, SpectrumWindow::Hamming, SpectrumWindow::Blackman,
                                       SpectrumWindow::Hann};

TEST(FrequencyAnalyzer, EveryWindowReadsASineAtItsLevel) {
  for (SpectrumWindow window : kWindows) {
    EXPECT_NEAR(LevelAt(window, Tone(64, 1.0), 64), 0.0, 0.01) << static_cast<int>(window);
    EXPECT_NEAR(LevelAt(window, Tone(64, 0.5), 64), -6.02, 0.01) << static_cast<int>(window);
  }
}

TEST(FrequencyAnalyzer, WindowsLeakLessInTheirKnownOrder) {
  // A tone between two bins, measured ten bins away: rectangular leaks most, then Hamming, Hann,
  // Blackman.
  const std::vector<float> tone = Tone(64.5, 1.0);
  const float rectangular = LevelAt(SpectrumWindow::Rectangular, tone, 75);
  const float hamming = LevelAt(SpectrumWindow::Hamming, tone, 75);
  const float hann = LevelAt(SpectrumWindow::Hann, tone, 75);
  const float blackman = LevelAt(SpectrumWindow::Blackman, tone, 75);
  EXPECT_GT(rectangular, -35.0f);
  EXPECT_LT(hamming, rectangular - 10);
  EXPECT_LT(hann, hamming - 10);
  EXPECT_LT(blackman, hann - 5);
}

struct SpanCase {
  int bins, columns;
};

class BinSpans : public testing::TestWithParam<SpanCase> {};

TEST_P(BinSpans, CoverEveryBinInOrderFromFirstToLast) {
  const SpanCase c = GetParam();
  for (bool logarithmic : {false, true}) {
    std::vector<BinSpan> spans;
    if (logarithmic) LogBinSpans(c.bins, c.columns, spans);
    else LinearBinSpans(c.bins, c.columns, spans);
    ASSERT_EQ(spans.size(), static_cast<std::size_t>(c.columns));
    EXPECT_EQ(spans.front().First, 0);
    EXPECT_EQ(spans.back().Last, c.bins - 1);
    int covered = spans.front().Last;
    for (std::size_t i = 1; i < spans.size(); ++i) {
      ASSERT_LE(spans[i].First, spans[i].Last);
      ASSERT_GE(spans[i].First, spans[i - 1].First);
      // No bin between two columns is skipped.
      ASSERT_LE(spans[i].First, covered + 1) << "column " << i << (logarithmic ? " log" : " linear");
      covered = std::max(covered, spans[i].Last);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BinSpans,
                         testing::Values(SpanCase{513, 196}, SpanCase{513, 401}, SpanCase{2049, 401}, SpanCase{5, 20},
                                         SpanCase{129, 1}));

}  // namespace
