#pragma once
// The batch converter's commands: one object per row of its command list, holding the command's
// values (defaults from the settings record when the row is added), the row's settings text, the
// editing of a row through the command's own dialog, and the application of the whole list to one
// chunk of audio.

#include <memory>
#include <span>
#include <vector>

#include "platform/audio/core/SampleBuffer.h"
#include "platform/framework/classes/Object.h"

struct TGlobalVars;
class TAudioTransform2;
class TWinControl;

// In the order of the add-command list.
enum class TBatchCommandKind {
  InsertSilenceAtTheStart,
  InsertSilenceAtTheEnd,
  Amplify,
  Normalize,
  HighPass,
  Equalizer,
  Echo,
  Reverb,
  NoiseReduction,
  SpeedChange,
  PitchChange,
  Compressor,
  ConvertSampleType,
  MixStereoChannels,
  Phaser,
  Flanger,
  Chorus,
};
constexpr int kBatchCommandCount = 17;

class TBatchCommand : public TObject {
  DECLARE_CLASS(TBatchCommand, TObject)
 public:
  TBatchCommandKind Kind() const { return kind_; }
  // The row's text: "Amplify", "Insert Silence At The Start", ...
  String Name() const;
  // The second column, from the command's values.
  String SettingsText() const;

  // The values in the command's field order (Amplify: the gain; Echo: delay time, mix depth, feedback
  // gain; Convert Sample Rate And Channel: the rate index and the channel mode, 0 stereo, 1 mono).
  std::vector<int> Values;

 protected:
  explicit TBatchCommand(TBatchCommandKind Kind);

 private:
  TBatchCommandKind kind_;
};

class TBatchInsertSilenceAtTheStart : public TBatchCommand { public: TBatchInsertSilenceAtTheStart(); };
class TBatchInsertSilenceAtTheEnd : public TBatchCommand { public: TBatchInsertSilenceAtTheEnd(); };
class TBatchAmplify : public TBatchCommand { public: TBatchAmplify(); };
class TBatchNormalize : public TBatchCommand { public: TBatchNormalize(); };
class TBatchHighPass : public TBatchCommand { public: TBatchHighPass(); };
class TBatchEqualizer : public TBatchCommand { public: TBatchEqualizer(); };
class TBatchEcho : public TBatchCommand { public: TBatchEcho(); };
class TBatchReverb : public TBatchCommand { public: TBatchReverb(); };
class TBatchNoiseReduction : public TBatchCommand { public: TBatchNoiseReduction(); };
class TBatchSpeedChange : public TBatchCommand { public: TBatchSpeedChange(); };
class TBatchPitchChange : public TBatchCommand { public: TBatchPitchChange(); };
class TBatchCompressor : public TBatchCommand { public: TBatchCompressor(); };
class TBatchConvertSampleType : public TBatchCommand { public: TBatchConvertSampleType(); };
class TBatchMixStereoChannels : public TBatchCommand { public: TBatchMixStereoChannels(); };
class TBatchPhaser : public TBatchCommand { public: TBatchPhaser(); };
class TBatchFlanger : public TBatchCommand { public: TBatchFlanger(); };
class TBatchChorus : public TBatchCommand { public: TBatchChorus(); };

using TBatchCommandPtr = std::unique_ptr<TBatchCommand, TFreeDeleter>;

// The command's name as the add-command list shows it (without the two leading blanks).
String BatchCommandName(TBatchCommandKind Kind);
// A new command of the kind with its defaults taken from the record now.
TBatchCommandPtr NewBatchCommand(TBatchCommandKind Kind, const TGlobalVars& Vars);
// A new command of the kind with the given values (as many as the kind has).
TBatchCommandPtr NewBatchCommand(TBatchCommandKind Kind, std::vector<int> Values);

// Opens the command's dialog centred over Caller, filled from the command's values, its Preview
// hidden; the settings record is neither read nor written. On OK a new command made from the
// dialog's controls; else null.
TBatchCommandPtr EditBatchCommand(TWinControl* Caller, const TBatchCommand& Command);

// How a Normalize row acts in a pass: the fixed gain (percent) its file's measuring pass found, or
// nothing at all for a silent file.
struct TNormalizeGain {
  bool Apply = false;
  float Percent = 100.0f;
};

// Applies every row once to the whole interleaved chunk, in the chunk's own channel count and in list
// order, each row's call continuing its state from the previous chunk (the transform's chunk mode is
// set around the rows). A Normalize row applies Gains[i] (one per row; rows of other kinds ignore
// theirs); the insert-silence and convert rows do nothing here. An empty list leaves the chunk as it
// is.
void ApplyCommandList(TAudioTransform2& Transform, std::span<const TBatchCommand* const> Rows,
                      std::span<const TNormalizeGain> Gains, SampleBuffer& Chunk);
