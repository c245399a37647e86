// Polling with a deadline: every wait of the driver ends, whatever the program does.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr DWORD kPollMs = 10;

// Calls `ready` every few milliseconds until it returns true or `timeoutMs` have passed; the
// result is the last answer of `ready`.
template <typename Predicate>
bool WaitUntil(Predicate ready, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

}  // namespace e2e
