#include "platform/detached_thread_win32.h"

#include <process.h>
#include <windows.h>

#include <cstdint>

namespace platform {

bool StartDetachedThread(ThreadBody body, void* argument) {
  const std::uintptr_t thread = _beginthreadex(nullptr, 0, body, argument, 0, nullptr);
  if (thread == 0) return false;
  CloseHandle(reinterpret_cast<HANDLE>(thread));
  return true;
}

}  // namespace platform
