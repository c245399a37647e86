#include "call_gate.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "gpu/nvapi_abi.h"
#include "gpu/nvml_abi.h"
#include "handles.h"

namespace sim {
namespace {

void Bump(std::uint32_t* counter) {
  if (*counter < std::numeric_limits<std::uint32_t>::max()) ++*counter;
}

}  // namespace

CallGate::CallGate(Fn fn, Subject subject, std::uintptr_t value, bool startsCycle)
    : fn_(fn), subject_(subject), value_(value), lock_(StateMutex()) {
  state_ = &LockedState();
  Bump(&state_->calls[Index(fn_)]);
  gpu_ = Locate();
  if (gpu_) Bump(&state_->gpuCounters[*gpu_].calls[Index(fn_)]);
  if (gpu_ && startsCycle) Bump(&state_->gpuCounters[*gpu_].cycles);
  if (const std::uint32_t ms = WaitMs(); ms > 0) Wait(ms);
  status_ = Decide();
}

void CallGate::Wait(std::uint32_t ms) {
  // Waited in short steps without the lock, so that other calls go on meanwhile and a new
  // scenario ends the wait, even one that would last for ever.
  using Clock = std::chrono::steady_clock;
  constexpr auto kStep = std::chrono::milliseconds(20);
  const std::uint64_t generation = state_->generation;
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    const auto now = Clock::now();
    if (ms != kForeverMs && now >= end) break;
    lock_.unlock();
    std::this_thread::sleep_for(ms == kForeverMs ? kStep
                                                 : std::min<Clock::duration>(kStep, end - now));
    lock_.lock();
    state_ = &LockedState();
    if (state_->generation != generation) break;
  }
  if (state_->generation != generation) gpu_ = Locate();  // a new scenario came meanwhile
}

std::int64_t CallGate::Take(Reading reading) {
  std::uint64_t& n = state_->gpuCounters[*gpu_].samples[Index(reading)];
  const std::int64_t value = SignalValue(Gpu().readings[Index(reading)], n);
  if (n < std::numeric_limits<std::uint64_t>::max()) ++n;
  return value;
}

std::optional<std::size_t> CallGate::Locate() const {
  const void* handle = reinterpret_cast<const void*>(value_);
  switch (subject_) {
    case Subject::kNone:
      return {};
    case Subject::kNvapiHandle:
      return GpuOfNvapiHandle(*state_, handle);
    case Subject::kNvmlDevice:
      return GpuOfNvmlDevice(*state_, handle);
    case Subject::kNvmlUnit:
      return GpuOfNvmlUnit(*state_, handle);
    case Subject::kNvmlIndex:
      return GpuOfNvmlIndex(*state_, value_);
    case Subject::kUnitIndex:
      return GpuOfUnitIndex(*state_, value_);
  }
  return {};
}

bool CallGate::Covers(const CallSpan& span) const {
  if (span.fn != fn_ || (span.gpu && span.gpu != gpu_)) return false;
  const std::uint32_t call =
      span.gpu ? state_->gpuCounters[*gpu_].calls[Index(fn_)] : state_->calls[Index(fn_)];
  return call >= span.from && call <= span.to;
}

std::uint32_t CallGate::WaitMs() const {
  const Scenario& scenario = state_->scenario;
  for (const HangRule& rule : scenario.hangs) {
    if (Covers(rule.calls)) return rule.ms;
  }
  std::uint64_t ms = 0;
  for (const DelayRule& rule : scenario.delays) {
    if (rule.fn == fn_ && (!rule.gpu || rule.gpu == gpu_)) {
      ms += rule.ms;
      break;
    }
  }
  for (const SlowRule& rule : scenario.slow) {
    if (!rule.gpu || rule.gpu == gpu_) ms += rule.ms;
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(ms, kForeverMs - 1));
}

bool CallGate::Lost() const {
  if (!gpu_) return false;
  const GpuSetup& gpu = state_->scenario.gpus[*gpu_];
  if (gpu.lostFrom == 0) return false;
  const CycleSource source = ProcessCycleSource().load();
  const std::uint32_t cycle = source ? source(*gpu_) : state_->gpuCounters[*gpu_].cycles;
  return gpu.lostFrom != 0 && cycle >= gpu.lostFrom && cycle < gpu.lostUntil;
}

std::int32_t CallGate::Decide() const {
  const bool nvml = Function(fn_).nvml;
  if (nvml && fn_ != Fn::kNvmlInit && !state_->nvmlInitialized) return nvml::kErrorUninitialized;
  if (!nvml && fn_ != Fn::kInitialize && !state_->nvapiInitialized) {
    return nvapi::kApiNotInitialized;
  }
  if (subject_ != Subject::kNone && !gpu_) {
    return nvml ? nvml::kErrorInvalidArgument : nvapi::kExpectedPhysicalGpuHandle;
  }
  if (Lost()) return nvml ? nvml::kErrorGpuIsLost : nvapi::kHandleInvalidated;
  return ScriptedFailure().value_or(0);
}

std::optional<std::int32_t> CallGate::ScriptedFailure() const {
  for (const FailRule& rule : state_->scenario.failures) {
    if (Covers(rule.calls)) return rule.status;
  }
  return {};
}

}  // namespace sim
