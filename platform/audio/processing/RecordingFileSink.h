#pragma once
// A sink that writes straight into its target file (no temporary copy) and, after every block,
// brings the RIFF and data sizes of the WAV header it holds up to date, so a recording interrupted
// by a crash keeps everything written so far as a valid WAV file.

#include <memory>

#include "platform/audio/core/ByteStream.h"

class RecordingFileSink : public ByteSink {
 public:
  // Creates (or empties) the file; raises EAudioError when it cannot.
  static std::unique_ptr<RecordingFileSink> Create(const String& path);
  ~RecordingFileSink() override;

  void Write(const void* data, std::size_t count) override;
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override;
  std::int64_t Position() const override { return size_; }
  void Commit() override {}

  // Writes the sizes of everything written so far into the RIFF header and the data chunk.
  void UpdateWavSizes();

 private:
  RecordingFileSink(const String& path, void* file) : path_(path), file_(file) {}
  std::int64_t DataChunkAt() const;

  String path_;
  void* file_;
  std::int64_t size_ = 0;
  unsigned char header_[256] = {};  // the first bytes written, where the chunk headers are
};
