#pragma once
// The editor's playback: a snapshot of the document's blocks played through the output device over
// the range of a play mode. The owner calls Service() about every 50 ms from a timer; that is where
// clock-driven devices advance and where the end of play is learnt, so it arrives through the
// message loop, never inside Play.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/core/PlaybackStream.h"
#include "platform/audio/devices/AudioDevices.h"

// TransportState values.
enum TransportStateValue { tsStopped = 0, tsPlaying = 1, tsPaused = 5 };

class EditorTransport {
 public:
  EditorTransport() = default;
  ~EditorTransport();
  EditorTransport(const EditorTransport&) = delete;
  EditorTransport& operator=(const EditorTransport&) = delete;

  int State() const { return state_; }
  bool Active() const { return state_ != tsStopped; }
  // Starts playing `range` of `audio`; raises EAudioError when the device cannot start. An empty
  // range plays nothing and leaves the transport stopped.
  void Play(BlockListRef audio, int sampleRate, PlayRange range);
  void Pause();
  void Resume();
  void Stop();
  // One tick: advances the device; true when everything played has been heard (the transport is
  // still active then; the owner stops it).
  bool Service();
  // The document position being heard.
  std::int64_t Position() const;
  // Levels (0..92) of the last tick's worth of frames heard, per channel.
  void Levels(int levels[2]);

 private:
  std::unique_ptr<AudioOutput> output_;
  std::unique_ptr<PlaybackStream> stream_;
  BlockListRef audio_;
  PlayRange range_;
  int sampleRate_ = 44100;
  int state_ = tsStopped;
  std::vector<float> meterFrames_;
};
