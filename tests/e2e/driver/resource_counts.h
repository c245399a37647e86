// Figures about a running process: the GDI and window-manager objects and the kernel handles it
// holds. Wine answers GetGuiResources with 0 and GetProcessHandleCount with 0, so the handles are
// counted from the system's handle table instead.
#pragma once

#include <windows.h>

#include <map>

namespace e2e {

struct ResourceCounts {
  DWORD gdiObjects;   // GetGuiResources(GR_GDIOBJECTS)
  DWORD userObjects;  // GetGuiResources(GR_USEROBJECTS)
  DWORD handles;      // entries of the process in the system handle table
};

ResourceCounts CountResources(HANDLE process);
// The process's handles by the object type number of the system's handle table.
std::map<int, DWORD> HandlesByType(HANDLE process);

}  // namespace e2e
