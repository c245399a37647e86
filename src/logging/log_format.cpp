#include "logging/log_format.h"

#include <cstdarg>
#include <cstdio>
#include <optional>

#include "display/number_text.h"
#include "logging/narrow_name.h"

namespace logging {
namespace {

// printf-style text; every text of a record is far shorter than the buffer.
[[gnu::format(printf, 1, 2)]] std::string Format(const char* format, ...) {
  char buffer[160];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (length < 0) return {};
  return std::string(buffer, static_cast<std::size_t>(length) < sizeof buffer
                                 ? static_cast<std::size_t>(length)
                                 : sizeof buffer - 1);
}

// A stored 32-bit value as the signed decimal the log writes.
int Signed(std::uint32_t value) {
  return static_cast<int>(static_cast<std::int32_t>(value));
}

// kHz as whole MHz: through single precision, divided by 1000, truncated toward zero.
int Mhz(std::uint32_t kHz) {
  return static_cast<int>(static_cast<double>(static_cast<float>(kHz)) / 1000.0);
}

double Watts(std::uint32_t milliwatts) {
  return static_cast<double>(static_cast<float>(milliwatts)) / 1000.0;
}

int SlotsInUse(const gpu::SlotTable& table) {
  const int count = table.gpuCount.Load();
  return count < 0 ? 0 : (count > gpu::kMaxGpus ? gpu::kMaxGpus : count);
}

GpuReadings ReadingsOf(const gpu::GpuSlot& slot) {
  GpuReadings r;
  r.name = NarrowName(slot.gpuName.Load(), gpu::kNameBufferLength);
  r.graphicsKHz = slot.clockCurrent[gpu::kGraphics].Load();
  r.memoryKHz = slot.clockCurrent[gpu::kMemory].Load();
  r.gpuLoad = slot.gpuLoad.Load();
  r.memUsedKiB = slot.memUsedKiB.Load();
  r.videoEngineLoad = slot.videoEngineLoad.Load();
  r.temperature = slot.temperature.Load();
  r.hasPower = slot.hasPower.Load() != 0;
  r.powerDraw = slot.powerDraw.Load();
  r.pstate = slot.pstate.Load();
  r.memCtrlLoad = slot.memCtrlLoad.Load();
  r.busLoad = slot.busLoad.Load();
  r.hasFanCoolerStatus = slot.hasFanCoolerStatus.Load() != 0;
  r.fanCoolerCount = slot.fanCoolerCount.Load();
  for (std::size_t i = 0; i < 2; ++i) {
    r.fanLevelPair[i] = slot.fanLevelPair[i].Load();
    r.fanRpmPair[i] = slot.fanRpmPair[i].Load();
  }
  r.hasFanLevel = slot.hasFanLevel.Load() != 0;
  r.fanLevel = slot.fanLevel.Load();
  r.hasFanRpm = slot.hasFanRpm.Load() != 0;
  r.fanRpm = slot.fanRpm.Load();
  return r;
}

// The logged GPUs in index order.
template <typename Visit>
void ForEachLoggedGpu(const LogReadings& readings, Visit visit) {
  for (int i = 0; i < readings.count; ++i) visit(readings.gpus[static_cast<std::size_t>(i)]);
}

bool IsFanItem(LogItem item) {
  return item == kFanLevel || item == kFanRpm;
}

// Columns of one GPU's group: the time stamp and one per item, two per fan item of a GPU with
// two fans.
int GroupWidth(const GpuReadings& gpu, const LogSelection& selection) {
  const int fanWidth = FanClassOf(gpu) == FanClass::kTwoFans ? 2 : 1;
  int width = 1;
  for (const LogItem item : kOutputOrder) {
    if (selection.Has(item)) width += IsFanItem(item) ? fanWidth : 1;
  }
  return width;
}

const char* ColumnName(LogItem item) {
  switch (item) {
    case kGraphicsClock:
      return ",Graphics Clock";
    case kMemoryClock:
      return ",Memory Clock";
    case kGpuLoad:
      return ",GPU Load";
    case kMemoryUsage:
      return ",Memory Usage";
    case kVideoEngineLoad:
      return ",Video Engine Load";
    case kTemperature:
      return ",Temperature";
    case kPowerDraw:
      return ",Power Draw";
    case kPState:
      return ",P-State";
    case kMemoryControllerLoad:
      return ",Memory Controller Load";
    case kBusInterfaceLoad:
      return ",Bus Interface Load";
    case kFanLevel:
      return ",FAN Level";
    case kFanRpm:
      return ",FAN rpm";
  }
  return "";
}

std::string ColumnNames(const GpuReadings& gpu, const LogSelection& selection) {
  const bool twoFans = FanClassOf(gpu) == FanClass::kTwoFans;
  std::string names;
  for (const LogItem item : kOutputOrder) {
    if (!selection.Has(item)) continue;
    if (twoFans && item == kFanLevel) {
      names += ",FAN1 Level,FAN2 Level";
    } else if (twoFans && item == kFanRpm) {
      names += ",FAN1 rpm,FAN2 rpm";
    } else {
      names += ColumnName(item);
    }
  }
  return names + ",";
}

// One GPU's fan level or speed for this pass: the values to write, none when unsupported.
struct FanValues {
  int count = 0;
  int values[2] = {};
};

FanValues FanValuesOf(const GpuReadings& gpu, LogItem item) {
  const bool level = item == kFanLevel;
  const std::uint32_t* pair = level ? gpu.fanLevelPair : gpu.fanRpmPair;
  switch (FanClassOf(gpu)) {
    case FanClass::kTwoFans:
      return {2, {Signed(pair[0]), Signed(pair[1])}};
    case FanClass::kOneFan:
      return {1, {Signed(pair[0]), 0}};
    case FanClass::kSingleValues:
      break;
  }
  const bool supported = level ? gpu.hasFanLevel : gpu.hasFanRpm;
  if (!supported) return {};
  return {1, {Signed(level ? gpu.fanLevel : gpu.fanRpm), 0}};
}

std::string FanFields(const GpuReadings& gpu, LogItem item) {
  const FanValues fan = FanValuesOf(gpu, item);
  if (fan.count == 0) return ",";
  std::string fields;
  for (int i = 0; i < fan.count; ++i) fields += Format("%d,", fan.values[i]);
  return fields;
}

// One of the ten single-value items: its value as both the CSV field and the console line
// write it, or nothing when it is not supported (power only), and the console line's label,
// padded to the value column, and unit.
struct ItemValue {
  std::optional<std::string> text;
  const char* label;
  const char* unit;
};

ItemValue ValueOf(const GpuReadings& gpu, LogItem item) {
  const auto number = [](int value) { return std::optional(Format("%d", value)); };
  switch (item) {
    case kGraphicsClock:
      return {number(Mhz(gpu.graphicsKHz)), "Graphics Clock      ", " MHz"};
    case kMemoryClock:
      return {number(Mhz(gpu.memoryKHz)), "Memory Clock        ", " MHz"};
    case kGpuLoad:
      return {number(Signed(gpu.gpuLoad)), "GPU Load            ", " %"};
    case kMemoryUsage:
      return {display::MbText(gpu.memUsedKiB), "Memory Usage        ", " MB"};
    case kVideoEngineLoad:
      return {number(Signed(gpu.videoEngineLoad)), "Video Engine Load   ", " %"};
    case kTemperature:
      return {number(gpu.temperature), "Temperature         ", ""};
    case kPowerDraw:
      if (!gpu.hasPower) return {std::nullopt, "Power(Draw)         ", ""};
      return {Format("%.3f", Watts(gpu.powerDraw)), "Power(Draw)         ", " W"};
    case kPState:
      return {number(Signed(gpu.pstate)), "P-State             ", ""};
    case kMemoryControllerLoad:
      return {number(Signed(gpu.memCtrlLoad)), "Memory Controller Load   ", " %"};
    case kBusInterfaceLoad:
      return {number(Signed(gpu.busLoad)), "Bus Interface Load  ", " %"};
    case kFanLevel:
    case kFanRpm:
      break;
  }
  return {std::nullopt, "", ""};
}

std::string Field(const GpuReadings& gpu, LogItem item) {
  if (IsFanItem(item)) return FanFields(gpu, item);
  return ValueOf(gpu, item).text.value_or("") + ",";
}

std::string FanConsoleLines(const GpuReadings& gpu, LogItem item) {
  const FanValues fan = FanValuesOf(gpu, item);
  const bool level = item == kFanLevel;
  if (fan.count == 2) {
    return level ? Format("\tFAN1 Level           %d %%\n\tFAN2 Level           %d %%\n",
                          fan.values[0], fan.values[1])
                 : Format("\tFAN1 rpm            %d rpm\n\tFAN2 rpm            %d rpm\n",
                          fan.values[0], fan.values[1]);
  }
  if (fan.count == 0) {
    return level ? "\tFAN Level           No Support\n" : "\tFAN rpm             No Support\n";
  }
  if (level) return Format("\tFAN Level           %d %%\n", fan.values[0]);
  // The per-fan speed line stands one column further left than the single-value one.
  return FanClassOf(gpu) == FanClass::kOneFan
             ? Format("\tFAN rpm            %d rpm\n", fan.values[0])
             : Format("\tFAN rpm             %d rpm\n", fan.values[0]);
}

std::string ConsoleLines(const GpuReadings& gpu, LogItem item) {
  if (IsFanItem(item)) return FanConsoleLines(gpu, item);
  const ItemValue value = ValueOf(gpu, item);
  return std::string("\t") + value.label +
         (value.text ? *value.text + value.unit : std::string("No Support")) + "\n";
}

std::string TimeStamp(const LogTime& t) {
  return Format("%d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace

LogReadings TakeLogReadings(const gpu::SlotTable& table, const LogSelection& selection) {
  LogReadings readings;
  for (int slot = 0; slot < SlotsInUse(table); ++slot) {
    if (!selection.gpus[static_cast<std::size_t>(slot)]) continue;
    readings.gpus[static_cast<std::size_t>(readings.count++)] =
        ReadingsOf(table.slots[static_cast<std::size_t>(slot)]);
  }
  return readings;
}

FanClass FanClassOf(const GpuReadings& gpu) {
  if (!gpu.hasFanCoolerStatus) return FanClass::kSingleValues;
  return gpu.fanCoolerCount > 1 ? FanClass::kTwoFans : FanClass::kOneFan;
}

std::string BuildLogHeader(const LogReadings& readings, const LogSelection& selection) {
  std::string names;
  std::string columns;
  int previousWidth = 0;
  ForEachLoggedGpu(readings, [&](const GpuReadings& gpu) {
    names.append(static_cast<std::size_t>(previousWidth), ',');
    names += gpu.name;
    previousWidth = GroupWidth(gpu, selection);
    columns += ColumnNames(gpu, selection);
  });
  names += kLineEnd;
  columns += kLineEnd;
  return names + columns;
}

std::string BuildLogRow(const LogReadings& readings, const LogSelection& selection,
                        const LogTime& time) {
  const std::string stamp = TimeStamp(time) + ",";
  std::string row;
  ForEachLoggedGpu(readings, [&](const GpuReadings& gpu) {
    row += stamp;
    for (const LogItem item : kOutputOrder) {
      if (selection.Has(item)) row += Field(gpu, item);
    }
  });
  row += kLineEnd;
  return row;
}

void WriteConsoleTimeLine(ConsoleSink& sink, const LogTime& time) {
  sink.Write(TimeStamp(time) + " ==============================\n");
}

void WriteConsoleGpus(ConsoleSink& sink, const LogReadings& readings,
                      const LogSelection& selection) {
  ForEachLoggedGpu(readings, [&](const GpuReadings& gpu) {
    sink.SetAttribute(kNameAttribute);
    sink.Write(gpu.name + ":\n");
    for (const LogItem item : kOutputOrder) {
      if (!selection.Has(item)) continue;
      sink.SetAttribute(kValueAttribute);
      sink.Write(ConsoleLines(gpu, item));
      sink.SetAttribute(kPlainAttribute);
    }
  });
}

void WriteConsoleEndLine(ConsoleSink& sink) {
  sink.Write("==================================================\n");
}

}  // namespace logging
