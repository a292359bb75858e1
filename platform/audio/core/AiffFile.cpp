#include "platform/audio/core/AiffFile.h"

#include <cmath>
#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/SampleBuffer.h"
#include "platform/framework/base/Utf8.h"

namespace {

std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
std::uint32_t Be32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}
void PutBe16(std::uint8_t* p, std::uint32_t v) { p[0] = std::uint8_t(v >> 8), p[1] = std::uint8_t(v); }
void PutBe32(std::uint8_t* p, std::uint32_t v) { PutBe16(p, v >> 16), PutBe16(p + 2, v); }

[[noreturn]] void Invalid(const String& why) { throw EAudioError(L"The file is not a valid AIFF file: " + why + L"."); }

// The 80-bit extended float of the COMM chunk's rate.
double Extended80(const std::uint8_t* p) {
  const int exponent = ((p[0] & 0x7F) << 8) | p[1];
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa = (mantissa << 8) | p[2 + i];
  if (exponent == 0 && mantissa == 0) return 0.0;
  if (exponent == 0x7FFF) return 0.0;
  const double value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return (p[0] & 0x80) ? -value : value;
}

void PutExtended80(std::uint8_t* p, std::uint32_t value) {
  std::memset(p, 0, 10);
  if (value == 0) return;
  int exponent = 31;
  while (!(value & 0x80000000u)) value <<= 1, --exponent;
  PutBe16(p, static_cast<std::uint32_t>(exponent + 16383));
  PutBe32(p + 2, value);
}

bool Is(const std::uint8_t* id, const char* name) { return std::memcmp(id, name, 4) == 0; }

SampleLayout CompressedLayout(const std::uint8_t* type, int bits, String& name) {
  SampleLayout layout;
  layout.BigEndian = true;
  name = L"PCM";
  auto integer = [&](int b) {
    switch ((b + 7) / 8) {
      case 1: layout.Encoding = SampleEncoding::SignedPcm8; break;
      case 2: layout.Encoding = SampleEncoding::Pcm16; break;
      case 3: layout.Encoding = SampleEncoding::Pcm24; break;
      case 4: layout.Encoding = SampleEncoding::Pcm32; break;
      default: Invalid(std::to_wstring(b) + L"-bit samples are not supported");
    }
  };
  if (!type || Is(type, "NONE") || Is(type, "twos")) integer(bits);
  else if (Is(type, "sowt")) integer(bits), layout.BigEndian = false;
  else if (Is(type, "raw ")) layout.Encoding = SampleEncoding::UnsignedPcm8;
  else if (Is(type, "in24")) layout.Encoding = SampleEncoding::Pcm24;
  else if (Is(type, "in32")) layout.Encoding = SampleEncoding::Pcm32;
  else if (Is(type, "fl32") || Is(type, "FL32")) layout.Encoding = SampleEncoding::Float32, name = L"float";
  else if (Is(type, "fl64") || Is(type, "FL64")) layout.Encoding = SampleEncoding::Float64, name = L"float";
  else if (Is(type, "alaw") || Is(type, "ALAW")) layout.Encoding = SampleEncoding::ALaw, name = L"A-law";
  else if (Is(type, "ulaw") || Is(type, "ULAW")) layout.Encoding = SampleEncoding::MuLaw, name = L"u-law";
  else Invalid(L"the compression '" + Utf8Decode(AnsiString(reinterpret_cast<const char*>(type), 4)) + L"' is not supported");
  return layout;
}

String ChunkText(const ByteSource& source, std::int64_t offset, std::uint32_t size) {
  AnsiString text(std::min<std::uint32_t>(size, 1 << 16), '\0');
  text.resize(source.ReadAt(offset, text.data(), text.size()));
  text.resize(std::strlen(text.c_str()));
  return IsValidUtf8(text) ? Utf8Decode(text) : String(text.begin(), text.end());
}

class AiffEncoder : public AudioEncoder {
 public:
  AiffEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings, const AudioTags& tags)
      : sink_(std::move(sink)), channels_(settings.Channels), writer_(Layout(settings.BitsPerSample), settings.Channels) {
    CheckChannelCount(settings.Channels);
    CheckSampleRate(settings.SampleRate);
    const bool isFloat = settings.BitsPerSample == 32;
    std::uint8_t form[12] = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'A', 'I', 'F', 'F'};
    if (isFloat) std::memcpy(form + 8, "AIFC", 4);
    sink_->Write(form, 12);
    if (isFloat) {
      const std::uint8_t fver[12] = {'F', 'V', 'E', 'R', 0, 0, 0, 4, 0xA2, 0x80, 0x51, 0x40};
      sink_->Write(fver, 12);
    }
    AddText("NAME", tags.Title);
    AddText("AUTH", tags.Artist);
    AddText("ANNO", tags.Comment);
    std::uint8_t comm[8 + 24] = {'C', 'O', 'M', 'M'};
    const std::uint32_t commSize = isFloat ? 24 : 18;
    PutBe32(comm + 4, commSize);
    PutBe16(comm + 8, static_cast<std::uint32_t>(channels_));
    framesAt_ = sink_->Position() + 10;
    PutBe16(comm + 14, static_cast<std::uint32_t>(settings.BitsPerSample));
    PutExtended80(comm + 16, static_cast<std::uint32_t>(settings.SampleRate));
    if (isFloat) std::memcpy(comm + 26, "fl32\0\0", 6);
    sink_->Write(comm, 8 + commSize);
    const std::uint8_t ssnd[16] = {'S', 'S', 'N', 'D'};
    ssndAt_ = sink_->Position() + 4;
    sink_->Write(ssnd, 16);
    frameBytes_ = Layout(settings.BitsPerSample).BytesPerSample() * channels_;
  }

  void Write(const float* samples, std::int64_t frames) override {
    if (sink_->Position() + frames * frameBytes_ + 1 > 0xFFFFFFFFll)
      throw EAudioError(L"The audio is too long for an AIFF file (4 GB at most).");
    writer_.Write(*sink_, samples, frames);
  }

  void Finish() override {
    const std::int64_t bytes = writer_.BytesWritten();
    if (bytes & 1) {
      const std::uint8_t pad = 0;
      sink_->Write(&pad, 1);
    }
    std::uint8_t v[4];
    PutBe32(v, static_cast<std::uint32_t>(bytes / frameBytes_));
    sink_->WriteAt(framesAt_, v, 4);
    PutBe32(v, static_cast<std::uint32_t>(bytes + 8));
    sink_->WriteAt(ssndAt_, v, 4);
    PutBe32(v, static_cast<std::uint32_t>(sink_->Position() - 8));
    sink_->WriteAt(4, v, 4);
    sink_->Commit();
  }

 private:
  static SampleLayout Layout(int bits) {
    SampleLayout layout;
    layout.BigEndian = true;
    switch (bits) {
      case 8: layout.Encoding = SampleEncoding::SignedPcm8; break;
      case 16: layout.Encoding = SampleEncoding::Pcm16; break;
      case 24: layout.Encoding = SampleEncoding::Pcm24; break;
      case 32: layout.Encoding = SampleEncoding::Float32; break;
      default: throw EAudioError(L"AIFF files are written with 8, 16, 24 or 32 bits, not " + std::to_wstring(bits) + L".");
    }
    return layout;
  }

  void AddText(const char* id, const String& value) {
    if (value.empty()) return;
    const AnsiString text = Utf8Encode(value);
    std::uint8_t header[8];
    std::memcpy(header, id, 4);
    PutBe32(header + 4, static_cast<std::uint32_t>(text.size()));
    sink_->Write(header, 8);
    sink_->Write(text.data(), text.size());
    if (text.size() & 1) sink_->Write("", 1);
  }

  std::unique_ptr<ByteSink> sink_;
  int channels_;
  PcmArrayWriter writer_;
  std::int64_t framesAt_ = 0, ssndAt_ = 0;
  int frameBytes_ = 0;
};

}  // namespace

bool LooksLikeAiff(const ByteSource& source) {
  std::uint8_t head[12];
  return source.ReadAt(0, head, 12) == 12 && Is(head, "FORM") && (Is(head + 8, "AIFF") || Is(head + 8, "AIFC"));
}

std::unique_ptr<AudioDecoder> OpenAiffDecoder(std::shared_ptr<ByteSource> source) {
  if (!LooksLikeAiff(*source)) Invalid(L"no FORM AIFF header");
  std::uint8_t head[12];
  ReadExactly(*source, 0, head, 12);
  const bool isAifc = Is(head + 8, "AIFC");
  const std::int64_t fileSize = source->Size();
  AudioFileInfo info;
  info.Container = isAifc ? L"AIFC" : L"AIFF";
  bool haveComm = false;
  SampleLayout layout;
  std::int64_t dataOffset = -1, dataSize = 0, declaredFrames = 0;
  for (std::int64_t at = 12; at + 8 <= fileSize;) {
    std::uint8_t header[8];
    ReadExactly(*source, at, header, 8);
    const std::uint32_t size = Be32(header + 4);
    const std::int64_t body = at + 8;
    if (Is(header, "COMM") && !haveComm) {
      std::uint8_t comm[22] = {};
      if (size < 18 || source->ReadAt(body, comm, std::min<std::uint32_t>(size, 22)) < 18) Invalid(L"the COMM chunk is too short");
      info.Channels = static_cast<std::int16_t>(Be16(comm));
      declaredFrames = Be32(comm + 2);
      info.BitsPerSample = static_cast<std::int16_t>(Be16(comm + 6));
      const double rate = Extended80(comm + 8);
      info.SampleRate = rate > 0 && rate < 1e7 ? static_cast<int>(std::lround(rate)) : 0;
      if (isAifc && size < 22) Invalid(L"the AIFC COMM chunk is too short");
      layout = CompressedLayout(isAifc ? comm + 18 : nullptr, info.BitsPerSample, info.Encoding);
      haveComm = true;
    } else if (Is(header, "SSND") && dataOffset < 0) {
      std::uint8_t ssnd[8];
      ReadExactly(*source, body, ssnd, 8);
      dataOffset = body + 8 + Be32(ssnd);
      dataSize = std::max<std::int64_t>(0, std::min<std::int64_t>(body + size, fileSize) - dataOffset);
    } else if (Is(header, "NAME")) {
      info.Tags.Title = ChunkText(*source, body, size);
    } else if (Is(header, "AUTH")) {
      info.Tags.Artist = ChunkText(*source, body, size);
    } else if (Is(header, "ANNO")) {
      info.Tags.Comment = ChunkText(*source, body, size);
    }
    at = body + size + (size & 1);
  }
  if (!haveComm) Invalid(L"the COMM chunk is missing");
  CheckChannelCount(info.Channels);
  CheckSampleRate(info.SampleRate);
  const int frameBytes = layout.BytesPerSample() * info.Channels;
  if (dataOffset < 0) {
    if (declaredFrames != 0) Invalid(L"the SSND chunk is missing");
    dataOffset = fileSize;
  }
  info.BitsPerSample = layout.BitsPerSample();
  info.Frames = std::min(declaredFrames, dataSize / frameBytes);
  return std::make_unique<PcmArrayDecoder>(std::move(source), std::move(info), dataOffset, layout);
}

std::unique_ptr<AudioEncoder> CreateAiffEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& settings,
                                                const AudioTags& tags) {
  return std::make_unique<AiffEncoder>(std::move(sink), settings, tags);
}
