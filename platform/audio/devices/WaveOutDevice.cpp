#include "platform/audio/devices/WaveOutDevice.h"

#include <algorithm>

#include "platform/audio/core/SampleCodec.h"
#include "platform/framework/base/Exceptions.h"

namespace {
constexpr SampleLayout kPcm16{SampleEncoding::Pcm16, false};
}

WaveOutDevice::~WaveOutDevice() { Stop(); }

int WaveOutDevice::Start(DeviceFormat format, AudioPull pull) {
  Stop();
  const int opened = card_.Open(deviceId_, format);
  if (opened != 0) return opened;

  format_ = format;
  pull_ = std::move(pull);
  const int deviceRate = card_.DeviceRate();
  resampler_ = deviceRate == format.SampleRate
                   ? nullptr
                   : std::make_unique<Resampler>(format.Channels, format.SampleRate, deviceRate);
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
  if (card_.IsOpen()) waveOutPause(card_.Wave());
}

void WaveOutDevice::Resume() {
  if (card_.IsOpen()) waveOutRestart(card_.Wave());
}

void WaveOutDevice::Stop() {
  if (!card_.IsOpen()) return;
  playedAtStop_ = PlayedFrames();
  stopping_ = true;
  card_.Wake();
  if (worker_.joinable()) worker_.join();
  card_.Close();
  pull_ = nullptr;
}

std::int64_t WaveOutDevice::PlayedFrames() const {
  if (!card_.IsOpen()) return playedAtStop_;
  MMTIME time{};
  time.wType = TIME_SAMPLES;
  if (waveOutGetPosition(card_.Wave(), &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_SAMPLES) return 0;
  const auto played = static_cast<std::int64_t>(time.u.sample) * format_.SampleRate / card_.DeviceRate();
  return std::min<std::int64_t>(played, pulledFrames_);
}

void WaveOutDevice::Run() {
  try {
    for (int i = 0; i < WaveBufferRing::kCount && Queue(i); ++i) {
    }
    while (!stopping_) {
      const auto& queued = card_.Ring().queued;
      const bool anyQueued = std::any_of(queued.begin(), queued.end(), [](bool q) { return q; });
      if (!anyQueued && pullDry_ && pending_.empty()) {
        finished_ = true;
        return;
      }
      WaitForSingleObject(card_.Event(), 100);
      Cycle();
    }
  } catch (...) {
    failure_.Keep(std::current_exception());
    finished_ = true;  // nothing more will play; the owner ends as at the end of the sound
  }
}

void WaveOutDevice::Cycle() {
  WaveBufferRing& ring = card_.Ring();
  for (int i = 0; i < WaveBufferRing::kCount && !stopping_; ++i) {
    if (ring.queued[i] && (ring.headers[i].dwFlags & WHDR_DONE)) {
      ring.queued[i] = false;
      Queue(i);
    }
  }
}

bool WaveOutDevice::Queue(int index) {
  WaveBufferRing& ring = card_.Ring();
  const std::int64_t want = ring.FramesPerBuffer();
  Produce(want);
  const int channels = format_.Channels;
  const std::int64_t frames = std::min<std::int64_t>(want, static_cast<std::int64_t>(pending_.size()) / channels);
  if (frames == 0) return false;
  WAVEHDR& header = ring.headers[index];
  EncodeSamples(kPcm16, pending_.data(), reinterpret_cast<std::uint8_t*>(header.lpData),
                static_cast<std::size_t>(frames * channels));
  pending_.erase(pending_.begin(), pending_.begin() + frames * channels);
  header.dwBufferLength = static_cast<DWORD>(frames * channels * sizeof(std::int16_t));
  header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
  ring.queued[index] = true;
  const MMRESULT written = waveOutWrite(card_.Wave(), &header, sizeof header);
  if (written != MMSYSERR_NOERROR) {
    ring.queued[index] = false;
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
