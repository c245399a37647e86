#include "display/info_panel.h"

#include <string>
#include <string_view>

#include "display/number_text.h"

namespace display {

namespace {

constexpr int kLeftLabelX = 10;
constexpr int kLeftValueX = 150;
constexpr int kRightLabelX = 330;
constexpr int kRightValueX = 490;
constexpr int kRowStep = 12;
constexpr int kSlashX = 220;     // "/" between a value and its top
constexpr int kTopX = 230;       // the top after that "/"
constexpr int kMinSlashX = 195;  // the Min / Average / Max row's own places
constexpr int kAverageX = 205;
constexpr int kAverageSlashX = 250;
constexpr int kMaxX = 260;
constexpr const char* kNoSupport = "No Support";

bool Has(const gpu::Flag& flag) {
  return flag.Load() != 0;
}

// Writes texts at places relative to the panel's origin, clipped to the panel.
class PanelWriter {
 public:
  PanelWriter(Canvas& canvas, const Area& panel, TextRenderer& text)
      : canvas_(canvas), panel_(panel), text_(text) {}
  void Put(int x, int row, std::string_view value) {
    text_.Draw(canvas_, panel_, panel_.x + x, panel_.y + row * kRowStep, kBlack, Font::kUi, value);
  }
  void PutWide(int x, int row, std::wstring_view value) {
    text_.DrawWide(canvas_, panel_, panel_.x + x, panel_.y + row * kRowStep, kBlack, Font::kUi,
                   value);
  }

 private:
  Canvas& canvas_;
  const Area& panel_;
  TextRenderer& text_;
};

// "value / top", as the clock and power rows show them.
void PutPair(PanelWriter& out, int row, const std::string& value, const std::string& top) {
  out.Put(kLeftValueX, row, value);
  out.Put(kSlashX, row, "/");
  out.Put(kTopX, row, top);
}

std::string GraphicsClockTop(const gpu::GpuSlot& slot) {
  const std::uint32_t base = slot.clockBase[gpu::kGraphics].Load();
  if (base == 0) return "---";
  const bool fixed = Has(slot.fixedClockBoard);
  return MhzText(fixed ? slot.graphicsClockCeilingKHz.Load() : base) + " MHz";
}

void PutGraphicsClock(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  PutPair(out, row, MhzText(slot.clockCurrent[gpu::kGraphics].Load()) + " MHz",
          GraphicsClockTop(slot));
}

void PutClockStatistics(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  out.Put(kLeftValueX, row, MhzText(slot.gpuClockMin.Load()));
  out.Put(kMinSlashX, row, "/");
  out.Put(kAverageX, row, MhzText(slot.gpuClockAvg.Load()));
  out.Put(kAverageSlashX, row, "/");
  out.Put(kMaxX, row, MhzText(slot.gpuClockMax.Load()));
}

void PutMemoryUsage(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  PutPair(out, row, MbText(slot.memUsedKiB.Load()) + " MB",
          MbText(slot.memTotalKiB.Load()) + " MB");
}

void PutPower(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  const std::string limit =
      slot.powerLimitUnknown.Load() != 0 ? "---" : WattText(slot.powerLimit.Load());
  PutPair(out, row, WattText(slot.powerDraw.Load()) + " W", limit + " W");
}

void PutMemoryClock(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  out.Put(kLeftValueX, row, MhzText(slot.clockCurrent[gpu::kMemory].Load()) + " MHz");
}

void PutVideoClock(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  out.Put(kLeftValueX, row, MhzText(slot.clockCurrent[gpu::kVideo].Load()) + " MHz");
}

void PutLoad(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  out.Put(kLeftValueX, row, DecimalDigits(slot.gpuLoad.Load()) + " %");
}

using PutValue = void (*)(PanelWriter&, int, const gpu::GpuSlot&);

// One row of the left column: its label, then its value, or "No Support" without the flag.
void LeftRow(PanelWriter& out, int row, const char* label, const gpu::Flag& flag,
             const gpu::GpuSlot& slot, PutValue putValue) {
  out.Put(kLeftLabelX, row, label);
  if (Has(flag)) {
    putValue(out, row, slot);
  } else {
    out.Put(kLeftValueX, row, kNoSupport);
  }
}

// The temperature's value, its "No Support" included, is wide text.
void TemperatureRow(PanelWriter& out, int row, const gpu::GpuSlot& slot) {
  out.Put(kLeftLabelX, row, "Temperature: ");
  out.PutWide(kLeftValueX, row,
              Has(slot.hasTemperature) ? CelsiusText(slot.temperature.Load()) : L"No Support");
}

void PaintLeftColumn(PanelWriter& out, const gpu::GpuSlot& s) {
  LeftRow(out, 0, "GPU Graphics Clock: ", s.hasGpuClock, s, PutGraphicsClock);
  LeftRow(out, 1, "Min / Average / Max: ", s.hasGpuClock, s, PutClockStatistics);
  LeftRow(out, 2, "GPU Memory Clock: ", s.hasMemClock, s, PutMemoryClock);
  LeftRow(out, 3, "GPU Video Clock: ", s.hasVideoClock, s, PutVideoClock);
  LeftRow(out, 4, "GPU Load: ", s.hasGpuLoad, s, PutLoad);
  LeftRow(out, 5, "Memory Usage: ", s.hasMemUsed, s, PutMemoryUsage);
  LeftRow(out, 6, "Power Draw: ", s.hasPower, s, PutPower);
  TemperatureRow(out, 7, s);
}

std::string DriverModelText(std::uint32_t model) {
  if (model == 0) return "WDDM";
  if (model == 1) return "WDM(TCC)";
  return {};
}

// Level and rpm of one or two fans: "45 %(fan1), 50 %(fan2)".
std::string FanPairText(const std::array<gpu::U32, 2>& pair, const char* unit, bool two) {
  std::string text = DecimalDigits(pair[0].Load()) + unit;
  if (two) {
    text.append("(fan1), ").append(DecimalDigits(pair[1].Load())).append(unit).append("(fan2)");
  }
  return text;
}

std::string FanText(const gpu::GpuSlot& slot, bool levelRow) {
  const char* unit = levelRow ? " %" : " rpm";
  if (Has(slot.hasFanCoolerStatus)) {
    const bool two = slot.fanCoolerCount.Load() > 1;
    return FanPairText(levelRow ? slot.fanLevelPair : slot.fanRpmPair, unit, two);
  }
  if (levelRow && Has(slot.hasFanLevel)) return DecimalDigits(slot.fanLevel.Load()) + unit;
  if (!levelRow && Has(slot.hasFanRpm)) return DecimalDigits(slot.fanRpm.Load()) + unit;
  return kNoSupport;
}

// One row of the right column: label, then the value, or "No Support" without the flag.
void RightRow(PanelWriter& out, int row, const char* label, bool supported,
              const std::string& value) {
  out.Put(kRightLabelX, row, label);
  const std::string& shown = supported ? value : std::string(kNoSupport);
  if (!shown.empty()) out.Put(kRightValueX, row, shown);
}

void PaintRightColumn(PanelWriter& out, const gpu::GpuSlot& slot) {
  const auto percent = [](const gpu::U32& load) { return DecimalDigits(load.Load()) + " %"; };
  RightRow(out, 0, "Driver Model: ", Has(slot.hasDriverModel),
           DriverModelText(slot.driverModel.Load()));
  RightRow(out, 1, "Memory Controller Load: ", Has(slot.hasMemCtrlLoad), percent(slot.memCtrlLoad));
  RightRow(out, 2, "Video Engine Load: ", Has(slot.hasVideoEngineLoad),
           percent(slot.videoEngineLoad));
  RightRow(out, 3, "Bus Interface Load: ", Has(slot.hasBusLoad), percent(slot.busLoad));
  RightRow(out, 4, "Fan level: ", true, FanText(slot, true));
  RightRow(out, 5, "Fan rpm: ", true, FanText(slot, false));
  RightRow(out, 6, "P-State: ", Has(slot.hasPstate),
           std::string("P").append(DecimalDigits(slot.pstate.Load())));
  RightRow(out, 7, "GPU Core Voltage: ", Has(slot.hasVoltage),
           VoltText(slot.coreVoltage.Load()) + " V");
}

}  // namespace

void PaintInfoPanel(Canvas& backBuffer, const Area& panel, const gpu::GpuSlot& slot,
                    TextRenderer& text) {
  backBuffer.Fill(panel, kWhite);
  PanelWriter out(backBuffer, panel, text);
  PaintLeftColumn(out, slot);
  PaintRightColumn(out, slot);
}

}  // namespace display
