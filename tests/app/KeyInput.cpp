#include "tests/app/KeyInput.h"

#include <cwctype>
#include <vector>

namespace end_to_end {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

void PressKeys(std::initializer_list<WORD> modifiers, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_HOME || vk == VK_END || vk == VK_DELETE || vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT ||
        vk == VK_RIGHT)
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) PressKeys({}, static_cast<WORD>(std::towupper(*c)));
}

void ClickAt(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (width - 1);
    input.mi.dy = screen.y * 65535 / (height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, inputs, sizeof(INPUT));
}

}  // namespace end_to_end
