#include "app/SampleTimes.h"

#include <cmath>

#include "app/core/TimeText.h"
#include "platform/audio/editor/AudioEditor.h"

int SampleMilliseconds(TAudioEditor2& Editor, std::int64_t Samples) {
  return static_cast<int>(std::trunc(Editor.Position()->SamplesToMilliseconds(Samples)));
}

String SampleTimeText(TAudioEditor2& Editor, std::int64_t Samples) {
  return FormatTimeText(SampleMilliseconds(Editor, Samples));
}

int ScrollBarPositionOf(std::int64_t Position, std::int64_t Length) {
  const double ratio = static_cast<double>(Position) / static_cast<double>(Length);
  return static_cast<int>(std::nearbyint(ratio * SelectionScrollMax));
}

std::int64_t SamplePositionOfBar(int Bar, std::int64_t Length) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(Length) * Bar / SelectionScrollMax));
}
