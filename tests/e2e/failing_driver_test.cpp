// A driver that fails or drags: one of three GPUs falls off the bus and comes back while a CSV
// log runs, and eight GPUs behind a driver whose every call is slow.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr std::size_t kColumnsPerGpu = 13;  // time stamp, ten items, one fan's level and rpm
constexpr std::size_t kGraphicsClock = 1;   // the column of the graphics clock in a group
constexpr DWORD kSlowStartMs = 60000;
constexpr DWORD kSlowCycleMs = 90000;

// The graphics clock of every GPU in every row.
std::vector<std::vector<std::string>> GraphicsClocks(const std::vector<std::string>& rows) {
  std::vector<std::vector<std::string>> clocks(3);
  for (const std::string& row : rows) {
    std::vector<std::string> fields;
    std::stringstream stream(row);
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    EXPECT_GE(fields.size(), 3 * kColumnsPerGpu - 1) << row;
    for (std::size_t gpu = 0; gpu < 3; ++gpu) {
      const std::size_t column = gpu * kColumnsPerGpu + kGraphicsClock;
      clocks[gpu].push_back(column < fields.size() ? fields[column] : "");
    }
  }
  return clocks;
}

// The longest run of rows in which the value stayed the same.
std::size_t LongestStandstill(const std::vector<std::string>& values) {
  std::size_t longest = 0, run = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    run = i > 0 && values[i] == values[i - 1] ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  return longest;
}

class FailingDriver : public AppTest {};

TEST_F(FailingDriver, ALostGpuKeepsItsLastReadingsWhileTheOthersGoOnAndReadsAgainWhenBack) {
  const std::wstring path = folder.File(L"lost.csv");
  ASSERT_TRUE(Start("e2e-lost-gpu.txt"));
  ASSERT_TRUE(StartLog(*app, main, path));
  // Beta is back in its twelfth cycle; rows until a few seconds after that.
  ASSERT_TRUE(WaitUntil([&] { return app->SecondsSinceStart() > 20; }, 30000));
  EXPECT_TRUE(app->Running());
  EXPECT_TRUE(Responds(main));

  const LogLines log = ReadLog(path);
  ASSERT_TRUE(log.wellFormed);
  ASSERT_GE(log.lines.size(), 12u);
  const std::vector<std::string> rows(log.lines.begin() + 2, log.lines.end());
  const auto clocks = GraphicsClocks(rows);
  for (std::size_t gpu = 0; gpu < 3; ++gpu) {
    SCOPED_TRACE("GPU " + std::to_string(gpu + 1));
    for (const std::string& value : clocks[gpu]) EXPECT_FALSE(value.empty()) << "a row lacks it";
    // Every GPU's clock rises in the end: Beta's again after it came back.
    EXPECT_LT(std::stoi(clocks[gpu].front()), std::stoi(clocks[gpu].back()));
  }
  // While lost, Beta's clock keeps its last value for several rows; the others never stand
  // still that long (two rows may fall into one cycle).
  EXPECT_GE(LongestStandstill(clocks[1]), 4u);
  EXPECT_LE(LongestStandstill(clocks[0]), 2u);
  EXPECT_LE(LongestStandstill(clocks[2]), 2u);
  ExpectCloseEndsWithCodeZero(*app, main);
}

TEST_F(FailingDriver, EightGpusBehindASlowDriverKeepAResponsiveWindow) {
  // Start-up asks the driver on the window's own thread, some 200 calls of 100 ms each.
  ASSERT_TRUE(Start("e2e-slow-eight-gpus.txt", kSlowStartMs));
  // A thread that took so long without its messages counts as hung until it reads them again.
  ASSERT_TRUE(WaitUntil([&] { return Responds(main); }, 5000));
  HWND tabs = TabControl(main);
  const std::vector<std::string> startLabels = TabLabels(app->Handle(), tabs);
  ASSERT_EQ(startLabels.size(), 8u);
  for (int tab : {2, 1, 0}) {  // tabs the strip shows without scrolling
    SCOPED_TRACE(testing::Message() << "tab " << tab);
    ASSERT_TRUE(ClickTab(app->Handle(), tabs, tab));
    const std::wstring expected(startLabels[static_cast<std::size_t>(tab)].begin(),
                                startLabels[static_cast<std::size_t>(tab)].end());
    // The label ends in the GPU's position in brackets; the line is the name alone.
    const std::wstring name = expected.substr(0, expected.rfind(L'('));
    ExpectInfoLine(main, name, 1000);
    EXPECT_TRUE(Responds(main));
  }
  // A cycle of eight slow GPUs takes many seconds, but it comes and reads the boxes as ever:
  // detail mode adds the counts of the GPU shown.
  const std::wstring line = WindowText(InfoBox(main));
  SetMainBox(main, kDetailBoxCaption, true);
  ExpectInfoLine(main, line + L" (CUDA Core: 2304 / RT Core: 36 / Tensore Core: 288)",
                 kSlowCycleMs);
  ExpectCloseEndsWithCodeZero(*app, main);
}

}  // namespace
}  // namespace e2e
