#include "reading.h"

#include <array>

namespace sim {
namespace {

constexpr std::array<std::string_view, kReadingCount> kNames{
    "clock.graphics",  "clock.memory",   "clock.processor", "clock.video",    "base.graphics",
    "base.memory",     "base.processor", "base.video",      "boost.graphics", "boost.memory",
    "boost.processor", "boost.video",    "load.gpu",        "load.memctrl",   "load.video",
    "load.bus",        "memory.total",   "memory.used",     "temperature",    "power.draw",
    "power.limit",     "pstate",         "fan1.level",      "fan1.rpm",       "fan2.level",
    "fan2.rpm",        "voltage"};

}  // namespace

std::string_view ReadingName(Reading reading) {
  return kNames[Index(reading)];
}

std::optional<Reading> ReadingByName(std::string_view name) {
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    if (kNames[i] == name) return static_cast<Reading>(i);
  }
  return {};
}

bool IsClockReading(Reading reading) {
  return Index(reading) <= Index(Reading::kBoostVideo);
}

}  // namespace sim
