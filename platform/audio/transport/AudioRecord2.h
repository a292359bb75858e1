#pragma once
// TAudioRecord2: records from the input device in buffers of a fixed size (the recording console).
//
// StartRecording opens the device in the recording format; when it cannot (or the device offers no
// recording line) GetLastError is non-zero and nothing raises. Captured frames are gathered into
// blocks of SetBufferSize frames; each full block fires OnEndArrayRecord through the message loop and
// is fetched, oldest first, with GetRecordedBlock. OnTimer brings, about every 50 ms, the frames
// captured since the start and the peak levels of each side on the 0..92 meter scale;
// GetDisplaySamples gives the latest frames. With silence detection on, quiet stretches are left out
// of the blocks (SilenceGate); levels and display samples still show everything. Nothing arrives
// after StopRecording or destruction; the part of a block not yet filled is dropped then.
// The format, the block size and the silence settings apply from the next start.
//
// Lines: SelectLine(n) makes line n (1-based) current for the line calls; SelectLine(0) means no
// current line, and the line calls then answer empty, 0 or false and change nothing.

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/devices/AudioDevices.h"
#include "platform/audio/transport/RecentFrames.h"
#include "platform/audio/transport/SilenceGate.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"

class CaptureQueue;
class TTimer;

using TRecordTimerEvent = TEvent<void(TObject* Sender, std::int64_t CurrentSamples, int LevelLeft, int LevelRight)>;
using TEndArrayRecordEvent = TEvent<void(TObject* Sender, int nBlock)>;

class TAudioRecord2 : public TComponent {
  DECLARE_CLASS(TAudioRecord2, TComponent)
 public:
  // GetLastError after a start on a device without any recording line.
  static constexpr int kNoRecordingLine = 6;
  // Full blocks kept for GetRecordedBlock after their events when nobody fetched them; older ones
  // are dropped.
  static constexpr std::size_t kMaxWaitingBlocks = 32;

  explicit TAudioRecord2(TComponent* AOwner);
  ~TAudioRecord2() override;

  // 1: use the system's default recording device.
  void SetOption(int Option);
  // Raises EAudioError for a rate or channel count the engine does not take. Takes effect at the
  // next start.
  void SetRecordingFormat(int SampleRate, int Channels);
  // Frames of the recording rate in that time, rounded to the nearest.
  int SamplesForMilliseconds(int Milliseconds);
  // Frames per recorded block (at least 1); takes effect at the next start.
  void SetBufferSize(int Samples);
  void StartRecording();
  void StopRecording();
  int GetLastError();
  // The oldest full block not fetched yet; empty (upper bound -1) when there is none.
  SampleBuffer GetRecordedBlock();
  // The latest Count frames, silence before the first captured one.
  SampleBuffer GetDisplaySamples(int Count);

  int GetLineCount();
  void SelectLine(int Line);
  String GetLineName();
  bool LineHasVolume();
  int GetLineVolume();
  void SetLineVolume(int Volume);
  bool IsLineSelected();
  // True makes the current line the recording source.
  void SetLineSelected(bool Selected);

  void SetSilenceDetection(bool Enabled);
  void SetAttackLevel(float Decibels);
  void SetAttackTime(int Milliseconds);
  void SetReleaseLevel(float Decibels);
  void SetReleaseTime(int Milliseconds);

  bool Recording() const { return recording_; }

  TRecordTimerEvent OnTimer;
  TEndArrayRecordEvent OnEndArrayRecord;

 private:
  AudioInput& Device();
  // The current line's entry, or null when there is none.
  bool CurrentLine(InputLine& line);
  void ServiceTick(TObject* Sender);
  void Take(const float* samples, std::int64_t frames);
  void Close();

  DeviceFormat format_;
  int bufferFrames_ = 8820;
  // The format, block size and silence skipping of the running (or last) recording; the settings
  // apply from the next start.
  DeviceFormat active_;
  int activeBufferFrames_ = 8820;
  bool activeSilenceDetection_ = false;
  int lastError_ = 0;
  int currentLine_ = 0;  // 1-based; 0: none
  bool silenceDetection_ = false;
  SilenceGate::Settings silence_;

  std::unique_ptr<AudioInput> input_;
  std::shared_ptr<CaptureQueue> capture_;
  bool recording_ = false;
  bool servicing_ = false;
  std::shared_ptr<bool> alive_;
  TTimer* timer_;

  SilenceGate gate_;
  RecentFrames recent_;
  std::vector<float> taken_;      // this tick's captured frames
  std::vector<float> passed_;     // of those, what the gate let through
  std::vector<float> filling_;    // the block being filled
  std::deque<SampleBuffer> full_;
  int blocksMade_ = 0;
  std::int64_t capturedFrames_ = 0;
  std::int64_t framesSinceTick_ = 0;
};
