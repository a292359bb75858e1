#include "platform/audio/devices/WaveBuffers.h"

#include "platform/audio/devices/DeviceRate.h"

WAVEFORMATEX Pcm16Format(int sampleRate, int channels) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(channels * 2);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return format;
}

void WaveBufferRing::Allocate(int sampleRate, int channels) {
  framesPerBuffer = static_cast<std::int64_t>(sampleRate) * kMilliseconds / 1000;
  for (int i = 0; i < kCount; ++i) {
    storage[i].assign(static_cast<std::size_t>(framesPerBuffer * channels), 0);
    headers[i] = WAVEHDR{};
    headers[i].lpData = reinterpret_cast<LPSTR>(storage[i].data());
    headers[i].dwBufferLength = static_cast<DWORD>(storage[i].size() * sizeof(std::int16_t));
    queued[i] = false;
  }
}

template <class Calls>
int WaveCard<Calls>::Open(UINT deviceId, const DeviceFormat& format) {
  Close();
  const auto accepts = [&](int rate) {
    const WAVEFORMATEX wfx = Pcm16Format(rate, format.Channels);
    return Calls::Open(nullptr, deviceId, &wfx, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
  };
  const int deviceRate = ChooseDeviceRate(format.SampleRate, accepts);
  if (deviceRate == 0) return WAVERR_BADFORMAT;

  event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!event_) return MMSYSERR_NOMEM;
  const WAVEFORMATEX wfx = Pcm16Format(deviceRate, format.Channels);
  const MMRESULT opened = Calls::Open(&wave_, deviceId, &wfx, reinterpret_cast<DWORD_PTR>(event_), CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    wave_ = nullptr;
    CloseHandle(event_);
    event_ = nullptr;
    return static_cast<int>(opened);
  }
  deviceRate_ = deviceRate;
  ring_.Allocate(deviceRate, format.Channels);
  for (WAVEHDR& header : ring_.headers) Calls::Prepare(wave_, &header);
  return 0;
}

template <class Calls>
void WaveCard<Calls>::Close() {
  if (!wave_) return;
  Calls::Reset(wave_);
  for (WAVEHDR& header : ring_.headers) Calls::Unprepare(wave_, &header);
  Calls::Close(wave_);
  wave_ = nullptr;
  CloseHandle(event_);
  event_ = nullptr;
}

template class WaveCard<WaveInCalls>;
template class WaveCard<WaveOutCalls>;
