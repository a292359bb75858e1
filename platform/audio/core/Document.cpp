#include "platform/audio/core/Document.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/core/SampleBuffer.h"

std::int64_t MapPosition(std::int64_t position, std::int64_t from, std::int64_t to, std::int64_t inserted) {
  if (position < from) return position;
  if (position < to) return from;
  return position - (to - from) + inserted;
}

void FollowReplace(std::vector<Marker>& markers, std::int64_t from, std::int64_t to, std::int64_t inserted) {
  for (Marker& m : markers) {
    const std::int64_t start = MapPosition(m.Position, from, to, inserted);
    if (m.Length == 0) {
      m.Position = start;
      continue;
    }
    const std::int64_t end = m.Position + m.Length;
    // A region that ends where audio is inserted does not swallow it.
    const std::int64_t newEnd = (from == to && end == from) ? end : MapPosition(end, from, to, inserted);
    m.Position = start;
    m.Length = std::max<std::int64_t>(0, newEnd - start);
  }
}

std::int64_t ScalePosition(std::int64_t position, std::int64_t from, std::int64_t to, std::int64_t produced) {
  if (position <= from) return position;
  if (position >= to) return position - (to - from) + produced;
  // Long double: the product of two long documents' frame counts passes 2^63.
  const long double scaled = static_cast<long double>(position - from) * produced / (to - from);
  return from + std::llround(scaled);
}

void FollowResize(std::vector<Marker>& markers, std::int64_t from, std::int64_t to, std::int64_t produced) {
  if (produced == to - from) return;
  for (Marker& m : markers) {
    const std::int64_t start = ScalePosition(m.Position, from, to, produced);
    m.Length = ScalePosition(m.Position + m.Length, from, to, produced) - start;
    m.Position = start;
  }
}

Document EmptyDocument(int sampleRate, int channels) {
  CheckSampleRate(sampleRate);
  CheckChannelCount(channels);
  Document doc;
  doc.SampleRate = sampleRate;
  doc.Channels = channels;
  doc.Audio = std::make_shared<const BlockList>(channels);
  return doc;
}
