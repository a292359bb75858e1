#pragma once
// TAudioPlayer2: plays queued sample buffers (the effect preview).
//
// SetPlaybackFormat, then Start opens the output device; a device that cannot start leaves a
// non-zero GetLastError and raises nothing. QueueBuffer takes the buffer's storage (no copy; the
// caller's buffer is left empty). OnEndPlay comes once through the message loop after the last queued
// frame has been heard; Stop ends at once, drops the queue, and no OnEndPlay follows. The device is
// serviced from a 50 ms timer, which is also where the end is learnt.

#include <memory>

#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/devices/AudioDevices.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"

class PlayQueue;
class TTimer;

class TAudioPlayer2 : public TComponent {
  DECLARE_CLASS(TAudioPlayer2, TComponent)
 public:
  explicit TAudioPlayer2(TComponent* AOwner);
  ~TAudioPlayer2() override;

  // Raises EAudioError for a rate or channel count the engine does not take. Applies from the next
  // Start.
  void SetPlaybackFormat(int SampleRate, int Channels);
  // Stops what plays, then opens the device in the playback format.
  void Start();
  // The device's error code of the last Start; 0 after a successful one.
  int GetLastError();
  // Raises EAudioError when the player is not started or the buffer's channel count is not the
  // started format's. The buffer plays at the started format's rate.
  void QueueBuffer(SampleBuffer& Buffer);
  void Stop();

  bool Playing() const { return output_ != nullptr; }

  TNotifyEvent OnEndPlay;

 private:
  void ServiceTick(TObject* Sender);
  void Close();

  DeviceFormat format_;
  int lastError_ = 0;
  bool servicing_ = false;
  std::unique_ptr<AudioOutput> output_;
  std::shared_ptr<PlayQueue> queue_;
  TTimer* timer_;
};
