// The new-file and conversion rate lists: index to rate and rate to index.

#include <gtest/gtest.h>

#include "app/core/SampleRates.h"

namespace {

TEST(SampleRates, IndexesAndRatesOfBothLists) {
  struct Case {
    int (*Table)(int);
    int Argument;
    int Expected;
  } cases[] = {
      {NewFileSampleRateOfIndex, 0, 96000},       {NewFileSampleRateOfIndex, 3, 44100},
      {NewFileSampleRateOfIndex, 5, 24000},       {NewFileSampleRateOfIndex, 8, 12000},
      {NewFileSampleRateOfIndex, 11, 6000},       {NewFileSampleRateOfIndex, 12, 44100},
      {NewFileSampleRateOfIndex, -1, 44100},      {ConversionSampleRateOfIndex, 5, 22050},
      {ConversionSampleRateOfIndex, 9, 6000},     {ConversionSampleRateOfIndex, 10, 44100},
      {ConversionSampleRateOfIndex, -1, 44100},   {ConversionRateIndexOf, 6000, 9},
      {ConversionRateIndexOf, 96000, 0},          {ConversionRateIndexOf, 44100, 3},
      {ConversionRateIndexOf, 24000, 3},          {ConversionRateIndexOf, 12000, 3},
      {ConversionRateIndexOf, 0, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Table(c.Argument), c.Expected) << c.Argument;
  EXPECT_EQ(ConversionSampleRateOfIndex(ConversionRateIndexOf(24000)), 44100);
  EXPECT_EQ(NewFileSampleRateOfIndex(NewFileDefaultRateIndex), 44100);
}

}  // namespace
