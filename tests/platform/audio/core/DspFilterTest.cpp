#include "platform/audio/core/Biquad.h"

#include <gtest/gtest.h>

#include "DspTestUtil.h"
#include "platform/audio/core/Equalizer.h"

namespace {

using namespace dsp_test;

struct FilterCase {
  const char* name;
  FilterType type;
  float frequency, steepness, gainDb;
  double probeHz, expectedDb, toleranceDb;
};

// Each filter's defining points: -3 dB at the corner, 0 dB or a null at a band centre, the peak
// and shelf gains.
const FilterCase kFilterCases[] = {
    {"LowPass2", FilterType::LowPass, 1000, 0, 0, 1000, -3.01, 0.3},
    {"LowPass8", FilterType::LowPass, 1000, 100, 0, 1000, -3.01, 0.3},
    {"HighPass4", FilterType::HighPass, 3000, 30, 0, 3000, -3.01, 0.3},
    {"HighPass8Radio", FilterType::HighPass, 2000, 100, 0, 2000, -3.01, 0.3},
    {"LowPassPassBand", FilterType::LowPass, 4000, 100, 0, 200, 0.0, 0.05},
    {"BandPassCentre", FilterType::BandPass, 1000, 50, 0, 1000, 0.0, 0.2},
    {"BandPassWideCentre", FilterType::BandPass, 300, 0, 0, 300, 0.0, 0.2},
    {"PeakBoost", FilterType::PeakEQ, 1000, 50, 12, 1000, 12.0, 0.2},
    {"PeakCut", FilterType::PeakEQ, 3000, 0, -10, 3000, -10.0, 0.2},
    {"PeakFarAway", FilterType::PeakEQ, 1000, 100, 12, 8000, 0.0, 0.2},
    {"LowShelfOnShelf", FilterType::LowShelf, 2000, 100, 12, 40, 12.0, 0.2},
    {"LowShelfHalfAtCorner", FilterType::LowShelf, 2000, 100, 12, 2000, 6.0, 0.2},
    {"LowShelfGentleHalf", FilterType::LowShelf, 1000, 0, -8, 1000, -4.0, 0.2},
    {"HighShelfOnShelf", FilterType::HighShelf, 1000, 100, -12, 20000, -12.0, 0.2},
    {"HighShelfHalfAtCorner", FilterType::HighShelf, 1000, 60, -12, 1000, -6.0, 0.2},
    {"HighShelfBelow", FilterType::HighShelf, 4000, 100, 9, 50, 0.0, 0.2},
};

class FilterResponse : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterResponse, GainAtProbe) {
  const FilterCase& c = GetParam();
  const double db = GainDb([&] { return std::make_unique<FilterEffect>(c.type, c.frequency, c.steepness, c.gainDb); },
                           c.probeHz);
  EXPECT_NEAR(db, c.expectedDb, c.toleranceDb);
}

INSTANTIATE_TEST_SUITE_P(Dsp, FilterResponse, testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One octave into the stop band a Butterworth filter of order n is at least 6n - 3 dB down.
TEST(DspFilter, ButterworthStopBandFallsWithTheOrder) {
  for (float steepness : {0.0f, 25.0f, 50.0f, 99.0f, 100.0f}) {
    const int order = ButterworthOrder(steepness);
    EXPECT_EQ(order, 2 * (1 + std::min(3, static_cast<int>(steepness) / 25))) << steepness;
    const double low = GainDb([&] { return std::make_unique<FilterEffect>(FilterType::LowPass, 2000, steepness); }, 4000);
    const double high = GainDb([&] { return std::make_unique<FilterEffect>(FilterType::HighPass, 2000, steepness); }, 1000);
    EXPECT_LE(low, -(6.0 * order - 3.0)) << steepness;
    EXPECT_LE(high, -(6.0 * order - 3.0)) << steepness;
    EXPECT_GE(low, -(6.0 * order + 12.0)) << "a response far steeper than Butterworth is wrong too: " << steepness;
  }
}

TEST(DspFilter, NotchTakesItsFrequencyAtLeast40DbDown) {
  for (float steepness : {0.0f, 50.0f, 100.0f})
    for (double hz : {200.0, 1000.0, 10000.0})
      EXPECT_LE(GainDb([&] { return std::make_unique<FilterEffect>(FilterType::Notch, float(hz), steepness); }, hz),
                -40.0)
          << hz << " Hz, " << steepness << " %";
  // ... and passes what lies well outside its band.
  EXPECT_NEAR(GainDb([] { return std::make_unique<FilterEffect>(FilterType::Notch, 1000.0f, 100.0f); }, 4000), 0.0, 0.3);
}

TEST(DspFilter, SteepnessNarrowsTheBand) {
  const auto at2k = [](float steepness) {
    return GainDb([&] { return std::make_unique<FilterEffect>(FilterType::BandPass, 1000.0f, steepness); }, 2000);
  };
  EXPECT_LT(at2k(100), at2k(50) - 6.0);
  EXPECT_LT(at2k(50), at2k(0) - 2.0);
}

// Frequencies outside [10 Hz, 0.45 x rate], absurd gains and steepness and NaN give a stable filter.
TEST(DspFilter, ParametersOutOfRangeAreClamped) {
  const float nan = std::nanf("");
  // 0 Hz acts as 10 Hz: a 10 Hz high-pass passes 1 kHz; a 99999 Hz low-pass is one at 0.45 x rate.
  EXPECT_NEAR(GainDb([] { return std::make_unique<FilterEffect>(FilterType::HighPass, 0.0f, 100.0f); }, 1000), 0.0, 0.05);
  EXPECT_NEAR(GainDb([] { return std::make_unique<FilterEffect>(FilterType::LowPass, 99999.0f, 50.0f); }, 21600), -3.01,
              0.3);
  EXPECT_NEAR(GainDb([] { return std::make_unique<FilterEffect>(FilterType::PeakEQ, 1000.0f, 50.0f, 500.0f); }, 1000),
              90.0, 0.3);
  const SampleBuffer noise = Noise(0.1, 44100, 2);
  for (FilterType type : {FilterType::LowPass, FilterType::HighPass, FilterType::BandPass, FilterType::Notch,
                          FilterType::PeakEQ, FilterType::LowShelf, FilterType::HighShelf})
    for (float hz : {-5.0f, 0.0f, 5.0f, 22050.0f, 1e9f, nan})
      for (float steepness : {-50.0f, 250.0f, nan})
        for (float gain : {-1e6f, 1e6f, nan}) {
          const SampleBuffer out = Processed(std::make_unique<FilterEffect>(type, hz, steepness, gain), noise);
          const double peak = Peak(Channel(out, 0)) + Peak(Channel(out, 1));
          EXPECT_TRUE(std::isfinite(peak) && peak < 1e5) << int(type) << " " << hz << " " << steepness << " " << gain;
        }
}

std::vector<float> Bands(int band, float value) {
  std::vector<float> gains(12, 0.0f);
  gains[static_cast<std::size_t>(band)] = value;
  return gains;
}

const std::vector<float> kBandFrequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

TEST(DspEqualizer, OneBandBoostsItsCentreAndLittleElse) {
  // 0.9 is +9 dB (90 tenths of a dB / 100).
  const auto gainAt = [](double hz) {
    return GainDb([] { return std::make_unique<EqualizerEffect>(Bands(5, 0.9f), kBandFrequencies); }, hz);
  };
  EXPECT_NEAR(gainAt(1000), 9.0, 0.5);
  EXPECT_LT(std::fabs(gainAt(250)), 1.0);
  EXPECT_LT(std::fabs(gainAt(4000)), 1.0);
  EXPECT_NEAR(GainDb([] { return std::make_unique<EqualizerEffect>(Bands(2, -1.2f), kBandFrequencies); }, 125), -12.0,
              0.5);
}

TEST(DspEqualizer, BandsAtOrAbove045OfTheRateAreSkipped) {
  // At 32000 Hz the 16 kHz band lies above 14400 Hz: +18 dB there must not leak into 12 kHz.
  const double db = GainDb([] { return std::make_unique<EqualizerEffect>(Bands(11, 1.8f), kBandFrequencies); }, 12000,
                           32000);
  EXPECT_NEAR(db, 0.0, 0.05);
}

}  // namespace
