#include "platform/audio/devices/WaveInDevice.h"

#include "platform/audio/core/SampleCodec.h"
#include "platform/audio/devices/DeviceRate.h"
#include "platform/audio/devices/MixerLines.h"
#include "platform/framework/Exceptions.h"

namespace {
constexpr SampleLayout kPcm16{SampleEncoding::Pcm16, false};
}

WaveInDevice::~WaveInDevice() { Stop(); }

int WaveInDevice::Start(DeviceFormat format, AudioPush push) {
  Stop();
  const auto accepts = [&](int rate) {
    WAVEFORMATEX wfx = Pcm16Format(rate, format.Channels);
    return waveInOpen(nullptr, deviceId_, &wfx, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
  };
  const int deviceRate = ChooseDeviceRate(format.SampleRate, accepts);
  if (deviceRate == 0) return WAVERR_BADFORMAT;

  event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  WAVEFORMATEX wfx = Pcm16Format(deviceRate, format.Channels);
  const MMRESULT opened = waveInOpen(&wave_, deviceId_, &wfx, reinterpret_cast<DWORD_PTR>(event_), 0, CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    wave_ = nullptr;
    CloseHandle(event_);
    event_ = nullptr;
    return static_cast<int>(opened);
  }

  format_ = format;
  push_ = std::move(push);
  resampler_ = deviceRate == format.SampleRate ? nullptr
                                               : std::make_unique<Resampler>(format.Channels, deviceRate, format.SampleRate);
  ring_.Allocate(deviceRate, format.Channels);
  for (int i = 0; i < WaveBufferRing::kCount; ++i) {
    WAVEHDR& header = ring_.headers[i];
    waveInPrepareHeader(wave_, &header, sizeof header);
    ring_.queued[i] = waveInAddBuffer(wave_, &header, sizeof header) == MMSYSERR_NOERROR;
  }
  stopping_ = false;
  const MMRESULT started = waveInStart(wave_);
  if (started != MMSYSERR_NOERROR) {
    Stop();
    return static_cast<int>(started);
  }
  worker_ = std::thread([this] { Run(); });
  return 0;
}

void WaveInDevice::Stop() {
  if (!wave_) return;
  stopping_ = true;
  SetEvent(event_);
  if (worker_.joinable()) worker_.join();
  waveInReset(wave_);
  for (WAVEHDR& header : ring_.headers) waveInUnprepareHeader(wave_, &header, sizeof header);
  waveInClose(wave_);
  wave_ = nullptr;
  CloseHandle(event_);
  event_ = nullptr;
  push_ = nullptr;
}

void WaveInDevice::Run() {
  try {
    while (!stopping_) {
      WaitForSingleObject(event_, 100);
      for (int i = 0; i < WaveBufferRing::kCount && !stopping_; ++i) {
        WAVEHDR& header = ring_.headers[i];
        if (!ring_.queued[i] || !(header.dwFlags & WHDR_DONE)) continue;
        Deliver(header);
        header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
        const MMRESULT added = waveInAddBuffer(wave_, &header, sizeof header);
        if (added != MMSYSERR_NOERROR) {
          ring_.queued[i] = false;
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
