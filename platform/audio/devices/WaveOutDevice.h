#pragma once
// The sound card's output through waveOut: a worker thread pulls the sound, converts it to 16-bit
// PCM (through the resampler at 48000 Hz when the card refuses the rate) and keeps a ring of
// buffers queued on the card, woken by the card's event.

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "platform/audio/core/Resampler.h"
#include "platform/audio/devices/AudioDevices.h"
#include "platform/audio/devices/WaveBuffers.h"
#include "platform/audio/devices/WorkerFailure.h"

class WaveOutDevice : public AudioOutput {
 public:
  explicit WaveOutDevice(UINT deviceId = WAVE_MAPPER) : deviceId_(deviceId) {}
  ~WaveOutDevice() override;
  WaveOutDevice(const WaveOutDevice&) = delete;
  WaveOutDevice& operator=(const WaveOutDevice&) = delete;

  int Start(DeviceFormat format, AudioPull pull) override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void Service() override { failure_.Report(); }
  std::int64_t PlayedFrames() const override;
  bool Finished() const override { return finished_; }

 private:
  void Run();
  void Cycle();
  // Fills and queues one buffer; false when the sound has run out.
  bool Queue(int index);
  // Makes at least `frames` device frames ready in pending_ unless the pull runs dry.
  void Produce(std::int64_t frames);

  UINT deviceId_;
  WaveCard<WaveOutCalls> card_;
  std::thread worker_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> finished_{false};
  DeviceFormat format_;
  AudioPull pull_;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> pulled_;
  std::vector<float> pending_;  // device-rate frames made but not queued yet
  bool pullDry_ = false;
  std::atomic<std::int64_t> pulledFrames_{0};
  std::int64_t playedAtStop_ = 0;
  WorkerFailure failure_;
};
