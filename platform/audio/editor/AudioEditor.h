#pragma once
// TAudioEditor2: the windowed audio editor control. It holds one document in an AudioEngine and is a
// thin layer over it: it forwards each operation (writing it to the audio call log), paints the
// waveform or spectrum, selects with the mouse, scrolls and zooms, plays through the output device,
// and turns the engine's callbacks into its events.
//
// Events: OnChangePosition fires once inside every call that changes the selection or cursor and
// during mouse selection; OnBlockOperation(percent) and OnEndOperation come from long operations
// (the end also when they fail); OnChangePlayPosition and OnMeter about every 50 ms while playing;
// OnDblClick from two clicks within the system's double-click time and distance (the window class
// has no CS_DBLCLKS). The end of play arrives through the message loop, never inside Play.
//
// A failure raises EAudioError and leaves the document as it was. While an operation runs (its
// progress events may pump messages) the control paints and answers getters from the document as it
// was and raises "busy" for any change.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/editor/AudioEditorInterfaces.h"
#include "platform/audio/editor/AudioEditorTransform.h"
#include "platform/audio/editor/EditorAppearance.h"
#include "platform/audio/editor/EditorMouse.h"
#include "platform/audio/editor/EditorPainter.h"
#include "platform/audio/editor/EditorTransport.h"
#include "platform/audio/editor/EditorView.h"
#include "platform/framework/windows/Controls.h"

class TTimer;

using TAudioEditorBlockOperationEvent = TEvent<void(TObject* Sender, int Percent)>;
using TAudioEditorMeterEvent = TEvent<void(TObject* Sender, int LevelLeft, int LevelRight)>;

class TAudioEditor2 : public TCustomControl {
  DECLARE_CLASS(TAudioEditor2, TCustomControl)
 public:
  explicit TAudioEditor2(TComponent* AOwner);
  ~TAudioEditor2() override;

  // Document.
  // `flags` must be 0.
  void OpenFile(const String& path, int flags);
  void NewDocument(int sampleRate, int channels);
  // range -1: the selection, 0: the whole document; type 1 WAV, 2 MP3, 6 OGG, 11 WMA, in the format
  // last given through FileFormat().
  void SaveRangeAs(const String& path, int range, int fileType);
  // Leaves an empty 44100 Hz stereo document.
  void CloseFile();

  // Transport: 1 the selection (or cursor to end), 2 cursor to end, 3 the selection (or document)
  // looped.
  void Play(int mode);
  void StopTransport();
  void PauseTransport();
  void ResumeTransport();

  // Edits.
  // `count` frames from the selection start, interleaved; fewer at the end.
  SampleBuffer ReadSamples(std::int64_t count);
  // At the cursor; selects what was inserted.
  void InsertSamples(const SampleBuffer& samples);
  void Undo();
  void Redo();
  void CopyToClipboard();
  void CutSelection();
  void PasteClipboard();
  void InsertFile(const String& path);
  void PasteMix(float selectionPercent, float clipboardPercent);
  void MixFile(float selectionPercent, const String& path, float filePercent);
  void DeleteSelected();
  void ConvertSampleRate(int sampleRate, int channels);
  // Everything between the two makes one undo step; brackets nest. A lone EndCompound does nothing.
  void BeginCompound();
  void EndCompound();

  // View.
  void ZoomToSelection();
  void ZoomOut();
  void ZoomFull();
  void ZoomToRange(std::int64_t from, std::int64_t to);
  void RefreshView();
  // Shows `percent` % of full scale, held to 5..1000 %.
  void ZoomVertical(int percent);

  // Sub-interfaces.
  IAudioEditor2Position* Position() { return &position_; }
  IAudioEditor2Transform* Transform() { return &transform_; }
  IAudioEditor2FileInfo* FileInfo() { return &fileInfo_; }
  IAudioEditor2FileFormat* FileFormat() { return &fileFormat_; }
  IAudioEditor2Markers* Markers() { return &markers_; }
  IAudioEditor2Channel* Channel() { return &channel_; }
  IAudioEditor2Scale* ScaleX() { return &scaleX_; }
  IAudioEditor2Scale* ScaleY() { return &scaleY_; }
  IAudioEditor2Colors* Colors() { return &colors_; }

  // Properties.
  // 0 none, 1 sunken, 2 raised, 3 black line, 4 line in the border colour.
  int TypeBorder() const { return look_.Border; }
  void SetTypeBorder(int value);
  // 0 waveform, 1 spectrum.
  int TypeView() const { return look_.ViewType; }
  void SetTypeView(int value);
  String TempDirectory() const { return engine_.TempDirectory(); }
  void SetTempDirectory(const String& folder);
  int UndoRedoCount() const { return engine_.UndoRedoCount(); }
  void SetUndoRedoCount(int steps);
  bool CanUndo() const { return engine_.CanUndo(); }
  bool CanRedo() const { return engine_.CanRedo(); }
  // 0 stopped, 1 playing, 5 paused.
  int TransportState() const { return transport_.State(); }

  TNotifyEvent OnChangePosition;
  TNotifyEvent OnChangePlayPosition;
  TAudioEditorBlockOperationEvent OnBlockOperation;
  TNotifyEvent OnEndOperation;
  TAudioEditorMeterEvent OnMeter;

  // Test seams: the engine (failure injection, progress threshold, store budget) and the last
  // painted picture.
  AudioEngine& Engine() { return engine_; }
  const EditorPainter& Painter() const { return painter_; }
  // The part of the client area the waveform or spectrum takes.
  TRect WaveRect();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void PaintWindow(HDC DC) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void WMHScroll(TMessage& Message);
  void WMSize(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_HSCROLL, WMHScroll)
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_MAP_END

 private:
  friend class IAudioEditor2Position;
  friend class IAudioEditor2FileInfo;
  friend class IAudioEditor2FileFormat;
  friend class IAudioEditor2Markers;
  friend class IAudioEditor2Channel;
  friend class IAudioEditor2Scale;
  friend class IAudioEditor2Colors;
  friend class IAudioEditor2Transform;

  // Runs an edit of the document, then lets the view follow the new length and repaints.
  template <class Body>
  void Edit(Body&& body);
  // Runs an operation that replaces the document (stopping playback of the old one first), then shows
  // all of it.
  template <class Body>
  void Replace(Body&& body);
  void InstallEncoders();
  // The cursor as shown: the play position while the transport runs.
  std::int64_t ShownCursor() const;
  std::int64_t FrameAtX(int x);
  void ViewChanged();
  void UpdateScrollBar();
  void TransportTimer(TObject* Sender);
  // Stops playing without any position event; EndOfPlay also reports the cursor's return.
  void StopPlayback();
  void EndOfPlay();
  void FirePositionChange();

  FormatRegistry registry_;
  AudioEngine engine_;
  EditorView view_;
  EditorAppearance look_;
  EditorPainter painter_;
  EditorMouse mouse_;
  EditorTransport transport_;
  TTimer* transportTimer_ = nullptr;
  Mp3EncoderConfig mp3Config_;
  OggEncoderConfig oggConfig_;
  int wmaProfile_ = 10;

  IAudioEditor2Position position_{*this};
  IAudioEditor2Transform transform_{*this};
  IAudioEditor2FileInfo fileInfo_{*this};
  IAudioEditor2FileFormat fileFormat_{*this};
  IAudioEditor2Markers markers_{*this};
  IAudioEditor2Channel channel_{*this};
  IAudioEditor2Scale scaleX_{*this, true};
  IAudioEditor2Scale scaleY_{*this, false};
  IAudioEditor2Colors colors_{*this};
};

template <class Body>
inline void TAudioEditor2::Edit(Body&& body) {
  const std::int64_t before = engine_.Length();
  body();
  view_.FollowLength(before, engine_.Length());
  ViewChanged();
}

template <class Body>
inline void TAudioEditor2::Replace(Body&& body) {
  StopPlayback();
  body();
  view_.ZoomFull(engine_.Length());
  ViewChanged();
}
