#include "platform/audio/transport/AudioPlayer2.h"

#include "platform/audio/core/AudioError.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/transport/PlayQueue.h"
#include "platform/framework/windows/Timer.h"

DEFINE_CLASS(TAudioPlayer2)

namespace {
constexpr const wchar_t* kClass = L"TAudioPlayer2";
constexpr Cardinal kServiceInterval = 50;
}  // namespace

TAudioPlayer2::TAudioPlayer2(TComponent* AOwner) : TComponent(AOwner), timer_(new TTimer(this)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kServiceInterval);
  timer_->SetOnTimer({this, &TAudioPlayer2::ServiceTick});
}

TAudioPlayer2::~TAudioPlayer2() { Close(); }

void TAudioPlayer2::SetPlaybackFormat(int SampleRate, int Channels) {
  AudioCallLog::Add(kClass, L"SetPlaybackFormat", SampleRate, Channels);
  CheckSampleRate(SampleRate);
  CheckChannelCount(Channels);
  format_ = {SampleRate, Channels};
}

void TAudioPlayer2::Start() {
  AudioCallLog::Add(kClass, L"Start");
  Close();
  auto output = AudioDevices::CreateOutput();
  auto queue = std::make_shared<PlayQueue>(format_.Channels);
  // The pull holds the queue itself, so a device worker never reads a queue freed under it.
  lastError_ = output->Start(format_, [queue](float* out, std::int64_t frames) { return queue->Pull(out, frames); });
  if (lastError_ != 0) return;
  output_ = std::move(output);
  queue_ = std::move(queue);
  timer_->SetEnabled(true);
}

int TAudioPlayer2::GetLastError() {
  AudioCallLog::Add(kClass, L"GetLastError");
  return lastError_;
}

void TAudioPlayer2::QueueBuffer(SampleBuffer& Buffer) {
  AudioCallLog::Add(kClass, L"QueueBuffer", Buffer.Values());
  if (!output_) throw EAudioError(L"The player is not started.");
  // The format of the running play, which a later SetPlaybackFormat does not change.
  const int channels = queue_->Channels();
  if (!Buffer.Empty() && Buffer.Channels() != channels)
    throw EAudioError(L"The buffer has " + std::to_wstring(Buffer.Channels()) + L" channels; the player plays " +
                      std::to_wstring(channels) + L".");
  queue_->Push(Buffer);
}

void TAudioPlayer2::Stop() {
  AudioCallLog::Add(kClass, L"Stop");
  Close();
}

void TAudioPlayer2::Close() {
  timer_->SetEnabled(false);
  if (output_) output_->Stop();
  output_.reset();
  queue_.reset();
}

void TAudioPlayer2::ServiceTick(TObject*) {
  // A failure the device reports may open a message box whose loop runs this timer again.
  if (!output_ || servicing_) return;
  servicing_ = true;
  output_->Service();
  servicing_ = false;
  if (!output_ || !output_->Finished()) return;
  Close();
  // Last: the handler may free the player.
  if (OnEndPlay) OnEndPlay(this);
}
