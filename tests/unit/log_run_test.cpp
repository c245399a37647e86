#include "logging/log_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "support/log_table.h"

namespace {

using namespace logging;
using testing_support::Header;
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
  bool Open(const char* path) override { return !locked && real_.Open(path); }
  bool Length(std::uint64_t& length) override { return real_.Length(length); }
  bool Write(std::string_view bytes) override {
    if (onWrite) onWrite();
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
  bool locked = false;  // another program holds the file with a lock that denies writing
  // The sampling thread storing a newer sample while the row is written.
  std::function<void()> onWrite;

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
    if (static_cast<int>(sleeps.size()) == unlockAtSleep) file.locked = false;
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
  int unlockAtSleep = -1;
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
  EXPECT_EQ(f.file.Bytes().rfind(Header(f.table, run.selection), 0), 0u);
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
  RowBacklog tornKept;
  WriteLogRecord(f.platform, f.table, good, tornKept);
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
  RowBacklog missingKept;
  WriteLogRecord(f.platform, f.table, missing, missingKept);
  EXPECT_EQ(f.platform.console.Text(), "2026/01/02 03:04:00 ==============================\n" +
                                           std::string(kFileMissingText) +
                                           "==================================================\n");
}

TEST(LogRun, TheConsoleBlockEchoesTheRowsOwnSample) {
  RunFixture f;
  f.platform.file.onWrite = [&] {
    f.table.slots[0].clockCurrent[gpu::kGraphics].Store(999000);
    f.table.slots[1].temperature.Store(12);
  };
  RowBacklog kept;
  WriteLogRecord(f.platform, f.table, f.Run(), kept);
  const std::string row = f.file.Bytes();
  EXPECT_EQ(row.rfind("2026/01/02 03:04:00,1830,", 0), 0u) << row;
  EXPECT_NE(row.find(",1755,0,0,1024.00,0,71,"), std::string::npos) << row;
  const std::string block = f.platform.console.Text();
  EXPECT_NE(block.find("\tGraphics Clock      1830 MHz\n"), std::string::npos) << block;
  EXPECT_NE(block.find("\tTemperature         71\n"), std::string::npos) << block;
  EXPECT_EQ(block.find("999 MHz"), std::string::npos) << "the block shows a newer sample";
}

// The seconds of the rows in the file, in file order (the platform's clock counts the waits).
std::vector<int> RowSeconds(const std::string& bytes) {
  std::vector<int> seconds;
  for (std::size_t at = bytes.find("2026/01/02 03:04:"); at != std::string::npos;
       at = bytes.find("\r\n2026/01/02 03:04:", at + 1)) {
    if (bytes.compare(at, 2, "\r\n") == 0) at += 2;
    seconds.push_back(std::stoi(bytes.substr(at + 17, 2)));
  }
  return seconds;
}

TEST(LogRun, RowsAndTheHeaderKeptWhileTheFileIsLockedFollowInOrderOnceItOpens) {
  RunFixture f;
  f.platform.file.locked = true;  // from the start: the header waits too
  f.platform.unlockAtSleep = 3;
  f.platform.stopAtSleep = 5;
  const LogRun run = f.Run();
  RunLogging(f.platform, f.table, f.settings, run);
  const std::string bytes = f.file.Bytes();
  EXPECT_EQ(bytes.rfind(Header(f.table, run.selection), 0), 0u) << "the header comes first";
  EXPECT_EQ(RowSeconds(bytes), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  const std::string console = f.platform.console.Text();
  std::size_t missing = 0;
  for (std::size_t at = console.find(kFileMissingText); at != std::string::npos;
       at = console.find(kFileMissingText, at + 1)) {
    ++missing;
  }
  EXPECT_EQ(missing, 3u) << "the three passes of the locked time";
  EXPECT_EQ(console.find("\x8Ds\x82\xCD\x8E\xB8"), std::string::npos) << "no row was lost";
}

TEST(LogRun, KeptRowsStopAtADayOfTheIntervalOrTheirBytesAndTheRestIsLostAtTheEnd) {
  RunFixture f;
  f.platform.file.locked = true;
  f.platform.stopAtSleep = 6;
  f.settings.intervalMs.Store(static_cast<std::int32_t>(kKeptSpanMs / 3));  // three rows a day
  const LogRun run = f.Run();
  RunLogging(f.platform, f.table, f.settings, run);
  const std::string console = f.platform.console.Text();
  const std::size_t dropped = console.find(kKeptRowsDroppedText);
  EXPECT_NE(dropped, std::string::npos);
  EXPECT_EQ(console.find(kKeptRowsDroppedText, dropped + 1), std::string::npos) << "said once";
  char lost[160];
  std::snprintf(lost, sizeof lost, kKeptRowsLostFormat, 3);
  EXPECT_NE(console.find(lost), std::string::npos) << "the run ends with three rows kept";

  // The same by bytes, and the newest rows are the ones that stay.
  RowBacklog kept(2 * 21);  // two of these rows
  for (const char* row : {"row 1 ..............\n", "row 2 ..............\n",
                          "row 3 ..............\n", "row 4 ..............\n"}) {
    kept.Keep(row);
  }
  EXPECT_EQ(kept.Rows(), 2u);
  kept.KeepHeader("header\n");
  EXPECT_EQ(kept.AppendTo(f.platform.file, f.file.Path().c_str()), AppendResult::kNotOpened);
  f.platform.file.locked = false;
  std::filesystem::remove(f.file.Path());
  EXPECT_EQ(kept.AppendTo(f.platform.file, f.file.Path().c_str()), AppendResult::kWritten);
  EXPECT_EQ(f.file.Bytes(), "header\nrow 3 ..............\nrow 4 ..............\n");
  EXPECT_TRUE(kept.Empty());
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
  EXPECT_EQ(both.substr(first.size()).rfind(Header(f.table, f.Run().selection), 0), 0u);
}

// A run beside a sampling thread that keeps writing the readings and then starts a newer run:
// every row stays whole and shows the same sample as its console block, and the old run ends on
// its own.
class SleepingPlatform final : public LogPlatform {
 public:
  explicit SleepingPlatform(gpu::SlotTable& table) : table_(table) {}
  bool OpenConsole() override { return true; }
  void CloseConsole() override {}
  ConsoleSink& Console() override { return console; }
  RecordFile& File() override { return file; }
  LogTime Now() override { return {2026, 1, 1, 0, 0, 0}; }
  void SleepMs(std::uint32_t) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (++sleeps == kPasses) table_.csvRunNumber.Store(table_.csvRunNumber.Load() + 1);
  }
  static constexpr int kPasses = 40;
  int sleeps = 0;
  RecordingConsole console;
  StdioRecordFile file;

 private:
  gpu::SlotTable& table_;
};

// The fields of a CSV line, the empty one after its last comma left out.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  for (const char c : line) {
    if (c == ',') {
      fields.push_back(field);
      field.clear();
    } else if (c != '\r') {
      field += c;
    }
  }
  return fields;
}

// The number after `label` in each console block, in the order of the blocks.
std::vector<std::string> ConsoleValues(const std::string& text, const std::string& label) {
  std::vector<std::string> values;
  for (std::size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
    const std::size_t begin = at + label.size();
    values.push_back(text.substr(begin, text.find_first_not_of("0123456789", begin) - begin));
  }
  return values;
}

TEST(LogRunConcurrent, RowsStayWholeAndEchoTheirOwnSampleWhileTheTableChanges) {
  RunFixture f;
  SleepingPlatform platform(f.table);
  const LogRun run = f.Run();
  std::atomic<bool> logging{true};
  std::thread sampler([&] {
    for (std::uint32_t i = 0; logging.load(); ++i) {
      f.table.slots[1].temperature.Store(static_cast<std::int32_t>(i % 100));
      f.table.slots[0].clockCurrent[gpu::kGraphics].Store(i % 5000 * 1000);
    }
  });
  RunLogging(platform, f.table, f.settings, run);  // ends once the newer run has begun
  logging.store(false);
  sampler.join();

  std::istringstream lines(f.file.Bytes());
  std::string line;
  std::vector<std::string> clocks;
  std::vector<std::string> temperatures;
  for (int n = 0; std::getline(lines, line); ++n) {
    if (n < 2) continue;  // the header pair
    const std::vector<std::string> fields = Fields(line);
    // GPU-A: its time stamp and twelve items (one fan); GPU-B: its time stamp and fourteen.
    ASSERT_EQ(fields.size(), 13u + 15u) << line;
    EXPECT_EQ(line.back(), '\r');
    clocks.push_back(fields[1]);
    temperatures.push_back(fields[13 + 6]);
  }
  EXPECT_EQ(clocks.size(), static_cast<std::size_t>(SleepingPlatform::kPasses));
  const std::string console = platform.console.Text();
  EXPECT_EQ(ConsoleValues(console, "\tGraphics Clock      ").size(), 2 * clocks.size());
  std::vector<std::string> consoleClocks;
  const std::vector<std::string> both = ConsoleValues(console, "\tGraphics Clock      ");
  for (std::size_t i = 0; i < both.size(); i += 2) consoleClocks.push_back(both[i]);  // GPU-A's
  std::vector<std::string> consoleTemperatures;
  const std::vector<std::string> bothTemperatures =
      ConsoleValues(console, "\tTemperature         ");
  for (std::size_t i = 1; i < bothTemperatures.size(); i += 2) {
    consoleTemperatures.push_back(bothTemperatures[i]);  // GPU-B's
  }
  EXPECT_EQ(consoleClocks, clocks);
  EXPECT_EQ(consoleTemperatures, temperatures);
}

}  // namespace
