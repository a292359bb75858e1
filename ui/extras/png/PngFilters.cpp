#include "ui/extras/png/PngFilters.h"

#include <cstring>

namespace {

template <int Step>
void UnpaethFixed(Byte* row, const Byte* above, std::size_t length) {
  for (std::size_t i = 0; i < std::size_t(Step) && i < length; ++i) row[i] = Byte(row[i] + above[i]);
  for (std::size_t i = Step; i < length; ++i)
    row[i] = Byte(row[i] + PaethPredictor(row[i - Step], above[i], above[i - Step]));
}

void Unpaeth(Byte* row, const Byte* above, std::size_t length, int step) {
  switch (step) {
    case 1: return UnpaethFixed<1>(row, above, length);
    case 3: return UnpaethFixed<3>(row, above, length);
    case 4: return UnpaethFixed<4>(row, above, length);
    case 6: return UnpaethFixed<6>(row, above, length);
    case 8: return UnpaethFixed<8>(row, above, length);
    default: return UnpaethFixed<2>(row, above, length);
  }
}

}  // namespace

void UnfilterRow(int filterType, Byte* row, const Byte* above, std::size_t length, int step) {
  const std::size_t s = std::size_t(step);
  switch (filterType) {
    case rfSub:
      for (std::size_t i = s; i < length; ++i) row[i] = Byte(row[i] + row[i - s]);
      return;
    case rfUp:
      for (std::size_t i = 0; i < length; ++i) row[i] = Byte(row[i] + above[i]);
      return;
    case rfAverage:
      for (std::size_t i = 0; i < s && i < length; ++i) row[i] = Byte(row[i] + above[i] / 2);
      for (std::size_t i = s; i < length; ++i) row[i] = Byte(row[i] + (row[i - s] + above[i]) / 2);
      return;
    case rfPaeth: return Unpaeth(row, above, length, step);
    default: return;
  }
}

TPngFilterChooser::TPngFilterChooser(TPngRowFilters filters, std::size_t rowLength, int pixelStep)
    : filters_(filters), length_(rowLength), step_(pixelStep), raw_(rowLength), previous_(rowLength) {
  for (int f = rfNone; f <= rfPaeth; ++f)
    if (f == rfNone || (filters_ & PngFilterBit(TPngRowFilter(f)))) {
      candidates_[f].assign(rowLength + 1, 0);
      candidates_[f][0] = Byte(f);
    }
}

void TPngFilterChooser::StartPass(std::size_t rowLength) {
  length_ = rowLength;
  std::memset(previous_.data(), 0, rowLength);
}

const Byte* TPngFilterChooser::FilterRow() {
  const Byte* raw = raw_.data();
  const Byte* up = previous_.data();
  const std::size_t s = std::size_t(step_);
  auto left = [&](const Byte* row, std::size_t i) -> int { return i >= s ? row[i - s] : 0; };
  if (!candidates_[rfSub].empty()) {
    Byte* out = candidates_[rfSub].data() + 1;
    for (std::size_t i = 0; i < length_; ++i) out[i] = Byte(raw[i] - left(raw, i));
  }
  if (!candidates_[rfUp].empty()) {
    Byte* out = candidates_[rfUp].data() + 1;
    for (std::size_t i = 0; i < length_; ++i) out[i] = Byte(raw[i] - up[i]);
  }
  if (!candidates_[rfAverage].empty()) {
    Byte* out = candidates_[rfAverage].data() + 1;
    for (std::size_t i = 0; i < length_; ++i) out[i] = Byte(raw[i] - (up[i] + left(raw, i)) / 2);
  }
  if (!candidates_[rfPaeth].empty()) {
    Byte* out = candidates_[rfPaeth].data() + 1;
    for (std::size_t i = 0; i < length_; ++i)
      out[i] = Byte(raw[i] - PaethPredictor(left(raw, i), up[i], left(up, i)));
  }
  std::memcpy(candidates_[rfNone].data() + 1, raw, length_);
  std::memcpy(previous_.data(), raw, length_);
  return candidates_[Choose()].data();
}

int TPngFilterChooser::Choose() const {
  if (filters_ == 0 || filters_ == PngFilterBit(rfNone)) return rfNone;
  int best = rfNone;
  int bestScore = 0;
  for (int f = rfNone; f <= rfPaeth; ++f) {
    if (!(filters_ & PngFilterBit(TPngRowFilter(f)))) continue;
    if (filters_ == PngFilterBit(TPngRowFilter(f))) return f;
    const int score = RunScore(candidates_[f].data() + 1);
    if (score > bestScore) best = f, bestScore = score;
  }
  return best;
}

// Positions whose byte repeats one of the two bytes before it: runs compress well.
int TPngFilterChooser::RunScore(const Byte* c) const {
  int score = 0;
  for (std::size_t j = 2; j < length_; ++j)
    if (c[j] == c[j - 1] || c[j] == c[j - 2]) ++score;
  return score;
}
