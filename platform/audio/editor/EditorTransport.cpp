#include "platform/audio/editor/EditorTransport.h"

#include <algorithm>
#include <string>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/MeterScale.h"

namespace {
constexpr int kMeterWindowMs = 50;
}

EditorTransport::~EditorTransport() { Stop(); }

void EditorTransport::Play(BlockListRef audio, int sampleRate, PlayRange range) {
  Stop();
  auto stream = std::make_unique<PlaybackStream>(audio, range);
  if (stream->Finished() || range.End <= range.Start) return;
  std::unique_ptr<AudioOutput> output = AudioDevices::CreateOutput();
  PlaybackStream* source = stream.get();
  const int error = output->Start({sampleRate, audio->Channels()},
                                  [source](float* out, std::int64_t frames) { return source->Read(out, frames); });
  if (error != 0)
    throw EAudioError(L"The audio output device could not be started (error " + std::to_wstring(error) + L").");
  audio_ = std::move(audio);
  range_ = range;
  sampleRate_ = sampleRate;
  stream_ = std::move(stream);
  output_ = std::move(output);
  meterFrames_.resize(static_cast<std::size_t>(sampleRate_ * kMeterWindowMs / 1000 + 1) * audio_->Channels());
  state_ = tsPlaying;
}

void EditorTransport::Pause() {
  if (state_ != tsPlaying) return;
  output_->Pause();
  state_ = tsPaused;
}

void EditorTransport::Resume() {
  if (state_ != tsPaused) return;
  output_->Resume();
  state_ = tsPlaying;
}

void EditorTransport::Stop() {
  // The device guarantees no pull after Stop returns, so the stream can go after it.
  if (output_) output_->Stop();
  output_.reset();
  stream_.reset();
  audio_.reset();
  state_ = tsStopped;
}

bool EditorTransport::Service() {
  if (!output_) return false;
  output_->Service();
  return output_->Finished();
}

std::int64_t EditorTransport::Position() const {
  if (!output_) return range_.Start;
  const std::int64_t played = output_->PlayedFrames();
  const std::int64_t span = range_.End - range_.Start;
  if (range_.Loop && span > 0) return range_.Start + played % span;
  return std::min(range_.End, range_.Start + played);
}

void EditorTransport::Levels(int levels[2]) {
  levels[0] = levels[1] = 0;
  if (!audio_ || state_ != tsPlaying) return;
  const int channels = audio_->Channels();
  const std::int64_t end = Position();
  const std::int64_t window = static_cast<std::int64_t>(meterFrames_.size()) / channels;
  const std::int64_t from = std::max(range_.Start, end - window);
  if (end <= from) return;
  audio_->Read(from, end - from, meterFrames_.data());
  MeterLevels(meterFrames_.data(), end - from, channels, levels);
}
