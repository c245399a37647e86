#include "logging/log_format.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/log_table.h"

namespace {

using namespace logging;
using namespace testing_support;

struct LogFormat : ::testing::Test {
  gpu::SlotTable table;
};

TEST_F(LogFormat, ExampleHeaderAndRowByteForByte) {
  FillExampleGpus(table);
  EXPECT_EQ(Header(table, ExampleSelection()),
            "GPU-A,,,,,,,GPU-B\r\n"
            ",Graphics Clock,Memory Usage,Temperature,Power Draw,FAN Level,FAN rpm,"
            ",Graphics Clock,Memory Usage,Temperature,Power Draw,FAN1 Level,FAN2 Level,FAN1 rpm,"
            "FAN2 rpm,\r\n");
  EXPECT_EQ(Row(table, ExampleSelection()),
            "2024/05/17 09:03:07,1830,2048.50,65,215.300,45,1500,"
            "2024/05/17 09:03:07,1755,1024.00,71,,40,42,1400,1450,\r\n");
}

TEST_F(LogFormat, ExampleConsoleBlockWithAttributes) {
  FillExampleGpus(table);
  RecordingConsole console;
  WriteConsoleTimeLine(console, kExampleTime);
  ConsoleGpus(console, table, ExampleSelection());
  WriteConsoleEndLine(console);
  const std::vector<std::pair<int, std::string>> expected = {
      {-1, "2024/05/17 09:03:07 ==============================\n"},
      {11, "GPU-A:\n"},
      {5, "\tGraphics Clock      1830 MHz\n"},
      {5, "\tMemory Usage        2048.50 MB\n"},
      {5, "\tTemperature         65\n"},
      {5, "\tPower(Draw)         215.300 W\n"},
      {5, "\tFAN Level           45 %\n"},
      {5, "\tFAN rpm            1500 rpm\n"},
      {11, "GPU-B:\n"},
      {5, "\tGraphics Clock      1755 MHz\n"},
      {5, "\tMemory Usage        1024.00 MB\n"},
      {5, "\tTemperature         71\n"},
      {5, "\tPower(Draw)         No Support\n"},
      {5, "\tFAN1 Level           40 %\n\tFAN2 Level           42 %\n"},
      {5, "\tFAN1 rpm            1400 rpm\n\tFAN2 rpm            1450 rpm\n"},
      {7, "==================================================\n"},
  };
  EXPECT_EQ(console.writes, expected);
  EXPECT_EQ(console.attribute, kPlainAttribute) << "the block leaves the console grey";
}

TEST_F(LogFormat, AllTwelveItemsForOneGpu) {
  table.gpuCount.Store(1);
  gpu::GpuSlot& slot = table.slots[0];
  slot.gpuName.Store(L"Solo");
  slot.clockCurrent[gpu::kGraphics].Store(999999);  // truncated, never rounded up
  slot.clockCurrent[gpu::kMemory].Store(7001000);
  slot.gpuLoad.Store(97);
  slot.memUsedKiB.Store(512);
  slot.videoEngineLoad.Store(3);
  slot.temperature.Store(-5);
  slot.hasPower.Store(1);
  slot.powerDraw.Store(1);
  slot.pstate.Store(8);
  slot.memCtrlLoad.Store(44);
  slot.busLoad.Store(2);
  SetFans(slot, 1, 30, 0, 900, 0);
  LogSelection all = Select({});
  all.items.fill(true);
  EXPECT_EQ(Header(table, all),
            "Solo\r\n,Graphics Clock,Memory Clock,GPU Load,Memory Usage,Video Engine Load,"
            "Temperature,Power Draw,P-State,Memory Controller Load,Bus Interface Load,FAN Level,"
            "FAN rpm,\r\n");
  EXPECT_EQ(Row(table, all, {2025, 12, 31, 23, 59, 58}),
            "2025/12/31 23:59:58,999,7001,97,0.50,3,-5,0.001,8,44,2,30,900,\r\n");
  EXPECT_EQ(ConsoleText(table, all),
            "Solo:\n"
            "\tGraphics Clock      999 MHz\n"
            "\tMemory Clock        7001 MHz\n"
            "\tGPU Load            97 %\n"
            "\tMemory Usage        0.50 MB\n"
            "\tVideo Engine Load   3 %\n"
            "\tTemperature         -5\n"
            "\tPower(Draw)         0.001 W\n"
            "\tP-State             8\n"
            "\tMemory Controller Load   44 %\n"
            "\tBus Interface Load  2 %\n"
            "\tFAN Level           30 %\n"
            "\tFAN rpm            900 rpm\n");
}

TEST_F(LogFormat, FanColumnsFollowTheFanClass) {
  table.gpuCount.Store(3);
  table.slots[0].gpuName.Store(L"One");
  SetFans(table.slots[0], 1, 10, 11, 1000, 1100);
  table.slots[1].gpuName.Store(L"Two");
  SetFans(table.slots[1], 2, 20, 21, 2000, 2100);
  table.slots[2].gpuName.Store(L"None");  // neither per-fan data nor single values
  const LogSelection rpmOnly = Select({kFanRpm});
  EXPECT_EQ(Header(table, rpmOnly), "One,,Two,,,None\r\n,FAN rpm,,FAN1 rpm,FAN2 rpm,,FAN rpm,\r\n");
  EXPECT_EQ(Row(table, rpmOnly),
            "2024/05/17 09:03:07,1000,2024/05/17 09:03:07,2000,2100,2024/05/17 09:03:07,,\r\n");

  EXPECT_EQ(ConsoleText(table, Select({kFanLevel, kFanRpm})),
            "One:\n\tFAN Level           10 %\n\tFAN rpm            1000 rpm\n"
            "Two:\n\tFAN1 Level           20 %\n\tFAN2 Level           21 %\n"
            "\tFAN1 rpm            2000 rpm\n\tFAN2 rpm            2100 rpm\n"
            "None:\n\tFAN Level           No Support\n\tFAN rpm             No Support\n");
}

TEST_F(LogFormat, SingleFanValuesNeedTheirOwnFlags) {
  table.gpuCount.Store(1);
  gpu::GpuSlot& slot = table.slots[0];
  slot.fanLevel.Store(55);
  slot.fanRpm.Store(1234);
  slot.hasFanRpm.Store(1);  // the level was never read
  const LogSelection fans = Select({kFanLevel, kFanRpm});
  EXPECT_EQ(Row(table, fans), "2024/05/17 09:03:07,,1234,\r\n");
  EXPECT_EQ(ConsoleText(table, fans),
            "- empty -:\n\tFAN Level           No Support\n\tFAN rpm             1234 rpm\n");
}

TEST_F(LogFormat, MemoryTextsAreTruncatedHundredths) {
  table.gpuCount.Store(1);
  const LogSelection memory = Select({kMemoryUsage});
  // 10 KiB are 9.77 thousandths of a MiB: rounded at any step, they would read 0.01.
  const std::pair<unsigned, const char*> cases[] = {
      {0, "0.00"},    {50, "0.04"}, {512, "0.50"},        {1023, "0.99"},
      {1536, "1.50"}, {10, "0.00"}, {2097664, "2048.50"}, {8388608, "8192.00"}};
  for (const auto& [kiB, text] : cases) {
    table.slots[0].memUsedKiB.Store(kiB);
    EXPECT_EQ(Row(table, memory), std::string("2024/05/17 09:03:07,") + text + ",\r\n")
        << kiB << " KiB";
  }
}

TEST_F(LogFormat, DisabledGpuIsSkippedInBothHeaderLinesAndRows) {
  FillExampleGpus(table);
  table.gpuCount.Store(3);
  table.slots[2].gpuName.Store(L"GPU-C");
  LogSelection selection = Select({kTemperature, kFanLevel}, 3);
  selection.gpus[0] = false;
  // GPU-B (two fans) is the first written GPU: GPU-C follows its group of 1 + 1 + 2 columns.
  EXPECT_EQ(Header(table, selection),
            "GPU-B,,,,GPU-C\r\n,Temperature,FAN1 Level,FAN2 Level,,Temperature,FAN Level,\r\n");
  EXPECT_EQ(Row(table, selection), "2024/05/17 09:03:07,71,40,42,2024/05/17 09:03:07,0,,\r\n");
}

TEST_F(LogFormat, NoGpuBeyondTheCountIsWritten) {
  FillExampleGpus(table);
  table.gpuCount.Store(1);
  EXPECT_EQ(Header(table, Select({kTemperature})), "GPU-A\r\n,Temperature,\r\n");
  table.gpuCount.Store(99);  // never trusted beyond the table
  const std::string header = Header(table, Select({kTemperature}));
  EXPECT_EQ(std::count(header.begin(), header.end(), 'T'), 8);
}

}  // namespace
