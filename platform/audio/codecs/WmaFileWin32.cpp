#include "platform/framework/base/Win32.h"
// Media Foundation after the one Windows header.
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mfreadwrite.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/FormatConverter.h"

using Microsoft::WRL::ComPtr;

// In mfplat since Windows 7, missing from the MinGW headers.
extern "C" HRESULT WINAPI MFCreateMFByteStreamOnStream(IStream* stream, IMFByteStream** byteStream);

namespace {

constexpr LONGLONG kTicksPerSecond = 10000000;  // Media Foundation time is in 100 ns units

// The largest file the decoder reads: a 32-bit count, and no more than half the address space.
constexpr std::uint64_t kLargestWmaFile = std::min<std::uint64_t>(0xFFFFFFFFu, SIZE_MAX / 2);

String HexResult(HRESULT hr) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// COM and Media Foundation for the lifetime of one reader or writer.
class MediaFoundationScope {
 public:
  MediaFoundationScope() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    comInitialised_ = SUCCEEDED(com);
    started_ = SUCCEEDED(MFStartup(MF_VERSION, MFSTARTUP_LITE));
  }
  ~MediaFoundationScope() {
    if (started_) MFShutdown();
    if (comInitialised_) CoUninitialize();
  }
  bool Started() const { return started_; }

 private:
  bool comInitialised_ = false;
  bool started_ = false;
};

// True when a transform of `category` takes (decoder) or gives (encoder) one of the WMA formats.
bool HasWmaTransform(const GUID& category, bool decoder) {
  for (const GUID& subtype : {MFAudioFormat_WMAudioV8, MFAudioFormat_WMAudioV9}) {
    MFT_REGISTER_TYPE_INFO type = {MFMediaType_Audio, subtype};
    IMFActivate** activates = nullptr;
    UINT32 count = 0;
    const HRESULT hr = MFTEnumEx(category, MFT_ENUM_FLAG_ALL, decoder ? &type : nullptr, decoder ? nullptr : &type,
                                 &activates, &count);
    for (UINT32 i = 0; i < count; ++i) activates[i]->Release();
    CoTaskMemFree(activates);
    if (SUCCEEDED(hr) && count > 0) return true;
  }
  return false;
}

// Results that say the system cannot build the pipeline rather than that the file is bad. A decoder
// that is registered but has no working media back end (Wine without its plug-ins) fails with E_FAIL.
bool MeansMissingComponent(HRESULT hr) {
  return hr == MF_E_UNSUPPORTED_BYTESTREAM_TYPE || hr == MF_E_TOPO_CODEC_NOT_FOUND || hr == MF_E_INVALIDMEDIATYPE ||
         hr == MF_E_UNSUPPORTED_FORMAT || hr == REGDB_E_CLASSNOTREG || hr == E_NOTIMPL || hr == E_FAIL;
}

ComPtr<IMFMediaType> FloatPcmType(int rate, int channels) {
  ComPtr<IMFMediaType> type;
  MFCreateMediaType(&type);
  type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
  type->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_Float);
  if (rate > 0) {
    type->SetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, static_cast<UINT32>(rate));
    type->SetUINT32(MF_MT_AUDIO_NUM_CHANNELS, static_cast<UINT32>(channels));
    type->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 32);
    type->SetUINT32(MF_MT_AUDIO_BLOCK_ALIGNMENT, static_cast<UINT32>(channels * 4));
    type->SetUINT32(MF_MT_AUDIO_AVG_BYTES_PER_SECOND, static_cast<UINT32>(rate * channels * 4));
  }
  return type;
}

class WmaDecoder : public AudioDecoder {
 public:
  explicit WmaDecoder(std::shared_ptr<ByteSource> source) {
    // The file goes to the system as one memory stream, whose size is a 32-bit count.
    if (static_cast<std::uint64_t>(source->Size()) > kLargestWmaFile) throw EAudioError(kWmaFileTooLarge);
    if (!media_.Started() || !HasWmaTransform(MFT_CATEGORY_AUDIO_DECODER, true)) throw EAudioError(kWmaDecoderMissing);
    std::vector<BYTE> bytes(static_cast<std::size_t>(source->Size()));
    ReadExactly(*source, 0, bytes.data(), bytes.size());
    ComPtr<IStream> stream;
    stream.Attach(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    ComPtr<IMFByteStream> byteStream;
    if (!stream || FAILED(MFCreateMFByteStreamOnStream(stream.Get(), &byteStream))) Fail(E_OUTOFMEMORY);
    Check(MFCreateSourceReaderFromByteStream(byteStream.Get(), nullptr, &reader_));
    const DWORD audio = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);
    reader_->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
    Check(reader_->SetStreamSelection(audio, TRUE));
    Check(reader_->SetCurrentMediaType(audio, nullptr, FloatPcmType(0, 0).Get()));
    ComPtr<IMFMediaType> current;
    Check(reader_->GetCurrentMediaType(audio, &current));
    UINT32 rate = 0, channels = 0;
    current->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
    current->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels);
    if (rate == 0 || channels == 0) Fail(MF_E_INVALIDMEDIATYPE);
    PROPVARIANT duration;
    PropVariantInit(&duration);
    Check(reader_->GetPresentationAttribute(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE), MF_PD_DURATION,
                                            &duration));
    info_.Container = L"WMA";
    info_.Encoding = L"Windows Media Audio";
    info_.BitsPerSample = 0;
    info_.SampleRate = static_cast<int>(rate);
    info_.Channels = static_cast<int>(channels);
    info_.Frames = static_cast<std::int64_t>((duration.uhVal.QuadPart * rate + kTicksPerSecond / 2) / kTicksPerSecond);
    PropVariantClear(&duration);
  }

  const AudioFileInfo& Info() const override { return info_; }

  std::int64_t Read(float* out, std::int64_t frames) override {
    frames = std::clamp<std::int64_t>(info_.Frames - position_, 0, frames);
    const std::size_t wanted = static_cast<std::size_t>(frames * info_.Channels);
    while (pending_.size() - pendingAt_ < wanted && !ended_) Pull();
    const std::size_t available = std::min(wanted, pending_.size() - pendingAt_);
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pendingAt_), available, out);
    std::fill(out + available, out + wanted, 0.0f);  // a stream shorter than its stated duration
    pendingAt_ += available;
    position_ += frames;
    return frames;
  }

 private:
  [[noreturn]] static void Fail(HRESULT hr) {
    if (MeansMissingComponent(hr)) throw EAudioError(kWmaDecoderMissing);
    throw EAudioError(L"Windows Media Audio: the file could not be decoded (" + HexResult(hr) + L").");
  }
  static void Check(HRESULT hr) {
    if (FAILED(hr)) Fail(hr);
  }

  void Pull() {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pendingAt_));
    pendingAt_ = 0;
    DWORD flags = 0;
    LONGLONG time = 0;
    ComPtr<IMFSample> sample;
    Check(reader_->ReadSample(static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM), 0, nullptr, &flags, &time,
                              &sample));
    if (flags & MF_SOURCE_READERF_ENDOFSTREAM) ended_ = true;
    if (!sample) return;
    ComPtr<IMFMediaBuffer> buffer;
    Check(sample->ConvertToContiguousBuffer(&buffer));
    BYTE* data = nullptr;
    DWORD length = 0;
    Check(buffer->Lock(&data, nullptr, &length));
    const float* values = reinterpret_cast<const float*>(data);
    pending_.insert(pending_.end(), values, values + length / sizeof(float));
    buffer->Unlock();
  }

  MediaFoundationScope media_;
  ComPtr<IMFSourceReader> reader_;
  AudioFileInfo info_;
  std::vector<float> pending_;
  std::size_t pendingAt_ = 0;
  std::int64_t position_ = 0;
  bool ended_ = false;
};

class WmaEncoder : public AudioEncoder {
 public:
  WmaEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const WmaProfile& profile)
      : sink_(std::move(sink)), profile_(profile),
        converter_(input.Channels, input.SampleRate, profile.Channels, profile.SampleRate) {
    if (!media_.Started() || !HasWmaTransform(MFT_CATEGORY_AUDIO_ENCODER, false)) throw EAudioError(kWmaEncoderMissing);
    const ComPtr<IMFMediaType> output = ChooseOutputType();
    stream_.Attach(SHCreateMemStream(nullptr, 0));
    ComPtr<IMFByteStream> byteStream;
    if (!stream_ || FAILED(MFCreateMFByteStreamOnStream(stream_.Get(), &byteStream))) Fail(E_OUTOFMEMORY);
    Check(MFCreateSinkWriterFromURL(L".wma", byteStream.Get(), nullptr, &writer_));
    Check(writer_->AddStream(output.Get(), &streamIndex_));
    Check(writer_->SetInputMediaType(streamIndex_, FloatPcmType(profile.SampleRate, profile.Channels).Get(), nullptr));
    Check(writer_->BeginWriting());
  }

  void Write(const float* samples, std::int64_t frames) override {
    converter_.Push(samples, frames, [this](const float* s, std::int64_t n) { Encode(s, n); });
  }

  void Finish() override {
    converter_.Finish([this](const float* s, std::int64_t n) { Encode(s, n); });
    Check(writer_->Finalize());
    Check(stream_->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    // In pieces: one read takes a 32-bit count, and the whole file need not be copied at once.
    std::vector<BYTE> piece(1 << 20);
    for (;;) {
      ULONG read = 0;
      Check(stream_->Read(piece.data(), static_cast<ULONG>(piece.size()), &read));
      if (read == 0) break;
      sink_->Write(piece.data(), read);
    }
    sink_->Commit();
  }

 private:
  [[noreturn]] static void Fail(HRESULT hr) {
    if (MeansMissingComponent(hr)) throw EAudioError(kWmaEncoderMissing);
    throw EAudioError(L"Windows Media Audio: the file could not be written (" + HexResult(hr) + L").");
  }
  static void Check(HRESULT hr) {
    if (FAILED(hr)) Fail(hr);
  }

  // The encoder's output type of the profile's rate and channels nearest to its bit rate.
  ComPtr<IMFMediaType> ChooseOutputType() {
    ComPtr<IMFCollection> types;
    if (FAILED(MFTranscodeGetAudioOutputAvailableTypes(MFAudioFormat_WMAudioV8, MFT_ENUM_FLAG_ALL, nullptr, &types)))
      throw EAudioError(kWmaEncoderMissing);
    DWORD count = 0;
    types->GetElementCount(&count);
    ComPtr<IMFMediaType> best;
    long bestDistance = 0;
    for (DWORD i = 0; i < count; ++i) {
      ComPtr<IUnknown> element;
      ComPtr<IMFMediaType> type;
      if (FAILED(types->GetElement(i, &element)) || FAILED(element.As(&type))) continue;
      UINT32 rate = 0, channels = 0, bytesPerSecond = 0;
      type->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
      type->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels);
      type->GetUINT32(MF_MT_AUDIO_AVG_BYTES_PER_SECOND, &bytesPerSecond);
      if (static_cast<int>(rate) != profile_.SampleRate || static_cast<int>(channels) != profile_.Channels) continue;
      const long distance = std::labs(static_cast<long>(bytesPerSecond) - profile_.Kbps * 125L);
      if (!best || distance < bestDistance) {
        best = type;
        bestDistance = distance;
      }
    }
    if (!best) throw EAudioError(kWmaEncoderMissing);
    return best;
  }

  void Encode(const float* samples, std::int64_t frames) {
    const DWORD bytes = static_cast<DWORD>(frames * profile_.Channels * sizeof(float));
    ComPtr<IMFMediaBuffer> buffer;
    Check(MFCreateMemoryBuffer(bytes, &buffer));
    BYTE* data = nullptr;
    Check(buffer->Lock(&data, nullptr, nullptr));
    std::memcpy(data, samples, bytes);
    buffer->Unlock();
    buffer->SetCurrentLength(bytes);
    ComPtr<IMFSample> sample;
    Check(MFCreateSample(&sample));
    sample->AddBuffer(buffer.Get());
    sample->SetSampleTime(written_ * kTicksPerSecond / profile_.SampleRate);
    sample->SetSampleDuration(frames * kTicksPerSecond / profile_.SampleRate);
    Check(writer_->WriteSample(streamIndex_, sample.Get()));
    written_ += frames;
  }

  std::unique_ptr<ByteSink> sink_;
  WmaProfile profile_;
  FormatConverter converter_;
  MediaFoundationScope media_;
  ComPtr<IStream> stream_;
  ComPtr<IMFSinkWriter> writer_;
  DWORD streamIndex_ = 0;
  std::int64_t written_ = 0;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenWmaDecoder(std::shared_ptr<ByteSource> source) {
  if (!LooksLikeWma(*source)) throw EAudioError(L"Windows Media Audio: the file has no Windows Media header.");
  return std::make_unique<WmaDecoder>(std::move(source));
}

std::unique_ptr<AudioEncoder> CreateWmaEncoder(std::unique_ptr<ByteSink> sink, const EncoderSettings& input,
                                               int profile) {
  const WmaProfile* found = FindWmaProfile(profile);
  if (!found) throw EAudioError(L"Unknown WMA profile " + std::to_wstring(profile) + L".");
  return std::make_unique<WmaEncoder>(std::move(sink), input, *found);
}
