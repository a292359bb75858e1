#pragma once
// The editor's engine: one document with its selection, history, markers and output settings, and
// every operation the editor control offers, free of any window. The control is a thin layer over
// it: it forwards calls, logs them, paints, and turns these callbacks into its events.
//
// Rules every operation keeps:
// - a failure raises EAudioError and leaves document, selection and history as they were: the new
//   state is built completely before it replaces the old one;
// - an operation over ProgressThreshold() frames fires OnBlockOperation at 0, each whole percent and
//   100, then OnEndOperation once, also when it fails;
// - while an operation runs (its callbacks may pump messages) getters answer from the document as it
//   was and every change raises "busy";
// - OnChangePosition fires once inside each call that changes the selection or cursor.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/audio/core/Document.h"
#include "platform/audio/core/Effects.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/core/History.h"
#include "platform/audio/core/SampleBuffer.h"

class AudioEngine {
 public:
  explicit AudioEngine(std::shared_ptr<BlockStore> store = nullptr,
                       const FormatRegistry& registry = FormatRegistry::Default());
  ~AudioEngine();
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  std::function<void()> OnChangePosition;
  std::function<void(int percent)> OnBlockOperation;
  std::function<void()> OnEndOperation;

  BlockStore& Store() { return *store_; }
  void SetProgressThreshold(std::int64_t frames) { progressThreshold_ = frames; }
  std::int64_t ProgressThreshold() const { return progressThreshold_; }
  // Test seam: the next run of `operation` (a method name, "Amplify") fails midway with `message`.
  void InjectFailure(const String& operation, const String& message);
  bool Busy() const { return busy_; }

  // Document
  void NewDocument(int sampleRate, int channels);
  void OpenFile(const String& path);
  // Leaves an empty 44100 Hz stereo document.
  void CloseFile();
  // range -1: the selection, 0: the whole document; typeCode as the registry knows it.
  void SaveRangeAs(const String& path, int range, int typeCode);
  // The settings a type code is saved with from now on.
  void SetFileFormat(int typeCode, const EncoderSettings& settings);
  EncoderSettings FileFormat(int typeCode) const;
  void SetTempDirectory(const String& folder);
  const String& TempDirectory() const { return tempDirectory_; }

  const Document& Doc() const { return doc_; }
  int SampleRate() const { return doc_.SampleRate; }
  int Channels() const { return doc_.Channels; }
  std::int64_t Length() const { return doc_.Length(); }
  String FormatText() const;
  const AudioTags& Tags() const { return doc_.Tags; }
  void SetTags(const AudioTags& tags);

  // Positions
  std::int64_t MillisecondsToSamples(double ms) const;
  double SamplesToMilliseconds(std::int64_t samples) const;
  std::int64_t SelectionStart() const { return selectionStart_; }
  std::int64_t SelectionEnd() const { return selectionEnd_; }
  std::int64_t CursorPosition() const { return selectionStart_; }
  void SetSelectionStart(std::int64_t position);
  void SetSelectionEnd(std::int64_t position);
  void SetSelection(std::int64_t start, std::int64_t end);
  void SetCursorPosition(std::int64_t position);
  // -1 and 0 both mean all channels; other values raise.
  void SetSelectionChannel(int channel);

  // Edits
  // `count` frames from the selection start, fewer at the end; empty without audio.
  SampleBuffer ReadSamples(std::int64_t count) const;
  void InsertSamples(const SampleBuffer& samples);
  void CopyToClipboard();
  void CutSelection();
  void PasteClipboard();
  void DeleteSelected();
  void InsertFile(const String& path);
  void MixFile(float selectionPercent, const String& path, float sourcePercent);
  void PasteMix(float selectionPercent, float sourcePercent);
  void ConvertSampleRate(int sampleRate, int channels);
  void InsertSilence(double milliseconds);

  // Transforms of the selection
  void Amplify(float percent);
  // mode -1: one gain for all channels; 0: a gain per channel.
  void Normalize(float percent, int mode);
  void Fade(float initialPercent, float finalPercent);
  void Envelope(const std::vector<float>& gains);
  void MixStereo(float ll, float lr, float rl, float rr);
  void Invert();
  void Reverse();
  void SilenceSelection();
  // Runs any effect over the selection as one undo step (the DSP effects come through here).
  void ApplyEffect(const String& operation, AudioEffect& effect);

  // History
  void Undo();
  void Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void BeginCompound();
  void EndCompound();
  int UndoRedoCount() const { return history_.Limit(); }
  void SetUndoRedoCount(int steps);

  // Markers, numbered from 1 in the order they were added.
  int AddMarker(std::int64_t position, std::int64_t length, const String& name, const String& kind);
  int MarkerCount() const { return static_cast<int>(doc_.Markers.size()); }
  void SelectMarker(int id);
  // The selected marker.
  int MarkerId() const;
  const Marker& SelectedMarker() const;
  void DeleteMarker();

 private:
  class Operation;
  friend class Operation;

  void CheckNotBusy() const;
  void FirePositionChange();
  std::int64_t Clamp(std::int64_t position) const;
  // How markers follow a replacement of [from, to).
  enum class MarkerMove {
    Edit,     // audio cut out or put in: FollowReplace
    Resize,   // the same audio processed in place, perhaps to another length: FollowResize
    Overlay,  // audio mixed over the range where it stands: nothing moves
  };
  // Replaces [from, to) by `inserted`, moving markers, recording the undo step and selecting
  // [selectStart, selectEnd).
  void Commit(BlockListRef audio, std::int64_t from, std::int64_t to, std::int64_t inserted, std::int64_t selectStart,
              std::int64_t selectEnd, MarkerMove markers = MarkerMove::Edit);
  void InsertAtCursor(Operation& op, BlockListRef inserted);
  void Mix(Operation& op, const BlockList& source, float selectionPercent, float sourcePercent);
  void TransformSelection(const String& operation, AudioEffect& effect);
  void ReplaceDocument(Document doc, std::shared_ptr<ByteSource> source);

  std::shared_ptr<BlockStore> store_;
  const FormatRegistry& registry_;
  Document doc_;
  std::shared_ptr<ByteSource> source_;
  History history_;
  std::int64_t selectionStart_ = 0;
  std::int64_t selectionEnd_ = 0;
  int selectedMarker_ = 0;
  std::uint64_t nextMarkerKey_ = 1;
  std::map<int, EncoderSettings> fileFormats_;
  String tempDirectory_;
  std::int64_t progressThreshold_ = std::int64_t{1} << 20;
  bool busy_ = false;
  std::map<String, String> injectedFailures_;
};
