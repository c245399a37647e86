#include "resource_counts.h"

#include <vector>

namespace e2e {
namespace {

// The documented layout of SystemHandleInformation (class 16).
struct HandleEntry {
  ULONG processId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  void* object;
  ACCESS_MASK access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
using QueryFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

DWORD CountHandles(DWORD processId) {
  const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  std::vector<char> buffer(1 << 20);
  LONG status = kInfoLengthMismatch;
  for (int tries = 0; status == kInfoLengthMismatch && tries < 5; ++tries) {
    ULONG needed = 0;
    status =
        query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return 0;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  DWORD count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].processId == processId;
  return count;
}

}  // namespace

ResourceCounts CountResources(HANDLE process) {
  ResourceCounts counts = {};
  counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  counts.handles = CountHandles(GetProcessId(process));
  return counts;
}

}  // namespace e2e
