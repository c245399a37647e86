// The readings a simulated GPU hands out. Each reading of each GPU has its own sample counter,
// shared by every NVAPI and NVML call that reports it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

enum class Reading : std::uint8_t {
  kClockGraphics,  // current clocks, kHz
  kClockMemory,
  kClockProcessor,
  kClockVideo,
  kBaseGraphics,  // base clocks, kHz
  kBaseMemory,
  kBaseProcessor,
  kBaseVideo,
  kBoostGraphics,  // boost clocks, kHz
  kBoostMemory,
  kBoostProcessor,
  kBoostVideo,
  kLoadGpu,  // percent
  kLoadMemCtrl,
  kLoadVideo,
  kLoadBus,
  kMemoryTotal,  // KiB
  kMemoryUsed,   // KiB
  kTemperature,  // degrees Celsius, may be negative
  kPowerDraw,    // mW
  kPowerLimit,   // mW
  kPstate,
  kFan1Level,  // percent
  kFan1Rpm,
  kFan2Level,
  kFan2Rpm,
  kVoltage,  // microvolts
  kCount
};

inline constexpr std::size_t kReadingCount = static_cast<std::size_t>(Reading::kCount);

constexpr std::size_t Index(Reading reading) {
  return static_cast<std::size_t>(reading);
}

std::string_view ReadingName(Reading reading);
std::optional<Reading> ReadingByName(std::string_view name);
// Clock readings may be declared "none": the domain is then not present.
bool IsClockReading(Reading reading);

}  // namespace sim
