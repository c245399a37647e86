// The reader's inner class, shared by the files that handle the top-level lines and the lines
// of a gpu block.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario.h"

namespace sim {

// Builds a message from pieces (appending, which also keeps GCC 12's -Wrestrict quiet).
std::string Join(std::initializer_list<std::string_view> parts);

class ScenarioParser {
 public:
  bool Parse(std::string_view text, Scenario* out, std::string* error);

 private:
  using Words = std::vector<std::string_view>;
  using Handler = bool (ScenarioParser::*)(const Words&);
  struct Keyword {
    std::string_view word;
    Handler handler;
  };

  bool ParseLine(std::string_view raw);
  bool Finish();
  bool Dispatch(const Words& words, const Keyword* table, std::size_t size);

  // Top-level lines (scenario_parser.cpp).
  bool TopLevelLine(const Words& words);
  bool LibraryLine(const Words& words);
  bool HooksLine(const Words& words);
  bool AbsentLine(const Words& words);
  bool FailLine(const Words& words);
  bool DelayLine(const Words& words);
  bool GpuLine(const Words& words);

  // Misbehaviour in time, at the top level or in a gpu block (scenario_time_lines.cpp).
  bool HangLine(const Words& words);
  bool SlowLine(const Words& words);
  bool LostLine(const Words& words);

  // Lines inside a gpu block (scenario_gpu_lines.cpp).
  bool GpuBlockLine(const Words& words);
  bool NameLine(const Words& words);
  bool BusLine(const Words& words);
  bool PciLine(const Words& words);
  bool DriverLine(const Words& words);
  bool CoresLine(const Words& words);
  bool PcieLine(const Words& words);
  bool DisplayLine(const Words& words);
  bool FansLine(const Words& words);
  bool UnitLine(const Words& words);
  bool AcceptLine(const Words& words);
  bool QuirkLine(const Words& words);
  bool EndLine(const Words& words);
  bool ReadingLine(Reading reading, const Words& words);
  bool SignalWords(const Words& words, bool clock, Signal* signal);

  // Helpers (scenario_parser.cpp).
  bool Error(const std::string& message);
  bool WordCount(const Words& words, std::size_t least, std::size_t most, const char* usage);
  bool Integer(std::string_view word, std::int64_t least, std::int64_t most, std::int64_t* out);
  bool U32(std::string_view word, std::uint32_t* out);
  bool Target(std::string_view word, Fn* out);
  bool RoomForRule();
  // "from N" and "to M" from `first` on, each at most once, 1-based, N <= M.
  bool SpanBounds(const Words& words, std::size_t first, CallSpan* span);
  GpuSetup& CurrentGpu() { return scenario_.gpus[*gpu_]; }

  Scenario scenario_;
  std::optional<std::size_t> gpu_;  // the open gpu block
  std::size_t gpuLine_ = 0;         // where it was opened
  std::size_t lineNumber_ = 0;
  std::string_view line_;  // the current line without its comment
  std::string error_;
};

}  // namespace sim
