// The common start of every vendor call: count it, wait out a scripted delay, slowness or hang
// without the lock, then, holding the lock, decide whether the call may go on (initialised,
// known handle, GPU not lost, no scripted failure). The lock is held until the gate goes out of
// scope.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

#include "function_table.h"
#include "state.h"

namespace sim {

// What a call names its GPU by.
enum class Subject : std::uint8_t {
  kNone,
  kNvapiHandle,
  kNvmlDevice,
  kNvmlUnit,
  kNvmlIndex,
  kUnitIndex,
};

inline std::uintptr_t RawHandle(const void* handle) {
  return reinterpret_cast<std::uintptr_t>(handle);
}

class CallGate {
 public:
  // `startsCycle`: the call is the one that opens a GPU's cycle (its current clocks).
  CallGate(Fn fn, Subject subject = Subject::kNone, std::uintptr_t value = 0,
           bool startsCycle = false);
  CallGate(const CallGate&) = delete;
  CallGate& operator=(const CallGate&) = delete;

  // 0 when the call may go on, else the status to return.
  std::int32_t Status() const { return status_; }
  SimState& State() { return *state_; }
  GpuSetup& Gpu() { return state_->scenario.gpus[*gpu_]; }
  std::size_t GpuIndex() const { return *gpu_; }

  // The reading's value at its current sample number, which then advances.
  std::int64_t Take(Reading reading);

 private:
  std::optional<std::size_t> Locate() const;
  // Whether this call is one of the span's.
  bool Covers(const CallSpan& span) const;
  std::uint32_t WaitMs() const;
  void Wait(std::uint32_t ms);
  bool Lost() const;
  std::int32_t Decide() const;
  std::optional<std::int32_t> ScriptedFailure() const;

  Fn fn_;
  Subject subject_;
  std::uintptr_t value_;
  std::unique_lock<std::mutex> lock_;
  SimState* state_ = nullptr;
  std::optional<std::size_t> gpu_;
  std::int32_t status_ = 0;
};

}  // namespace sim
