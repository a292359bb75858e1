// 64-bit file offsets through the library's reader callbacks on every target (its "_64" entry
// points); without this they are a 32-bit `long` on Windows and files over 2 GB seek wrong. It must
// come before the first system header.
#define _FILE_OFFSET_BITS 64

#include "platform/audio/codecs/Mp3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/audio/core/AudioError.h"
#include "platform/framework/base/Utf8.h"

static_assert(sizeof(off_t) == 8, "the reader callbacks need 64-bit offsets");

namespace {

// Bytes of the MPEG audio frame whose header is `h`, or 0 when `h` is no valid header.
int FrameBytes(std::uint32_t h) {
  static constexpr short kBitRates[2][3][15] = {
      {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
       {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
       {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
      {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
  static constexpr int kRates[3] = {44100, 48000, 32000};
  if ((h >> 21) != 0x7FF) return 0;
  const unsigned version = (h >> 19) & 3, layer = (h >> 17) & 3, rateIndex = (h >> 10) & 3;
  const unsigned bitRateIndex = (h >> 12) & 15, padding = (h >> 9) & 1;
  if (version == 1 || layer == 0 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3) return 0;
  const bool mpeg1 = version == 3;
  const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  const int kbps = kBitRates[mpeg1 ? 0 : 1][3 - layer][bitRateIndex];
  if (layer == 3) return (12 * kbps * 1000 / rate + static_cast<int>(padding)) * 4;  // Layer I
  const int perFrame = (layer == 1 && !mpeg1) ? 72 : 144;  // Layer III of MPEG 2 and 2.5 halves
  return perFrame * kbps * 1000 / rate + static_cast<int>(padding);
}

std::uint32_t BigEndian32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Offsets of the ID3v2 tag headers whose stated size runs past the end of the file, in order. The
// library allocates a tag's stated size before it reads the tag, so a damaged size in a small file
// would cost up to 256 MB. Such a tag is cut off anyway: the reader hides its marker, and the library
// passes over its bytes as it does over any junk between frames.
std::vector<std::int64_t> OverlongId3v2Tags(const ByteSource& source) {
  constexpr std::size_t kPiece = 1 << 16, kHeader = 10;
  std::vector<std::int64_t> found;
  std::vector<unsigned char> piece(kPiece + kHeader - 1);
  const std::int64_t size = source.Size();
  for (std::int64_t at = 0; at < size; at += kPiece) {
    const std::size_t got = source.ReadAt(at, piece.data(), piece.size());
    const std::size_t last = std::min(got + 1 > kHeader ? got + 1 - kHeader : 0, kPiece);
    for (std::size_t i = 0; i < last; ++i) {
      // memchr finds the candidates at memory speed; most of a large file holds none.
      const void* candidate = std::memchr(&piece[i], 'I', last - i);
      if (!candidate) break;
      i = static_cast<std::size_t>(static_cast<const unsigned char*>(candidate) - piece.data());
      const unsigned char* h = &piece[i];
      if (h[1] != 'D' || h[2] != '3') continue;
      const std::int64_t body = (std::int64_t{h[6] & 0x7Fu} << 21) | (std::int64_t{h[7] & 0x7Fu} << 14) |
                                (std::int64_t{h[8] & 0x7Fu} << 7) | (h[9] & 0x7F);
      const std::int64_t footer = (h[5] & 0x10) ? 10 : 0;
      const std::int64_t tagAt = at + static_cast<std::int64_t>(i);
      if (tagAt + 10 + body + footer > size) found.push_back(tagAt);
    }
  }
  return found;
}

// The library's global set-up, once per process (a no-op in newer versions, needed by older ones).
void InitialiseLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

String TextOf(const mpg123_string* s) {
  if (!s || !s->p || s->fill == 0) return L"";
  return Utf8Decode(AnsiString(s->p, std::strlen(s->p)));
}

String Latin1(const char* text, std::size_t size) {
  String out;
  for (std::size_t i = 0; i < size && text[i]; ++i) out += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
  while (!out.empty() && out.back() == L' ') out.pop_back();
  return out;
}

class Mp3Decoder : public AudioDecoder {
 public:
  explicit Mp3Decoder(std::shared_ptr<ByteSource> source) : source_(std::move(source)) {
    hiddenTags_ = OverlongId3v2Tags(*source_);
    InitialiseLibrary();
    int error = MPG123_OK;
    handle_.reset(mpg123_new(nullptr, &error));
    if (!handle_) Fail(L"the decoder could not be created.");
    mpg123_param(handle_.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    mpg123_format_none(handle_.get());
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
      mpg123_format(handle_.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_replace_reader_handle(handle_.get(), &Mp3Decoder::ReadCallback, &Mp3Decoder::SeekCallback, nullptr) !=
            MPG123_OK ||
        mpg123_open_handle(handle_.get(), this) != MPG123_OK)
      Fail(L"the file could not be opened.");
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(handle_.get(), &rate, &channels, &encoding) != MPG123_OK || channels < 1)
      Fail(L"no MPEG audio frame was found.");
    mpg123_scan(handle_.get());
    const auto length = mpg123_length(handle_.get());
    if (length <= 0) Fail(L"no MPEG audio frame was found.");
    info_.SampleRate = static_cast<int>(rate);
    info_.Channels = channels;
    info_.BitsPerSample = 0;
    info_.Frames = static_cast<std::int64_t>(length);
    DescribeStream();
    ReadTags();
  }

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    std::int64_t done = 0;
    frames = std::min(frames, info_.Frames - position_);
    while (done < frames && !ended_) {
      std::size_t bytes = 0;
      const std::size_t want = static_cast<std::size_t>(frames - done) * info_.Channels * sizeof(float);
      const int result = mpg123_read(handle_.get(), reinterpret_cast<unsigned char*>(out + done * info_.Channels), want,
                                     &bytes);
      done += static_cast<std::int64_t>(bytes / sizeof(float)) / info_.Channels;
      if (result == MPG123_DONE) {
        ended_ = true;
      } else if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0, encoding = 0;
        mpg123_getformat(handle_.get(), &rate, &channels, &encoding);
        if (rate != info_.SampleRate || channels != info_.Channels)
          Fail(L"the sample format changes within the file.");
      } else if (result != MPG123_OK) {
        Fail(String(L"decoding failed: ") + Utf8Decode(mpg123_strerror(handle_.get())) + L".");
      } else if (bytes == 0) {
        ended_ = true;
      }
    }
    // A stream shorter than its header claims ends early; fill with silence so the length holds.
    if (ended_ && done < frames) {
      std::fill(out + done * info_.Channels, out + frames * info_.Channels, 0.0f);
      done = frames;
    }
    position_ += done;
    return done;
  }

 private:
  [[noreturn]] static void Fail(const String& problem) { throw EAudioError(L"MPEG audio: " + problem); }

  static mpg123_ssize_t ReadCallback(void* handle, void* data, std::size_t count) {
    auto* self = static_cast<Mp3Decoder*>(handle);
    const std::size_t got = self->source_->ReadAt(self->offset_, data, count);
    const std::int64_t end = self->offset_ + static_cast<std::int64_t>(got);
    auto tag = std::lower_bound(self->hiddenTags_.begin(), self->hiddenTags_.end(), self->offset_);
    for (; tag != self->hiddenTags_.end() && *tag < end; ++tag) static_cast<char*>(data)[*tag - self->offset_] = 0;
    self->offset_ = end;
    return static_cast<mpg123_ssize_t>(got);
  }

  static off_t SeekCallback(void* handle, off_t offset, int whence) {
    auto* self = static_cast<Mp3Decoder*>(handle);
    std::int64_t target = offset;
    if (whence == SEEK_CUR) target += self->offset_;
    if (whence == SEEK_END) target += self->source_->Size();
    if (target < 0) return -1;
    self->offset_ = target;
    return static_cast<off_t>(target);
  }

  void DescribeStream() {
    mpg123_frameinfo frame{};
    mpg123_info(handle_.get(), &frame);
    static const wchar_t* const kVersions[] = {L"MPEG 1", L"MPEG 2", L"MPEG 2.5"};
    info_.Container = kVersions[std::clamp(static_cast<int>(frame.version), 0, 2)];
    info_.Encoding = L"Layer " + std::to_wstring(frame.layer);
  }

  void ReadTags() {
    mpg123_id3v1* v1 = nullptr;
    mpg123_id3v2* v2 = nullptr;
    if (mpg123_id3(handle_.get(), &v1, &v2) != MPG123_OK) return;
    AudioTags& tags = info_.Tags;
    if (v1) {
      tags.Title = Latin1(v1->title, sizeof v1->title);
      tags.Artist = Latin1(v1->artist, sizeof v1->artist);
      tags.Album = Latin1(v1->album, sizeof v1->album);
      tags.Year = Latin1(v1->year, sizeof v1->year);
      tags.Comment = Latin1(v1->comment, sizeof v1->comment);
    }
    if (v2) {
      auto take = [](String& field, const mpg123_string* value) {
        String text = TextOf(value);
        if (!text.empty()) field = std::move(text);
      };
      take(tags.Title, v2->title);
      take(tags.Artist, v2->artist);
      take(tags.Album, v2->album);
      take(tags.Year, v2->year);
      take(tags.Genre, v2->genre);
      take(tags.Comment, v2->comment);
    }
  }

  std::shared_ptr<ByteSource> source_;
  struct HandleCloser {
    void operator()(mpg123_handle* handle) const {
      mpg123_close(handle);
      mpg123_delete(handle);
    }
  };
  std::unique_ptr<mpg123_handle, HandleCloser> handle_;
  std::vector<std::int64_t> hiddenTags_;  // see OverlongId3v2Tags
  std::int64_t offset_ = 0;
  std::int64_t position_ = 0;
  bool ended_ = false;
  AudioFileInfo info_;
};

}  // namespace

bool LooksLikeMp3(const ByteSource& source) {
  unsigned char head[4] = {};
  if (source.ReadAt(0, head, 4) < 4) return false;
  if (std::memcmp(head, "ID3", 3) == 0) return true;
  const int bytes = FrameBytes(BigEndian32(head));
  if (bytes <= 4) return false;
  unsigned char next[4] = {};
  return source.ReadAt(bytes, next, 4) == 4 && FrameBytes(BigEndian32(next)) > 4;
}

std::unique_ptr<AudioDecoder> OpenMp3Decoder(std::shared_ptr<ByteSource> source) {
  return std::make_unique<Mp3Decoder>(std::move(source));
}
