#include "platform/audio/editor/AudioEditor.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/codecs/Mp3Encoder.h"
#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/windows/Timer.h"

DEFINE_CLASS(TAudioEditor2)

namespace {

constexpr const wchar_t* kLogName = L"TAudioEditor2";
constexpr int kScrollUnits = 10000;
constexpr UINT kTransportInterval = 50;
// Share of the view one wheel notch scrolls.
constexpr int kWheelScrollDivisor = 8;

}  // namespace

TAudioEditor2::TAudioEditor2(TComponent* AOwner)
    : TCustomControl(AOwner), registry_(FormatRegistry::Default()), engine_(nullptr, registry_) {
  ControlStyle = {csCaptureMouse, csOpaque};
  SetWidth(400);
  SetHeight(200);
  InstallEncoders();
  engine_.OnChangePosition = [this] { FirePositionChange(); };
  engine_.OnBlockOperation = [this](int percent) {
    if (OnBlockOperation) OnBlockOperation(this, percent);
  };
  engine_.OnEndOperation = [this] {
    if (OnEndOperation) OnEndOperation(this);
  };
  transportTimer_ = new TTimer(this);
  transportTimer_->SetEnabled(false);
  transportTimer_->SetInterval(kTransportInterval);
  transportTimer_->SetOnTimer({this, &TAudioEditor2::TransportTimer});
}

TAudioEditor2::~TAudioEditor2() { transport_.Stop(); }

// The codecs of the MP3, OGG and WMA types write with the settings last given through FileFormat().
void TAudioEditor2::InstallEncoders() {
  RegisterAudioCodecs(registry_);
  auto replaceEncoder = [this](int code, decltype(FileType::CreateEncoder) encoder) {
    if (const FileType* known = registry_.ByCode(code)) {
      FileType type = *known;
      type.CreateEncoder = std::move(encoder);
      registry_.Register(std::move(type));
    }
  };
  replaceEncoder(kFileTypeMp3,
                 [this](std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const AudioTags& tags) {
                   return CreateMp3Encoder(std::move(sink), input, mp3Config_, tags);
                 });
  replaceEncoder(kFileTypeOgg,
                 [this](std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const AudioTags& tags) {
                   return CreateOggEncoder(std::move(sink), input, oggConfig_, tags);
                 });
  replaceEncoder(kFileTypeWma, [this](std::unique_ptr<ByteSink> sink, const EncoderSettings& input, const AudioTags&) {
    return CreateWmaEncoder(std::move(sink), input, wmaProfile_);
  });
}

void TAudioEditor2::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL;
  // No CS_DBLCLKS: the main window's hook swallows double-click messages, so the control makes its
  // double clicks from single presses.
  Params.WindowClassStyle = CS_HREDRAW | CS_VREDRAW;
}

void TAudioEditor2::InitializeHandle() {
  TCustomControl::InitializeHandle();
  UpdateScrollBar();
}

// ---- edits and the view --------------------------------------------------------------------------

void TAudioEditor2::ViewChanged() {
  UpdateScrollBar();
  Invalidate();
}

void TAudioEditor2::FirePositionChange() {
  Invalidate();
  if (OnChangePosition) OnChangePosition(this);
}

void TAudioEditor2::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  const std::int64_t length = engine_.Length();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = kScrollUnits - 1;
  if (length > 0) {
    info.nPage = static_cast<UINT>(std::max<std::int64_t>(1, view_.Span() * kScrollUnits / length));
    info.nPos = static_cast<int>(view_.Start() * kScrollUnits / length);
  } else {
    info.nPage = kScrollUnits;
  }
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
}

void TAudioEditor2::WMHScroll(TMessage& Message) {
  const std::int64_t length = engine_.Length();
  const std::int64_t span = view_.Span();
  switch (LOWORD(Message.WParam)) {
    case SB_LINELEFT: view_.ScrollBy(-std::max<std::int64_t>(1, span / 16), length); break;
    case SB_LINERIGHT: view_.ScrollBy(std::max<std::int64_t>(1, span / 16), length); break;
    case SB_PAGELEFT: view_.ScrollBy(-span, length); break;
    case SB_PAGERIGHT: view_.ScrollBy(span, length); break;
    case SB_LEFT: view_.ScrollBy(-length, length); break;
    case SB_RIGHT: view_.ScrollBy(length, length); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_HORZ, &info);
      view_.ScrollBy(static_cast<std::int64_t>(info.nTrackPos) * length / kScrollUnits - view_.Start(), length);
      break;
    }
    default: return;
  }
  ViewChanged();
  Message.Result = 0;
}

void TAudioEditor2::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  Invalidate();
}

TRect TAudioEditor2::WaveRect() {
  const TRect client = GetClientRect();
  return LayoutEditor(client.Width(), client.Height(), look_).Wave;
}

std::int64_t TAudioEditor2::FrameAtX(int x) {
  const TRect wave = WaveRect();
  return std::clamp<std::int64_t>(view_.FrameAt(x - wave.left, wave.Width()), 0, engine_.Length());
}

std::int64_t TAudioEditor2::ShownCursor() const {
  return transport_.Active() ? transport_.Position() : engine_.CursorPosition();
}

void TAudioEditor2::PaintWindow(HDC DC) {
  const TRect client = GetClientRect();
  EditorScene scene;
  scene.Doc = &engine_.Doc();
  scene.View = &view_;
  scene.Look = &look_;
  scene.SelectionStart = engine_.SelectionStart();
  scene.SelectionEnd = engine_.SelectionEnd();
  scene.Playing = transport_.Active();
  scene.PlayPosition = transport_.Position();
  painter_.Paint(DC, client.Width(), client.Height(), scene);
}

// ---- mouse ---------------------------------------------------------------------------------------

void TAudioEditor2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  if (mouse_.PressMakesDoubleClick(POINT{X, Y}, TickCount())) {
    mouse_.EndDrag();
    DblClick();
    return;
  }
  if (engine_.Busy() || !WaveRect().Contains(TPoint(X, Y))) return;
  const std::int64_t frame = FrameAtX(X);
  if (Shift.Contains(ssShift)) {
    const std::int64_t anchor = EditorMouse::ExtendAnchor(engine_.SelectionStart(), engine_.SelectionEnd(), frame);
    mouse_.BeginDrag(anchor);
    engine_.SetSelection(anchor, frame);
  } else {
    mouse_.BeginDrag(frame);
    engine_.SetCursorPosition(frame);
  }
}

void TAudioEditor2::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!mouse_.Dragging() || engine_.Busy()) return;
  if (!Shift.Contains(ssLeft)) {
    // The button went up where this window did not see it (capture lost): the drag is over.
    mouse_.EndDrag();
    return;
  }
  const std::int64_t frame = FrameAtX(X);
  const std::int64_t from = std::min(mouse_.Anchor(), frame), to = std::max(mouse_.Anchor(), frame);
  if (from != engine_.SelectionStart() || to != engine_.SelectionEnd()) engine_.SetSelection(from, to);
}

void TAudioEditor2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && mouse_.Dragging()) {
    MouseMove(Shift + TShiftState{ssLeft}, X, Y);
    mouse_.EndDrag();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TAudioEditor2::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  const std::int64_t length = engine_.Length();
  const int notches = WheelDelta / WHEEL_DELTA;
  if (notches == 0) return true;
  if (Shift.Contains(ssCtrl)) {
    const TPoint client = ScreenToClient(MousePos);
    view_.ZoomAround(FrameAtX(client.x), notches > 0 ? std::pow(0.5, notches) : std::pow(2.0, -notches), length);
  } else {
    // Wheel away from the user moves towards the start, as a vertical list scrolls up.
    view_.ScrollBy(-notches * std::max<std::int64_t>(1, view_.Span() / kWheelScrollDivisor), length);
  }
  ViewChanged();
  return true;
}

// ---- document ------------------------------------------------------------------------------------

void TAudioEditor2::OpenFile(const String& path, int flags) {
  AudioCallLog::Add(kLogName, L"OpenFile", path, flags);
  if (flags != 0) throw EAudioError(L"Unsupported open flags " + std::to_wstring(flags) + L".");
  Replace([&] { engine_.OpenFile(path); });
}

void TAudioEditor2::NewDocument(int sampleRate, int channels) {
  AudioCallLog::Add(kLogName, L"NewDocument", sampleRate, channels);
  Replace([&] { engine_.NewDocument(sampleRate, channels); });
}

void TAudioEditor2::SaveRangeAs(const String& path, int range, int fileType) {
  AudioCallLog::Add(kLogName, L"SaveRangeAs", path, range, fileType);
  engine_.SaveRangeAs(path, range, fileType);
}

void TAudioEditor2::CloseFile() {
  AudioCallLog::Add(kLogName, L"CloseFile");
  Replace([&] { engine_.CloseFile(); });
}

// ---- transport -----------------------------------------------------------------------------------

void TAudioEditor2::Play(int mode) {
  AudioCallLog::Add(kLogName, L"Play", mode);
  const PlayRange range = RangeForMode(mode, engine_.SelectionStart(), engine_.SelectionEnd(), engine_.Length());
  transport_.Play(engine_.Doc().Audio, engine_.SampleRate(), range);
  transportTimer_->SetEnabled(transport_.Active());
  Invalidate();
}

void TAudioEditor2::StopTransport() {
  AudioCallLog::Add(kLogName, L"StopTransport");
  if (!transport_.Active()) return;
  EndOfPlay();
}

void TAudioEditor2::PauseTransport() {
  AudioCallLog::Add(kLogName, L"PauseTransport");
  if (transport_.State() != tsPlaying) return;
  transport_.Pause();
  if (OnMeter) OnMeter(this, 0, 0);
}

void TAudioEditor2::ResumeTransport() {
  AudioCallLog::Add(kLogName, L"ResumeTransport");
  transport_.Resume();
}

void TAudioEditor2::TransportTimer(TObject*) {
  if (!transport_.Active()) {
    transportTimer_->SetEnabled(false);
    return;
  }
  bool finished = false;
  try {
    finished = transport_.Service();
  } catch (...) {
    // A device failure ends play once instead of being reported at every tick.
    EndOfPlay();
    throw;
  }
  if (finished) {
    EndOfPlay();
    return;
  }
  if (transport_.State() != tsPlaying) return;
  Invalidate();
  if (OnChangePlayPosition) OnChangePlayPosition(this);
  int levels[2];
  transport_.Levels(levels);
  if (OnMeter) OnMeter(this, levels[0], levels[1]);
}

void TAudioEditor2::StopPlayback() {
  if (!transport_.Active()) return;
  transport_.Stop();
  transportTimer_->SetEnabled(false);
  if (OnMeter) OnMeter(this, 0, 0);
  Invalidate();
}

// Stopping puts the cursor back where play started: the selection never moved while playing.
void TAudioEditor2::EndOfPlay() {
  StopPlayback();
  FirePositionChange();
}

// ---- edits ---------------------------------------------------------------------------------------

SampleBuffer TAudioEditor2::ReadSamples(std::int64_t count) {
  AudioCallLog::Add(kLogName, L"ReadSamples", count);
  return engine_.ReadSamples(count);
}

void TAudioEditor2::InsertSamples(const SampleBuffer& samples) {
  AudioCallLog::Add(kLogName, L"InsertSamples", samples.Frames());
  Edit([&] { engine_.InsertSamples(samples); });
}

void TAudioEditor2::Undo() {
  AudioCallLog::Add(kLogName, L"Undo");
  Edit([&] { engine_.Undo(); });
}

void TAudioEditor2::Redo() {
  AudioCallLog::Add(kLogName, L"Redo");
  Edit([&] { engine_.Redo(); });
}

void TAudioEditor2::CopyToClipboard() {
  AudioCallLog::Add(kLogName, L"CopyToClipboard");
  engine_.CopyToClipboard();
}

void TAudioEditor2::CutSelection() {
  AudioCallLog::Add(kLogName, L"CutSelection");
  Edit([&] { engine_.CutSelection(); });
}

void TAudioEditor2::PasteClipboard() {
  AudioCallLog::Add(kLogName, L"PasteClipboard");
  Edit([&] { engine_.PasteClipboard(); });
}

void TAudioEditor2::InsertFile(const String& path) {
  AudioCallLog::Add(kLogName, L"InsertFile", path);
  Edit([&] { engine_.InsertFile(path); });
}

void TAudioEditor2::PasteMix(float selectionPercent, float clipboardPercent) {
  AudioCallLog::Add(kLogName, L"PasteMix", selectionPercent, clipboardPercent);
  Edit([&] { engine_.PasteMix(selectionPercent, clipboardPercent); });
}

void TAudioEditor2::MixFile(float selectionPercent, const String& path, float filePercent) {
  AudioCallLog::Add(kLogName, L"MixFile", selectionPercent, path, filePercent);
  Edit([&] { engine_.MixFile(selectionPercent, path, filePercent); });
}

void TAudioEditor2::DeleteSelected() {
  AudioCallLog::Add(kLogName, L"DeleteSelected");
  Edit([&] { engine_.DeleteSelected(); });
}

void TAudioEditor2::ConvertSampleRate(int sampleRate, int channels) {
  AudioCallLog::Add(kLogName, L"ConvertSampleRate", sampleRate, channels);
  Edit([&] { engine_.ConvertSampleRate(sampleRate, channels); });
}

void TAudioEditor2::BeginCompound() {
  AudioCallLog::Add(kLogName, L"BeginCompound");
  engine_.BeginCompound();
}

void TAudioEditor2::EndCompound() {
  AudioCallLog::Add(kLogName, L"EndCompound");
  engine_.EndCompound();
}

// ---- view ----------------------------------------------------------------------------------------

void TAudioEditor2::ZoomToSelection() {
  AudioCallLog::Add(kLogName, L"ZoomToSelection");
  if (engine_.SelectionEnd() <= engine_.SelectionStart()) return;
  view_.ZoomToRange(engine_.SelectionStart(), engine_.SelectionEnd(), engine_.Length());
  ViewChanged();
}

void TAudioEditor2::ZoomOut() {
  AudioCallLog::Add(kLogName, L"ZoomOut");
  view_.ZoomOut(engine_.Length());
  ViewChanged();
}

void TAudioEditor2::ZoomFull() {
  AudioCallLog::Add(kLogName, L"ZoomFull");
  view_.ZoomFull(engine_.Length());
  ViewChanged();
}

void TAudioEditor2::ZoomToRange(std::int64_t from, std::int64_t to) {
  AudioCallLog::Add(kLogName, L"ZoomToRange", from, to);
  view_.ZoomToRange(from, to, engine_.Length());
  ViewChanged();
}

void TAudioEditor2::RefreshView() {
  AudioCallLog::Add(kLogName, L"RefreshView");
  ViewChanged();
}

void TAudioEditor2::ZoomVertical(int percent) {
  AudioCallLog::Add(kLogName, L"ZoomVertical", percent);
  view_.SetVerticalZoom(percent);
  Invalidate();
}

// ---- properties ----------------------------------------------------------------------------------

void TAudioEditor2::SetTypeBorder(int value) {
  AudioCallLog::Add(kLogName, L"SetTypeBorder", value);
  if (value < ebNone || value > ebColorLine) throw EAudioError(L"Unknown border type " + std::to_wstring(value) + L".");
  look_.Border = value;
  Invalidate();
}

void TAudioEditor2::SetTypeView(int value) {
  AudioCallLog::Add(kLogName, L"SetTypeView", value);
  if (value != evWaveform && value != evSpectrum)
    throw EAudioError(L"Unknown view type " + std::to_wstring(value) + L".");
  look_.ViewType = value;
  Invalidate();
}

void TAudioEditor2::SetTempDirectory(const String& folder) {
  AudioCallLog::Add(kLogName, L"SetTempDirectory", folder);
  engine_.SetTempDirectory(folder);
}

void TAudioEditor2::SetUndoRedoCount(int steps) {
  AudioCallLog::Add(kLogName, L"SetUndoRedoCount", steps);
  engine_.SetUndoRedoCount(steps);
}
