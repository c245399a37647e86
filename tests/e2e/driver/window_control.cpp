#include "window_control.h"

#include <vector>

#include "dialog_window.h"
#include "process_windows.h"
#include "wait.h"

namespace e2e {

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
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

namespace {

struct Collection {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* collection = reinterpret_cast<Collection*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == collection->processId) collection->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  Collection collection{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collection));
  return collection.windows;
}

HWND FindProcessWindow(DWORD processId, const std::string& className, const wchar_t* title) {
  for (HWND window : TopLevelWindows(processId)) {
    if (ClassName(window) != className) continue;
    if (title == nullptr || WindowText(window) == title) return window;
  }
  return nullptr;
}

std::vector<HWND> OtherVisibleWindows(DWORD processId, HWND except) {
  std::vector<HWND> visible;
  for (HWND window : TopLevelWindows(processId))
    if (window != except && IsWindowVisible(window)) visible.push_back(window);
  return visible;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text == nullptr ? std::wstring() : WindowText(text);
}

std::wstring MessageBoxButtons(HWND box) {
  std::wstring buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Button" || !IsWindowVisible(child)) continue;
    if (!buttons.empty()) buttons += L" ";
    buttons += std::to_wstring(GetDlgCtrlID(child)) + L":" + WindowText(child);
  }
  return buttons;
}

bool DismissMessageBox(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  return ok != nullptr && Send(ok, BM_CLICK).has_value();
}

HWND FindDialog(DWORD processId, const std::wstring& title) {
  HWND dialog = FindProcessWindow(processId, "#32770", title.c_str());
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND WaitForDialog(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(processId, title)) != nullptr; }, timeoutMs);
  return dialog;
}

bool PostKey(HWND dialog, UINT virtualKey) {
  HWND focus = FocusInThreadOf(dialog);
  HWND target = focus != nullptr && IsChild(dialog, focus) ? focus : dialog;
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
  const LPARAM up = down | static_cast<LPARAM>(3) << 30;  // previous state down, released
  return PostMessageW(target, WM_KEYDOWN, virtualKey, down) &&
         PostMessageW(target, WM_KEYUP, virtualKey, up);
}

bool PostCommand(HWND dialog, int id) {
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != FALSE;
}

}  // namespace e2e
