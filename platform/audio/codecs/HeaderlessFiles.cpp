#include "platform/audio/codecs/HeaderlessFiles.h"

#include <algorithm>
#include <vector>

#include "platform/audio/codecs/G726.h"
#include "platform/audio/codecs/VoxAdpcm.h"
#include "platform/audio/core/AudioError.h"

namespace {

constexpr int kTelephoneRate = 8000;

AudioFileInfo MonoAdpcmInfo(const String& container, int bitsPerCode, std::int64_t bytes) {
  AudioFileInfo info;
  info.Container = container;
  info.Encoding = L"ADPCM";
  info.SampleRate = kTelephoneRate;
  info.Channels = 1;
  info.BitsPerSample = bitsPerCode;
  info.Frames = bytes * 8 / bitsPerCode;
  return info;
}

// Reads the file's bytes in pieces and turns each code into a sample through `Codec`.
template <typename Codec>
class AdpcmFileDecoder : public AudioDecoder {
 public:
  AdpcmFileDecoder(std::shared_ptr<ByteSource> source, AudioFileInfo info, Codec codec, bool highNibbleFirst)
      : source_(std::move(source)), info_(std::move(info)), codec_(std::move(codec)),
        highNibbleFirst_(highNibbleFirst) {}

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    frames = std::clamp<std::int64_t>(info_.Frames - position_, 0, frames);
    for (std::int64_t i = 0; i < frames; ++i) out[i] = codec_.Sample(NextCode());
    position_ += frames;
    return frames;
  }

 private:
  int NextCode() {
    const int bits = info_.BitsPerSample;
    if (bitCount_ < bits) {
      if (pieceAt_ == piece_.size()) Refill();
      const int byte = piece_[pieceAt_++];
      // Nibble order is a property of the format: high first for VOX; G.726 fills from the low bits.
      bitBuffer_ |= (highNibbleFirst_ ? ((byte >> 4) | ((byte & 15) << 4)) : byte) << bitCount_;
      bitCount_ += 8;
    }
    const int code = bitBuffer_ & ((1 << bits) - 1);
    bitBuffer_ >>= bits;
    bitCount_ -= bits;
    return code;
  }

  void Refill() {
    piece_.resize(8192);
    const std::size_t got = source_->ReadAt(byteOffset_, piece_.data(), piece_.size());
    if (got == 0) throw EAudioError(L"The file is truncated.");
    piece_.resize(got);
    byteOffset_ += static_cast<std::int64_t>(got);
    pieceAt_ = 0;
  }

  std::shared_ptr<ByteSource> source_;
  AudioFileInfo info_;
  Codec codec_;
  bool highNibbleFirst_;
  std::vector<std::uint8_t> piece_;
  std::size_t pieceAt_ = 0;
  std::int64_t byteOffset_ = 0;
  int bitBuffer_ = 0;
  int bitCount_ = 0;
  std::int64_t position_ = 0;
};

struct VoxSamples {
  VoxAdpcmDecoder Decoder;
  float Sample(int code) { return static_cast<float>(Decoder.Decode(code)) / 2048.0f; }
};

struct G726Samples {
  G726Codec Codec;
  float Sample(int code) { return std::clamp(static_cast<float>(Codec.Decode(code)) / 8192.0f, -1.0f, 1.0f); }
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenRawDecoder(std::shared_ptr<ByteSource> source) {
  AudioFileInfo info;
  info.Container = L"RAW";
  info.Encoding = L"PCM";
  info.SampleRate = 44100;
  info.Channels = 2;
  info.BitsPerSample = 16;
  info.Frames = source->Size() / 4;
  return std::make_unique<PcmArrayDecoder>(std::move(source), std::move(info), 0,
                                           SampleLayout{SampleEncoding::Pcm16, false});
}

std::unique_ptr<AudioDecoder> OpenVoxDecoder(std::shared_ptr<ByteSource> source) {
  AudioFileInfo info = MonoAdpcmInfo(L"VOX", 4, source->Size());
  return std::make_unique<AdpcmFileDecoder<VoxSamples>>(std::move(source), std::move(info), VoxSamples{}, true);
}

std::unique_ptr<AudioDecoder> OpenG726Decoder(std::shared_ptr<ByteSource> source, int bitsPerCode,
                                              const String& name) {
  AudioFileInfo info = MonoAdpcmInfo(name, bitsPerCode, source->Size());
  return std::make_unique<AdpcmFileDecoder<G726Samples>>(std::move(source), std::move(info),
                                                         G726Samples{G726Codec(bitsPerCode)}, false);
}
