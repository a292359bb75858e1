#pragma once
// Documents from and to files through the format registry.

#include <memory>

#include "platform/audio/core/Document.h"
#include "platform/audio/core/Effects.h"
#include "platform/audio/core/FormatRegistry.h"

struct LoadedDocument {
  Document Doc;
  // The opened file while blocks read from it; null when the samples were copied into the store.
  std::shared_ptr<ByteSource> Source;
};

// Reads the file once: its summaries are built and, for plain sample arrays, the blocks read from
// the file on demand; other encodings are decoded into the store.
LoadedDocument LoadDocument(std::shared_ptr<ByteSource> source, const String& path, BlockStore& store,
                            const FormatRegistry& registry, const ProgressCallback& progress);

// Decodes a whole file into the store, converted to `channels` and `sampleRate`.
BlockListRef DecodeIntoStore(std::shared_ptr<ByteSource> source, const String& path, int channels, int sampleRate,
                             BlockStore& store, const FormatRegistry& registry, const ProgressCallback& progress);

// Copies a block list into new blocks of another rate and channel count.
BlockListRef ConvertAudio(const BlockList& audio, int fromRate, int toChannels, int toRate, BlockStore& store,
                          const ProgressCallback& progress);

// Writes [from, to) of the audio converted to the encoder's settings; the caller finishes the encoder.
void EncodeAudio(const BlockList& audio, std::int64_t from, std::int64_t to, int sampleRate, AudioEncoder& encoder,
                 const EncoderSettings& settings, const ProgressCallback& progress);
