#include "tab_control.h"

#include <commctrl.h>

#include <cstddef>

#include "window_control.h"

namespace e2e {
namespace {

constexpr int kLabelBytes = 256;

// A block of memory inside the program, for the tab control's queries: their arguments are
// pointers, which the system does not carry across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, Address(offset), data, size, &written) && written == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, Address(offset), data, size, &read) && read == size;
  }

 private:
  HANDLE process_;
  void* address_;
};

// One label through an item record and a text buffer that both live in the target.
bool ReadLabel(const RemoteBuffer& remote, HWND tabs, int index, std::string& label) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = remote.Address(sizeof(TCITEMA));
  item.cchTextMax = kLabelBytes;
  char text[kLabelBytes] = {};
  if (!remote.Write(0, &item, sizeof(item)) || !remote.Write(sizeof(item), text, sizeof(text)))
    return false;
  if (!Send(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote.Address())).value_or(FALSE))
    return false;
  // A control that pointed the record at a buffer of its own instead of filling ours fails.
  if (!remote.Read(0, &item, sizeof(item)) || item.pszText != remote.Address(sizeof(TCITEMA)) ||
      !remote.Read(sizeof(TCITEMA), text, sizeof(text)))
    return false;
  text[kLabelBytes - 1] = '\0';
  label = text;
  return true;
}

}  // namespace

std::vector<std::string> TabLabels(HANDLE process, HWND tabs) {
  const LRESULT count = Send(tabs, TCM_GETITEMCOUNT).value_or(0);
  RemoteBuffer remote(process, sizeof(TCITEMA) + kLabelBytes);
  std::vector<std::string> labels;
  if (!remote.Valid()) return labels;
  for (int i = 0; i < count; ++i) {
    std::string label;
    if (!ReadLabel(remote, tabs, i, label)) return {};
    labels.push_back(label);
  }
  return labels;
}

int SelectedTab(HWND tabs) {
  return static_cast<int>(Send(tabs, TCM_GETCURSEL).value_or(-1));
}

bool ClickTab(HANDLE process, HWND tabs, int index) {
  RemoteBuffer remote(process, sizeof(RECT));
  RECT rect = {};
  if (!remote.Valid() ||
      !Send(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.Address()))
           .value_or(FALSE) ||
      !remote.Read(0, &rect, sizeof(rect)))
    return false;
  const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre) &&
         PostMessageA(tabs, WM_LBUTTONUP, 0, centre);
}

}  // namespace e2e
