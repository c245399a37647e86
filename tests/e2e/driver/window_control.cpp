#include "window_control.h"

#include <vector>

#include "window_text.h"

namespace e2e {

SIZE OuterSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool Responds(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

bool RequestOuterSize(HWND window, int width, int height) {
  // Asynchronous, so a window that stops answering cannot hold the driver; the WM_NULL behind
  // it is handled only after the request.
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
  return SetWindowPos(window, nullptr, 0, 0, width, height, flags) && Responds(window);
}

namespace {

void AddKey(std::vector<INPUT>& inputs, WORD key, bool release) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

}  // namespace

bool TypeAltCharacter(HWND window, char c) {
  SetForegroundWindow(window);
  const SHORT scan = VkKeyScanA(c);
  if (GetForegroundWindow() != window || scan == -1) return false;
  const WORD key = LOBYTE(scan);
  const bool shifted = (HIBYTE(scan) & 1) != 0;
  std::vector<INPUT> inputs;
  AddKey(inputs, VK_MENU, false);
  if (shifted) AddKey(inputs, VK_SHIFT, false);
  AddKey(inputs, key, false);
  AddKey(inputs, key, true);
  if (shifted) AddKey(inputs, VK_SHIFT, true);
  AddKey(inputs, VK_MENU, true);
  const UINT count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count && Responds(window);
}

HWND FocusInThreadOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool PostClose(HWND window) {
  return PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace e2e
