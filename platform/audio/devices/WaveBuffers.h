#pragma once
// What the waveOut and waveIn devices share: the 16-bit PCM format they open the card with, the ring
// of prepared headers their worker threads cycle, and the opening and closing of the card itself.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/audio/devices/AudioDevices.h"
#include "platform/framework/base/Win32.h"

#include <mmsystem.h>

WAVEFORMATEX Pcm16Format(int sampleRate, int channels);

// kCount headers of about kMilliseconds each, with their sample storage.
struct WaveBufferRing {
  static constexpr int kCount = 4;
  static constexpr int kMilliseconds = 50;

  void Allocate(int sampleRate, int channels);
  std::int64_t FramesPerBuffer() const { return framesPerBuffer; }

  std::array<WAVEHDR, kCount> headers{};
  std::array<bool, kCount> queued{};
  std::array<std::vector<std::int16_t>, kCount> storage;
  std::int64_t framesPerBuffer = 0;
};

// The waveIn and waveOut functions the card below calls, one set per direction.
struct WaveInCalls {
  using Handle = HWAVEIN;
  static MMRESULT Open(Handle* wave, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback, DWORD flags) {
    return waveInOpen(wave, deviceId, format, callback, 0, flags);
  }
  static MMRESULT Prepare(Handle wave, WAVEHDR* header) { return waveInPrepareHeader(wave, header, sizeof *header); }
  static MMRESULT Unprepare(Handle wave, WAVEHDR* header) {
    return waveInUnprepareHeader(wave, header, sizeof *header);
  }
  static MMRESULT Reset(Handle wave) { return waveInReset(wave); }
  static MMRESULT Close(Handle wave) { return waveInClose(wave); }
};

struct WaveOutCalls {
  using Handle = HWAVEOUT;
  static MMRESULT Open(Handle* wave, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback, DWORD flags) {
    return waveOutOpen(wave, deviceId, format, callback, 0, flags);
  }
  static MMRESULT Prepare(Handle wave, WAVEHDR* header) { return waveOutPrepareHeader(wave, header, sizeof *header); }
  static MMRESULT Unprepare(Handle wave, WAVEHDR* header) {
    return waveOutUnprepareHeader(wave, header, sizeof *header);
  }
  static MMRESULT Reset(Handle wave) { return waveOutReset(wave); }
  static MMRESULT Close(Handle wave) { return waveOutClose(wave); }
};

// An open sound card in 16-bit PCM: its handle, the event it signals as buffers complete, and the
// ring of headers prepared on it. The rate is the wanted one or the 48000 Hz fallback (DeviceRate).
template <class Calls>
class WaveCard {
 public:
  using Handle = typename Calls::Handle;

  WaveCard() = default;
  ~WaveCard() { Close(); }
  WaveCard(const WaveCard&) = delete;
  WaveCard& operator=(const WaveCard&) = delete;

  // Opens the card for `format` with the ring allocated and prepared. Returns 0, or the code of the
  // failure with nothing left open (WAVERR_BADFORMAT when the card takes neither rate).
  int Open(UINT deviceId, const DeviceFormat& format);
  // Resets the card (every queued buffer comes back), unprepares the ring and closes the card.
  void Close();

  bool IsOpen() const { return wave_ != nullptr; }
  Handle Wave() const { return wave_; }
  HANDLE Event() const { return event_; }
  // Wakes a worker waiting on the card's event.
  void Wake() const { SetEvent(event_); }
  int DeviceRate() const { return deviceRate_; }
  WaveBufferRing& Ring() { return ring_; }

 private:
  Handle wave_ = nullptr;
  HANDLE event_ = nullptr;
  int deviceRate_ = 0;
  WaveBufferRing ring_;
};

extern template class WaveCard<WaveInCalls>;
extern template class WaveCard<WaveOutCalls>;
