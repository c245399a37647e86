// The lines of a gpu block: identity, displays, fans, accepted versions, quirks and readings.
#include <array>
#include <limits>

#include "gpu/nvapi_abi.h"
#include "scenario_lexer.h"
#include "scenario_parser_impl.h"

namespace sim {
namespace {

struct NamedValue {
  std::string_view name;
  std::int32_t value;
};

constexpr std::array<NamedValue, 10> kConnectors{{
    {"uninitialized", nvapi::kConnectorUninitialized},
    {"unknown", nvapi::kConnectorUnknown},
    {"vga", nvapi::kConnectorVga},
    {"component", nvapi::kConnectorComponent},
    {"svideo", nvapi::kConnectorSvideo},
    {"hdmi", nvapi::kConnectorHdmi},
    {"dvi", nvapi::kConnectorDvi},
    {"lvds", nvapi::kConnectorLvds},
    {"dp", nvapi::kConnectorDisplayPort},
    {"composite", nvapi::kConnectorComposite},
}};

constexpr std::array<std::string_view, kQueryCount> kQueryNames{
    "clocks",      "pstates20",       "thermal", "memory", "cooler",     "fan-cooler",
    "display-ids", "dynamic-pstates", "voltage", "usages", "core-counts"};

std::optional<std::int32_t> ConnectorByName(std::string_view name) {
  for (const NamedValue& connector : kConnectors) {
    if (connector.name == name) return connector.value;
  }
  return {};
}

std::optional<Query> QueryByName(std::string_view name) {
  for (std::size_t i = 0; i < kQueryCount; ++i) {
    if (kQueryNames[i] == name) return static_cast<Query>(i);
  }
  return {};
}

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

bool ScenarioParser::GpuBlockLine(const Words& words) {
  if (std::optional<Reading> reading = ReadingByName(words[0])) {
    return ReadingLine(*reading, words);
  }
  if (words[0] == "gpu") return Error("'gpu' inside a gpu block (missing 'end'?)");
  if (words[0] == "library" || words[0] == "hooks" || words[0] == "absent") {
    return Error(Join({"'", words[0], "' belongs outside a gpu block"}));
  }
  static constexpr Keyword kTable[] = {
      {"name", &ScenarioParser::NameLine},       {"bus", &ScenarioParser::BusLine},
      {"pci", &ScenarioParser::PciLine},         {"driver", &ScenarioParser::DriverLine},
      {"cores", &ScenarioParser::CoresLine},     {"pcie", &ScenarioParser::PcieLine},
      {"display", &ScenarioParser::DisplayLine}, {"fans", &ScenarioParser::FansLine},
      {"unit", &ScenarioParser::UnitLine},       {"accept", &ScenarioParser::AcceptLine},
      {"quirk", &ScenarioParser::QuirkLine},     {"fail", &ScenarioParser::FailLine},
      {"delay", &ScenarioParser::DelayLine},     {"end", &ScenarioParser::EndLine},
      {"hang", &ScenarioParser::HangLine},       {"slow", &ScenarioParser::SlowLine},
      {"lost", &ScenarioParser::LostLine},
  };
  return Dispatch(words, kTable, std::size(kTable));
}

bool ScenarioParser::NameLine(const Words& words) {
  if (words.size() < 2) return Error("'name' needs a text");
  const auto offset = static_cast<std::size_t>(words[1].data() - line_.data());
  const std::string_view name = line_.substr(offset);
  if (name.size() > kMaxNameLength) {
    return Error(Join({"name longer than ", std::to_string(kMaxNameLength), " characters"}));
  }
  for (char c : name) {
    if (IsControl(c)) return Error("name contains a control character");
  }
  CurrentGpu().name = std::string(name);
  return true;
}

bool ScenarioParser::BusLine(const Words& words) {
  return WordCount(words, 2, 2, "bus NUMBER") && U32(words[1], &CurrentGpu().bus);
}

bool ScenarioParser::PciLine(const Words& words) {
  if (!WordCount(words, 2, 5, "pci DEVICE [SUBSYSTEM [REVISION [EXTENDED]]]")) return false;
  std::array<std::uint32_t, 4> pci{0, 0, 0xA1, 0};
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!U32(words[i], &pci[i - 1])) return false;
  }
  if (words.size() < 5) pci[3] = pci[0];
  CurrentGpu().pci = pci;
  return true;
}

bool ScenarioParser::DriverLine(const Words& words) {
  if (!WordCount(words, 2, 2, "driver wddm|tcc")) return false;
  if (words[1] != "wddm" && words[1] != "tcc") {
    return Error(Join({"driver model must be 'wddm' or 'tcc', got '", words[1], "'"}));
  }
  CurrentGpu().tcc = words[1] == "tcc";
  return true;
}

bool ScenarioParser::CoresLine(const Words& words) {
  GpuSetup& gpu = CurrentGpu();
  return WordCount(words, 4, 4, "cores CUDA RT TENSOR") && U32(words[1], &gpu.cudaCores) &&
         U32(words[2], &gpu.rtCores) && U32(words[3], &gpu.tensorCores);
}

bool ScenarioParser::PcieLine(const Words& words) {
  GpuSetup& gpu = CurrentGpu();
  return WordCount(words, 3, 3, "pcie WIDTH GENERATION") && U32(words[1], &gpu.pcieWidth) &&
         U32(words[2], &gpu.pcieGeneration);
}

bool ScenarioParser::DisplayLine(const Words& words) {
  if (!WordCount(words, 3, 4, "display CONNECTOR DISPLAY-ID [primary]")) return false;
  GpuSetup& gpu = CurrentGpu();
  if (gpu.displays.size() >= kMaxDisplaysPerGpu) {
    return Error(Join({"more than ", std::to_string(kMaxDisplaysPerGpu), " displays on one GPU"}));
  }
  DisplaySetup display;
  if (std::optional<std::int32_t> named = ConnectorByName(words[1])) {
    display.connector = *named;
  } else {
    std::int64_t raw = 0;
    if (!Integer(words[1], std::numeric_limits<std::int32_t>::min(),
                 std::numeric_limits<std::int32_t>::max(), &raw)) {
      return false;
    }
    display.connector = static_cast<std::int32_t>(raw);
  }
  if (!U32(words[2], &display.displayId)) return false;
  if (words.size() == 4) {
    if (words[3] != "primary") return Error(Join({"expected 'primary', got '", words[3], "'"}));
    if (scenario_.primary) return Error("a second primary display");
    scenario_.primary = PrimaryDisplay{*gpu_, display.displayId};
  }
  gpu.displays.push_back(display);
  return true;
}

bool ScenarioParser::FansLine(const Words& words) {
  if (!WordCount(words, 2, 3, "fans 0|1|2 [cooler|status|both]")) return false;
  std::int64_t count = 0;
  if (!Integer(words[1], 0, kMaxFans, &count)) return false;
  FanPath path = FanPath::kCooler;
  if (words.size() == 3) {
    if (words[2] == "status") {
      path = FanPath::kFanCoolerStatus;
    } else if (words[2] == "both") {
      path = FanPath::kBoth;
    } else if (words[2] != "cooler") {
      return Error("fan query must be 'cooler', 'status' or 'both'");
    }
  }
  CurrentGpu().fanCount = static_cast<std::uint32_t>(count);
  CurrentGpu().fanPath = path;
  return true;
}

bool ScenarioParser::UnitLine(const Words& words) {
  if (!WordCount(words, 2, 2, "unit none|present|fan-failed")) return false;
  UnitState& unit = CurrentGpu().unit;
  if (words[1] == "none") {
    unit = UnitState::kNone;
  } else if (words[1] == "present") {
    unit = UnitState::kPresent;
  } else if (words[1] == "fan-failed") {
    unit = UnitState::kFanFailed;
  } else {
    return Error("unit must be 'none', 'present' or 'fan-failed'");
  }
  return true;
}

bool ScenarioParser::AcceptLine(const Words& words) {
  if (!WordCount(words, 3, 2 + kMaxAcceptedVersions, "accept RECORD VERSION-WORD...")) {
    return false;
  }
  const std::optional<Query> query = QueryByName(words[1]);
  if (!query) return Error(Join({"unknown record '", words[1], "'"}));
  std::vector<std::uint32_t> versions(words.size() - 2);
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (!U32(words[i], &versions[i - 2])) return false;
    if (nvapi::VersionSize(versions[i - 2]) < 8) {
      return Error(Join({"version word ", words[i], " announces fewer than 8 bytes"}));
    }
  }
  CurrentGpu().accepted[Index(*query)] = std::move(versions);
  return true;
}

bool ScenarioParser::QuirkLine(const Words& words) {
  if (!WordCount(words, 2, 3, "quirk NAME [VALUE]")) return false;
  Quirks& quirks = CurrentGpu().quirks;
  const std::string_view name = words[1];
  const bool flag = name == "name-unterminated" || name == "tachometer-invalid";
  if (flag != (words.size() == 2)) {
    return Error(Join({"quirk '", name, flag ? "' takes no value" : "' needs a value"}));
  }
  if (name == "name-unterminated") quirks.nameUnterminated = true;
  if (name == "tachometer-invalid") quirks.tachometerInvalid = true;
  if (flag) return true;
  std::uint32_t value = 0;
  if (!U32(words[2], &value)) return false;
  if (name == "fan-cooler-count") {
    if (value > 255) return Error("fan-cooler-count is one byte: 0..255");
    quirks.fanCoolerCount = value;
  } else if (name == "cooler-count") {
    quirks.coolerCount = value;
  } else if (name == "display-count") {
    quirks.displayCount = value;
  } else {
    return Error(Join({"unknown quirk '", name, "'"}));
  }
  return true;
}

bool ScenarioParser::EndLine(const Words& words) {
  if (!WordCount(words, 1, 1, "end")) return false;
  gpu_.reset();
  return true;
}

bool ScenarioParser::ReadingLine(Reading reading, const Words& words) {
  Signal signal;
  if (!SignalWords(words, IsClockReading(reading), &signal)) return false;
  CurrentGpu().readings[Index(reading)] = signal;
  return true;
}

bool ScenarioParser::SignalWords(const Words& words, bool clock, Signal* signal) {
  constexpr std::int64_t kPeriodMax = std::numeric_limits<std::uint32_t>::max();
  const std::string_view kind = words.size() > 1 ? words[1] : std::string_view();
  if (kind == "none") {
    if (!clock) return Error("only clock readings can be 'none'");
    *signal = Signal{SignalKind::kNone, 0, 0, 1};
    return words.size() == 2 || Error("'none' takes no values");
  }
  if (kind == "ramp") {
    signal->kind = SignalKind::kRamp;
    return WordCount(words, 4, 4, "READING ramp START STEP") &&
           Integer(words[2], -kSignalLimit, kSignalLimit, &signal->a) &&
           Integer(words[3], -kSignalLimit, kSignalLimit, &signal->b);
  }
  if (kind == "square" || kind == "sine") {
    signal->kind = kind == "square" ? SignalKind::kSquare : SignalKind::kSine;
    return WordCount(words, 5, 5, "READING square LO HI LENGTH | READING sine MID AMP PERIOD") &&
           Integer(words[2], -kSignalLimit, kSignalLimit, &signal->a) &&
           Integer(words[3], -kSignalLimit, kSignalLimit, &signal->b) &&
           Integer(words[4], 1, kPeriodMax, &signal->c);
  }
  const std::size_t valueAt = kind == "const" ? 2 : 1;
  if (!WordCount(words, valueAt + 1, valueAt + 1, "READING VALUE | READING const VALUE")) {
    return false;
  }
  signal->kind = SignalKind::kConstant;
  return Integer(words[valueAt], -kSignalLimit, kSignalLimit, &signal->a);
}

}  // namespace sim
