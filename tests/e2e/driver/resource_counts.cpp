#include "resource_counts.h"

#include <map>
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

// The handle table entries of `processId`.
std::vector<HandleEntry> HandlesOf(DWORD processId) {
  const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return {};
  std::vector<char> buffer(1 << 20);
  LONG status = kInfoLengthMismatch;
  for (int tries = 0; status == kInfoLengthMismatch && tries < 5; ++tries) {
    ULONG needed = 0;
    status =
        query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return {};
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  std::vector<HandleEntry> handles;
  for (ULONG i = 0; i < table->count; ++i)
    if (table->entries[i].processId == processId) handles.push_back(table->entries[i]);
  return handles;
}

}  // namespace

ResourceCounts CountResources(HANDLE process) {
  ResourceCounts counts = {};
  counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  counts.handles = static_cast<DWORD>(HandlesOf(GetProcessId(process)).size());
  return counts;
}

std::map<int, DWORD> HandlesByType(HANDLE process) {
  std::map<int, DWORD> types;
  for (const HandleEntry& entry : HandlesOf(GetProcessId(process))) ++types[entry.objectType];
  return types;
}

}  // namespace e2e
