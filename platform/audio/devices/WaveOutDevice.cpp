#include "platform/audio/devices/WaveOutDevice.h"

#include <algorithm>

#include "platform/audio/core/SampleCodec.h"
#include "platform/audio/devices/DeviceRate.h"
#include "platform/framework/Exceptions.h"

namespace {
constexpr SampleLayout kPcm16{SampleEncoding::Pcm16, false};
}

WaveOutDevice::~WaveOutDevice() { Stop(); }

int WaveOutDevice::Start(DeviceFormat format, AudioPull pull) {
  Stop();
  const auto accepts = [&](int rate) {
    WAVEFORMATEX wfx = Pcm16Format(rate, format.Channels);
    return waveOutOpen(nullptr, deviceId_, &wfx, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
  };
  deviceRate_ = ChooseDeviceRate(format.SampleRate, accepts);
  if (deviceRate_ == 0) return WAVERR_BADFORMAT;

  event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  WAVEFORMATEX wfx = Pcm16Format(deviceRate_, format.Channels);
  const MMRESULT opened = waveOutOpen(&wave_, deviceId_, &wfx, reinterpret_cast<DWORD_PTR>(event_), 0, CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    wave_ = nullptr;
    CloseHandle(event_);
    event_ = nullptr;
    return static_cast<int>(opened);
  }

  format_ = format;
  pull_ = std::move(pull);
  resampler_ = deviceRate_ == format.SampleRate
                   ? nullptr
                   : std::make_unique<Resampler>(format.Channels, format.SampleRate, deviceRate_);
  ring_.Allocate(deviceRate_, format.Channels);
  for (WAVEHDR& header : ring_.headers) waveOutPrepareHeader(wave_, &header, sizeof header);
  pulled_.clear();
  pending_.clear();
  pullDry_ = false;
  pulledFrames_ = 0;
  playedAtStop_ = 0;
  stopping_ = false;
  finished_ = false;
  worker_ = std::thread([this] { Run(); });
  return 0;
}

void WaveOutDevice::Pause() {
  if (wave_) waveOutPause(wave_);
}

void WaveOutDevice::Resume() {
  if (wave_) waveOutRestart(wave_);
}

void WaveOutDevice::Stop() {
  if (!wave_) return;
  playedAtStop_ = PlayedFrames();
  stopping_ = true;
  SetEvent(event_);
  if (worker_.joinable()) worker_.join();
  waveOutReset(wave_);
  for (WAVEHDR& header : ring_.headers) waveOutUnprepareHeader(wave_, &header, sizeof header);
  waveOutClose(wave_);
  wave_ = nullptr;
  CloseHandle(event_);
  event_ = nullptr;
  pull_ = nullptr;
}

std::int64_t WaveOutDevice::PlayedFrames() const {
  if (!wave_) return playedAtStop_;
  MMTIME time{};
  time.wType = TIME_SAMPLES;
  if (waveOutGetPosition(wave_, &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_SAMPLES) return 0;
  const auto played = static_cast<std::int64_t>(time.u.sample) * format_.SampleRate / deviceRate_;
  return std::min<std::int64_t>(played, pulledFrames_);
}

void WaveOutDevice::Run() {
  try {
    for (int i = 0; i < WaveBufferRing::kCount && Queue(i); ++i) {
    }
    while (!stopping_) {
      const bool anyQueued = std::any_of(ring_.queued.begin(), ring_.queued.end(), [](bool q) { return q; });
      if (!anyQueued && pullDry_ && pending_.empty()) {
        finished_ = true;
        return;
      }
      WaitForSingleObject(event_, 100);
      Cycle();
    }
  } catch (...) {
    failure_.Keep(std::current_exception());
    finished_ = true;  // nothing more will play; the owner ends as at the end of the sound
  }
}

void WaveOutDevice::Cycle() {
  for (int i = 0; i < WaveBufferRing::kCount && !stopping_; ++i) {
    if (ring_.queued[i] && (ring_.headers[i].dwFlags & WHDR_DONE)) {
      ring_.queued[i] = false;
      Queue(i);
    }
  }
}

bool WaveOutDevice::Queue(int index) {
  const std::int64_t want = ring_.FramesPerBuffer();
  Produce(want);
  const int channels = format_.Channels;
  const std::int64_t frames = std::min<std::int64_t>(want, static_cast<std::int64_t>(pending_.size()) / channels);
  if (frames == 0) return false;
  WAVEHDR& header = ring_.headers[index];
  EncodeSamples(kPcm16, pending_.data(), reinterpret_cast<std::uint8_t*>(header.lpData),
                static_cast<std::size_t>(frames * channels));
  pending_.erase(pending_.begin(), pending_.begin() + frames * channels);
  header.dwBufferLength = static_cast<DWORD>(frames * channels * sizeof(std::int16_t));
  header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
  ring_.queued[index] = true;
  const MMRESULT written = waveOutWrite(wave_, &header, sizeof header);
  if (written != MMSYSERR_NOERROR) {
    ring_.queued[index] = false;
    throw EOSError(L"The sound card refused the sound to play (waveOut error " + std::to_wstring(written) + L").",
                   written);
  }
  return true;
}

void WaveOutDevice::Produce(std::int64_t frames) {
  const int channels = format_.Channels;
  while (!pullDry_ && static_cast<std::int64_t>(pending_.size()) / channels < frames) {
    const std::int64_t asked = std::max<std::int64_t>(frames, 256);
    pulled_.resize(static_cast<std::size_t>(asked * channels));
    const std::int64_t got = std::clamp<std::int64_t>(pull_(pulled_.data(), asked), 0, asked);
    pulledFrames_ += got;
    pullDry_ = got < asked;
    if (resampler_) {
      resampler_->Process(pulled_.data(), got, pending_);
      if (pullDry_) resampler_->Finish(pending_);
    } else {
      pending_.insert(pending_.end(), pulled_.begin(), pulled_.begin() + got * channels);
    }
  }
}
