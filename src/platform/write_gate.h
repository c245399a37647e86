// The one door through which the logging and screenshot threads write their files and the
// console. Closing the program shuts it: a write under way may finish (within a bound), none
// may begin afterwards, so the process never ends in the middle of a record.
#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

class WriteGate {
 public:
  // False once the gate is shut; otherwise the caller writes and then calls Leave.
  bool Enter();
  void Leave();
  // Refuses every later Enter and waits up to `waitMs` for the writes under way; false when
  // one was still under way at the end of the wait.
  bool Shut(std::uint32_t waitMs);

 private:
  std::atomic<int> writing_{0};
  std::atomic<bool> shut_{false};
};

// A write through the gate for the length of a scope; `Open()` says whether it may go on.
class GatedWrite {
 public:
  explicit GatedWrite(WriteGate& gate) : gate_(gate), open_(gate.Enter()) {}
  ~GatedWrite() {
    if (open_) gate_.Leave();
  }
  GatedWrite(const GatedWrite&) = delete;
  GatedWrite& operator=(const GatedWrite&) = delete;
  bool Open() const { return open_; }

 private:
  WriteGate& gate_;
  bool open_;
};

// The process's own gate; it lasts as long as the process.
WriteGate& ProcessWriteGate();

}  // namespace platform
