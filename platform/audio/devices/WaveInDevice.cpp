#include "platform/audio/devices/WaveInDevice.h"

#include "platform/audio/core/SampleCodec.h"
#include "platform/audio/devices/MixerLines.h"
#include "platform/framework/base/Exceptions.h"

namespace {
constexpr SampleLayout kPcm16{SampleEncoding::Pcm16, false};
}

WaveInDevice::~WaveInDevice() { Stop(); }

int WaveInDevice::Start(DeviceFormat format, AudioPush push) {
  Stop();
  const int opened = card_.Open(deviceId_, format);
  if (opened != 0) return opened;

  format_ = format;
  push_ = std::move(push);
  const int deviceRate = card_.DeviceRate();
  resampler_ = deviceRate == format.SampleRate ? nullptr
                                               : std::make_unique<Resampler>(format.Channels, deviceRate, format.SampleRate);
  WaveBufferRing& ring = card_.Ring();
  for (int i = 0; i < WaveBufferRing::kCount; ++i)
    ring.queued[i] = waveInAddBuffer(card_.Wave(), &ring.headers[i], sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  stopping_ = false;
  const MMRESULT started = waveInStart(card_.Wave());
  if (started != MMSYSERR_NOERROR) {
    Stop();
    return static_cast<int>(started);
  }
  worker_ = std::thread([this] { Run(); });
  return 0;
}

void WaveInDevice::Stop() {
  if (!card_.IsOpen()) return;
  stopping_ = true;
  card_.Wake();
  if (worker_.joinable()) worker_.join();
  card_.Close();
  push_ = nullptr;
}

void WaveInDevice::Run() {
  try {
    while (!stopping_) {
      WaitForSingleObject(card_.Event(), 100);
      WaveBufferRing& ring = card_.Ring();
      for (int i = 0; i < WaveBufferRing::kCount && !stopping_; ++i) {
        WAVEHDR& header = ring.headers[i];
        if (!ring.queued[i] || !(header.dwFlags & WHDR_DONE)) continue;
        Deliver(header);
        header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
        const MMRESULT added = waveInAddBuffer(card_.Wave(), &header, sizeof header);
        if (added != MMSYSERR_NOERROR) {
          ring.queued[i] = false;
          throw EOSError(L"The sound card stopped recording (waveIn error " + std::to_wstring(added) + L").", added);
        }
      }
    }
  } catch (...) {
    failure_.Keep(std::current_exception());
  }
}

void WaveInDevice::Deliver(const WAVEHDR& header) {
  const int channels = format_.Channels;
  const std::size_t values = header.dwBytesRecorded / sizeof(std::int16_t) / channels * channels;
  if (values == 0) return;
  decoded_.resize(values);
  DecodeSamples(kPcm16, reinterpret_cast<const std::uint8_t*>(header.lpData), decoded_.data(), values);
  const std::int64_t frames = static_cast<std::int64_t>(values) / channels;
  if (!resampler_) {
    push_(decoded_.data(), frames);
    return;
  }
  resampled_.clear();
  resampler_->Process(decoded_.data(), frames, resampled_);
  if (!resampled_.empty()) push_(resampled_.data(), static_cast<std::int64_t>(resampled_.size()) / channels);
}

std::vector<InputLine> WaveInDevice::Lines() const { return ReadRecordingLines(deviceId_); }

void WaveInDevice::SelectLine(int index) { SelectRecordingLine(deviceId_, index); }

void WaveInDevice::SetLineVolume(int index, int volume) { SetRecordingLineVolume(deviceId_, index, volume); }
