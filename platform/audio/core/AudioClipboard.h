#pragma once
// The process's audio clipboard: a block list with its rate, shared by every editor.

#include "platform/audio/core/BlockList.h"

struct ClipboardContent {
  BlockListRef Audio;
  int SampleRate = 44100;
};

void SetAudioClipboard(ClipboardContent content);
ClipboardContent GetAudioClipboard();
