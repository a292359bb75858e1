#pragma once
// The sound card's input through waveIn: a worker thread takes each filled 16-bit buffer, converts it
// to floats (through the resampler when the card had to be opened at 48000 Hz), hands it to the push
// and queues the buffer again. The recording lines come from the system mixer.

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "platform/audio/core/Resampler.h"
#include "platform/audio/devices/AudioDevices.h"
#include "platform/audio/devices/WaveBuffers.h"
#include "platform/audio/devices/WorkerFailure.h"

class WaveInDevice : public AudioInput {
 public:
  explicit WaveInDevice(UINT deviceId = WAVE_MAPPER) : deviceId_(deviceId) {}
  ~WaveInDevice() override;
  WaveInDevice(const WaveInDevice&) = delete;
  WaveInDevice& operator=(const WaveInDevice&) = delete;

  int Start(DeviceFormat format, AudioPush push) override;
  void Stop() override;
  void Service() override { failure_.Report(); }
  std::vector<InputLine> Lines() const override;
  void SelectLine(int index) override;
  void SetLineVolume(int index, int volume) override;

 private:
  void Run();
  void Deliver(const WAVEHDR& header);

  UINT deviceId_;
  WaveCard<WaveInCalls> card_;
  std::thread worker_;
  std::atomic<bool> stopping_{false};
  DeviceFormat format_;
  AudioPush push_;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> decoded_;
  std::vector<float> resampled_;
  WorkerFailure failure_;
};
