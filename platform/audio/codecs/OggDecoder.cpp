#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioError.h"
#include "platform/framework/base/Utf8.h"

namespace {

[[noreturn]] void Fail(const String& problem) { throw EAudioError(L"OGG Vorbis: " + problem); }

class OggDecoder : public AudioDecoder {
 public:
  explicit OggDecoder(std::shared_ptr<ByteSource> source) : source_(std::move(source)) {
    const ov_callbacks callbacks = {&OggDecoder::ReadCallback, &OggDecoder::SeekCallback, nullptr,
                                    &OggDecoder::TellCallback};
    const int result = ov_open_callbacks(this, &file_, nullptr, 0, callbacks);
    if (result != 0) Fail(result == OV_ENOTVORBIS ? L"the stream is not Vorbis audio." : L"the headers are damaged.");
    opened_ = true;
    const vorbis_info* vi = ov_info(&file_, -1);
    const ogg_int64_t frames = ov_pcm_total(&file_, -1);
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

  ~OggDecoder() override {
    if (opened_) ov_clear(&file_);
  }

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    frames = std::clamp<std::int64_t>(info_.Frames - position_, 0, frames);
    std::int64_t done = 0;
    while (done < frames) {
      float** pcm = nullptr;
      int section = 0;
      const long got = ov_read_float(&file_, &pcm, static_cast<int>(std::min<std::int64_t>(frames - done, 4096)),
                                     &section);
      if (got == 0) break;
      if (got == OV_HOLE) continue;  // a gap in the page sequence: the decoder resynchronises
      if (got < 0) Fail(L"the audio data is damaged.");
      const vorbis_info* vi = ov_info(&file_, section);
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

  static long TellCallback(void* handle) { return static_cast<long>(static_cast<OggDecoder*>(handle)->offset_); }

  void ReadComments() {
    const vorbis_comment* comments = ov_comment(&file_, -1);
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
  OggVorbis_File file_{};
  bool opened_ = false;
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
