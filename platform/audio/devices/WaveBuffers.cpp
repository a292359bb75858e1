#include "platform/audio/devices/WaveBuffers.h"

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
