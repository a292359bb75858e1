#include "platform/audio/core/WavFile.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/SampleBuffer.h"
#include "platform/framework/base/Utf8.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatALaw = 6;
constexpr std::uint16_t kFormatMuLaw = 7;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::int64_t kMaxRiffBytes = 0xFFFFFFFFll;

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
void PutLe16(std::uint8_t* p, std::uint32_t v) { p[0] = std::uint8_t(v), p[1] = std::uint8_t(v >> 8); }
void PutLe32(std::uint8_t* p, std::uint32_t v) { PutLe16(p, v), PutLe16(p + 2, v >> 16); }

[[noreturn]] void Invalid(const String& why) { throw EAudioError(L"The file is not a valid WAV file: " + why + L"."); }

struct Format {
  std::uint16_t tag = 0;
  int channels = 0;
  int rate = 0;
  int blockAlign = 0;
  int bits = 0;
};

Format ParseFormat(const std::vector<std::uint8_t>& fmt) {
  if (fmt.size() < 16) Invalid(L"the format chunk is too short");
  Format f;
  f.tag = Le16(&fmt[0]);
  f.channels = Le16(&fmt[2]);
  f.rate = static_cast<int>(std::min<std::uint32_t>(Le32(&fmt[4]), 0x7FFFFFFF));
  f.blockAlign = Le16(&fmt[12]);
  f.bits = Le16(&fmt[14]);
  if (f.tag == kFormatExtensible) {
    if (fmt.size() < 40) Invalid(L"the extensible format chunk is too short");
    f.tag = Le16(&fmt[24]);  // first two bytes of the sub-format GUID
  }
  return f;
}

SampleLayout LayoutOf(const Format& f, String& encodingName) {
  const int bytes = (f.bits + 7) / 8;
  SampleLayout layout;
  switch (f.tag) {
    case kFormatPcm:
      encodingName = L"PCM";
      if (bytes == 1) layout.Encoding = SampleEncoding::UnsignedPcm8;
      else if (bytes == 2) layout.Encoding = SampleEncoding::Pcm16;
      else if (bytes == 3) layout.Encoding = SampleEncoding::Pcm24;
      else if (bytes == 4) layout.Encoding = SampleEncoding::Pcm32;
      else Invalid(std::to_wstring(f.bits) + L"-bit PCM is not supported");
      break;
    case kFormatFloat:
      encodingName = L"IEEE float";
      if (f.bits == 32) layout.Encoding = SampleEncoding::Float32;
      else if (f.bits == 64) layout.Encoding = SampleEncoding::Float64;
      else Invalid(std::to_wstring(f.bits) + L"-bit float is not supported");
      break;
    case kFormatALaw:
    case kFormatMuLaw:
      encodingName = f.tag == kFormatALaw ? L"A-law" : L"u-law";
      if (f.bits != 8) Invalid(L"companded samples must be 8-bit");
      layout.Encoding = f.tag == kFormatALaw ? SampleEncoding::ALaw : SampleEncoding::MuLaw;
      break;
    default: Invalid(L"format tag " + std::to_wstring(f.tag) + L" is not supported");
  }
  return layout;
}

String TagText(const std::uint8_t* p, std::size_t size) {
  AnsiString bytes(reinterpret_cast<const char*>(p), size);
  bytes.resize(std::strlen(bytes.c_str()));
  if (IsValidUtf8(bytes)) return Utf8Decode(bytes);
  String latin1;
  for (unsigned char c : bytes) latin1 += static_cast<wchar_t>(c);
  return latin1;
}

void ParseInfo(const std::vector<std::uint8_t>& list, AudioTags& tags) {
  if (list.size() < 4 || std::memcmp(list.data(), "INFO", 4) != 0) return;
  std::size_t at = 4;
  while (at + 8 <= list.size()) {
    const std::uint8_t* id = &list[at];
    const std::size_t size = std::min<std::size_t>(Le32(&list[at + 4]), list.size() - at - 8);
    const String text = TagText(&list[at + 8], size);
    if (!std::memcmp(id, "INAM", 4)) tags.Title = text;
    else if (!std::memcmp(id, "IART", 4)) tags.Artist = text;
    else if (!std::memcmp(id, "IPRD", 4)) tags.Album = text;
    else if (!std::memcmp(id, "ICRD", 4)) tags.Year = text;
    else if (!std::memcmp(id, "ICMT", 4)) tags.Comment = text;
    else if (!std::memcmp(id, "IGNR", 4)) tags.Genre = text;
    at += 8 + size + (size & 1);
  }
}

std::vector<std::uint8_t> ReadChunk(const ByteSource& source, std::int64_t offset, std::uint32_t size,
                                    std::uint32_t limit) {
  std::vector<std::uint8_t> bytes(std::min(size, limit));
  bytes.resize(source.ReadAt(offset, bytes.data(), bytes.size()));
  return bytes;
}

std::vector<std::uint8_t> InfoChunk(const AudioTags& tags) {
  std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 0, 0, 0, 0, 'I', 'N', 'F', 'O'};
  auto add = [&list](const char* id, const String& value) {
    if (value.empty()) return;
    const AnsiString text = Utf8Encode(value);
    const std::uint32_t size = static_cast<std::uint32_t>(text.size() + 1);
    std::uint8_t header[8];
    std::memcpy(header, id, 4);
    PutLe32(header + 4, size);
    list.insert(list.end(), header, header + 8);
    list.insert(list.end(), text.begin(), text.end());
    list.push_back(0);
    if (size & 1) list.push_back(0);
  };
  add("INAM", tags.Title);
  add("IART", tags.Artist);
  add("IPRD", tags.Album);
  add("ICRD", tags.Year);
  add("ICMT", tags.Comment);
  add("IGNR", tags.Genre);
  PutLe32(&list[4], static_cast<std::uint32_t>(list.size() - 8));
  return list;
}

class WavEncoder : public AudioEncoder {
 public:
  WavEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings, const AudioTags& tags)
      : sink_(std::move(sink)), channels_(settings.Channels), writer_(Layout(settings.BitsPerSample), settings.Channels) {
    CheckChannelCount(settings.Channels);
    CheckSampleRate(settings.SampleRate);
    const SampleLayout layout = Layout(settings.BitsPerSample);
    const int bytes = layout.BytesPerSample();
    std::uint8_t header[36];
    std::memcpy(header, "RIFF\0\0\0\0WAVEfmt ", 16);
    PutLe32(header + 16, 16);
    PutLe16(header + 20, layout.Encoding == SampleEncoding::Float32 ? kFormatFloat : kFormatPcm);
    PutLe16(header + 22, static_cast<std::uint32_t>(channels_));
    PutLe32(header + 24, static_cast<std::uint32_t>(settings.SampleRate));
    PutLe32(header + 28, static_cast<std::uint32_t>(settings.SampleRate * bytes * channels_));
    PutLe16(header + 32, static_cast<std::uint32_t>(bytes * channels_));
    PutLe16(header + 34, static_cast<std::uint32_t>(bytes * 8));
    sink_->Write(header, sizeof header);
    if (!tags.Empty()) {
      const std::vector<std::uint8_t> info = InfoChunk(tags);
      sink_->Write(info.data(), info.size());
    }
    std::uint8_t data[8] = {'d', 'a', 't', 'a', 0, 0, 0, 0};
    sink_->Write(data, sizeof data);
    dataSizeAt_ = sink_->Position() - 4;
    frameBytes_ = bytes * channels_;
  }

  void Write(const float* samples, std::int64_t frames) override {
    if (sink_->Position() + frames * frameBytes_ + 1 > kMaxRiffBytes)
      throw EAudioError(L"The audio is too long for a WAV file (4 GB at most).");
    writer_.Write(*sink_, samples, frames);
  }

  void Finish() override {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(writer_.BytesWritten());
    if (dataBytes & 1) {
      const std::uint8_t pad = 0;
      sink_->Write(&pad, 1);
    }
    std::uint8_t size[4];
    PutLe32(size, dataBytes);
    sink_->WriteAt(dataSizeAt_, size, 4);
    PutLe32(size, static_cast<std::uint32_t>(sink_->Position() - 8));
    sink_->WriteAt(4, size, 4);
    sink_->Commit();
  }

 private:
  static SampleLayout Layout(int bits) {
    SampleLayout layout;
    switch (bits) {
      case 8: layout.Encoding = SampleEncoding::UnsignedPcm8; break;
      case 16: layout.Encoding = SampleEncoding::Pcm16; break;
      case 24: layout.Encoding = SampleEncoding::Pcm24; break;
      case 32: layout.Encoding = SampleEncoding::Float32; break;
      default: throw EAudioError(L"WAV files are written with 8, 16, 24 or 32 bits, not " + std::to_wstring(bits) + L".");
    }
    return layout;
  }

  std::unique_ptr<ByteSink> sink_;
  int channels_;
  PcmArrayWriter writer_;
  std::int64_t dataSizeAt_ = 0;
  int frameBytes_ = 0;
};

}  // namespace

bool LooksLikeWav(const ByteSource& source) {
  std::uint8_t head[12];
  return source.ReadAt(0, head, 12) == 12 && !std::memcmp(head, "RIFF", 4) && !std::memcmp(head + 8, "WAVE", 4);
}

std::unique_ptr<AudioDecoder> OpenWavDecoder(std::shared_ptr<ByteSource> source) {
  if (!LooksLikeWav(*source)) Invalid(L"no RIFF WAVE header");
  const std::int64_t fileSize = source->Size();
  std::vector<std::uint8_t> fmt;
  AudioTags tags;
  std::int64_t dataOffset = -1, dataSize = 0;
  std::int64_t at = 12;
  while (at + 8 <= fileSize) {
    std::uint8_t header[8];
    ReadExactly(*source, at, header, 8);
    const std::uint32_t size = Le32(header + 4);
    const std::int64_t body = at + 8;
    if (!std::memcmp(header, "fmt ", 4) && fmt.empty()) {
      fmt = ReadChunk(*source, body, size, 1024);
    } else if (!std::memcmp(header, "LIST", 4)) {
      ParseInfo(ReadChunk(*source, body, size, 1 << 20), tags);
    } else if (!std::memcmp(header, "data", 4) && dataOffset < 0) {
      dataOffset = body;
      dataSize = std::min<std::int64_t>(size, fileSize - body);
    }
    at = body + size + (size & 1);
  }
  if (fmt.empty()) Invalid(L"the format chunk is missing");
  if (dataOffset < 0) Invalid(L"the data chunk is missing");
  const Format f = ParseFormat(fmt);
  CheckChannelCount(f.channels);
  CheckSampleRate(f.rate);
  AudioFileInfo info;
  info.Container = L"WAV";
  const SampleLayout layout = LayoutOf(f, info.Encoding);
  const int frameBytes = layout.BytesPerSample() * f.channels;
  if (f.blockAlign != frameBytes)
    Invalid(L"the block alignment " + std::to_wstring(f.blockAlign) + L" does not match " + std::to_wstring(frameBytes));
  info.SampleRate = f.rate;
  info.Channels = f.channels;
  info.BitsPerSample = f.bits;
  info.Frames = dataSize / frameBytes;
  info.Tags = std::move(tags);
  return std::make_unique<PcmArrayDecoder>(std::move(source), std::move(info), dataOffset, layout);
}

std::unique_ptr<AudioEncoder> CreateWavEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                               const AudioTags& tags) {
  return std::make_unique<WavEncoder>(std::move(sink), settings, tags);
}
