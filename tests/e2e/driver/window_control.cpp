#include "window_control.h"

#include <vector>

namespace e2e {

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

bool Responds(HWND window) {
  return Send(window, WM_NULL).has_value();
}

std::wstring WindowText(HWND window) {
  const std::optional<LRESULT> length = Send(window, WM_GETTEXTLENGTH);
  if (!length) return {};
  std::vector<wchar_t> text(static_cast<std::size_t>(*length) + 1, L'\0');
  const std::optional<LRESULT> copied =
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return {};
  return std::wstring(text.data(), static_cast<std::size_t>(*copied));
}

std::string ClassName(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof(name));
  return std::string(name, length > 0 ? length : 0);
}

SIZE OuterSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool RequestOuterSize(HWND window, int width, int height) {
  // Asynchronous, so a window that stops answering cannot hold the driver; the WM_NULL behind
  // it is handled only after the request.
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
  return SetWindowPos(window, nullptr, 0, 0, width, height, flags) && Responds(window);
}

bool TypeAltCharacter(HWND window, char c) {
  SetForegroundWindow(window);
  const SHORT scan = VkKeyScanA(c);
  if (GetForegroundWindow() != window || scan == -1) return false;
  const WORD key = LOBYTE(scan);
  const bool shifted = (HIBYTE(scan) & 1) != 0;
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD virtualKey, bool release) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  add(VK_MENU, false);
  if (shifted) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shifted) add(VK_SHIFT, true);
  add(VK_MENU, true);
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
