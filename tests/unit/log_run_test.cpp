#include "logging/log_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/log_table.h"

namespace {

using namespace logging;
using testing_support::Header;
using testing_support::RecordingConsole;

// A file of the test's own in the temporary folder, removed before and after it.
struct TempFile {
  TempFile() { std::filesystem::remove(path); }
  ~TempFile() { std::filesystem::remove(path); }
  std::string Bytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  const std::string path =
      (std::filesystem::temp_directory_path() /
       ("quorvane-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv"))
          .string();
};

// A file in a folder that does not exist: it can be neither opened nor created.
std::string UnopenablePath() {
  return (std::filesystem::temp_directory_path() / "no-such-folder-q" / "x.csv").string();
}

std::size_t Count(const std::string& text, std::string_view what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// Passes the writes through to the real file; the chosen write stores only half its bytes and
// fails.
class FaultyFile final : public RecordFile {
 public:
  bool Open(const char* path) override {
    const bool opened = !locked && real_.Open(path);
    openNow += opened;
    return opened;
  }
  bool Length(std::uint64_t& length) override { return real_.Length(length); }
  std::size_t Write(std::string_view bytes) override {
    if (onWrite) onWrite();
    if (++writes != failingWrite) return real_.Write(bytes);
    locked = lockedAfterFailure;  // checked at the next open
    return real_.Write(bytes.substr(0, bytes.size() / 2));
  }
  bool Truncate(std::uint64_t length) override { return cuttable && real_.Truncate(length); }
  void Close() override {
    real_.Close();
    --openNow;
  }
  int openNow = 0;  // opened and not closed again
  int writes = 0, failingWrite = -1;
  bool locked = false;  // another program holds the file with a lock that denies writing
  bool lockedAfterFailure = false;  // another program takes the file just after a failed write
  bool cuttable = true;
  // The sampling thread storing a newer sample while the row is written.
  std::function<void()> onWrite;

 private:
  StdioRecordFile real_;
};

// Every batch the file takes, as a run's passes append them.
AppendResult AppendAll(RowBacklog& kept, RecordFile& file, const std::string& path) {
  AppendResult result = AppendResult::kWritten;
  while (!kept.Empty() && result == AppendResult::kWritten)
    result = kept.AppendBatch(file, path.c_str());
  return result;
}

TEST(RecordFile, AFailedWriteLeavesTheFileAsItWas) {
  TempFile file;
  FaultyFile faulty;
  faulty.failingWrite = 2;
  const auto append = [&](const char* row) {
    const AppendResult result = AppendWhole(faulty, file.path.c_str(), row).result;
    EXPECT_EQ(faulty.openNow, 0) << "closed after the append";
    return result;
  };
  EXPECT_EQ(append("first row\r\n"), AppendResult::kWritten);
  EXPECT_EQ(append("second row\r\n"), AppendResult::kRolledBack);
  EXPECT_EQ(file.Bytes(), "first row\r\n");
  EXPECT_EQ(append("third row\r\n"), AppendResult::kWritten);
  EXPECT_EQ(file.Bytes(), "first row\r\nthird row\r\n");
}

// A batch of two rows whose write stops four bytes into the second, then one more row.
TEST(RecordFile, AFailedBatchLeavesNoFragmentInARowAndNoRowTwice) {
  struct Case {
    const char* what;
    bool lockedAfterFailure, cuttable;
    AppendResult failed;
    const char* bytes;
  };
  for (const Case c :
       {Case{"another program takes the file meanwhile", true, true, AppendResult::kRolledBack,
             "row 1 ....\r\nrow 2 ............\r\nrow 3\r\n"},
        Case{"the file cannot be cut", false, false, AppendResult::kDamaged,
             "row 1 ....\r\nrow \r\nrow 2 ............\r\nrow 3\r\n"}}) {
    SCOPED_TRACE(c.what);
    TempFile file;
    FaultyFile faulty;
    faulty.failingWrite = 1;
    faulty.lockedAfterFailure = c.lockedAfterFailure;
    faulty.cuttable = c.cuttable;
    RowBacklog kept;
    for (const char* row : {"row 1 ....\r\n", "row 2 ............\r\n"}) kept.Keep(row);
    EXPECT_EQ(AppendAll(kept, faulty, file.path), c.failed);
    faulty.locked = false;
    kept.Keep("row 3\r\n");
    EXPECT_EQ(AppendAll(kept, faulty, file.path), AppendResult::kWritten);
    EXPECT_EQ(file.Bytes(), c.bytes);
  }
}

TEST(RecordFile, AnUnopenableFileIsReportedAndNotCreated) {
  StdioRecordFile real;
  const std::string path = UnopenablePath();
  EXPECT_EQ(AppendWhole(real, path.c_str(), "row\r\n").result, AppendResult::kNotOpened);
  EXPECT_FALSE(std::filesystem::exists(path));
}

#if !defined(_WIN32)
// A pipe has no end to cut back to: it takes nothing, and no writer of it is left open.
TEST(RecordFile, AFileWithoutAnEndTakesNothingAndIsClosed) {
  const std::string path = (std::filesystem::temp_directory_path() / "quorvane-pipe-q").string();
  std::filesystem::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  StdioRecordFile real;
  const Appended appended = AppendWhole(real, path.c_str(), "row\r\n");
  EXPECT_EQ(appended.result, AppendResult::kRolledBack);
  EXPECT_EQ(appended.stayed, 0u);
  char byte = 0;
  EXPECT_EQ(read(reader, &byte, 1), 0) << "end of file: nothing written, no writer open";
  close(reader);
  std::filesystem::remove(path);
}
#endif

// Run 4 of the example GPUs, over a fresh file, on a platform whose sleeps can stop the run or
// start a newer one, as the sampling thread would. The fixture takes the suite's name, so the run
// itself is written logging::LogRun.
class LogRun : public ::testing::Test, public LogPlatform {
 protected:
  LogRun() {
    testing_support::FillExampleGpus(table);
    table.osSupported.Store(1);
    table.csvActive.Store(1);
    table.csvRunNumber.Store(4);
  }
  logging::LogRun NewRun() { return MakeLogRun(table, settings, file.path.c_str()); }
  logging::LogRun Log() {
    const logging::LogRun run = NewRun();
    result = RunLogging(*this, table, settings, run);
    return run;
  }
  void Record(const logging::LogRun& run) {
    RowBacklog kept;
    WriteLogRecord(*this, table, run, kept);
  }
  int Rows() const { return static_cast<int>(Count(file.Bytes(), "\n")) - 2; }

  bool OpenConsole() override {
    ++opened;
    return consoleWorks;
  }
  void CloseConsole() override { ++closed; }
  ConsoleSink& Console() override { return console; }
  RecordFile& File() override { return faulty; }
  platform::WriteGate& Gate() override { return gate; }
  LogTime Now() override {
    return {2026, 1, 2, 3, 4, std::min(static_cast<int>(sleeps.size()), 59)};
  }
  void SleepMs(std::uint32_t milliseconds) override {
    if (realSleeps) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sleeps.push_back(milliseconds);
    const int n = static_cast<int>(sleeps.size());
    if (n == stopAtSleep) table.csvActive.Store(0);
    if (n == newRunAtSleep) table.csvRunNumber.Store(table.csvRunNumber.Load() + 1);
    if (n == unlockAtSleep) faulty.locked = false;
    if (n == newIntervalAtSleep) settings.intervalMs.Store(newInterval);
    if (n > 100) table.appRunning.Store(0);  // a broken loop still ends
  }

  gpu::SlotTable table;
  LogSettings settings;
  TempFile file;
  int result = -1, opened = 0, closed = 0;
  bool consoleWorks = true;
  bool realSleeps = false;  // each wait really waits 1 ms, for a thread beside the run
  int stopAtSleep = -1, newRunAtSleep = -1, newIntervalAtSleep = -1, unlockAtSleep = -1;
  std::int32_t newInterval = 0;
  std::vector<std::uint32_t> sleeps;
  RecordingConsole console;
  FaultyFile faulty;
  platform::WriteGate gate;
};

TEST_F(LogRun, HeaderOncePassAtOnceThenOnePerIntervalUntilOneMoreAfterTheStop) {
  settings.intervalMs.Store(5000);
  stopAtSleep = 3;
  const auto run = Log();
  EXPECT_EQ(run.number, 4);
  EXPECT_EQ(result, 0);
  // The stop came during the third wait: the pass at its end still ran.
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{5000, 5000, 5000}));
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(file.Bytes().rfind(Header(table, run.selection), 0), 0u);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(closed, 1);
}

TEST_F(LogRun, ANewerRunEndsThisOneWithoutAnotherRow) {
  newRunAtSleep = 2;
  Log();
  EXPECT_EQ(sleeps.size(), 2u);
  EXPECT_EQ(Rows(), 2) << "the pass after the second wait belongs to no current run";
}

TEST_F(LogRun, IntervalIsReadBeforeEveryWait) {
  stopAtSleep = 3;
  newIntervalAtSleep = 1;  // a later dialog changes it during the first wait
  newInterval = 30000;
  Log();
  EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{1000, 30000, 30000}));
}

TEST_F(LogRun, NoConsoleMeansNoRecordsButTheHeaderAndTheConsoleIsReleased) {
  consoleWorks = false;
  Log();
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(file.Bytes().empty());
  EXPECT_TRUE(sleeps.empty());
  EXPECT_EQ(closed, 1);
}

TEST_F(LogRun, UnsupportedSystemWritesNothingButKeepsWaiting) {
  table.osSupported.Store(0);
  stopAtSleep = 2;
  Log();
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(console.writes.empty());
  EXPECT_EQ(sleeps.size(), 2u);
}

TEST_F(LogRun, PassConsoleBlocksForAMissingFileAndATornRow) {
  const auto good = NewRun();
  faulty.failingWrite = 1;
  Record(good);
  EXPECT_EQ(file.Bytes(), "") << "the half row was cut away";
  const std::string torn = console.Text();
  EXPECT_NE(torn.find("GPU-B:\n"), std::string::npos);
  EXPECT_NE(torn.find(std::string(kRowNotWrittenText) +
                      "=================================================="),
            std::string::npos);

  auto missing = good;
  std::snprintf(missing.path, sizeof missing.path, "%s", UnopenablePath().c_str());
  console.writes.clear();
  Record(missing);
  EXPECT_EQ(console.Text(), "2026/01/02 03:04:00 ==============================\n" +
                                std::string(kFileMissingText) +
                                "==================================================\n");
}

TEST_F(LogRun, TheConsoleBlockEchoesTheRowsOwnSample) {
  faulty.onWrite = [&] {
    table.slots[0].clockCurrent[gpu::kGraphics].Store(999000);
    table.slots[1].temperature.Store(12);
  };
  Record(NewRun());
  const std::string row = file.Bytes();
  EXPECT_EQ(row.rfind("2026/01/02 03:04:00,1830,", 0), 0u) << row;
  EXPECT_NE(row.find(",1755,0,0,1024.00,0,71,"), std::string::npos) << row;
  const std::string block = console.Text();
  EXPECT_NE(block.find("\tGraphics Clock      1830 MHz\n"), std::string::npos) << block;
  EXPECT_NE(block.find("\tTemperature         71\n"), std::string::npos) << block;
  EXPECT_EQ(block.find("999 MHz"), std::string::npos) << "the block shows a newer sample";
}

TEST_F(LogRun, RowsAndTheHeaderKeptWhileTheFileIsLockedFollowInOrderOnceItOpens) {
  faulty.locked = true;  // from the start: the header waits too
  unlockAtSleep = 3;
  stopAtSleep = 5;
  const auto run = Log();
  const std::string bytes = file.Bytes();
  EXPECT_EQ(bytes.rfind(Header(table, run.selection), 0), 0u) << "the header comes first";
  // The seconds of the rows in file order (the platform's clock counts the waits).
  std::vector<int> seconds;
  for (std::size_t at = bytes.find("2026/01/02 03:04:"); at != std::string::npos;
       at = bytes.find("\r\n2026/01/02 03:04:", at + 1)) {
    if (bytes.compare(at, 2, "\r\n") == 0) at += 2;
    seconds.push_back(std::stoi(bytes.substr(at + 17, 2)));
  }
  EXPECT_EQ(seconds, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  const std::string shown = console.Text();
  EXPECT_EQ(Count(shown, kFileMissingText), 3u) << "the three passes of the locked time";
  EXPECT_EQ(shown.find("\x8Ds\x82\xCD\x8E\xB8"), std::string::npos) << "no row was lost";
}

TEST_F(LogRun, KeptRowsStopAtADayOfTheIntervalOrTheirBytesAndTheRestIsLostAtTheEnd) {
  faulty.locked = true;
  stopAtSleep = 6;
  settings.intervalMs.Store(8 * 60 * 60 * 1000);  // three rows a day
  Log();
  const std::string shown = console.Text();
  EXPECT_EQ(Count(shown, kKeptRowsDroppedText), 1u) << "said once";
  char lost[160];
  std::snprintf(lost, sizeof lost, kKeptRowsLostFormat, 3);
  EXPECT_NE(shown.find(lost), std::string::npos) << "the run ends with three rows kept";
  RowBacklog day;  // a day is 86,400,000 ms: one more than a third of it leaves room for two
  day.LimitToIntervalMs(8 * 60 * 60 * 1000 + 1);
  for (const char* row : {"1\n", "2\n", "3\n"}) day.Keep(row);
  EXPECT_EQ(day.Rows(), 2u);

  // The same by bytes, and the newest rows are the ones that stay.
  RowBacklog kept(2 * 21);  // two of these rows
  for (const char n : {'1', '2', '3', '4'})
    kept.Keep(std::string("row ") + n + " ..............\n");
  EXPECT_EQ(kept.Rows(), 2u);
  kept.KeepHeader("header\n");
  EXPECT_EQ(AppendAll(kept, faulty, file.path), AppendResult::kNotOpened);
  faulty.locked = false;
  std::filesystem::remove(file.path);
  EXPECT_EQ(AppendAll(kept, faulty, file.path), AppendResult::kWritten);
  EXPECT_EQ(file.Bytes(), "header\nrow 3 ..............\nrow 4 ..............\n");
  EXPECT_TRUE(kept.Empty());

  // Unless told otherwise, the rows kept take at most 64 MiB.
  RowBacklog large;
  for (int i = 0; i < 64; ++i) EXPECT_FALSE(large.Keep(std::string(std::size_t{1} << 20, 'r')));
  EXPECT_TRUE(large.Keep("one more\n")) << "the oldest row goes";
}

// A catch-up of three batches of one row each, and a pass's own row after them.
TEST_F(LogRun, ACatchUpStopsBetweenBatchesWhenTheProgramClosesOrANewerRunBegins) {
  const std::string big(std::size_t{400} << 10, 'x');  // two such rows to a batch of 1 MiB
  for (const bool closing : {false, true}) {
    SCOPED_TRACE(closing ? "closing" : "newer run");
    std::filesystem::remove(file.path);
    faulty.writes = 0;
    faulty.onWrite = [&] {
      if (faulty.writes > 0) return;  // during the first batch
      if (closing) gate.Shut(0);
      if (!closing) table.csvRunNumber.Store(table.csvRunNumber.Load() + 1);
    };
    RowBacklog kept;
    for (const char row : {'1', '2', '3'}) kept.Keep(row + big + "\r\n");
    WriteLogRecord(*this, table, NewRun(), kept);
    EXPECT_EQ(file.Bytes().size(), 2 * (big.size() + 3)) << "only the batch under way";
    EXPECT_EQ(kept.Rows(), 2u) << "the rest stays kept";
    EXPECT_EQ(faulty.writes, 1);
  }
}

TEST_F(LogRun, ASecondRunAppendsItsHeaderAfterTheOldRows) {
  stopAtSleep = 1;
  Log();
  const std::string first = file.Bytes();
  sleeps.clear();
  table.csvActive.Store(1);
  const auto second = Log();
  const std::string both = file.Bytes();
  ASSERT_EQ(both.rfind(first, 0), 0u);
  EXPECT_EQ(both.substr(first.size()).rfind(Header(table, second.selection), 0), 0u);
}

// The number after `label` in every console block, or in those of GPU `gpu` of `gpus` only.
std::vector<std::string> ConsoleValues(const std::string& text, const std::string& label,
                                       std::size_t gpu = 0, std::size_t gpus = 1) {
  std::vector<std::string> values;
  for (std::size_t at = text.find(label), n = 0; at != std::string::npos;
       at = text.find(label, at + 1), ++n) {
    const std::size_t begin = at + label.size();
    if (n % gpus != gpu) continue;
    values.push_back(text.substr(begin, text.find_first_not_of("0123456789", begin) - begin));
  }
  return values;
}

// A run beside a sampling thread that keeps writing the readings and then starts a newer run:
// every row stays whole and shows the same sample as its console block, and the old run ends on
// its own.
class LogRunConcurrent : public LogRun {};

TEST_F(LogRunConcurrent, RowsStayWholeAndEchoTheirOwnSampleWhileTheTableChanges) {
  constexpr int kPasses = 40;
  realSleeps = true;
  newRunAtSleep = kPasses;
  const auto run = NewRun();
  std::atomic<bool> logging{true};
  std::thread sampler([&] {
    for (std::uint32_t i = 0; logging.load(); ++i) {
      table.slots[1].temperature.Store(static_cast<std::int32_t>(i % 100));
      table.slots[0].clockCurrent[gpu::kGraphics].Store(i % 5000 * 1000);
    }
  });
  RunLogging(*this, table, settings, run);  // ends once the newer run has begun
  logging.store(false);
  sampler.join();

  std::istringstream lines(file.Bytes());
  std::string line;
  std::vector<std::string> clocks, temperatures;
  for (int n = 0; std::getline(lines, line); ++n) {
    if (n < 2) continue;              // the header pair
    std::vector<std::string> fields;  // each comma ends one: none after the last
    std::istringstream in(line.substr(0, line.rfind(',') + 1));
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    // GPU-A: its time stamp and twelve items (one fan); GPU-B: its time stamp and fourteen.
    ASSERT_EQ(fields.size(), 13u + 15u) << line;
    EXPECT_EQ(line.back(), '\r');
    clocks.push_back(fields[1]);
    temperatures.push_back(fields[13 + 6]);
  }
  EXPECT_EQ(clocks.size(), static_cast<std::size_t>(kPasses));
  const std::string shown = console.Text();
  const std::string clock = "\tGraphics Clock      ";
  EXPECT_EQ(ConsoleValues(shown, clock).size(), 2 * clocks.size());
  EXPECT_EQ(ConsoleValues(shown, clock, 0, 2), clocks);                           // GPU-A's
  EXPECT_EQ(ConsoleValues(shown, "\tTemperature         ", 1, 2), temperatures);  // GPU-B's
}

}  // namespace
