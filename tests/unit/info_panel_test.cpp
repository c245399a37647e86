#include "display/info_panel.h"
#include "support/recording_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr display::Area kPanel{22, 358, 760, 110};

// The panel's texts as "x,y:text" relative to the panel ("w:" marks wide text, "@" stands for
// U+2103), in drawing order.
std::vector<std::string> PanelTexts(const gpu::GpuSlot& slot) {
  display::Canvas backBuffer(900, 500);
  display::RecordingTextRenderer text;
  display::PaintInfoPanel(backBuffer, kPanel, slot, text);
  std::vector<std::string> lines;
  for (const display::TextRun& run : text.runs) {
    EXPECT_EQ(run.colour, display::kBlack);
    EXPECT_EQ(run.font, display::Font::kUi);
    EXPECT_EQ((std::array{run.clip.x, run.clip.y, run.clip.width, run.clip.height}),
              (std::array{22, 358, 760, 110}));
    std::string ascii;
    for (wchar_t c : run.text) ascii += c == L'\u2103' ? '@' : static_cast<char>(c);
    lines.push_back(std::to_string(run.x - kPanel.x) + "," + std::to_string(run.y - kPanel.y) +
                    (run.wide ? ":w:" : ":") + ascii);
  }
  return lines;
}

// Each of `expected` is among the panel's texts for `slot`.
void ExpectShown(const gpu::GpuSlot& slot, std::initializer_list<const char*> expected) {
  const std::vector<std::string> lines = PanelTexts(slot);
  for (const char* line : expected) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

TEST(InfoPanel, GpuThatReportsNothingShowsEveryLabelWithNoSupport) {
  display::Canvas backBuffer(900, 500);
  backBuffer.Fill({0, 0, 900, 500}, display::kBlack);
  display::RecordingTextRenderer text;
  display::PaintInfoPanel(backBuffer, kPanel, gpu::GpuSlot{}, text);
  EXPECT_EQ(backBuffer.At(22, 358), display::kWhite);
  EXPECT_EQ(backBuffer.At(781, 467), display::kWhite);
  EXPECT_EQ(backBuffer.At(21, 358), display::kBlack);
  EXPECT_EQ(backBuffer.At(782, 468), display::kBlack);
  const char* left[] = {
      "GPU Graphics Clock: ", "Min / Average / Max: ", "GPU Memory Clock: ", "GPU Video Clock: ",
      "GPU Load: ",           "Memory Usage: ",        "Power Draw: ",       "Temperature: "};
  const char* right[] = {"Driver Model: ",      "Memory Controller Load: ",
                         "Video Engine Load: ", "Bus Interface Load: ",
                         "Fan level: ",         "Fan rpm: ",
                         "P-State: ",           "GPU Core Voltage: "};
  std::vector<std::string> expected;
  for (int i = 0; i < 16; ++i) {  // the left column's eight rows, then the right column's
    const std::string y = std::to_string(i % 8 * 12);
    expected.push_back((i < 8 ? "10," : "330,") + y + ":" + (i < 8 ? left[i] : right[i - 8]));
    // Wide for the ℃ of the temperature.
    expected.push_back((i < 8 ? "150," : "490,") + y + (i == 7 ? ":w:" : ":") + "No Support");
  }
  EXPECT_EQ(PanelTexts(gpu::GpuSlot{}), expected);
}

TEST(InfoPanel, ValuesOfAGpuThatReportsEverything) {
  gpu::GpuSlot slot;
  for (gpu::Flag* flag : {&slot.hasGpuClock, &slot.hasMemClock, &slot.hasVideoClock,
                          &slot.hasGpuLoad, &slot.hasMemUsed, &slot.hasPower, &slot.hasTemperature,
                          &slot.hasDriverModel, &slot.hasMemCtrlLoad, &slot.hasVideoEngineLoad,
                          &slot.hasBusLoad, &slot.hasPstate, &slot.hasVoltage}) {
    flag->Store(1);
  }
  slot.clockCurrent[gpu::kGraphics].Store(1350000);
  slot.clockBase[gpu::kGraphics].Store(1234567);
  slot.graphicsClockCeilingKHz.Store(1900000);
  slot.clockCurrent[gpu::kMemory].Store(7000000);
  slot.clockCurrent[gpu::kVideo].Store(1100500);
  slot.gpuClockAvg.Store(1250999);
  slot.gpuClockMax.Store(1350000);
  slot.gpuLoad.Store(45);
  slot.memUsedKiB.Store(1536);
  slot.memTotalKiB.Store(1048576);
  slot.powerDraw.Store(50);
  slot.temperature.Store(45);
  slot.driverModel.Store(2);
  slot.memCtrlLoad.Store(7);
  slot.busLoad.Store(100);
  slot.coreVoltage.Store(875000);
  ExpectShown(slot, {"150,0:1350.00 MHz",  "220,0:/",           "230,0:1234.56 MHz",
                     "150,12:1000.00",     "195,12:/",          "205,12:1250.99",
                     "250,12:/",           "260,12:1350.00",    "150,24:7000.00 MHz",
                     "150,36:1100.50 MHz", "150,48:45 %",       "150,60:1.50 MB",
                     "220,60:/",           "230,60:1024.00 MB", "150,72:0.05 W",
                     "220,72:/",           "230,72:--- W",      "150,84:w:45 @",
                     "490,12:7 %",         "490,24:0 %",        "490,36:100 %",
                     "490,72:P0",          "490,84:0.87 V"});
  EXPECT_EQ(PanelTexts(slot).size(), 41u);  // 16 labels and 25 values: driver model 2 has none

  slot.fixedClockBoard.Store(1);  // the top is then the ceiling
  slot.powerLimitUnknown.Store(0);
  slot.powerLimit.Store(100000);
  slot.driverModel.Store(1);
  slot.temperature.Store(-5);
  ExpectShown(slot, {"230,0:1900.00 MHz", "230,72:100.00 W", "490,0:WDM(TCC)", "150,84:w:-5 @"});
  slot.clockBase[gpu::kGraphics].Store(0);  // no base clock: no top, whatever the ceiling
  slot.driverModel.Store(0);
  ExpectShown(slot, {"230,0:---", "490,0:WDDM"});
}

TEST(InfoPanel, FanRules) {
  gpu::GpuSlot slot;
  slot.fanLevelPair[0].Store(45);
  slot.fanLevelPair[1].Store(50);
  slot.fanRpmPair[0].Store(1500);
  slot.fanRpmPair[1].Store(1600);
  slot.fanLevel.Store(40);
  slot.fanRpm.Store(1400);
  slot.hasFanLevel.Store(1);  // the cooler status goes first
  slot.hasFanCoolerStatus.Store(1);
  slot.fanCoolerCount.Store(2);
  ExpectShown(slot, {"490,48:45 %(fan1), 50 %(fan2)", "490,60:1500 rpm(fan1), 1600 rpm(fan2)"});
  for (std::uint32_t count : {1u, 0u}) {
    SCOPED_TRACE(count);
    slot.fanCoolerCount.Store(count);
    ExpectShown(slot, {"490,48:45 %", "490,60:1500 rpm"});
  }
  slot.hasFanCoolerStatus.Store(0);  // single-fan readings, each behind its own flag
  ExpectShown(slot, {"490,48:40 %", "490,60:No Support"});
  slot.hasFanLevel.Store(0);
  slot.hasFanRpm.Store(1);
  ExpectShown(slot, {"490,48:No Support", "490,60:1400 rpm"});
}

}  // namespace
