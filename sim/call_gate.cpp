#include "call_gate.h"

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

CallGate::CallGate(Fn fn, Subject subject, std::uintptr_t value)
    : fn_(fn), subject_(subject), value_(value), lock_(StateMutex()) {
  state_ = &LockedState();
  Bump(&state_->calls[Index(fn_)]);
  gpu_ = Locate();
  if (gpu_) Bump(&state_->gpuCounters[*gpu_].calls[Index(fn_)]);
  if (const std::uint32_t ms = DelayMs(); ms > 0) {
    const std::uint64_t generation = state_->generation;
    lock_.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    lock_.lock();
    state_ = &LockedState();
    if (state_->generation != generation) gpu_ = Locate();  // a new scenario came meanwhile
  }
  status_ = Decide();
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

std::uint32_t CallGate::DelayMs() const {
  for (const DelayRule& rule : state_->scenario.delays) {
    if (rule.fn == fn_ && (!rule.gpu || rule.gpu == gpu_)) return rule.ms;
  }
  return 0;
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
  return ScriptedFailure().value_or(0);
}

std::optional<std::int32_t> CallGate::ScriptedFailure() const {
  for (const FailRule& rule : state_->scenario.failures) {
    if (rule.fn != fn_) continue;
    if (rule.gpu && rule.gpu != gpu_) continue;
    const std::uint32_t call =
        rule.gpu ? state_->gpuCounters[*gpu_].calls[Index(fn_)] : state_->calls[Index(fn_)];
    if (call >= rule.from && call <= rule.to) return rule.status;
  }
  return {};
}

}  // namespace sim
