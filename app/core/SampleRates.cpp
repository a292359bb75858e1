#include "app/core/SampleRates.h"

#include <iterator>

namespace {

constexpr int kNewFileRates[] = {96000, 88200, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000, 6000};
constexpr int kConversionRates[] = {96000, 88200, 48000, 44100, 32000, 22050, 16000, 11025, 8000, 6000};
static_assert(std::size(kNewFileRates) == NewFileRateCount);
static_assert(std::size(kConversionRates) == ConversionRateCount);
static_assert(kNewFileRates[NewFileDefaultRateIndex] == 44100);

constexpr int kOtherRate = 44100;

template <std::size_t N>
int RateOfIndex(const int (&rates)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? rates[index] : kOtherRate;
}

template <std::size_t N>
int IndexOfRate(const int (&rates)[N], int rate) {
  for (std::size_t i = 0; i < N; ++i)
    if (rates[i] == rate) return static_cast<int>(i);
  return IndexOfRate(rates, kOtherRate);
}

}  // namespace

int NewFileSampleRateOfIndex(int Index) { return RateOfIndex(kNewFileRates, Index); }
int ConversionSampleRateOfIndex(int Index) { return RateOfIndex(kConversionRates, Index); }
int ConversionRateIndexOf(int SampleRate) { return IndexOfRate(kConversionRates, SampleRate); }
