#include "platform/audio/core/AudioEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/audio/core/AudioClipboard.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/DocumentFile.h"

// One running operation: marks the engine busy, reports progress when it is long enough, fires the
// end event however it ends, and raises an injected failure halfway.
class AudioEngine::Operation {
 public:
  Operation(AudioEngine& engine, const String& name) : engine_(engine) {
    engine.CheckNotBusy();
    const auto it = engine.injectedFailures_.find(name);
    if (it != engine.injectedFailures_.end()) {
      failure_ = it->second;
      failurePending_ = true;
      engine.injectedFailures_.erase(it);
    }
    engine.busy_ = true;
  }

  ~Operation() {
    engine_.busy_ = false;
    if (reporting_ && engine_.OnEndOperation) Guarded([this] { engine_.OnEndOperation(); });
  }

  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

  void Progress(std::int64_t done, std::int64_t total) {
    if (!started_) {
      started_ = true;
      reporting_ = total >= engine_.progressThreshold_;
      if (reporting_) Report(0);
    }
    if (failurePending_ && done * 2 >= total && total > 0) Fail();
    if (reporting_ && total > 0) Report(static_cast<int>(std::min<std::int64_t>(100, done * 100 / total)));
  }

  ProgressCallback Callback() {
    return [this](std::int64_t done, std::int64_t total) { Progress(done, total); };
  }

  // Called just before the result replaces the document.
  void Finish() {
    if (failurePending_) Fail();
    if (reporting_) Report(100);
  }

 private:
  void Report(int percent) {
    while (percent_ < percent || percent_ < 0) {
      ++percent_;
      if (engine_.OnBlockOperation) engine_.OnBlockOperation(percent_);
    }
  }

  [[noreturn]] void Fail() {
    failurePending_ = false;
    throw EAudioError(failure_);
  }

  AudioEngine& engine_;
  bool started_ = false;
  bool reporting_ = false;
  int percent_ = -1;
  bool failurePending_ = false;
  String failure_;
};

AudioEngine::AudioEngine(std::shared_ptr<BlockStore> store, const FormatRegistry& registry)
    : store_(store ? std::move(store) : std::make_shared<BlockStore>()), registry_(registry),
      doc_(EmptyDocument(44100, 2)) {}

AudioEngine::~AudioEngine() = default;

void AudioEngine::InjectFailure(const String& operation, const String& message) {
  injectedFailures_[operation] = message;
}

void AudioEngine::CheckNotBusy() const {
  if (busy_) throw EAudioError(L"The audio editor is busy with another operation.");
}

void AudioEngine::FirePositionChange() {
  if (OnChangePosition) OnChangePosition();
}

std::int64_t AudioEngine::Clamp(std::int64_t position) const { return std::clamp<std::int64_t>(position, 0, Length()); }

// Document ---------------------------------------------------------------------------------------

void AudioEngine::ReplaceDocument(Document doc, std::shared_ptr<ByteSource> source) {
  history_.Clear();
  doc_ = std::move(doc);
  source_ = std::move(source);
  selectionStart_ = selectionEnd_ = 0;
  selectedMarker_ = 0;
  FirePositionChange();
}

void AudioEngine::NewDocument(int sampleRate, int channels) {
  CheckNotBusy();
  history_.CloseCompound();  // also when the format is refused
  ReplaceDocument(EmptyDocument(sampleRate, channels), nullptr);
}

void AudioEngine::OpenFile(const String& path) {
  Operation op(*this, L"OpenFile");
  history_.CloseCompound();  // also when the file cannot be opened
  LoadedDocument loaded = LoadDocument(OpenFileSource(path), path, *store_, registry_, op.Callback());
  op.Finish();
  ReplaceDocument(std::move(loaded.Doc), std::move(loaded.Source));
}

void AudioEngine::CloseFile() {
  CheckNotBusy();
  ReplaceDocument(EmptyDocument(44100, 2), nullptr);
}

void AudioEngine::SetFileFormat(int typeCode, const EncoderSettings& settings) {
  CheckChannelCount(settings.Channels);
  CheckSampleRate(settings.SampleRate);
  fileFormats_[typeCode] = settings;
}

EncoderSettings AudioEngine::FileFormat(int typeCode) const {
  const auto it = fileFormats_.find(typeCode);
  if (it != fileFormats_.end()) return it->second;
  return {doc_.SampleRate, doc_.Channels, 16};
}

void AudioEngine::SaveRangeAs(const String& path, int range, int typeCode) {
  if (range != -1 && range != 0) throw EAudioError(L"Invalid save range " + std::to_wstring(range) + L".");
  Operation op(*this, L"SaveRangeAs");
  const std::int64_t from = range == -1 ? selectionStart_ : 0;
  const std::int64_t to = range == -1 ? selectionEnd_ : Length();
  const EncoderSettings settings = FileFormat(typeCode);
  if (source_ && IsSameFile(path, doc_.SourcePath)) {
    // The file is about to be replaced: its samples move into the store first.
    store_->DetachFile(source_.get());
    source_.reset();
  }
  std::unique_ptr<AudioEncoder> encoder = registry_.CreateEncoder(typeCode, CreateFileSink(path), settings, doc_.Tags);
  const BlockListRef audio = doc_.Audio;
  EncodeAudio(*audio, from, to, doc_.SampleRate, *encoder, settings, op.Callback());
  op.Finish();
  encoder->Finish();
}

void AudioEngine::SetTempDirectory(const String& folder) {
  tempDirectory_ = folder;
  store_->SetSpillFolder(folder);
}

String AudioEngine::FormatText() const {
  AudioFileInfo info;
  if (doc_.HasSourceInfo) info = doc_.SourceInfo;
  else info.Container = L"WAV", info.Encoding = L"PCM", info.BitsPerSample = 16;
  info.SampleRate = doc_.SampleRate;
  info.Channels = doc_.Channels;
  return ::FormatText(info);
}

void AudioEngine::SetTags(const AudioTags& tags) {
  CheckNotBusy();
  doc_.Tags = tags;
}

// Positions --------------------------------------------------------------------------------------

std::int64_t AudioEngine::MillisecondsToSamples(double ms) const {
  return std::llround(ms * doc_.SampleRate / 1000.0);
}

double AudioEngine::SamplesToMilliseconds(std::int64_t samples) const {
  return static_cast<double>(samples) * 1000.0 / doc_.SampleRate;
}

void AudioEngine::SetSelectionStart(std::int64_t position) {
  CheckNotBusy();
  selectionStart_ = Clamp(position);
  selectionEnd_ = std::max(selectionEnd_, selectionStart_);
  FirePositionChange();
}

void AudioEngine::SetSelectionEnd(std::int64_t position) {
  CheckNotBusy();
  selectionEnd_ = Clamp(position);
  selectionStart_ = std::min(selectionStart_, selectionEnd_);
  FirePositionChange();
}

void AudioEngine::SetSelection(std::int64_t start, std::int64_t end) {
  CheckNotBusy();
  selectionStart_ = Clamp(std::min(start, end));
  selectionEnd_ = Clamp(std::max(start, end));
  FirePositionChange();
}

void AudioEngine::SetCursorPosition(std::int64_t position) {
  CheckNotBusy();
  selectionStart_ = selectionEnd_ = Clamp(position);
  FirePositionChange();
}

void AudioEngine::SetSelectionChannel(int channel) {
  if (channel != -1 && channel != 0)
    throw EAudioError(L"Invalid selection channel " + std::to_wstring(channel) + L" (-1 or 0 select all channels).");
}

// Edits ------------------------------------------------------------------------------------------

SampleBuffer AudioEngine::ReadSamples(std::int64_t count) const {
  const std::int64_t frames = std::clamp<std::int64_t>(count, 0, Length() - selectionStart_);
  const std::int64_t bytes = frames * doc_.Channels * static_cast<std::int64_t>(sizeof(float));
  if (bytes > store_->Budget()) {
    const std::int64_t mb = (bytes + (1 << 20) - 1) >> 20;
    throw EAudioError(L"The selection is too long to process at once (" + std::to_wstring(mb) + L" MB).");
  }
  SampleBuffer buffer(doc_.Channels, doc_.SampleRate, frames);
  doc_.Audio->Read(selectionStart_, frames, buffer.Data());
  return buffer;
}

void AudioEngine::Commit(BlockListRef audio, std::int64_t from, std::int64_t to, std::int64_t inserted,
                         std::int64_t selectStart, std::int64_t selectEnd, MarkerMove markers) {
  history_.Record(CaptureState(doc_, selectionStart_, selectionEnd_));
  doc_.Audio = std::move(audio);
  if (markers == MarkerMove::Edit) FollowReplace(doc_.Markers, from, to, inserted);
  if (markers == MarkerMove::Resize) FollowResize(doc_.Markers, from, to, inserted);
  selectionStart_ = Clamp(selectStart);
  selectionEnd_ = Clamp(selectEnd);
  FirePositionChange();
}

void AudioEngine::InsertAtCursor(Operation& op, BlockListRef inserted) {
  const std::int64_t at = selectionStart_;
  const std::int64_t frames = inserted->Frames();
  BlockListRef audio = doc_.Audio->Replace(at, at, inserted->Segments());
  op.Finish();
  Commit(std::move(audio), at, at, frames, at, at + frames);
}

void AudioEngine::InsertSamples(const SampleBuffer& samples) {
  if (samples.Channels() != doc_.Channels)
    throw EAudioError(L"The samples have " + std::to_wstring(samples.Channels()) + L" channels, the document " +
                      std::to_wstring(doc_.Channels) + L".");
  Operation op(*this, L"InsertSamples");
  const std::int64_t total = samples.Frames();
  if (total == 0) return;
  BlockWriter writer(*store_, doc_.Channels);
  op.Progress(0, total);
  for (std::int64_t done = 0; done < total;) {
    const std::int64_t frames = std::min(kBlockFrames, total - done);
    writer.Write(samples.Frame(done), frames);
    done += frames;
    op.Progress(done, total);
  }
  InsertAtCursor(op, std::make_shared<const BlockList>(doc_.Channels, writer.Finish()));
}

void AudioEngine::CopyToClipboard() {
  CheckNotBusy();
  if (selectionStart_ == selectionEnd_) return;  // nothing to copy: the clipboard keeps what it has
  SetAudioClipboard({doc_.Audio->SliceList(selectionStart_, selectionEnd_), doc_.SampleRate});
}

void AudioEngine::CutSelection() {
  CheckNotBusy();
  CopyToClipboard();
  DeleteSelected();
}

void AudioEngine::DeleteSelected() {
  CheckNotBusy();
  const std::int64_t from = selectionStart_, to = selectionEnd_;
  if (from == to) return;
  Operation op(*this, L"DeleteSelected");
  BlockListRef audio = doc_.Audio->Replace(from, to, {});
  op.Finish();
  Commit(std::move(audio), from, to, 0, from, from);
}

void AudioEngine::PasteClipboard() {
  const ClipboardContent clip = GetAudioClipboard();
  Operation op(*this, L"PasteClipboard");
  if (!clip.Audio || clip.Audio->Frames() == 0) return;
  InsertAtCursor(op, ConvertAudio(*clip.Audio, clip.SampleRate, doc_.Channels, doc_.SampleRate, *store_, op.Callback()));
}

void AudioEngine::InsertFile(const String& path) {
  Operation op(*this, L"InsertFile");
  BlockListRef inserted =
      DecodeIntoStore(OpenFileSource(path), path, doc_.Channels, doc_.SampleRate, *store_, registry_, op.Callback());
  InsertAtCursor(op, std::move(inserted));
}

void AudioEngine::Mix(Operation& op, const BlockList& source, float selectionPercent, float sourcePercent) {
  const std::int64_t start = selectionStart_;
  const std::int64_t span = std::max(selectionEnd_ - start, source.Frames());
  const std::int64_t documentPart = std::min(span, Length() - start);
  const float a = selectionPercent / 100.0f, b = sourcePercent / 100.0f;
  const int channels = doc_.Channels;
  BlockWriter writer(*store_, channels);
  std::vector<float> piece(static_cast<std::size_t>(kBlockFrames * channels));
  op.Progress(0, span);
  for (std::int64_t done = 0; done < span;) {
    std::int64_t frames = span - done;
    float* out = writer.Reserve(frames);
    const std::int64_t fromDocument = std::clamp<std::int64_t>(documentPart - done, 0, frames);
    const std::int64_t fromSource = std::clamp<std::int64_t>(source.Frames() - done, 0, frames);
    doc_.Audio->Read(start + done, fromDocument, out);
    std::memset(out + fromDocument * channels, 0, static_cast<std::size_t>((frames - fromDocument) * channels) * sizeof(float));
    source.Read(done, fromSource, piece.data());
    const std::int64_t values = frames * channels, sourceValues = fromSource * channels;
    for (std::int64_t i = 0; i < values; ++i) out[i] *= a;
    for (std::int64_t i = 0; i < sourceValues; ++i) out[i] += b * piece[static_cast<std::size_t>(i)];
    writer.Commit(frames);
    done += frames;
    op.Progress(done, span);
  }
  BlockListRef audio = doc_.Audio->Replace(start, start + documentPart, writer.Finish());
  op.Finish();
  // The document's audio keeps its place under the mix, even when the source runs past its end.
  Commit(std::move(audio), start, start + documentPart, span, start, start + span, MarkerMove::Overlay);
}

void AudioEngine::MixFile(float selectionPercent, const String& path, float sourcePercent) {
  Operation op(*this, L"MixFile");
  const BlockListRef source =
      DecodeIntoStore(OpenFileSource(path), path, doc_.Channels, doc_.SampleRate, *store_, registry_, op.Callback());
  Mix(op, *source, selectionPercent, sourcePercent);
}

void AudioEngine::PasteMix(float selectionPercent, float sourcePercent) {
  const ClipboardContent clip = GetAudioClipboard();
  Operation op(*this, L"PasteMix");
  if (!clip.Audio || clip.Audio->Frames() == 0) return;
  const BlockListRef source =
      ConvertAudio(*clip.Audio, clip.SampleRate, doc_.Channels, doc_.SampleRate, *store_, op.Callback());
  Mix(op, *source, selectionPercent, sourcePercent);
}

void AudioEngine::ConvertSampleRate(int sampleRate, int channels) {
  CheckSampleRate(sampleRate);
  CheckChannelCount(channels);
  Operation op(*this, L"ConvertSampleRate");
  if (sampleRate == doc_.SampleRate && channels == doc_.Channels) return;
  BlockListRef audio = ConvertAudio(*doc_.Audio, doc_.SampleRate, channels, sampleRate, *store_, op.Callback());
  op.Finish();
  const int oldRate = doc_.SampleRate;
  auto scale = [&](std::int64_t position) {
    return static_cast<std::int64_t>((position * sampleRate + oldRate / 2) / oldRate);
  };
  history_.Record(CaptureState(doc_, selectionStart_, selectionEnd_));
  doc_.Audio = std::move(audio);
  doc_.SampleRate = sampleRate;
  doc_.Channels = channels;
  for (Marker& m : doc_.Markers) {
    const std::int64_t end = scale(m.Position + m.Length);
    m.Position = Clamp(scale(m.Position));
    m.Length = std::max<std::int64_t>(0, Clamp(end) - m.Position);
  }
  selectionStart_ = Clamp(scale(selectionStart_));
  selectionEnd_ = Clamp(scale(selectionEnd_));
  FirePositionChange();
}

void AudioEngine::InsertSilence(double milliseconds) {
  const std::int64_t frames = MillisecondsToSamples(milliseconds);
  Operation op(*this, L"InsertSilence");
  if (frames <= 0) return;
  BlockWriter writer(*store_, doc_.Channels);
  op.Progress(0, frames);
  writer.WriteSilence(frames);
  op.Progress(frames, frames);
  InsertAtCursor(op, std::make_shared<const BlockList>(doc_.Channels, writer.Finish()));
}

// Transforms -------------------------------------------------------------------------------------

void AudioEngine::TransformSelection(const String& operation, AudioEffect& effect) {
  Operation op(*this, operation);
  const std::int64_t from = selectionStart_, to = selectionEnd_;
  if (from == to) return;
  std::int64_t produced = 0;
  BlockListRef audio = RunEffect(*doc_.Audio, from, to, doc_.SampleRate, effect, *store_, op.Callback(), produced);
  op.Finish();
  Commit(std::move(audio), from, to, produced, from, from + produced, MarkerMove::Resize);
}

void AudioEngine::ApplyEffect(const String& operation, AudioEffect& effect) { TransformSelection(operation, effect); }

void AudioEngine::Amplify(float percent) {
  AmplifyEffect effect(percent / 100.0f);
  TransformSelection(L"Amplify", effect);
}

void AudioEngine::Normalize(float percent, int mode) {
  CheckNotBusy();
  float gains[2];
  NormalizeGains(*doc_.Audio, selectionStart_, selectionEnd_, percent, mode == 0, gains);
  ChannelGainEffect effect(gains[0], gains[1]);
  TransformSelection(L"Normalize", effect);
}

void AudioEngine::Fade(float initialPercent, float finalPercent) {
  EnvelopeEffect effect({initialPercent / 100.0f, finalPercent / 100.0f});
  TransformSelection(L"Fade", effect);
}

void AudioEngine::Envelope(const std::vector<float>& gains) {
  EnvelopeEffect effect(gains);
  TransformSelection(L"Envelope", effect);
}

void AudioEngine::MixStereo(float ll, float lr, float rl, float rr) {
  MixStereoEffect effect(ll, lr, rl, rr);
  TransformSelection(L"MixStereo", effect);
}

void AudioEngine::Invert() {
  AmplifyEffect effect(-1.0f);
  TransformSelection(L"Invert", effect);
}

void AudioEngine::Reverse() {
  ReverseEffect effect;
  TransformSelection(L"Reverse", effect);
}

void AudioEngine::SilenceSelection() {
  SilenceEffect effect;
  TransformSelection(L"SilenceSelection", effect);
}

// History ----------------------------------------------------------------------------------------

void AudioEngine::Undo() {
  CheckNotBusy();
  history_.CloseCompound();
  if (!history_.CanUndo()) return;
  const DocumentState state = history_.Undo(CaptureState(doc_, selectionStart_, selectionEnd_));
  RestoreState(doc_, state);
  selectionStart_ = Clamp(state.SelectionStart);
  selectionEnd_ = Clamp(state.SelectionEnd);
  FirePositionChange();
}

void AudioEngine::Redo() {
  CheckNotBusy();
  history_.CloseCompound();
  if (!history_.CanRedo()) return;
  const DocumentState state = history_.Redo(CaptureState(doc_, selectionStart_, selectionEnd_));
  RestoreState(doc_, state);
  selectionStart_ = Clamp(state.SelectionStart);
  selectionEnd_ = Clamp(state.SelectionEnd);
  FirePositionChange();
}

void AudioEngine::BeginCompound() {
  CheckNotBusy();
  history_.BeginCompound(CaptureState(doc_, selectionStart_, selectionEnd_));
}

void AudioEngine::EndCompound() {
  CheckNotBusy();
  history_.EndCompound();
}

void AudioEngine::SetUndoRedoCount(int steps) {
  CheckNotBusy();
  history_.SetLimit(steps);
}

// Markers ----------------------------------------------------------------------------------------

int AudioEngine::AddMarker(std::int64_t position, std::int64_t length, const String& name, const String& kind) {
  CheckNotBusy();
  Marker marker;
  marker.Key = nextMarkerKey_++;
  marker.Position = Clamp(position);
  marker.Length = std::max<std::int64_t>(0, Clamp(marker.Position + std::max<std::int64_t>(0, length)) - marker.Position);
  marker.Name = name;
  marker.Kind = kind;
  doc_.Markers.push_back(std::move(marker));
  return MarkerCount();
}

void AudioEngine::SelectMarker(int id) {
  if (id < 1 || id > MarkerCount()) throw EAudioError(L"There is no marker " + std::to_wstring(id) + L".");
  selectedMarker_ = id;
}

int AudioEngine::MarkerId() const {
  SelectedMarker();
  return selectedMarker_;
}

const Marker& AudioEngine::SelectedMarker() const {
  if (selectedMarker_ < 1 || selectedMarker_ > MarkerCount()) throw EAudioError(L"No marker is selected.");
  return doc_.Markers[static_cast<std::size_t>(selectedMarker_ - 1)];
}

void AudioEngine::DeleteMarker() {
  CheckNotBusy();
  SelectedMarker();
  doc_.Markers.erase(doc_.Markers.begin() + (selectedMarker_ - 1));
  selectedMarker_ = 0;
}
