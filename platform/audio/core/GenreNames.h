#pragma once
// The standard list of 148 genre names that genre tags are numbered by.

#include "platform/framework/base/Types.h"

constexpr int kGenreCount = 148;

// The name of genre `index` (0..147); raises EAudioError for any other index.
String GenreName(int index);
