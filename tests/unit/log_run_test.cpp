#include "logging/log_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/log_table.h"

namespace {

using namespace logging;
using testing_support::RecordingConsole;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class TempFile {
 public:
  TempFile() {
    path_ = std::filesystem::temp_directory_path() /
            ("quorvane-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv");
    std::filesystem::remove(path_);
  }
  ~TempFile() { std::filesystem::remove(path_); }
  std::string Path() const { return path_.string(); }
  std::string Bytes() const { return ReadFile(path_); }

 private:
  std::filesystem::path path_;
};

// Passes the writes through to the real file; the chosen write stores only half its bytes and
// fails, or the close reports a failure.
class FaultyFile final : public RecordFile {
 public:
  bool Open(const char* path) override { return real_.Open(path); }
  bool Length(std::uint64_t& length) override { return real_.Length(length); }
  bool Write(std::string_view bytes) override {
    if (++writes != failingWrite) return real_.Write(bytes);
    real_.Write(bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool Close() override { return real_.Close() && writes != failingClose; }
  bool Truncate(const char* path, std::uint64_t length) override {
    return real_.Truncate(path, length);
  }
  int writes = 0;
  int failingWrite = -1;
  int failingClose = -1;

 private:
  StdioRecordFile real_;
};

TEST(RecordFile, AFailedWriteOrCloseLeavesTheFileAsItWas) {
  TempFile file;
  FaultyFile faulty;
  faulty.failingWrite = 2;
  faulty.failingClose = 3;
  EXPECT_EQ(AppendWhole(faulty, file.Path().c_str(), "first row\r\n"), AppendResult::kWritten);
  EXPECT_EQ(AppendWhole(faulty, file.Path().c_str(), "second row\r\n"), AppendResult::kRolledBack);
  EXPECT_EQ(file.Bytes(), "first row\r\n");
  EXPECT_EQ(AppendWhole(faulty, file.Path().c_str(), "third row\r\n"), AppendResult::kRolledBack);
  EXPECT_EQ(file.Bytes(), "first row\r\n");
  EXPECT_EQ(AppendWhole(faulty, file.Path().c_str(), "fourth row\r\n"), AppendResult::kWritten);
  EXPECT_EQ(file.Bytes(), "first row\r\nfourth row\r\n");
}

TEST(RecordFile, AnUnopenableFileIsReportedAndNotCreated) {
  StdioRecordFile real;
  const std::string path =
      (std::filesystem::temp_directory_path() / "no-such-folder-q" / "x.csv").string();
  EXPECT_EQ(AppendWhole(real, path.c_str(), "row\r\n"), AppendResult::kNotOpened);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A platform whose sleeps can stop the run or start a newer one, as the sampling thread would.
class ScriptedPlatform final : public LogPlatform {
 public:
  explicit ScriptedPlatform(gpu::SlotTable& table) : table_(table) {}
  bool OpenConsole() override {
    ++opened;
    return consoleWorks;
  }
  void CloseConsole() override { ++closed; }
  ConsoleSink& Console() override { return console; }
  RecordFile& File() override { return file; }
  LogTime Now() override {
    return {2026, 1, 2, 3, 4, sleeps.size() > 59 ? 59 : static_cast<int>(sleeps.size())};
  }
  void SleepMs(std::uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    if (static_cast<int>(sleeps.size()) == stopAtSleep) table_.csvActive.Store(0);
    if (static_cast<int>(sleeps.size()) == newRunAtSleep) {
      table_.csvRunNumber.Store(table_.csvRunNumber.Load() + 1);
    }
    if (static_cast<int>(sleeps.size()) == newIntervalAtSleep) {
      settings->intervalMs.Store(newInterval);
    }
    if (sleeps.size() > 100) table_.appRunning.Store(0);  // a broken loop still ends
  }

  bool consoleWorks = true;
  int opened = 0;
  int closed = 0;
  int stopAtSleep = -1;
  int newRunAtSleep = -1;
  LogSettings* settings = nullptr;
  int newIntervalAtSleep = -1;
  std::int32_t newInterval = 0;
  std::vector<std::uint32_t> sleeps;
  RecordingConsole console;
  FaultyFile file;

 private:
  gpu::SlotTable& table_;
};

struct RunFixture {
  RunFixture() {
    testing_support::FillExampleGpus(table);
    table.osSupported.Store(1);
    table.csvActive.Store(1);
    table.csvRunNumber.Store(4);
  }
  LogRun Run() { return MakeLogRun(table, settings, file.Path().c_str()); }
  int Rows() const {
    const std::string bytes = file.Bytes();
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) - 2;
  }
  gpu::SlotTable table;
  LogSettings settings;
  TempFile file;
  ScriptedPlatform platform{table};
};

TEST(LogRun, HeaderOncePassAtOnceThenOnePerIntervalUntilOneMoreAfterTheStop) {
  RunFixture f;
  f.settings.intervalMs.Store(5000);
  f.platform.stopAtSleep = 3;
  const LogRun run = f.Run();
  EXPECT_EQ(run.number, 4);
  EXPECT_EQ(RunLogging(f.platform, f.table, f.settings, run), 0);
  // The stop came during the third wait: the pass at its end still ran.
  EXPECT_EQ(f.platform.sleeps, (std::vector<std::uint32_t>{5000, 5000, 5000}));
  EXPECT_EQ(f.Rows(), 4);
  EXPECT_EQ(f.file.Bytes().rfind(BuildLogHeader(f.table, run.selection), 0), 0u);
  EXPECT_EQ(f.platform.opened, 1);
  EXPECT_EQ(f.platform.closed, 1);
}

TEST(LogRun, ANewerRunEndsThisOneWithoutAnotherRow) {
  RunFixture f;
  f.platform.newRunAtSleep = 2;
  RunLogging(f.platform, f.table, f.settings, f.Run());
  EXPECT_EQ(f.platform.sleeps.size(), 2u);
  EXPECT_EQ(f.Rows(), 2) << "the pass after the second wait belongs to no current run";
}

TEST(LogRun, IntervalIsReadBeforeEveryWait) {
  RunFixture f;
  f.platform.stopAtSleep = 3;
  f.platform.settings = &f.settings;
  f.platform.newIntervalAtSleep = 1;  // a later dialog changes it during the first wait
  f.platform.newInterval = 30000;
  RunLogging(f.platform, f.table, f.settings, f.Run());
  EXPECT_EQ(f.platform.sleeps, (std::vector<std::uint32_t>{1000, 30000, 30000}));
}

TEST(LogRun, NoConsoleMeansNoRecordsButTheHeaderAndTheConsoleIsReleased) {
  RunFixture f;
  f.platform.consoleWorks = false;
  RunLogging(f.platform, f.table, f.settings, f.Run());
  EXPECT_EQ(f.Rows(), 0);
  EXPECT_FALSE(f.file.Bytes().empty());
  EXPECT_TRUE(f.platform.sleeps.empty());
  EXPECT_EQ(f.platform.closed, 1);
}

TEST(LogRun, UnsupportedSystemWritesNothingButKeepsWaiting) {
  RunFixture f;
  f.table.osSupported.Store(0);
  f.platform.stopAtSleep = 2;
  RunLogging(f.platform, f.table, f.settings, f.Run());
  EXPECT_EQ(f.Rows(), 0);
  EXPECT_TRUE(f.platform.console.writes.empty());
  EXPECT_EQ(f.platform.sleeps.size(), 2u);
}

TEST(LogRun, PassConsoleBlocksForAMissingFileAndATornRow) {
  RunFixture f;
  const LogRun good = f.Run();
  f.platform.file.failingWrite = 1;
  WriteLogRecord(f.platform, f.table, good);
  EXPECT_EQ(f.file.Bytes(), "") << "the half row was cut away";
  const std::string torn = f.platform.console.Text();
  EXPECT_NE(torn.find("GPU-B:\n"), std::string::npos);
  EXPECT_NE(torn.find(std::string(kRowNotWrittenText) +
                      "=================================================="),
            std::string::npos);

  LogRun missing = good;
  const std::string folder =
      (std::filesystem::temp_directory_path() / "no-such-folder-q" / "x.csv").string();
  std::snprintf(missing.path, sizeof missing.path, "%s", folder.c_str());
  f.platform.console.writes.clear();
  WriteLogRecord(f.platform, f.table, missing);
  EXPECT_EQ(f.platform.console.Text(), "2026/01/02 03:04:00 ==============================\n" +
                                           std::string(kFileMissingText) +
                                           "==================================================\n");
}

TEST(LogRun, ASecondRunAppendsItsHeaderAfterTheOldRows) {
  RunFixture f;
  f.platform.stopAtSleep = 1;
  RunLogging(f.platform, f.table, f.settings, f.Run());
  const std::string first = f.file.Bytes();
  f.platform.sleeps.clear();
  f.table.csvActive.Store(1);
  RunLogging(f.platform, f.table, f.settings, f.Run());
  const std::string both = f.file.Bytes();
  ASSERT_EQ(both.rfind(first, 0), 0u);
  EXPECT_EQ(both.substr(first.size()).rfind(BuildLogHeader(f.table, f.Run().selection), 0), 0u);
}

// A run beside a sampling thread that keeps writing the readings and then starts a newer run:
// every row stays whole, and the old run ends on its own.
class SleepingPlatform final : public LogPlatform {
 public:
  bool OpenConsole() override { return true; }
  void CloseConsole() override {}
  ConsoleSink& Console() override { return console; }
  RecordFile& File() override { return file; }
  LogTime Now() override { return {2026, 1, 1, 0, 0, 0}; }
  void SleepMs(std::uint32_t) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  RecordingConsole console;
  StdioRecordFile file;
};

TEST(LogRunConcurrent, RowsStayWholeWhileTheTableChangesAndANewerRunEndsTheOldOne) {
  RunFixture f;
  SleepingPlatform platform;
  const LogRun run = f.Run();
  std::thread logger([&] { RunLogging(platform, f.table, f.settings, run); });
  for (std::uint32_t i = 0; i < 20000; ++i) {
    f.table.slots[1].temperature.Store(static_cast<std::int32_t>(i % 100));
    f.table.slots[0].clockCurrent[gpu::kGraphics].Store(i * 1000);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  f.table.csvRunNumber.Store(run.number + 1);
  logger.join();
  const std::string bytes = f.file.Bytes();
  std::istringstream lines(bytes);
  std::string line;
  int rows = -2;
  std::ptrdiff_t columns = 0;  // the row's commas are the column names' commas
  while (std::getline(lines, line)) {
    if (++rows == 0) columns = std::count(line.begin(), line.end(), ',');
    if (rows <= 0) continue;
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), columns) << line;
    EXPECT_EQ(line.back(), '\r');
  }
  EXPECT_GT(rows, 0);
}

}  // namespace
