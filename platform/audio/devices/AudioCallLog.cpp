#include "platform/audio/devices/AudioCallLog.h"

#include <atomic>
#include <charconv>

namespace {
std::atomic<bool> enabled{false};
std::mutex mutex;
std::vector<String>& Log() {
  static std::vector<String> lines;
  return lines;
}
}  // namespace

void AudioCallLog::Enable(bool on) { enabled = on; }
bool AudioCallLog::Enabled() { return enabled.load(std::memory_order_relaxed); }

void AudioCallLog::Clear() {
  std::lock_guard lock(mutex);
  Log().clear();
}

std::vector<String> AudioCallLog::Lines() {
  std::lock_guard lock(mutex);
  return Log();
}

void AudioCallLog::Append(String line) {
  std::lock_guard lock(mutex);
  Log().push_back(std::move(line));
}

String AudioCallLog::FormatInteger(std::int64_t value) { return std::to_wstring(value); }

String AudioCallLog::Format(double value) {
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, value);
  return String(text, result.ptr);
}
