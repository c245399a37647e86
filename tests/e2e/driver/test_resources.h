// What a test makes of its own for one run, given back when the object ends: a fresh folder for
// its files and a console for the program it starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A fresh folder under the system's temporary folder for the files one test makes, or the new
// folder `path`; removed with the files in it when the object ends.
class TempFolder {
 public:
  TempFolder();
  explicit TempFolder(const std::wstring& path);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Valid() const { return !path_.empty(); }
  // The path of `name` inside the folder (Windows form, with the drive letter).
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  // The names of the files in the folder (not of the folders in it).
  std::vector<std::wstring> FileNames() const;

 private:
  std::wstring path_;  // ends in a backslash
};

// A console of the test process's own, which the program it starts attaches to (a logging run
// takes the console of the process that started it): what the program writes there is read back,
// characters and attributes, cell by cell.
class TestConsole {
 public:
  // Gives up any console the test has and makes a new one, taking code page 932 text as the
  // program writes it. `Valid()` tells whether that worked.
  TestConsole();
  ~TestConsole();
  TestConsole(const TestConsole&) = delete;
  TestConsole& operator=(const TestConsole&) = delete;

  bool Valid() const { return output_ != INVALID_HANDLE_VALUE; }
  // The attribute that text written next takes when its writer sets none.
  bool SetAttribute(WORD attribute) const;

  struct Row {
    std::wstring text;             // the row's cells, blanks at the end removed
    std::vector<WORD> attributes;  // one per cell of `text`
  };
  // Every row written so far, from the top of the buffer to the cursor's row.
  std::vector<Row> Rows() const;
  // The rows' texts joined by '\n'.
  std::wstring Text() const;

 private:
  HANDLE output_ = INVALID_HANDLE_VALUE;
};

}  // namespace e2e
