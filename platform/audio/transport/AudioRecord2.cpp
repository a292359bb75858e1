#include "platform/audio/transport/AudioRecord2.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/transport/CaptureQueue.h"
#include "platform/framework/windows/Timer.h"

DEFINE_CLASS(TAudioRecord2)

namespace {
constexpr const wchar_t* kClass = L"TAudioRecord2";
constexpr Cardinal kServiceInterval = 50;
constexpr std::int64_t kRecentFrames = 65536;
}  // namespace

TAudioRecord2::TAudioRecord2(TComponent* AOwner)
    : TComponent(AOwner), alive_(std::make_shared<bool>(true)), timer_(new TTimer(this)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kServiceInterval);
  timer_->SetOnTimer({this, &TAudioRecord2::ServiceTick});
  recent_.Reset(active_.Channels, kRecentFrames);
}

TAudioRecord2::~TAudioRecord2() {
  *alive_ = false;
  Close();
}

AudioInput& TAudioRecord2::Device() {
  if (!input_) input_ = AudioDevices::CreateInput();
  return *input_;
}

void TAudioRecord2::SetOption(int Option) {
  AudioCallLog::Add(kClass, L"SetOption", Option);
  if (Option != 1) throw EAudioError(L"Unknown recorder option " + std::to_wstring(Option) + L".");
  if (recording_) return;
  input_ = AudioDevices::CreateInput();
  currentLine_ = 0;
}

void TAudioRecord2::SetRecordingFormat(int SampleRate, int Channels) {
  AudioCallLog::Add(kClass, L"SetRecordingFormat", SampleRate, Channels);
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  format_ = {SampleRate, Channels};
  if (recording_) return;
  active_ = format_;
  recent_.Reset(active_.Channels, kRecentFrames);
}

int TAudioRecord2::SamplesForMilliseconds(int Milliseconds) {
  AudioCallLog::Add(kClass, L"SamplesForMilliseconds", Milliseconds);
  return static_cast<int>(std::llround(static_cast<double>(Milliseconds) * format_.SampleRate / 1000.0));
}

void TAudioRecord2::SetBufferSize(int Samples) {
  AudioCallLog::Add(kClass, L"SetBufferSize", Samples);
  if (Samples < 1) throw EAudioError(L"The recording buffer must hold at least one frame.");
  bufferFrames_ = Samples;
}

void TAudioRecord2::StartRecording() {
  AudioCallLog::Add(kClass, L"StartRecording");
  Close();
  AudioInput& input = Device();
  if (input.Lines().empty()) {
    lastError_ = kNoRecordingLine;
    return;
  }
  active_ = format_;
  activeBufferFrames_ = bufferFrames_;
  activeSilenceDetection_ = silenceDetection_;
  gate_.Reset(silence_, active_.SampleRate, active_.Channels);
  recent_.Reset(active_.Channels, kRecentFrames);
  filling_.clear();
  filling_.reserve(static_cast<std::size_t>(activeBufferFrames_) * active_.Channels);
  full_.clear();
  blocksMade_ = 0;
  capturedFrames_ = framesSinceTick_ = 0;

  auto capture = std::make_shared<CaptureQueue>(active_.Channels);
  // The push holds the queue itself, so a device worker never writes to a queue freed under it.
  lastError_ = input.Start(active_, [capture](const float* samples, std::int64_t frames) { capture->Push(samples, frames); });
  if (lastError_ != 0) return;
  capture_ = std::move(capture);
  recording_ = true;
  timer_->SetEnabled(true);
}

void TAudioRecord2::StopRecording() {
  AudioCallLog::Add(kClass, L"StopRecording");
  Close();
}

void TAudioRecord2::Close() {
  timer_->SetEnabled(false);
  recording_ = false;
  if (input_) input_->Stop();
  capture_.reset();
  filling_.clear();
}

int TAudioRecord2::GetLastError() {
  AudioCallLog::Add(kClass, L"GetLastError");
  return lastError_;
}

SampleBuffer TAudioRecord2::GetRecordedBlock() {
  AudioCallLog::Add(kClass, L"GetRecordedBlock");
  if (full_.empty()) return SampleBuffer(active_.Channels, active_.SampleRate);
  SampleBuffer block = std::move(full_.front());
  full_.pop_front();
  return block;
}

SampleBuffer TAudioRecord2::GetDisplaySamples(int Count) {
  AudioCallLog::Add(kClass, L"GetDisplaySamples", Count);
  SampleBuffer samples(active_.Channels, active_.SampleRate, std::max(Count, 0));
  if (Count > 0) recent_.Latest(Count, samples.Data());
  return samples;
}

// ---- lines --------------------------------------------------------------------------------------

bool TAudioRecord2::CurrentLine(InputLine& line) {
  if (currentLine_ == 0) return false;
  const std::vector<InputLine> lines = Device().Lines();
  if (currentLine_ > static_cast<int>(lines.size())) return false;
  line = lines[static_cast<std::size_t>(currentLine_ - 1)];
  return true;
}

int TAudioRecord2::GetLineCount() {
  AudioCallLog::Add(kClass, L"GetLineCount");
  return static_cast<int>(Device().Lines().size());
}

void TAudioRecord2::SelectLine(int Line) {
  AudioCallLog::Add(kClass, L"SelectLine", Line);
  const int count = static_cast<int>(Device().Lines().size());
  if (Line < 0 || Line > count)
    throw EAudioError(L"There is no recording line " + std::to_wstring(Line) + L" (the device has " +
                      std::to_wstring(count) + L").");
  currentLine_ = Line;
}

String TAudioRecord2::GetLineName() {
  AudioCallLog::Add(kClass, L"GetLineName");
  InputLine line;
  return CurrentLine(line) ? line.Name : String();
}

bool TAudioRecord2::LineHasVolume() {
  AudioCallLog::Add(kClass, L"LineHasVolume");
  InputLine line;
  return CurrentLine(line) && line.HasVolume;
}

int TAudioRecord2::GetLineVolume() {
  AudioCallLog::Add(kClass, L"GetLineVolume");
  InputLine line;
  return CurrentLine(line) && line.HasVolume ? line.Volume : 0;
}

void TAudioRecord2::SetLineVolume(int Volume) {
  AudioCallLog::Add(kClass, L"SetLineVolume", Volume);
  InputLine line;
  if (CurrentLine(line) && line.HasVolume) Device().SetLineVolume(currentLine_ - 1, std::clamp(Volume, 0, 65535));
}

bool TAudioRecord2::IsLineSelected() {
  AudioCallLog::Add(kClass, L"IsLineSelected");
  InputLine line;
  return CurrentLine(line) && line.Selected;
}

void TAudioRecord2::SetLineSelected(bool Selected) {
  AudioCallLog::Add(kClass, L"SetLineSelected", Selected);
  InputLine line;
  if (Selected && CurrentLine(line)) Device().SelectLine(currentLine_ - 1);
}

// ---- silence skipping ---------------------------------------------------------------------------

void TAudioRecord2::SetSilenceDetection(bool Enabled) {
  AudioCallLog::Add(kClass, L"SetSilenceDetection", Enabled);
  silenceDetection_ = Enabled;
}

void TAudioRecord2::SetAttackLevel(float Decibels) {
  AudioCallLog::Add(kClass, L"SetAttackLevel", Decibels);
  silence_.AttackLevel = Decibels;
}

void TAudioRecord2::SetAttackTime(int Milliseconds) {
  AudioCallLog::Add(kClass, L"SetAttackTime", Milliseconds);
  silence_.AttackTime = std::max(Milliseconds, 0);
}

void TAudioRecord2::SetReleaseLevel(float Decibels) {
  AudioCallLog::Add(kClass, L"SetReleaseLevel", Decibels);
  silence_.ReleaseLevel = Decibels;
}

void TAudioRecord2::SetReleaseTime(int Milliseconds) {
  AudioCallLog::Add(kClass, L"SetReleaseTime", Milliseconds);
  silence_.ReleaseTime = std::max(Milliseconds, 0);
}

// ---- capture ------------------------------------------------------------------------------------

void TAudioRecord2::ServiceTick(TObject*) {
  // A failure the device reports may open a message box whose loop runs this timer again.
  if (!recording_ || servicing_) return;
  servicing_ = true;
  input_->Service();
  servicing_ = false;
  if (!recording_) return;

  capture_->TakeAll(taken_);
  const int madeBefore = blocksMade_;
  Take(taken_.data(), static_cast<std::int64_t>(taken_.size()) / active_.Channels);

  // Handlers may stop the recorder or free it: check after each one.
  const std::shared_ptr<bool> alive = alive_;
  const int madeNow = blocksMade_;
  for (int block = madeBefore + 1; block <= madeNow; ++block) {
    if (OnEndArrayRecord) OnEndArrayRecord(this, block);
    if (!*alive || !recording_) return;
  }
  // Blocks whose event has passed without a fetch are not wanted (the console's device test).
  while (full_.size() > kMaxWaitingBlocks) full_.pop_front();
  int levels[2];
  recent_.Levels(std::max<std::int64_t>(framesSinceTick_, active_.SampleRate / 20), levels);
  framesSinceTick_ = 0;
  if (OnTimer) OnTimer(this, capturedFrames_, levels[0], levels[1]);
}

void TAudioRecord2::Take(const float* samples, std::int64_t frames) {
  if (frames == 0) return;
  recent_.Append(samples, frames);
  capturedFrames_ += frames;
  framesSinceTick_ += frames;

  const float* kept = samples;
  std::size_t keptValues = static_cast<std::size_t>(frames * active_.Channels);
  if (activeSilenceDetection_) {
    passed_.clear();
    gate_.Process(samples, frames, passed_);
    kept = passed_.data();
    keptValues = passed_.size();
  }

  const std::size_t blockValues = static_cast<std::size_t>(activeBufferFrames_) * active_.Channels;
  while (keptValues > 0) {
    const std::size_t n = std::min(keptValues, blockValues - filling_.size());
    filling_.insert(filling_.end(), kept, kept + n);
    kept += n;
    keptValues -= n;
    if (filling_.size() < blockValues) break;
    SampleBuffer block(active_.Channels, active_.SampleRate, activeBufferFrames_);
    std::copy(filling_.begin(), filling_.end(), block.Data());
    filling_.clear();
    full_.push_back(std::move(block));
    ++blocksMade_;
  }
}
