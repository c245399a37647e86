// The program's own console code writing a record block to a real console, read back cell by
// cell: the characters of every line, and the attribute each was written in (the console's own
// for the time line, 11 for a GPU's name, 5 for its item lines, 7 after them and for the end
// line), as the worked example of the record formats gives them. The batching of texts per
// attribute is what this checks: a batch written in the wrong attribute shows here, and nowhere in
// a recording of the calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver/test_resources.h"
#include "logging/log_console_win32.h"
#include "logging/log_format.h"
#include "support/log_table.h"

namespace {

// The console's own attribute before the block, one the block itself never sets.
constexpr WORD kConsoleAttribute = 0x1E;

struct Line {
  const wchar_t* text;  // tabs as the console shows them: blanks up to the next multiple of 8
  WORD attribute;
};

const Line kBlock[] = {
    {L"2024/05/17 09:03:07 ==============================", kConsoleAttribute},
    {L"GPU-A:", 11},
    {L"        Graphics Clock      1830 MHz", 5},
    {L"        Memory Usage        2048.50 MB", 5},
    {L"        Temperature         65", 5},
    {L"        Power(Draw)         215.300 W", 5},
    {L"        FAN Level           45 %", 5},
    {L"        FAN rpm            1500 rpm", 5},
    {L"GPU-B:", 11},
    {L"        Graphics Clock      1755 MHz", 5},
    {L"        Memory Usage        1024.00 MB", 5},
    {L"        Temperature         71", 5},
    {L"        Power(Draw)         No Support", 5},
    {L"        FAN1 Level           40 %", 5},
    {L"        FAN2 Level           42 %", 5},
    {L"        FAN1 rpm            1400 rpm", 5},
    {L"        FAN2 rpm            1450 rpm", 5},
    {L"==================================================", 7},
};

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());  // the block is ASCII
}

TEST(LogConsoleOverWine, TheExampleBlockShowsItsTextsInTheirAttributes) {
  const e2e::TestConsole console;
  ASSERT_TRUE(console.Valid()) << "no console for the test";
  ASSERT_TRUE(console.SetAttribute(kConsoleAttribute));
  logging::LogConsole log;
  ASSERT_TRUE(log.Open());
  gpu::SlotTable table;
  testing_support::FillExampleGpus(table);
  const logging::LogSelection selection = testing_support::ExampleSelection();
  logging::WriteConsoleTimeLine(log, testing_support::kExampleTime);
  logging::WriteConsoleGpus(log, logging::TakeLogReadings(table, selection), selection);
  logging::WriteConsoleEndLine(log);
  log.Flush();
  const std::vector<e2e::TestConsole::Row> rows = console.Rows();
  log.Close();  // the last user lets the console go: read it first

  ASSERT_GE(rows.size(), std::size(kBlock)) << "the block has too few lines";
  for (std::size_t i = 0; i < std::size(kBlock); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + Narrow(kBlock[i].text));
    EXPECT_EQ(Narrow(rows[i].text), Narrow(kBlock[i].text));
    int wrong = 0;
    for (const WORD attribute : rows[i].attributes) wrong += attribute != kBlock[i].attribute;
    EXPECT_EQ(wrong, 0) << "cells not in attribute " << kBlock[i].attribute << " (first is "
                        << (rows[i].attributes.empty() ? -1 : rows[i].attributes[0]) << ")";
  }
  for (std::size_t i = std::size(kBlock); i < rows.size(); ++i)
    EXPECT_EQ(Narrow(rows[i].text), "") << "a line after the block";
}

}  // namespace
