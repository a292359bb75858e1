#pragma once
// One open document: format, audio, tags and markers. Markers are numbered 1..count in the order
// they were added; deleting one renumbers the later ones. Each also has a key that never changes,
// by which the history finds it.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/BlockList.h"

class ByteSource;

struct Marker {
  std::uint64_t Key = 0;
  std::int64_t Position = 0;
  std::int64_t Length = 0;  // 0 for a bookmark
  String Name;
  String Kind;  // "Bookmark", "Region", as the caller gave it
};

// Where a position lands when [from, to) is replaced by `inserted` frames.
std::int64_t MapPosition(std::int64_t position, std::int64_t from, std::int64_t to, std::int64_t inserted);
// Moves markers for that replacement: inside the replaced range a bookmark moves to its start and a
// region is clipped; after it everything shifts by the change in length.
void FollowReplace(std::vector<Marker>& markers, std::int64_t from, std::int64_t to, std::int64_t inserted);
// Where a position lands when the audio of [from, to) is resized in place to `produced` frames: inside
// the range it scales with the audio, after it it shifts by the change in length.
std::int64_t ScalePosition(std::int64_t position, std::int64_t from, std::int64_t to, std::int64_t produced);
// Moves markers for that resizing; a replacement of the same length moves none.
void FollowResize(std::vector<Marker>& markers, std::int64_t from, std::int64_t to, std::int64_t produced);

struct Document {
  int SampleRate = 44100;
  int Channels = 2;
  BlockListRef Audio = std::make_shared<const BlockList>(2);
  AudioTags Tags;
  std::vector<Marker> Markers;
  // The file the document came from and its format; empty for a new document.
  String SourcePath;
  AudioFileInfo SourceInfo;
  bool HasSourceInfo = false;

  std::int64_t Length() const { return Audio->Frames(); }
};

// An empty document of that format (checked).
Document EmptyDocument(int sampleRate, int channels);
