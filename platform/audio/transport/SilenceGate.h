#pragma once
// Recording without silence: decides which captured frames are kept. The level is the peak of
// consecutive 10 ms windows, in dB of full scale. While open, every window passes; once the level
// stayed below the release level for the release time (those windows still pass), the gate closes.
// While closed, windows are held back; once the level stayed above the attack level for the attack
// time, the gate opens and passes the held windows (the attack) and what follows. Times below one
// window count as one window.

#include <cstdint>
#include <vector>

class SilenceGate {
 public:
  struct Settings {
    double AttackLevel = -40;   // dB
    int AttackTime = 0;         // ms
    double ReleaseLevel = -40;  // dB
    int ReleaseTime = 1000;     // ms
  };

  // Starts open, with no partial window.
  void Reset(const Settings& settings, int sampleRate, int channels);
  // Feeds captured frames; appends the frames that pass to `passed`.
  void Process(const float* samples, std::int64_t frames, std::vector<float>& passed);
  bool Open() const { return open_; }

 private:
  void Decide(std::vector<float>& passed);

  int channels_ = 2;
  std::int64_t windowFrames_ = 441;
  float attackPeak_ = 0, releasePeak_ = 0;
  int attackWindows_ = 1, releaseWindows_ = 1;
  bool open_ = true;
  int run_ = 0;                 // consecutive windows beyond the threshold that matters now
  std::vector<float> window_;   // the window being filled
  float windowPeak_ = 0;
  std::vector<float> held_;     // closed: the loud windows that may become the attack
};
