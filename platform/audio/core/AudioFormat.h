#pragma once
// What every file format plugs into the engine: a description of an opened file, tags, and the
// decoder and encoder interfaces the format registry hands out.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/core/SampleCodec.h"
#include "platform/framework/base/Types.h"

class ByteSink;

struct AudioTags {
  String Title, Artist, Album, Year, Comment, Genre;
  bool Empty() const {
    return Title.empty() && Artist.empty() && Album.empty() && Year.empty() && Comment.empty() && Genre.empty();
  }
};

struct AudioFileInfo {
  String Container;    // "WAV", "AIFF", ...
  String Encoding;     // "PCM", "IEEE float", "A-law", "u-law"
  int SampleRate = 44100;
  int Channels = 2;
  int BitsPerSample = 16;
  std::int64_t Frames = 0;
  AudioTags Tags;
};

// "WAV PCM 16-bit, 44100 Hz, Stereo".
String FormatText(const AudioFileInfo& info);

// Reads a file's frames in order.
class AudioDecoder {
 public:
  virtual ~AudioDecoder() = default;
  virtual const AudioFileInfo& Info() const = 0;
  // Reads up to `frames` frames; fewer only at the end (0 there).
  virtual std::int64_t Read(float* out, std::int64_t frames) = 0;
  // For files holding their samples as a plain array: where it starts and how it is encoded, so the
  // engine can read blocks in place. False for compressed formats.
  virtual bool DirectLayout(std::int64_t& dataOffset, SampleLayout& layout) const {
    (void)dataOffset;
    (void)layout;
    return false;
  }
};

// The output settings of one file type: rate, channels and bit depth (32 = float for WAV).
struct EncoderSettings {
  int SampleRate = 44100;
  int Channels = 2;
  int BitsPerSample = 16;
};

// Writes frames in order; Finish completes the file and commits the sink.
class AudioEncoder {
 public:
  virtual ~AudioEncoder() = default;
  virtual void Write(const float* samples, std::int64_t frames) = 0;
  virtual void Finish() = 0;
};

class ByteSource;

// The decoder of a plain sample array in a file, shared by the WAV and AIFF readers.
class PcmArrayDecoder : public AudioDecoder {
 public:
  PcmArrayDecoder(std::shared_ptr<ByteSource> source, AudioFileInfo info, std::int64_t dataOffset,
                  SampleLayout layout);
  const AudioFileInfo& Info() const override { return info_; }
  std::int64_t Read(float* out, std::int64_t frames) override;
  bool DirectLayout(std::int64_t& dataOffset, SampleLayout& layout) const override;

 private:
  std::shared_ptr<ByteSource> source_;
  AudioFileInfo info_;
  std::int64_t dataOffset_;
  SampleLayout layout_;
  std::int64_t position_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Encodes frames and appends them to a sink through a reused buffer.
class PcmArrayWriter {
 public:
  PcmArrayWriter(SampleLayout layout, int channels) : layout_(layout), channels_(channels) {}
  void Write(ByteSink& sink, const float* samples, std::int64_t frames);
  std::int64_t BytesWritten() const { return written_; }

 private:
  SampleLayout layout_;
  int channels_;
  std::vector<std::uint8_t> bytes_;
  std::int64_t written_ = 0;
};
