#include "platform/audio/core/DocumentFile.h"

#include <algorithm>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/FormatConverter.h"

LoadedDocument LoadDocument(std::shared_ptr<ByteSource> source, const String& path, BlockStore& store,
                            const FormatRegistry& registry, const ProgressCallback& progress) {
  std::unique_ptr<AudioDecoder> decoder = registry.OpenDecoder(source, path);
  const AudioFileInfo& info = decoder->Info();
  LoadedDocument loaded;
  loaded.Doc = EmptyDocument(info.SampleRate, info.Channels);
  loaded.Doc.SourcePath = path;
  loaded.Doc.SourceInfo = info;
  loaded.Doc.HasSourceInfo = true;
  loaded.Doc.Tags = info.Tags;
  const int channels = info.Channels;
  std::int64_t dataOffset = 0;
  SampleLayout layout;
  const bool direct = decoder->DirectLayout(dataOffset, layout);
  const std::int64_t frameBytes = static_cast<std::int64_t>(layout.BytesPerSample()) * channels;
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * channels));
  std::vector<Segment> segments;
  if (progress) progress(0, info.Frames);
  for (std::int64_t done = 0;;) {
    const std::int64_t frames = decoder->Read(piece.data(), kBlockFrames);
    if (frames <= 0) break;
    BlockRef block;
    if (direct) {
      PeakSummary summary;
      summary.Build(piece.data(), frames, channels);
      block = store.CreateFileBacked(source, dataOffset + done * frameBytes, layout, frames, channels, std::move(summary));
    } else {
      block = store.Create(piece.data(), frames, channels);
    }
    segments.push_back({std::move(block), 0, frames});
    done += frames;
    if (progress) progress(done, info.Frames);
  }
  loaded.Doc.Audio = std::make_shared<const BlockList>(channels, std::move(segments));
  if (direct) loaded.Source = std::move(source);
  return loaded;
}

BlockListRef DecodeIntoStore(std::shared_ptr<ByteSource> source, const String& path, int channels, int sampleRate,
                             BlockStore& store, const FormatRegistry& registry, const ProgressCallback& progress) {
  std::unique_ptr<AudioDecoder> decoder = registry.OpenDecoder(std::move(source), path);
  const AudioFileInfo& info = decoder->Info();
  FormatConverter converter(info.Channels, info.SampleRate, channels, sampleRate);
  BlockWriter writer(store, channels);
  const FrameConsumer consume = [&writer](const float* samples, std::int64_t frames) { writer.Write(samples, frames); };
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * info.Channels));
  if (progress) progress(0, info.Frames);
  for (std::int64_t done = 0;;) {
    const std::int64_t frames = decoder->Read(piece.data(), kBlockFrames);
    if (frames <= 0) break;
    converter.Push(piece.data(), frames, consume);
    done += frames;
    if (progress) progress(done, info.Frames);
  }
  converter.Finish(consume);
  return std::make_shared<const BlockList>(channels, writer.Finish());
}

BlockListRef ConvertAudio(const BlockList& audio, int fromRate, int toChannels, int toRate, BlockStore& store,
                          const ProgressCallback& progress) {
  FormatConverter converter(audio.Channels(), fromRate, toChannels, toRate);
  if (converter.Identity()) return std::make_shared<const BlockList>(audio);
  BlockWriter writer(store, toChannels);
  const FrameConsumer consume = [&writer](const float* samples, std::int64_t frames) { writer.Write(samples, frames); };
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * audio.Channels()));
  const std::int64_t total = audio.Frames();
  if (progress) progress(0, total);
  for (std::int64_t done = 0; done < total;) {
    const std::int64_t frames = std::min(kBlockFrames, total - done);
    audio.Read(done, frames, piece.data());
    converter.Push(piece.data(), frames, consume);
    done += frames;
    if (progress) progress(done, total);
  }
  converter.Finish(consume);
  return std::make_shared<const BlockList>(toChannels, writer.Finish());
}

void EncodeAudio(const BlockList& audio, std::int64_t from, std::int64_t to, int sampleRate, AudioEncoder& encoder,
                 const EncoderSettings& settings, const ProgressCallback& progress) {
  FormatConverter converter(audio.Channels(), sampleRate, settings.Channels, settings.SampleRate);
  const FrameConsumer consume = [&encoder](const float* samples, std::int64_t frames) { encoder.Write(samples, frames); };
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * audio.Channels()));
  if (progress) progress(0, to - from);
  for (std::int64_t position = from; position < to;) {
    const std::int64_t frames = std::min(kBlockFrames, to - position);
    audio.Read(position, frames, piece.data());
    converter.Push(piece.data(), frames, consume);
    position += frames;
    if (progress) progress(position - from, to - from);
  }
  converter.Finish(consume);
}
