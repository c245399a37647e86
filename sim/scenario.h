// What a scenario file describes: the machine's GPUs, their readings over time, the record
// versions each GPU accepts, scripted failures and delays, and deliberate misbehaviour.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "function_table.h"
#include "reading.h"
#include "reading_signal.h"

namespace sim {

inline constexpr std::size_t kMaxGpus = 64;
inline constexpr std::size_t kMaxDisplaysPerGpu = 16;
inline constexpr std::size_t kMaxRules = 256;
inline constexpr std::size_t kMaxAcceptedVersions = 8;
inline constexpr std::size_t kMaxNameLength = 63;  // plus the terminator in 64 bytes
inline constexpr std::uint32_t kMaxDelayMs = 10000;
inline constexpr std::uint32_t kMaxFans = 2;

// The versioned records whose accepted version words a scenario may choose per GPU.
enum class Query : std::uint8_t {
  kClocks,
  kPstates20,
  kThermal,
  kMemoryInfo,
  kCooler,
  kFanCooler,
  kDisplayIds,
  kDynamicPstates,
  kVoltage,
  kUsages,
  kCoreCounts,
  kCount
};
inline constexpr std::size_t kQueryCount = static_cast<std::size_t>(Query::kCount);
constexpr std::size_t Index(Query query) {
  return static_cast<std::size_t>(query);
}

struct DisplaySetup {
  std::int32_t connector = 0;
  std::uint32_t displayId = 0;
};

enum class FanPath : std::uint8_t { kCooler, kFanCoolerStatus, kBoth };
enum class UnitState : std::uint8_t { kNone, kPresent, kFanFailed };

// Deliberate misbehaviour for robustness tests.
struct Quirks {
  std::optional<std::uint32_t> fanCoolerCount;  // reported count byte (0..255)
  std::optional<std::uint32_t> coolerCount;     // reported cooler count
  std::optional<std::uint32_t> displayCount;    // reported number of connected displays
  bool nameUnterminated = false;                // all 64 name bytes non-NUL
  bool tachometerInvalid = false;               // cooler query says the rpm is not valid
};

struct GpuSetup {
  std::string name = "Quorvane Sim GPU";
  std::uint32_t bus = 0;
  std::array<std::uint32_t, 4> pci{0x1E8710DE, 0, 0xA1, 0x1E8710DE};  // device, subsys, rev, ext
  bool tcc = false;
  std::uint32_t cudaCores = 2304;
  std::uint32_t rtCores = 36;
  std::uint32_t tensorCores = 288;
  std::uint32_t pcieWidth = 16;
  std::uint32_t pcieGeneration = 3;
  std::vector<DisplaySetup> displays;
  std::uint32_t fanCount = 1;
  FanPath fanPath = FanPath::kCooler;
  UnitState unit = UnitState::kNone;
  std::array<std::vector<std::uint32_t>, kQueryCount> accepted;
  std::array<Signal, kReadingCount> readings;
  Quirks quirks;
  // Fallen off the bus from its cycle `lostFrom` (1-based) until just before its cycle
  // `lostUntil`: every call naming it fails as for a lost GPU. 0: never lost.
  std::uint32_t lostFrom = 0;
  std::uint32_t lostUntil = UINT32_MAX;
};

// The calls a scripted rule stands for: those of `fn` numbered `from` to `to` (1-based, counted
// over all GPUs, or over the calls naming `gpu` only when it is set).
struct CallSpan {
  Fn fn = Fn::kInitialize;
  std::optional<std::size_t> gpu;
  std::uint32_t from = 1;
  std::uint32_t to = UINT32_MAX;
};

// A scripted failure: the calls of the span return `status`.
struct FailRule {
  CallSpan calls;
  std::int32_t status = 0;
};

struct DelayRule {
  Fn fn = Fn::kInitialize;
  std::optional<std::size_t> gpu;
  std::uint32_t ms = 0;
};

// A scripted hang: the calls of the span each wait `ms` milliseconds, or until the process ends
// or another scenario is loaded when `ms` is kForeverMs, before they go on as usual.
inline constexpr std::uint32_t kForeverMs = UINT32_MAX;
struct HangRule {
  CallSpan calls;
  std::uint32_t ms = 0;
};

// A slow driver: every call (every call naming the GPU, when `gpu` is set) waits `ms`.
struct SlowRule {
  std::optional<std::size_t> gpu;
  std::uint32_t ms = 0;
};

struct PrimaryDisplay {
  std::size_t gpu = 0;
  std::uint32_t displayId = 0;
};

struct Scenario {
  std::vector<GpuSetup> gpus;
  bool nvapiMissing = false;
  bool nvmlMissing = false;
  bool preCallHook = false;
  bool postCallHook = false;
  std::array<bool, kFunctionCount> absent{};
  std::vector<FailRule> failures;
  std::vector<DelayRule> delays;
  std::vector<HangRule> hangs;
  std::vector<SlowRule> slow;
  std::optional<PrimaryDisplay> primary;
};

// True when some call of the scenario waits: a delay, a hang or a slow driver.
bool TakesTime(const Scenario& scenario);

// A GPU with every reading, version set and count at its default.
GpuSetup DefaultGpu(std::size_t indexInFile);

// The machine seen when the scenario cannot be read: no GPUs, and both initialisations fail.
Scenario BrokenDriverScenario();

}  // namespace sim
