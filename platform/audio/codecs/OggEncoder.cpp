#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <ctime>

#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/FormatConverter.h"
#include "platform/framework/base/Utf8.h"

namespace {

[[noreturn]] void Fail(const String& what) { throw EAudioError(L"OGG Vorbis encoder: " + what); }

// Sets `info` up for the settings; false when the encoder has no mode for them.
bool SetUp(vorbis_info& info, int rate, int channels, int kbps, int quality) {
  if (rate <= 0 || channels < 1 || channels > 2) return false;
  if (quality < 0) return kbps > 0 && vorbis_encode_init(&info, channels, rate, -1, kbps * 1000L, -1) == 0;
  const float q = std::clamp(static_cast<float>(quality) / 1000.0f, -0.1f, 1.0f);
  return vorbis_encode_init_vbr(&info, channels, rate, q) == 0;
}

class OggEncoder : public AudioEncoder {
 public:
  OggEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const OggEncoderConfig& config,
             const AudioTags& tags)
      : sink_(std::move(sink)), settled_(SettleOggFormat(config, input.SampleRate)),
        converter_(input.Channels, input.SampleRate, settled_.Channels, settled_.SampleRate) {
    vorbis_info_init(&info_);
    if (!SetUp(info_, settled_.SampleRate, settled_.Channels, config.BitRate, config.Quality)) {
      vorbis_info_clear(&info_);
      Fail(L"the encoder does not accept " + std::to_wstring(settled_.SampleRate) + L" Hz, " +
           std::to_wstring(settled_.Channels) + L" channel(s) at these settings.");
    }
    vorbis_comment_init(&comment_);
    AddComments(tags);
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, static_cast<int>(std::time(nullptr) & 0x7FFFFFFF));
    WriteHeaders();
  }

  ~OggEncoder() override {
    ogg_stream_clear(&stream_);
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }

  void Write(const float* samples, std::int64_t frames) override {
    converter_.Push(samples, frames, [this](const float* s, std::int64_t n) { Encode(s, n); });
  }

  void Finish() override {
    converter_.Finish([this](const float* s, std::int64_t n) { Encode(s, n); });
    vorbis_analysis_wrote(&dsp_, 0);
    Drain();
    sink_->Commit();
  }

 private:
  void AddComments(const AudioTags& tags) {
    const std::pair<const char*, const String*> fields[] = {
        {"TITLE", &tags.Title}, {"ARTIST", &tags.Artist}, {"ALBUM", &tags.Album},
        {"DATE", &tags.Year},   {"GENRE", &tags.Genre},   {"COMMENT", &tags.Comment}};
    for (const auto& [name, value] : fields)
      if (!value->empty()) vorbis_comment_add_tag(&comment_, name, Utf8Encode(*value).c_str());
  }

  void WriteHeaders() {
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &header);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) WritePage(page);
  }

  void Encode(const float* samples, std::int64_t frames) {
    constexpr std::int64_t kPiece = 4096;
    while (frames > 0) {
      const int n = static_cast<int>(std::min(frames, kPiece));
      float** buffer = vorbis_analysis_buffer(&dsp_, n);
      for (int c = 0; c < settled_.Channels; ++c)
        for (int i = 0; i < n; ++i) buffer[c][i] = samples[static_cast<std::size_t>(i) * settled_.Channels + c];
      vorbis_analysis_wrote(&dsp_, n);
      Drain();
      samples += static_cast<std::int64_t>(n) * settled_.Channels;
      frames -= n;
    }
  }

  void Drain() {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        while (ogg_stream_pageout(&stream_, &page) != 0) WritePage(page);
      }
    }
  }

  void WritePage(const ogg_page& page) {
    sink_->Write(page.header, static_cast<std::size_t>(page.header_len));
    sink_->Write(page.body, static_cast<std::size_t>(page.body_len));
  }

  std::unique_ptr<ByteSink> sink_;
  SettledFormat settled_;
  FormatConverter converter_;
  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
};

}  // namespace

SettledFormat SettleOggFormat(const OggEncoderConfig& config, int inputRate) {
  return {config.SampleRate > 0 ? config.SampleRate : inputRate, config.Channels == 1 ? 1 : 2};
}

bool CanOgg(int sampleRate, int channels, int kbps) {
  vorbis_info info;
  vorbis_info_init(&info);
  const bool accepted = SetUp(info, sampleRate, channels, kbps, -1);
  vorbis_info_clear(&info);
  return accepted;
}

std::unique_ptr<AudioEncoder> CreateOggEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               const OggEncoderConfig& config, const AudioTags& tags) {
  return std::make_unique<OggEncoder>(std::move(sink), input, config, tags);
}
