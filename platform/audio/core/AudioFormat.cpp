#include "platform/audio/core/AudioFormat.h"

#include <algorithm>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"

String FormatText(const AudioFileInfo& info) {
  String text = info.Container + L" " + info.Encoding;
  if (info.BitsPerSample > 0) text += L" " + std::to_wstring(info.BitsPerSample) + L"-bit";
  text += L", " + std::to_wstring(info.SampleRate) + L" Hz, ";
  text += info.Channels == 1 ? L"Mono" : info.Channels == 2 ? L"Stereo" : std::to_wstring(info.Channels) + L" channels";
  return text;
}

PcmArrayDecoder::PcmArrayDecoder(std::shared_ptr<ByteSource> source, AudioFileInfo info, std::int64_t dataOffset,
                                 SampleLayout layout)
    : source_(std::move(source)), info_(std::move(info)), dataOffset_(dataOffset), layout_(layout) {}

std::int64_t PcmArrayDecoder::Read(float* out, std::int64_t frames) {
  frames = std::clamp<std::int64_t>(info_.Frames - position_, 0, frames);
  const std::int64_t frameBytes = static_cast<std::int64_t>(layout_.BytesPerSample()) * info_.Channels;
  const std::size_t size = static_cast<std::size_t>(frames * frameBytes);
  if (bytes_.size() < size) bytes_.resize(size);
  ReadExactly(*source_, dataOffset_ + position_ * frameBytes, bytes_.data(), size);
  DecodeSamples(layout_, bytes_.data(), out, static_cast<std::size_t>(frames * info_.Channels));
  position_ += frames;
  return frames;
}

bool PcmArrayDecoder::DirectLayout(std::int64_t& dataOffset, SampleLayout& layout) const {
  dataOffset = dataOffset_;
  layout = layout_;
  return true;
}

void PcmArrayWriter::Write(ByteSink& sink, const float* samples, std::int64_t frames) {
  constexpr std::int64_t kChunkFrames = 32768;
  const std::size_t frameBytes = static_cast<std::size_t>(layout_.BytesPerSample() * channels_);
  if (bytes_.size() < kChunkFrames * frameBytes) bytes_.resize(kChunkFrames * frameBytes);
  while (frames > 0) {
    const std::int64_t n = std::min(frames, kChunkFrames);
    const std::size_t values = static_cast<std::size_t>(n * channels_);
    EncodeSamples(layout_, samples, bytes_.data(), values);
    sink.Write(bytes_.data(), values * static_cast<std::size_t>(layout_.BytesPerSample()));
    written_ += static_cast<std::int64_t>(values) * layout_.BytesPerSample();
    samples += values;
    frames -= n;
  }
}
