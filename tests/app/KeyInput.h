#pragma once
// What the end-to-end tests do as a user would, to a program running in another process: keys and
// clicks through the system's input queue (SendInput), and waiting for what the program shows.

#include <functional>
#include <initializer_list>

#include "platform/framework/base/Win32.h"

namespace end_to_end {

// Polls the condition every 50 ms; false when it still fails after timeoutMs.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);
// Presses the key with the modifiers held, so that the program reads the modifiers' state with it.
void PressKeys(std::initializer_list<WORD> modifiers, WORD key);
// Types the digits and letters of the text, one key each.
void TypeText(const wchar_t* text);
// A left click at a point of the screen.
void ClickAt(POINT screen);

}  // namespace end_to_end
