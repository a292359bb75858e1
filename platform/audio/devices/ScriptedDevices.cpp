#include "platform/audio/devices/ScriptedDevices.h"

#include <algorithm>

void ScriptedInputScript::AppendLevel(std::int64_t frames, int channels, float value) {
  Material.insert(Material.end(), static_cast<std::size_t>(frames * channels), value);
}

// ---- output -------------------------------------------------------------------------------------

ScriptedAudioOutput::ScriptedAudioOutput(std::shared_ptr<ScriptedOutputScript> script)
    : script_(std::move(script)) {
  ++script_->DevicesMade;
}

AudioDevices::OutputFactory ScriptedAudioOutput::Factory(std::shared_ptr<ScriptedOutputScript> script) {
  return [script]() -> std::unique_ptr<AudioOutput> { return std::make_unique<ScriptedAudioOutput>(script); };
}

void ScriptedAudioOutput::Pause() {
  if (Running()) ++script_->Pauses;
  ClockedAudioOutput::Pause();
}

void ScriptedAudioOutput::Heard(const float* samples, std::int64_t frames, const DeviceFormat& format) {
  script_->Played.insert(script_->Played.end(), samples, samples + frames * format.Channels);
}

// ---- input --------------------------------------------------------------------------------------

ScriptedAudioInput::ScriptedAudioInput(std::shared_ptr<ScriptedInputScript> script) : script_(std::move(script)) {
  ++script_->DevicesMade;
}

AudioDevices::InputFactory ScriptedAudioInput::Factory(std::shared_ptr<ScriptedInputScript> script) {
  return [script]() -> std::unique_ptr<AudioInput> { return std::make_unique<ScriptedAudioInput>(script); };
}

void ScriptedAudioInput::SelectLine(int index) {
  for (std::size_t i = 0; i < script_->Lines.size(); ++i) script_->Lines[i].Selected = static_cast<int>(i) == index;
}

void ScriptedAudioInput::SetLineVolume(int index, int volume) {
  if (index >= 0 && index < static_cast<int>(script_->Lines.size()))
    script_->Lines[static_cast<std::size_t>(index)].Volume = std::clamp(volume, 0, 65535);
}

void ScriptedAudioInput::Capture(float* out, std::int64_t position, std::int64_t frames, const DeviceFormat& format) {
  const std::int64_t values = frames * format.Channels;
  const auto available = static_cast<std::int64_t>(script_->Material.size());
  const std::int64_t first = std::min(position * format.Channels, available);
  const std::int64_t copied = std::min(values, available - first);
  std::copy_n(script_->Material.begin() + first, copied, out);
  std::fill(out + copied, out + values, 0.0f);
  script_->DeliveredFrames += frames;
}

// ---- scope --------------------------------------------------------------------------------------

ScriptedDevicesScope::ScriptedDevicesScope(std::shared_ptr<ScriptedOutputScript> output,
                                           std::shared_ptr<ScriptedInputScript> input)
    : ownsOutput_(output != nullptr), ownsInput_(input != nullptr) {
  if (ownsOutput_) previousOutput_ = AudioDevices::SetOutputFactory(ScriptedAudioOutput::Factory(std::move(output)));
  if (ownsInput_) previousInput_ = AudioDevices::SetInputFactory(ScriptedAudioInput::Factory(std::move(input)));
}

ScriptedDevicesScope::~ScriptedDevicesScope() {
  if (ownsOutput_) AudioDevices::SetOutputFactory(std::move(previousOutput_));
  if (ownsInput_) AudioDevices::SetInputFactory(std::move(previousInput_));
}
