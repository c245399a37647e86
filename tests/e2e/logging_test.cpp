// A logging run of two GPUs at one record a second: the exact bytes of the file, the end of the
// run once the CSV box is unticked, and a second run appended to the same file. Then the faults a
// log meets: a file another program holds locked, a full disk, a folder that goes away; no row of
// the run is lost, none written twice, none torn.
#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kRowsTimeoutMs = 15000;
constexpr DWORD kQuietMs = 3000;  // three intervals without a new record
constexpr DWORD kSettleTimeoutMs = 15000;

class Logging : public AppTest {
 protected:
  // Starts the program on the two-GPU scenario and waits for the first sampling cycle, which
  // names both GPUs' tabs.
  bool StartTwoGpus() {
    if (!Start(kTwoGpuLogScenario)) return false;
    const std::vector<std::string> labels = {"Quorvane Sim Alpha(1)", "Quorvane Sim Beta(2)"};
    EXPECT_EQ(WaitForTabLabels(*app, main, labels), labels) << "no sampling cycle";
    return true;
  }

  // Unticks the CSV box, waits for the poll that reads it and counts the file's lines then; the
  // file once it has stopped growing, its bytes in `bytes`. At most one more record may follow
  // the stop, the one whose wait was under way.
  LogLines StopAndSettle(const std::wstring& path, std::string& bytes) {
    StopLog(main);
    const std::size_t linesAtStop = ReadLog(path).lines.size();
    bool settled = false;
    bytes = WaitUntilSettled(path, kQuietMs, kSettleTimeoutMs, settled);
    EXPECT_TRUE(settled) << "the file keeps growing after the box was unticked";
    LogLines log = SplitCrLfLines(bytes);
    EXPECT_TRUE(log.wellFormed) << "a line does not end in CR LF";
    EXPECT_LE(log.lines.size(), linesAtStop + 1) << "more than one record after the stop";
    return log;
  }

  // A run of all items at one second on `path`, stopped after `records` records.
  LogLines RunAllItems(const std::wstring& path, std::size_t linesBefore, std::size_t records,
                       std::string& bytes) {
    if (!StartLog(*app, main, path)) return {};
    const LogLines grown = WaitForLines(path, linesBefore + 2 + records, kRowsTimeoutMs);
    EXPECT_GE(grown.lines.size(), linesBefore + 2 + records) << "the records did not come";
    return StopAndSettle(path, bytes);
  }

  // Starts a run of all items at one second on `path` and waits for its header and two rows.
  bool StartAllItems(const std::wstring& path) {
    return StartLog(*app, main, path) && WaitForLines(path, 4, kRowsTimeoutMs).lines.size() >= 4;
  }
};

TEST_F(Logging, RunsAppendExactRecordsAndEndWhenUnticked) {
  const std::wstring path = folder.File(L"two-gpus.csv");
  ASSERT_TRUE(StartTwoGpus());

  std::string first;
  const LogLines run = RunAllItems(path, 0, 3, first);
  ASSERT_GE(run.lines.size(), 5u);
  ExpectAllItemsRunAt(run.lines, 0);
  EXPECT_EQ(MainBoxState(main, kCsvBoxCaption), 0);

  // A second run on the same file: its header pair follows the old rows, which stay as they were.
  const std::size_t old = run.lines.size();
  std::string both;
  const LogLines again = RunAllItems(path, old, 1, both);
  EXPECT_EQ(both.substr(0, first.size()), first) << "the first run's lines changed";
  ASSERT_GE(again.lines.size(), old + 3);
  ExpectAllItemsRunAt(again.lines, old);
}

TEST_F(Logging, ANameWithoutExtensionGetsCsv) {
  ASSERT_TRUE(StartTwoGpus());
  ASSERT_TRUE(StartLog(*app, main, folder.File(L"plain")));
  const LogLines log = WaitForLines(folder.File(L"plain.csv"), 3, kRowsTimeoutMs);
  EXPECT_GE(log.lines.size(), 3u) << "no log with the extension .csv";
  StopLog(main);
  EXPECT_FALSE(FileExists(folder.File(L"plain")));
}

// Rows from line `from` on follow each other a second apart, or two when a pass ran long, and
// they are the passes the run's console shows (the time stamps that begin its blocks), in order:
// none twice, none lost.
void ExpectEachPassOnce(const std::vector<std::string>& lines, std::size_t from,
                        const TestConsole& console) {
  ExpectStampGaps(lines, from, 1, 2);
  std::vector<std::string> rows, passes;
  for (std::size_t i = from; i < lines.size(); ++i) rows.push_back(lines[i].substr(0, 19));
  for (const TestConsole::Row& row : console.Rows()) {
    if (row.text.size() < 20 || row.text.compare(19, 6, L" =====") != 0) continue;
    const std::string stamp(row.text.begin(), row.text.begin() + 19);
    if (IsTimeStamp(stamp)) passes.push_back(stamp);
  }
  EXPECT_EQ(rows, passes) << "the rows are not the run's passes";
}

TEST_F(Logging, RowsOfATimeTheFileIsLockedFollowInOrderOnceItIsReleased) {
  const TestConsole console;
  ASSERT_TRUE(console.Valid());
  const std::wstring path = folder.File(L"locked.csv");
  ASSERT_TRUE(StartTwoGpus());
  ASSERT_TRUE(StartAllItems(path));

  // Another program opens the log with a lock that denies writing, as a spreadsheet does.
  HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const std::size_t locked = ReadLog(path).lines.size();
  Sleep(4000);
  EXPECT_EQ(ReadLog(path).lines.size(), locked) << "rows were written through the lock";
  CloseHandle(lock);
  WaitForLines(path, locked + 6, kRowsTimeoutMs);

  std::string bytes;
  const LogLines log = StopAndSettle(path, bytes);
  ASSERT_GE(log.lines.size(), locked + 6);
  ExpectAllItemsRunAt(log.lines, 0);
  ExpectEachPassOnce(log.lines, 2, console);
}

// The log on a small file system of its own (scripts/with-small-disk mounts one and names it in
// QUORVANE_SMALL_DISK). The file holds earlier records that end exactly at a page of the file
// system, and the disk is filled before the run starts: nothing of the run fits until room is
// made, and then the header and every row of the run follow the earlier records.
class LoggingFullDisk : public Logging {};

TEST_F(LoggingFullDisk, TheWrittenRowsStayWholeAndTheRestFollowOnceThereIsRoom) {
  const char* disk = std::getenv("QUORVANE_SMALL_DISK");
  if (disk == nullptr || *disk == '\0')
    GTEST_SKIP() << "no small file system: this machine cannot mount one for the test";
  std::wstring folder = L"Z:";
  for (const char* c = disk; *c != '\0'; ++c) folder += *c == '/' ? L'\\' : wchar_t(*c);
  const std::wstring path = folder + L"\\full.csv";
  const std::wstring filler = folder + L"\\filler";
  std::string earlier;
  while (earlier.size() < 4096) earlier += "earlier record\r\n";  // 16 bytes a line
  ASSERT_TRUE(WriteFileBytes(path, earlier));
  HANDLE fill = CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(fill, INVALID_HANDLE_VALUE);
  const std::string block(4096, 'f');
  for (DWORD size : {4096u, 1u}) {
    DWORD written = size;
    while (written == size && WriteFile(fill, block.data(), size, &written, nullptr)) {
    }
  }
  CloseHandle(fill);

  const TestConsole console;
  ASSERT_TRUE(console.Valid());
  ASSERT_TRUE(StartTwoGpus());
  ASSERT_TRUE(StartLog(*app, main, path));
  Sleep(4000);
  EXPECT_EQ(ReadFileBytes(path).value_or(""), earlier) << "the full disk took part of the run";

  ASSERT_TRUE(DeleteFileW(filler.c_str()));
  const std::size_t kept = earlier.size() / 16;
  WaitForLines(path, kept + 2 + 6, kRowsTimeoutMs);
  std::string bytes;
  const LogLines log = StopAndSettle(path, bytes);
  EXPECT_EQ(bytes.substr(0, earlier.size()), earlier) << "the earlier records changed";
  ASSERT_GE(log.lines.size(), kept + 2 + 6) << "the kept rows did not follow";
  ExpectAllItemsRunAt(log.lines, kept);
  ExpectEachPassOnce(log.lines, kept + 2, console);
  DeleteFileW(path.c_str());
}

TEST_F(Logging, ALogWhoseFolderIsRemovedGoesOnWhenTheFolderIsBack) {
  const TestConsole console;  // the run writes its console blocks here
  ASSERT_TRUE(console.Valid());
  const std::wstring logs = folder.File(L"logs");
  ASSERT_TRUE(CreateDirectoryW(logs.c_str(), nullptr));
  const std::wstring path = logs + L"\\gone.csv";
  const std::wstring moved = folder.File(L"before.csv");
  ASSERT_TRUE(StartTwoGpus());
  ASSERT_TRUE(StartAllItems(path));

  // The file is closed between rows: it is moved away and its folder removed.
  ASSERT_TRUE(
      WaitUntil([&] { return MoveFileW(path.c_str(), moved.c_str()) != 0; }, kRowsTimeoutMs));
  ASSERT_TRUE(RemoveDirectoryW(logs.c_str()));
  Sleep(3000);
  EXPECT_TRUE(app->Running()) << "the program ended without its folder";
  EXPECT_FALSE(FileExists(path));
  EXPECT_NE(console.Text().find(L"csvファイルが見つかりません"), std::wstring::npos)
      << "the console does not say that the file is missing";
  ASSERT_TRUE(CreateDirectoryW(logs.c_str(), nullptr));
  WaitForLines(path, 6, kRowsTimeoutMs);
  std::string bytes;
  const LogLines log = StopAndSettle(path, bytes);
  ASSERT_GE(log.lines.size(), 6u) << "logging did not resume";
  // The rows of the time without the folder come first, right after the last row before it.
  LogLines before = ReadLog(moved);
  ASSERT_GE(before.lines.size(), 4u);
  before.lines.insert(before.lines.end(), log.lines.begin(), log.lines.end());
  ExpectRows(before.lines, 2, before.lines.size(), AllItemsRow);
  ExpectEachPassOnce(before.lines, 2, console);
}

}  // namespace
}  // namespace e2e
