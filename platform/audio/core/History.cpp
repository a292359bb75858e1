#include "platform/audio/core/History.h"

#include <algorithm>

void History::SetLimit(int steps) {
  limit_ = std::max(0, steps);
  Trim();
}

void History::Trim() {
  while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
  while (static_cast<int>(redo_.size()) > limit_) redo_.pop_front();
}

void History::BeginCompound(DocumentState current) {
  if (depth_++ == 0) {
    bracketRecorded_ = false;
    bracketStart_ = std::move(current);
  }
}

void History::Record(DocumentState before) {
  if (depth_ > 0) {
    if (bracketRecorded_) return;
    bracketRecorded_ = true;
    before = std::move(bracketStart_);
  }
  undo_.push_back(std::move(before));
  redo_.clear();
  Trim();
}

void History::EndCompound() {
  if (depth_ == 0) return;
  if (--depth_ == 0) {
    bracketRecorded_ = false;
    bracketStart_ = DocumentState{};
  }
}

DocumentState History::Undo(DocumentState current) {
  CloseCompound();
  DocumentState state = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(current));
  return state;
}

DocumentState History::Redo(DocumentState current) {
  CloseCompound();
  DocumentState state = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(std::move(current));
  return state;
}

void History::Clear() {
  undo_.clear();
  redo_.clear();
  CloseCompound();
}

DocumentState CaptureState(const Document& doc, std::int64_t selectionStart, std::int64_t selectionEnd) {
  DocumentState state;
  state.Audio = doc.Audio;
  state.SampleRate = doc.SampleRate;
  state.Channels = doc.Channels;
  state.Markers.reserve(doc.Markers.size());
  for (const Marker& m : doc.Markers) state.Markers.push_back({m.Key, m.Position, m.Length});
  state.SelectionStart = selectionStart;
  state.SelectionEnd = selectionEnd;
  return state;
}

void RestoreState(Document& doc, const DocumentState& state) {
  doc.Audio = state.Audio;
  doc.SampleRate = state.SampleRate;
  doc.Channels = state.Channels;
  for (Marker& m : doc.Markers) {
    const auto it = std::find_if(state.Markers.begin(), state.Markers.end(),
                                 [&](const MarkerPlace& p) { return p.Key == m.Key; });
    if (it != state.Markers.end()) {
      m.Position = it->Position;
      m.Length = it->Length;
      continue;
    }
    // Added after this step: it stays, within the restored audio.
    const std::int64_t length = doc.Length();
    const std::int64_t end = std::min(m.Position + m.Length, length);
    m.Position = std::min(m.Position, length);
    m.Length = std::max<std::int64_t>(0, end - m.Position);
  }
}
