#pragma once
// File types by save code and by extension. A type with no decoder or encoder plugged in yet raises
// "format not available" when asked for one; the formats of the next layer plug in the same way.

#include <functional>
#include <memory>
#include <vector>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

constexpr int kFileTypeWav = 1;
constexpr int kFileTypeMp3 = 2;
constexpr int kFileTypeAiff = 3;
constexpr int kFileTypeOgg = 6;
constexpr int kFileTypeWma = 11;

struct FileType {
  int Code = 0;  // the save code; 0 for types that are only read
  String Name;
  std::vector<String> Extensions;  // lower case, with the dot
  std::function<bool(const ByteSource&)> Sniff;
  std::function<std::unique_ptr<AudioDecoder>(std::shared_ptr<ByteSource>)> OpenDecoder;
  std::function<std::unique_ptr<AudioEncoder>(std::unique_ptr<ByteSink>, const EncoderSettings&, const AudioTags&)>
      CreateEncoder;
};

class FormatRegistry {
 public:
  // WAV and AIFF with their decoders and encoders, and the other known types without.
  static FormatRegistry& Default();

  // Adds a type or replaces the one with the same name.
  void Register(FileType type);
  const FileType* ByCode(int code) const;
  const FileType* ByExtension(const String& path) const;

  // A decoder for the file: by its content first, then by the path's extension.
  std::unique_ptr<AudioDecoder> OpenDecoder(std::shared_ptr<ByteSource> source, const String& path) const;
  std::unique_ptr<AudioEncoder> CreateEncoder(int code, std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                              const AudioTags& tags) const;

 private:
  std::vector<FileType> types_;
};

// The path's extension in lower case with the dot; empty when the last dot is in a folder name.
String ExtensionOf(const String& path);
