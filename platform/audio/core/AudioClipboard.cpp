#include "platform/audio/core/AudioClipboard.h"

#include <mutex>

namespace {
std::mutex g_mutex;
ClipboardContent g_content;
}  // namespace

void SetAudioClipboard(ClipboardContent content) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_content = std::move(content);
}

ClipboardContent GetAudioClipboard() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_content;
}
