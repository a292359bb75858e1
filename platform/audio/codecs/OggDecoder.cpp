#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioError.h"
#include "platform/framework/base/Utf8.h"

namespace {

[[noreturn]] void Fail(const String& problem) { throw EAudioError(L"OGG Vorbis: " + problem); }

// The library learns a seekable file's end through a `long`, which holds 32 bits on Windows. Larger
// files are decoded as a stream, and their length is read from the pages here.
constexpr std::int64_t kLargestSeekableFile = std::numeric_limits<std::int32_t>::max();

// The whole pages of a byte range, in order; damaged bytes between pages are passed over.
class OggPageReader {
 public:
  OggPageReader(const ByteSource& source, std::int64_t from, std::int64_t to) : source_(source), at_(from), to_(to) {
    ogg_sync_init(&sync_);
  }
  ~OggPageReader() { ogg_sync_clear(&sync_); }
  OggPageReader(const OggPageReader&) = delete;
  OggPageReader& operator=(const OggPageReader&) = delete;

  bool Next(ogg_page& page) {
    for (;;) {
      const long result = ogg_sync_pageseek(&sync_, &page);
      if (result > 0) return true;
      if (result < 0) continue;
      if (at_ >= to_) return false;
      const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(to_ - at_, kPiece));
      char* buffer = ogg_sync_buffer(&sync_, static_cast<long>(want));
      const std::size_t got = buffer ? source_.ReadAt(at_, buffer, want) : 0;
      if (got == 0) return false;
      ogg_sync_wrote(&sync_, static_cast<long>(got));
      at_ += static_cast<std::int64_t>(got);
    }
  }

 private:
  static constexpr std::int64_t kPiece = 1 << 16;
  const ByteSource& source_;
  std::int64_t at_, to_;
  ogg_sync_state sync_{};
};

// The position of the first sample of the stream, from the first audio page: its granule position
// less the samples its packets give. Negative (samples trimmed off the start) counts as 0.
std::int64_t FirstSampleOffset(const ByteSource& source, long serial, vorbis_info& info) {
  constexpr std::int64_t kSearched = 16 << 20;
  OggPageReader pages(source, 0, std::min(source.Size(), kSearched));
  ogg_stream_state stream{};
  ogg_stream_init(&stream, static_cast<int>(serial));
  std::int64_t accumulated = 0;
  long lastBlock = -1;
  ogg_page page;
  while (pages.Next(page)) {
    if (ogg_page_serialno(&page) != serial) continue;
    ogg_stream_pagein(&stream, &page);
    ogg_packet packet;
    while (ogg_stream_packetout(&stream, &packet) > 0) {
      const long block = vorbis_packet_blocksize(&info, &packet);
      if (block < 0) continue;  // a header packet
      if (lastBlock != -1) accumulated += (lastBlock + block) >> 2;
      lastBlock = block;
    }
    if (lastBlock != -1 && ogg_page_granulepos(&page) != -1) {
      accumulated = ogg_page_granulepos(&page) - accumulated;
      break;
    }
  }
  ogg_stream_clear(&stream);
  return std::max<std::int64_t>(accumulated, 0);
}

// The granule position of the file's last page, which must belong to the stream; -1 when it does not.
std::int64_t LastGranule(const ByteSource& source, long serial) {
  constexpr std::int64_t kTail = 1 << 20;  // pages hold at most about 64 KB
  OggPageReader pages(source, std::max<std::int64_t>(0, source.Size() - kTail), source.Size());
  std::int64_t granule = -1;
  ogg_page page;
  while (pages.Next(page)) {
    if (ogg_page_serialno(&page) != serial) granule = -1;
    else if (ogg_page_granulepos(&page) != -1) granule = ogg_page_granulepos(&page);
  }
  return granule;
}

class OggDecoder : public AudioDecoder {
 public:
  explicit OggDecoder(std::shared_ptr<ByteSource> source) : source_(std::move(source)) {
    const bool streamed = source_->Size() > kLargestSeekableFile;
    ov_callbacks callbacks = {&OggDecoder::ReadCallback, &OggDecoder::SeekCallback, nullptr, &OggDecoder::TellCallback};
    if (streamed) callbacks.seek_func = nullptr, callbacks.tell_func = nullptr;
    const int result = ov_open_callbacks(this, &file_.handle, nullptr, 0, callbacks);
    if (result != 0) Fail(result == OV_ENOTVORBIS ? L"the stream is not Vorbis audio." : L"the headers are damaged.");
    file_.opened = true;
    vorbis_info* vi = ov_info(&file_.handle, -1);
    const ogg_int64_t frames = !vi ? -1 : streamed ? StreamedLength(*vi) : ov_pcm_total(&file_.handle, -1);
    if (!vi || frames < 0) Fail(L"the length cannot be determined.");
    info_.Container = L"OGG";
    info_.Encoding = L"Vorbis";
    info_.BitsPerSample = 0;
    info_.SampleRate = static_cast<int>(vi->rate);
    info_.Channels = vi->channels;
    info_.Frames = frames;
    if (info_.Channels < 1 || info_.Channels > 8) Fail(L"unsupported channel count.");
    ReadComments();
  }


  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    frames = std::clamp<std::int64_t>(info_.Frames - position_, 0, frames);
    std::int64_t done = 0;
    while (done < frames) {
      float** pcm = nullptr;
      int section = 0;
      const long got = ov_read_float(&file_.handle, &pcm, static_cast<int>(std::min<std::int64_t>(frames - done, 4096)),
                                     &section);
      if (got == 0) break;
      if (got == OV_HOLE) continue;  // a gap in the page sequence: the decoder resynchronises
      if (got < 0) Fail(L"the audio data is damaged.");
      const vorbis_info* vi = ov_info(&file_.handle, section);
      if (!vi || vi->channels != info_.Channels || vi->rate != info_.SampleRate)
        Fail(L"the sample format changes within the file.");
      for (long i = 0; i < got; ++i)
        for (int c = 0; c < info_.Channels; ++c) out[(done + i) * info_.Channels + c] = pcm[c][i];
      done += got;
    }
    // A stream ending before its last page said it would: silence keeps the stated length.
    std::fill(out + done * info_.Channels, out + frames * info_.Channels, 0.0f);
    position_ += frames;
    return frames;
  }

 private:
  static std::size_t ReadCallback(void* data, std::size_t size, std::size_t count, void* handle) {
    auto* self = static_cast<OggDecoder*>(handle);
    const std::size_t got = self->source_->ReadAt(self->offset_, data, size * count);
    self->offset_ += static_cast<std::int64_t>(got);
    return size == 0 ? 0 : got / size;
  }

  static int SeekCallback(void* handle, ogg_int64_t offset, int whence) {
    auto* self = static_cast<OggDecoder*>(handle);
    std::int64_t target = offset;
    if (whence == SEEK_CUR) target += self->offset_;
    if (whence == SEEK_END) target += self->source_->Size();
    if (target < 0) return -1;
    self->offset_ = target;
    return 0;
  }

  // Only called for files whose end fits (kLargestSeekableFile).
  static long TellCallback(void* handle) { return static_cast<long>(static_cast<OggDecoder*>(handle)->offset_); }

  // The length of a stream opened without seeking, as the library reckons a seekable one's: the last
  // page's granule position less the first sample's. Chained streams are not measured this way.
  std::int64_t StreamedLength(vorbis_info& info) {
    const long serial = ov_serialnumber(&file_.handle, -1);
    const std::int64_t last = LastGranule(*source_, serial);
    if (last < 0) return -1;
    return last - FirstSampleOffset(*source_, serial, info);
  }

  void ReadComments() {
    const vorbis_comment* comments = ov_comment(&file_.handle, -1);
    if (!comments) return;
    const std::pair<const char*, String*> fields[] = {
        {"TITLE", &info_.Tags.Title}, {"ARTIST", &info_.Tags.Artist}, {"ALBUM", &info_.Tags.Album},
        {"DATE", &info_.Tags.Year},   {"GENRE", &info_.Tags.Genre},   {"COMMENT", &info_.Tags.Comment}};
    for (const auto& [name, field] : fields) {
      // vorbis_comment_query takes a non-const comment but does not change it.
      const char* value = vorbis_comment_query(const_cast<vorbis_comment*>(comments), name, 0);
      if (value) *field = Utf8Decode(value);
    }
  }

  std::shared_ptr<ByteSource> source_;
  std::int64_t offset_ = 0;
  std::int64_t position_ = 0;
  // Closed also when the constructor raises after opening it.
  struct OpenedFile {
    OggVorbis_File handle{};
    bool opened = false;
    ~OpenedFile() {
      if (opened) ov_clear(&handle);
    }
  } file_;
  AudioFileInfo info_;
};

}  // namespace

bool LooksLikeOgg(const ByteSource& source) {
  char head[35] = {};
  if (source.ReadAt(0, head, sizeof head) < sizeof head) return false;
  return std::memcmp(head, "OggS", 4) == 0 && std::memcmp(head + 28, "\x01vorbis", 7) == 0;
}

std::unique_ptr<AudioDecoder> OpenOggDecoder(std::shared_ptr<ByteSource> source) {
  return std::make_unique<OggDecoder>(std::move(source));
}
