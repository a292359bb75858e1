#include "platform/audio/processing/AudioFile2.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/FormatConverter.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/processing/RecordingFileSink.h"

DEFINE_CLASS(TAudioFile2)

namespace {

constexpr const wchar_t* kClass = L"TAudioFile2";

[[noreturn]] void FailOn(const String& path, const String& problem) {
  throw EAudioError(L"The file \"" + path + L"\" cannot be read: " + problem);
}

// The depth a WAV copy of a file keeps: its own for 8, 16 and 24-bit PCM, float for deeper or float
// samples, 16 bits for everything else.
int WavBitsOf(const AudioDecoder& decoder) {
  std::int64_t offset = 0;
  SampleLayout layout;
  if (!decoder.DirectLayout(offset, layout)) return 16;
  switch (layout.Encoding) {
    case SampleEncoding::UnsignedPcm8:
    case SampleEncoding::SignedPcm8: return 8;
    case SampleEncoding::Pcm24: return 24;
    case SampleEncoding::Pcm32:
    case SampleEncoding::Float32:
    case SampleEncoding::Float64: return 32;
    default: return 16;
  }
}

}  // namespace

TAudioFile2::TAudioFile2(TComponent* AOwner) : TComponent(AOwner) {}

TAudioFile2::~TAudioFile2() = default;

// Reading

void TAudioFile2::OpenRead(const String& Path, int FirstFrame, int Delivery) {
  AudioCallLog::Add(kClass, L"OpenRead", Path, FirstFrame, Delivery);
  if (FirstFrame != 0) throw EAudioError(L"Reading starts at the first frame (0), not " + std::to_wstring(FirstFrame) + L".");
  if (Delivery != 1) throw EAudioError(L"Blocks are delivered as float samples (1), not " + std::to_wstring(Delivery) + L".");
  CloseReader();
  std::shared_ptr<ByteSource> source;
  try {
    source = OpenFileSource(Path);
    decoder_ = FormatRegistry::Default().OpenDecoder(source, Path);
  } catch (const Exception& error) {
    decoder_.reset();
    FailOn(Path, error.Message());
  }
  if (!decoder_) FailOn(Path, L"the format is not supported.");
  readPath_ = Path;
  fileBytes_ = source->Size();
  framesRead_ = 0;
  ended_ = false;
}

void TAudioFile2::CloseReader() {
  decoder_.reset();
  readPath_.clear();
  fileBytes_ = 0;
  framesRead_ = 0;
  ended_ = false;
}

const AudioFileInfo& TAudioFile2::SourceInfo() const {
  if (!decoder_) throw EAudioError(L"No file is open for reading.");
  return decoder_->Info();
}

int TAudioFile2::GetChannels() const {
  AudioCallLog::Add(kClass, L"GetChannels");
  return SourceInfo().Channels;
}

int TAudioFile2::GetSampleRate() const {
  AudioCallLog::Add(kClass, L"GetSampleRate");
  return SourceInfo().SampleRate;
}

std::int64_t TAudioFile2::GetBitRate() const {
  AudioCallLog::Add(kClass, L"GetBitRate");
  const AudioFileInfo& info = SourceInfo();
  std::int64_t offset = 0;
  SampleLayout layout;
  if (decoder_->DirectLayout(offset, layout))
    return std::int64_t{info.SampleRate} * info.Channels * layout.BitsPerSample();
  return AverageBitRate(fileBytes_, info);
}

std::int64_t TAudioFile2::GetLength() const {
  AudioCallLog::Add(kClass, L"GetLength");
  return SourceInfo().Frames;
}

SampleBuffer TAudioFile2::ReadBlock(std::int64_t Count) {
  AudioCallLog::Add(kClass, L"ReadBlock", Count);
  const AudioFileInfo& info = SourceInfo();
  const int channels = info.Channels;
  SampleBuffer block(channels, info.SampleRate, ended_ ? 0 : std::max<std::int64_t>(Count, 0) / channels);
  std::int64_t done = 0;
  try {
    while (done < block.Frames()) {
      const std::int64_t got = decoder_->Read(block.Frame(done), block.Frames() - done);
      if (got <= 0) break;
      done += got;
    }
  } catch (const Exception& error) {
    // The decoders resynchronise past what they can; a failure left over is the end of the usable
    // audio, unless there was none at all.
    if (!skipDamaged_ || framesRead_ + done == 0) FailOn(readPath_, error.Message());
    ended_ = true;
  }
  framesRead_ += done;
  if (done < block.Frames()) {
    ended_ = true;
    block.Resize(done);
  }
  return block;
}

// Writing

void TAudioFile2::SetWaveFormat(int SampleRate, int Channels, int Bits) {
  AudioCallLog::Add(kClass, L"SetWaveFormat", SampleRate, Channels, Bits);
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  if (Bits != 8 && Bits != 16 && Bits != 24 && Bits != 32)
    throw EAudioError(L"WAV files are written with 8, 16, 24 or 32 bits, not " + std::to_wstring(Bits) + L".");
  output_.Kind = OutputKind::Wav;
  output_.Wav = {SampleRate, Channels, Bits};
  outputSet_ = true;
}

void TAudioFile2::SetWaveFormatFromFile(const String& Path) {
  AudioCallLog::Add(kClass, L"SetWaveFormatFromFile", Path);
  std::unique_ptr<AudioDecoder> decoder;
  try {
    decoder = FormatRegistry::Default().OpenDecoder(OpenFileSource(Path), Path);
  } catch (const Exception& error) {
    FailOn(Path, error.Message());
  }
  const AudioFileInfo& info = decoder->Info();
  output_.Kind = OutputKind::Wav;
  output_.Wav = {info.SampleRate, std::clamp(info.Channels, 1, 2), WavBitsOf(*decoder)};
  outputSet_ = true;
}

void TAudioFile2::SetMp3Format(int SampleRate, int Kbps, int Channels) {
  AudioCallLog::Add(kClass, L"SetMp3Format", SampleRate, Kbps, Channels);
  CheckChannelCount(Channels);
  output_.Kind = OutputKind::Mp3;
  output_.Mp3 = Mp3ConstantBitRate(SampleRate, Kbps, Channels);
  outputSet_ = true;
}

void TAudioFile2::SetMp3Encoder(const TAudioFile2LameEnc& Encoder) {
  AudioCallLog::Add(kClass, L"SetMp3Encoder");
  output_.Kind = OutputKind::Mp3;
  output_.Mp3 = Encoder.Config();
  outputSet_ = true;
}

void TAudioFile2::SetOggFormat(int SampleRate, int Channels, int Kbps, int Reserved1, int Reserved2, int Quality) {
  AudioCallLog::Add(kClass, L"SetOggFormat", SampleRate, Channels, Kbps, Reserved1, Reserved2, Quality);
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  OggEncoderConfig config;
  config.SampleRate = SampleRate;
  config.Channels = Channels;
  config.Quality = Quality == -1 ? -1 : std::clamp(static_cast<int>(static_cast<std::int16_t>(Quality)), -100, 1000);
  config.BitRate = Kbps;
  output_.Kind = OutputKind::Ogg;
  output_.Ogg = config;
  outputSet_ = true;
}

void TAudioFile2::SetWmaProfile(int Profile) {
  AudioCallLog::Add(kClass, L"SetWmaProfile", Profile);
  if (!FindWmaProfile(Profile)) throw EAudioError(L"Unknown WMA profile " + std::to_wstring(Profile) + L".");
  output_.Kind = OutputKind::Wma;
  output_.WmaProfile = Profile;
  outputSet_ = true;
}

bool TAudioFile2::CanMp3(int SampleRate, int Kbps, int Channels) const {
  AudioCallLog::Add(kClass, L"CanMp3", SampleRate, Kbps, Channels);
  return ::CanMp3(SampleRate, Kbps, Channels);
}

bool TAudioFile2::CanOgg(int SampleRate, int Channels, int Kbps, int Reserved1, int Reserved2) const {
  AudioCallLog::Add(kClass, L"CanOgg", SampleRate, Channels, Kbps, Reserved1, Reserved2);
  return ::CanOgg(SampleRate, Channels, Kbps);
}

void TAudioFile2::SetInputFormat(int SampleRate, int Channels) {
  AudioCallLog::Add(kClass, L"SetInputFormat", SampleRate, Channels);
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  // Only the rate is kept: every block brings its own channel count.
  inputRate_ = SampleRate;
}

int TAudioFile2::InputRate() const {
  if (inputRate_ > 0) return inputRate_;
  return output_.Kind == OutputKind::Wav && outputSet_ ? output_.Wav.SampleRate : 44100;
}

EncoderSettings TAudioFile2::Settled() const { return SettleOutputFormat(output_, InputRate()); }

void TAudioFile2::CreateForWriting(const String& Path, int Mode) {
  AudioCallLog::Add(kClass, L"CreateForWriting", Path, Mode);
  CloseWriter();
  settled_ = Settled();
  std::unique_ptr<ByteSink> sink;
  const bool recording = Mode == 1 && output_.Kind == OutputKind::Wav;
  try {
    if (recording) {
      auto direct = RecordingFileSink::Create(Path);
      recording_ = direct.get();
      sink = std::move(direct);
    } else {
      sink = CreateFileSink(Path);
    }
    encoder_ = CreateOutputEncoder(output_, settled_, std::move(sink));
  } catch (const Exception& error) {
    recording_ = nullptr;
    encoder_.reset();
    throw EAudioError(L"The file \"" + Path + L"\" cannot be created: " + error.Message());
  }
  if (recording_) recording_->UpdateWavSizes();
  writePath_ = Path;
}

void TAudioFile2::ConvertChannels(const SampleBuffer& buffer, int channels) {
  mapped_.resize(static_cast<std::size_t>(buffer.Frames() * channels));
  MapChannels(buffer.Data(), buffer.Channels(), mapped_.data(), channels, buffer.Frames());
}

void TAudioFile2::WriteBlock(const SampleBuffer& Buffer) {
  AudioCallLog::Add(kClass, L"WriteBlock", Buffer.Values());
  if (!encoder_) throw EAudioError(L"No file is open for writing.");
  if (Buffer.Empty()) return;
  const int channels = settled_.Channels;
  // A block's own channel count counts, whatever the declared input: a mono source's blocks may come
  // as stereo after the effects.
  ConvertChannels(Buffer, channels);
  const int rate = inputRate_ > 0 ? inputRate_ : Buffer.SampleRate();
  if (rate != settled_.SampleRate) {
    if (!resampler_ || resamplerRate_ != rate) {
      resampler_ = std::make_unique<Resampler>(channels, rate, settled_.SampleRate);
      resamplerRate_ = rate;
    }
    resampled_.clear();
    resampler_->Process(mapped_.data(), Buffer.Frames(), resampled_);
    encoder_->Write(resampled_.data(), static_cast<std::int64_t>(resampled_.size()) / channels);
  } else {
    encoder_->Write(mapped_.data(), Buffer.Frames());
  }
  if (recording_) recording_->UpdateWavSizes();
}

void TAudioFile2::CloseAudioFile() {
  AudioCallLog::Add(kClass, L"CloseAudioFile");
  CloseReader();
  if (!encoder_) return;
  try {
    if (resampler_) {
      resampled_.clear();
      resampler_->Finish(resampled_);
      encoder_->Write(resampled_.data(), static_cast<std::int64_t>(resampled_.size()) / settled_.Channels);
    }
    encoder_->Finish();
  } catch (...) {
    CloseWriter();
    throw;
  }
  CloseWriter();
}

void TAudioFile2::CloseWriter() {
  encoder_.reset();
  recording_ = nullptr;
  resampler_.reset();
  resamplerRate_ = 0;
  writePath_.clear();
}

int TAudioFile2::GetFormatChannels() const {
  AudioCallLog::Add(kClass, L"GetFormatChannels");
  if (encoder_) return settled_.Channels;
  if (decoder_ && !outputSet_) return decoder_->Info().Channels;
  return Settled().Channels;
}

int TAudioFile2::GetFormatSampleRate() const {
  AudioCallLog::Add(kClass, L"GetFormatSampleRate");
  if (encoder_) return settled_.SampleRate;
  if (decoder_ && !outputSet_) return decoder_->Info().SampleRate;
  return Settled().SampleRate;
}

void TAudioFile2::SetOption(int Value) {
  AudioCallLog::Add(kClass, L"SetOption", Value);
  skipDamaged_ = Value == -1;
}
