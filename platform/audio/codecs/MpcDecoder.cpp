#include "platform/audio/codecs/MpcDecoder.h"

#include <mpc/mpcdec.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "platform/audio/codecs/ApeTags.h"
#include "platform/audio/core/AudioError.h"

static_assert(std::is_same_v<MPC_SAMPLE_FORMAT, float>, "libmpcdec must be built for float output");

namespace {

[[noreturn]] void Fail(const String& problem) { throw EAudioError(L"Musepack: " + problem); }

// The most samples a stream of `bytes` can hold: a version 7 frame of 1152 samples starts with a
// 20-bit length, a version 8 frame takes at least a bit. Version 7 headers carry no checksum, so a
// damaged frame count would otherwise pad hours of silence onto a small file.
double MaxSamples(const mpc_streaminfo& stream, std::int64_t bytes) {
  const double bitsPerFrame = (stream.stream_version & 0x0F) == 7 ? 20.0 : 1.0;
  return static_cast<double>(bytes) * 8.0 / bitsPerFrame * static_cast<double>(MPC_FRAME_LENGTH);
}

class MpcDecoder : public AudioDecoder {
 public:
  explicit MpcDecoder(std::shared_ptr<ByteSource> source) : source_(std::move(source)) {
    if (source_->Size() > std::numeric_limits<mpc_int32_t>::max()) Fail(L"files of 2 GB and more are not supported.");
    reader_.read = &Read;
    reader_.seek = &Seek;
    reader_.tell = &Tell;
    reader_.get_size = &Size;
    reader_.canseek = &CanSeek;
    reader_.data = this;
    demux_.reset(mpc_demux_init(&reader_));
    if (!demux_) Fail(L"the stream header is damaged or of an unknown version.");
    mpc_streaminfo stream{};
    mpc_demux_get_info(demux_.get(), &stream);
    if (stream.channels < 1 || stream.channels > 2) Fail(L"unsupported channel count.");
    if (stream.sample_freq == 0) Fail(L"the sample rate is missing.");
    info_.Container = L"Musepack";
    info_.Encoding = L"SV" + std::to_wstring(stream.stream_version & 0x0F);
    info_.SampleRate = static_cast<int>(stream.sample_freq);
    info_.Channels = static_cast<int>(stream.channels);
    info_.BitsPerSample = 0;  // compressed: no sample depth of its own
    info_.Frames = std::max<std::int64_t>(0, mpc_streaminfo_get_length_samples(&stream));
    if (static_cast<double>(info_.Frames) > MaxSamples(stream, source_->Size()))
      Fail(L"the stream header states more samples than the file can hold.");
    ReadApeTags(*source_, info_.Tags);
    frame_.resize(MPC_DECODER_BUFFER_LENGTH);
  }

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    const int channels = info_.Channels;
    frames = std::min(frames, info_.Frames - position_);
    std::int64_t done = 0;
    while (done < frames) {
      if (pendingAt_ == pendingFrames_ && !DecodeFrame()) break;
      const std::int64_t count = std::min(frames - done, pendingFrames_ - pendingAt_);
      std::memcpy(out + done * channels, frame_.data() + pendingAt_ * channels,
                  static_cast<std::size_t>(count * channels) * sizeof(float));
      pendingAt_ += count;
      done += count;
    }
    // A stream that ends before its header's length is made up with silence, so the length holds.
    if (done < frames && ended_) {
      std::fill(out + done * channels, out + frames * channels, 0.0f);
      done = frames;
    }
    position_ += done;
    return done;
  }

 private:
  bool DecodeFrame() {
    if (ended_) return false;
    mpc_frame_info frame{};
    frame.buffer = frame_.data();
    if (mpc_demux_decode(demux_.get(), &frame) != MPC_STATUS_OK) Fail(L"the audio data is damaged.");
    if (frame.bits == -1) {
      ended_ = true;
      return false;
    }
    pendingFrames_ = frame.samples;
    pendingAt_ = 0;
    return true;
  }

  static MpcDecoder& Self(mpc_reader* reader) { return *static_cast<MpcDecoder*>(reader->data); }
  static mpc_int32_t Read(mpc_reader* reader, void* data, mpc_int32_t size) {
    MpcDecoder& self = Self(reader);
    if (size <= 0) return 0;
    const std::size_t got = self.source_->ReadAt(self.offset_, data, static_cast<std::size_t>(size));
    self.offset_ += static_cast<std::int64_t>(got);
    return static_cast<mpc_int32_t>(got);
  }
  static mpc_bool_t Seek(mpc_reader* reader, mpc_int32_t offset) {
    MpcDecoder& self = Self(reader);
    if (offset < 0 || offset > self.source_->Size()) return MPC_FALSE;
    self.offset_ = offset;
    return MPC_TRUE;
  }
  static mpc_int32_t Tell(mpc_reader* reader) { return static_cast<mpc_int32_t>(Self(reader).offset_); }
  static mpc_int32_t Size(mpc_reader* reader) { return static_cast<mpc_int32_t>(Self(reader).source_->Size()); }
  static mpc_bool_t CanSeek(mpc_reader*) { return MPC_TRUE; }

  std::shared_ptr<ByteSource> source_;
  std::int64_t offset_ = 0;
  mpc_reader reader_{};
  // Owned from the start, so a constructor that raises after opening it still closes it.
  struct DemuxCloser {
    void operator()(mpc_demux* demux) const { mpc_demux_exit(demux); }
  };
  std::unique_ptr<mpc_demux, DemuxCloser> demux_;
  AudioFileInfo info_;
  std::vector<MPC_SAMPLE_FORMAT> frame_;
  std::int64_t pendingFrames_ = 0, pendingAt_ = 0, position_ = 0;
  bool ended_ = false;
};

}  // namespace

bool LooksLikeMpc(const ByteSource& source) {
  char head[4] = {};
  if (source.ReadAt(0, head, 4) < 3) return false;
  return std::memcmp(head, "MPCK", 4) == 0 || std::memcmp(head, "MP+", 3) == 0;
}

std::unique_ptr<AudioDecoder> OpenMpcDecoder(std::shared_ptr<ByteSource> source) {
  return std::make_unique<MpcDecoder>(std::move(source));
}
