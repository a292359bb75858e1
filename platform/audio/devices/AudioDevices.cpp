#include "platform/audio/devices/AudioDevices.h"

#include <mutex>

#include "platform/audio/devices/NullDevices.h"
#include "platform/audio/devices/WaveInDevice.h"
#include "platform/audio/devices/WaveOutDevice.h"

namespace {

std::mutex factoryMutex;
AudioDevices::OutputFactory outputFactory;
AudioDevices::InputFactory inputFactory;

std::unique_ptr<AudioOutput> SystemOutput() {
  if (waveOutGetNumDevs() > 0) return std::make_unique<WaveOutDevice>();
  return std::make_unique<NullAudioOutput>();
}

std::unique_ptr<AudioInput> SystemInput() {
  if (waveInGetNumDevs() > 0) return std::make_unique<WaveInDevice>();
  return std::make_unique<NullAudioInput>();
}

}  // namespace

namespace AudioDevices {

std::unique_ptr<AudioOutput> CreateOutput() {
  OutputFactory factory;
  {
    std::lock_guard lock(factoryMutex);
    factory = outputFactory;
  }
  return factory ? factory() : SystemOutput();
}

std::unique_ptr<AudioInput> CreateInput() {
  InputFactory factory;
  {
    std::lock_guard lock(factoryMutex);
    factory = inputFactory;
  }
  return factory ? factory() : SystemInput();
}

OutputFactory SetOutputFactory(OutputFactory factory) {
  std::lock_guard lock(factoryMutex);
  std::swap(outputFactory, factory);
  return factory;
}

InputFactory SetInputFactory(InputFactory factory) {
  std::lock_guard lock(factoryMutex);
  std::swap(inputFactory, factory);
  return factory;
}

}  // namespace AudioDevices
