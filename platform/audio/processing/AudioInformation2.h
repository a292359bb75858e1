#pragma once
// TAudioInformation2: the tags, length, rate and channels of any registered audio format
// (ReadTagsFrom), and the tags read last written into another file (WriteTagsTo) through a temporary
// copy that replaces it, the audio bytes unchanged: WAV LIST/INFO, MP3 ID3v2.3 (plus ID3v1 after
// SetOption(-1)) and Ogg Vorbis comments. Other formats have no tags written and stay as they are.
// Genres are mapped onto the standard list of 148 names ("Other" for any other genre).

#include <cstdint>

#include "platform/audio/core/AudioFormat.h"
#include "platform/framework/classes/Component.h"

class TAudioInformation2 : public TComponent {
  DECLARE_CLASS(TAudioInformation2, TComponent)
 public:
  explicit TAudioInformation2(TComponent* AOwner);
  ~TAudioInformation2() override;

  // Raises naming the file and the problem for a damaged or unsupported file.
  void ReadTagsFrom(const String& Path);
  void WriteTagsTo(const String& Path);

  // Of the file read last: frames, rate and channels.
  std::int64_t GetLength() const;
  int GetSampleRate() const;
  int GetChannels() const;

  const AudioTags& Tags() const { return tags_; }
  void SetTags(const AudioTags& Tags);

  // -1: MP3 files get an ID3v1 tag besides the ID3v2 tag.
  void SetOption(int Value);

 private:
  AudioTags tags_;
  std::int64_t length_ = 0;
  int sampleRate_ = 0, channels_ = 0;
  bool withId3v1_ = false;
};
