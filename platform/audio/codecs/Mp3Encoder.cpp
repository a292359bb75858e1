#include "platform/audio/codecs/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <vector>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/FormatConverter.h"

namespace {

[[noreturn]] void Fail(const String& what) { throw EAudioError(L"MP3 encoder: " + what); }

MPEG_mode StereoModeOf(const Mp3EncoderConfig& config, int channels) {
  if (channels == 1) return MONO;
  switch (config.StereoMode) {
    case 1: return STEREO;
    case 4: return DUAL_CHANNEL;
    default: return JOINT_STEREO;
  }
}

// ID3v2 text in UTF-16 with its byte-order mark, as the tag writer wants it.
std::vector<unsigned short> Utf16WithBom(const String& text) {
  std::vector<unsigned short> units;
  units.push_back(0xFEFF);
  for (wchar_t c : text) units.push_back(static_cast<unsigned short>(c));
  units.push_back(0);
  return units;
}

class Mp3Encoder : public AudioEncoder {
 public:
  Mp3Encoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const Mp3EncoderConfig& config,
             const AudioTags& tags)
      : sink_(std::move(sink)), settled_(SettleMp3Format(config, input.SampleRate)),
        converter_(input.Channels, input.SampleRate, settled_.Channels, settled_.SampleRate),
        lame_(lame_init()) {
    if (!lame_) Fail(L"out of memory.");
    Configure(config);
    WriteTags(tags);
    if (lame_init_params(lame_) < 0) Fail(L"the settings are not accepted.");
    const std::size_t tagBytes = lame_get_id3v2_tag(lame_, nullptr, 0);
    if (tagBytes > 0) {
      std::vector<unsigned char> tag(tagBytes);
      lame_get_id3v2_tag(lame_, tag.data(), tag.size());
      sink_->Write(tag.data(), tag.size());
    }
    firstFrameAt_ = sink_->Position();
  }

  ~Mp3Encoder() override { lame_close(lame_); }

  void Write(const float* samples, std::int64_t frames) override {
    converter_.Push(samples, frames, [this](const float* s, std::int64_t n) { Encode(s, n); });
  }

  void Finish() override {
    converter_.Finish([this](const float* s, std::int64_t n) { Encode(s, n); });
    ReserveOutput(7200);
    const int bytes = lame_encode_flush(lame_, output_.data(), static_cast<int>(output_.size()));
    if (bytes < 0) Fail(L"flushing failed.");
    sink_->Write(output_.data(), static_cast<std::size_t>(bytes));
    if (lame_get_bWriteVbrTag(lame_)) {
      // The info frame was written blank at the start; now its counts and gapless data are known.
      const std::size_t size = lame_get_lametag_frame(lame_, output_.data(), output_.size());
      if (size > 0) sink_->WriteAt(firstFrameAt_, output_.data(), size);
    }
    sink_->Commit();
  }

 private:
  void Configure(const Mp3EncoderConfig& config) {
    lame_set_in_samplerate(lame_, settled_.SampleRate);
    lame_set_out_samplerate(lame_, settled_.SampleRate);
    lame_set_num_channels(lame_, settled_.Channels);
    lame_set_mode(lame_, StereoModeOf(config, settled_.Channels));
    lame_set_bWriteVbrTag(lame_, config.WriteXing ? 1 : 0);
    lame_set_error_protection(lame_, config.Crc ? 1 : 0);
    lame_set_write_id3tag_automatic(lame_, 0);
    const int minKbps = std::min(config.MinBitRate, config.MaxBitRate);
    const int maxKbps = std::max(config.MinBitRate, config.MaxBitRate);
    switch (config.Mode) {
      case mp3::RateMode::Constant:
        lame_set_VBR(lame_, vbr_off);
        lame_set_brate(lame_, config.BitRate);
        break;
      case mp3::RateMode::Variable:
        lame_set_VBR(lame_, vbr_default);
        lame_set_VBR_quality(lame_, static_cast<float>(config.VbrQuality));
        lame_set_VBR_min_bitrate_kbps(lame_, minKbps);
        lame_set_VBR_max_bitrate_kbps(lame_, maxKbps);
        break;
      case mp3::RateMode::Average:
        lame_set_VBR(lame_, vbr_abr);
        lame_set_VBR_mean_bitrate_kbps(lame_, std::clamp(config.AbrBitRate, minKbps, maxKbps));
        lame_set_VBR_min_bitrate_kbps(lame_, minKbps);
        lame_set_VBR_max_bitrate_kbps(lame_, maxKbps);
        break;
    }
  }

  void WriteTags(const AudioTags& tags) {
    if (tags.Empty()) return;
    id3tag_init(lame_);
    id3tag_add_v2(lame_);
    id3tag_v2_only(lame_);
    const std::pair<const char*, const String*> frames[] = {
        {"TIT2", &tags.Title}, {"TPE1", &tags.Artist}, {"TALB", &tags.Album},
        {"TYER", &tags.Year},  {"TCON", &tags.Genre}};
    for (const auto& [id, value] : frames)
      if (!value->empty()) id3tag_set_textinfo_utf16(lame_, id, Utf16WithBom(*value).data());
    if (!tags.Comment.empty()) {
      const std::vector<unsigned short> none = Utf16WithBom(L"");
      id3tag_set_comment_utf16(lame_, "eng", none.data(), Utf16WithBom(tags.Comment).data());
    }
  }

  void ReserveOutput(std::size_t bytes) {
    if (output_.size() < bytes) output_.resize(bytes);
  }

  void Encode(const float* samples, std::int64_t frames) {
    constexpr std::int64_t kPiece = 8192;
    while (frames > 0) {
      const int n = static_cast<int>(std::min(frames, kPiece));
      ReserveOutput(static_cast<std::size_t>(n) * 5 / 4 + 7200);
      int bytes;
      if (settled_.Channels == 2) {
        bytes = lame_encode_buffer_interleaved_ieee_float(lame_, samples, n, output_.data(),
                                                          static_cast<int>(output_.size()));
      } else {
        bytes = lame_encode_buffer_ieee_float(lame_, samples, samples, n, output_.data(),
                                              static_cast<int>(output_.size()));
      }
      if (bytes < 0) Fail(L"encoding failed (" + std::to_wstring(bytes) + L").");
      sink_->Write(output_.data(), static_cast<std::size_t>(bytes));
      samples += static_cast<std::int64_t>(n) * settled_.Channels;
      frames -= n;
    }
  }

  std::unique_ptr<ByteSink> sink_;
  SettledFormat settled_;
  FormatConverter converter_;
  lame_global_flags* lame_;
  std::int64_t firstFrameAt_ = 0;
  std::vector<unsigned char> output_;
};

}  // namespace

std::unique_ptr<AudioEncoder> CreateMp3Encoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               const Mp3EncoderConfig& config, const AudioTags& tags) {
  return std::make_unique<Mp3Encoder>(std::move(sink), input, config, tags);
}
