#include "platform/audio/core/GenreNames.h"

#include <gtest/gtest.h>

#include "platform/audio/core/AudioError.h"

namespace {

TEST(GenreNames, NumberedAsTheStandardListAndBounded) {
  const std::pair<int, const wchar_t*> known[] = {
      {0, L"Blues"}, {17, L"Rock"}, {79, L"Hard Rock"}, {80, L"Folk"}, {125, L"Dance Hall"}, {147, L"Synthpop"}};
  for (const auto& [index, name] : known) EXPECT_EQ(GenreName(index), name) << index;
  for (int i = 0; i < kGenreCount; ++i) EXPECT_FALSE(GenreName(i).empty()) << i;
  EXPECT_THROW(GenreName(-1), EAudioError);
  EXPECT_THROW(GenreName(148), EAudioError);
}

}  // namespace
