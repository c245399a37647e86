#include "scenario_parser.h"

#include <limits>

#include "scenario_lexer.h"
#include "scenario_parser_impl.h"

namespace sim {

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

bool ParseScenario(std::string_view text, Scenario* out, std::string* error) {
  ScenarioParser parser;
  return parser.Parse(text, out, error);
}

bool ScenarioParser::Parse(std::string_view text, Scenario* out, std::string* error) {
  bool ok = true;
  if (text.size() > kMaxScenarioBytes) {
    error_ = Join({"scenario is larger than ", std::to_string(kMaxScenarioBytes), " bytes"});
    ok = false;
  }
  LineReader reader(text);
  std::string_view raw;
  while (ok && reader.Next(&raw)) {
    lineNumber_ = reader.LineNumber();
    ok = ParseLine(raw);
  }
  if (ok) ok = Finish();
  if (!ok) {
    if (error != nullptr) *error = error_;
    return false;
  }
  if (out != nullptr) *out = std::move(scenario_);
  return true;
}

bool ScenarioParser::ParseLine(std::string_view raw) {
  if (raw.size() > kMaxLineLength) {
    return Error(Join({"longer than ", std::to_string(kMaxLineLength), " characters"}));
  }
  line_ = StripComment(raw);
  const Words words = SplitWords(line_);
  if (words.empty()) return true;
  return gpu_ ? GpuBlockLine(words) : TopLevelLine(words);
}

bool ScenarioParser::Finish() {
  if (!gpu_) return true;
  lineNumber_ = gpuLine_;
  return Error("'gpu' block is not closed with 'end'");
}

bool ScenarioParser::Dispatch(const Words& words, const Keyword* table, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (table[i].word == words[0]) return (this->*table[i].handler)(words);
  }
  return Error(Join(
      {"unknown keyword '", words[0], "'", gpu_ ? " in a gpu block" : " outside a gpu block"}));
}

bool ScenarioParser::TopLevelLine(const Words& words) {
  static constexpr Keyword kTable[] = {
      {"library", &ScenarioParser::LibraryLine}, {"hooks", &ScenarioParser::HooksLine},
      {"absent", &ScenarioParser::AbsentLine},   {"fail", &ScenarioParser::FailLine},
      {"delay", &ScenarioParser::DelayLine},     {"gpu", &ScenarioParser::GpuLine},
      {"hang", &ScenarioParser::HangLine},       {"slow", &ScenarioParser::SlowLine},
  };
  return Dispatch(words, kTable, std::size(kTable));
}

bool ScenarioParser::LibraryLine(const Words& words) {
  if (!WordCount(words, 3, 3, "library nvapi|nvml missing|present")) return false;
  bool* missing = nullptr;
  if (words[1] == "nvapi") missing = &scenario_.nvapiMissing;
  if (words[1] == "nvml") missing = &scenario_.nvmlMissing;
  if (missing == nullptr) return Error(Join({"unknown library '", words[1], "'"}));
  if (words[2] != "missing" && words[2] != "present") {
    return Error(Join({"expected 'missing' or 'present', got '", words[2], "'"}));
  }
  *missing = words[2] == "missing";
  return true;
}

bool ScenarioParser::HooksLine(const Words& words) {
  if (!WordCount(words, 2, 3, "hooks none | hooks pre [post] | hooks post")) return false;
  scenario_.preCallHook = false;
  scenario_.postCallHook = false;
  if (words.size() == 2 && words[1] == "none") return true;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == "pre") {
      scenario_.preCallHook = true;
    } else if (words[i] == "post") {
      scenario_.postCallHook = true;
    } else {
      return Error(Join({"unknown hook '", words[i], "' (pre, post or none)"}));
    }
  }
  return true;
}

bool ScenarioParser::AbsentLine(const Words& words) {
  if (!WordCount(words, 2, 2, "absent FUNCTION")) return false;
  Fn fn{};
  if (!Target(words[1], &fn)) return false;
  scenario_.absent[Index(fn)] = true;
  return true;
}

bool ScenarioParser::FailLine(const Words& words) {
  if (!WordCount(words, 3, 7, "fail FUNCTION STATUS [from N] [to M]")) return false;
  FailRule rule;
  rule.calls.gpu = gpu_;
  std::int64_t status = 0;
  if (!Target(words[1], &rule.calls.fn) || !RoomForRule()) return false;
  if (rule.calls.fn == Fn::kPreCallHook || rule.calls.fn == Fn::kPostCallHook) {
    return Error("the call hooks return no status and cannot fail");
  }
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (!Integer(words[2], kMin, kMax, &status)) return false;
  rule.status = static_cast<std::int32_t>(status);
  if (!SpanBounds(words, 3, &rule.calls)) return false;
  scenario_.failures.push_back(rule);
  return true;
}

bool ScenarioParser::SpanBounds(const Words& words, std::size_t first, CallSpan* span) {
  for (std::size_t i = first; i < words.size(); i += 2) {
    if (i + 1 >= words.size()) return Error(Join({"'", words[i], "' needs a number"}));
    std::uint32_t* bound = words[i] == "from" ? &span->from
                           : words[i] == "to" ? &span->to
                                              : nullptr;
    if (bound == nullptr) return Error(Join({"expected 'from' or 'to', got '", words[i], "'"}));
    std::int64_t value = 0;
    if (!Integer(words[i + 1], 1, std::numeric_limits<std::uint32_t>::max(), &value)) return false;
    *bound = static_cast<std::uint32_t>(value);
  }
  if (span->from > span->to) return Error("'from' is after 'to'");
  return true;
}

bool ScenarioParser::DelayLine(const Words& words) {
  if (!WordCount(words, 3, 3, "delay FUNCTION MILLISECONDS")) return false;
  DelayRule rule;
  rule.gpu = gpu_;
  std::int64_t ms = 0;
  if (!Target(words[1], &rule.fn) || !RoomForRule()) return false;
  if (!Integer(words[2], 0, kMaxDelayMs, &ms)) return false;
  rule.ms = static_cast<std::uint32_t>(ms);
  scenario_.delays.push_back(rule);
  return true;
}

bool ScenarioParser::GpuLine(const Words& words) {
  if (!WordCount(words, 1, 1, "gpu")) return false;
  if (scenario_.gpus.size() >= kMaxGpus) {
    return Error(Join({"more than ", std::to_string(kMaxGpus), " GPUs"}));
  }
  gpu_ = scenario_.gpus.size();
  gpuLine_ = lineNumber_;
  scenario_.gpus.push_back(DefaultGpu(*gpu_));
  return true;
}

bool ScenarioParser::Error(const std::string& message) {
  error_ = Join({"line ", std::to_string(lineNumber_), ": ", message});
  return false;
}

bool ScenarioParser::WordCount(const Words& words, std::size_t least, std::size_t most,
                               const char* usage) {
  if (words.size() >= least && words.size() <= most) return true;
  return Error(Join({"wrong number of values, expected: ", usage}));
}

bool ScenarioParser::Integer(std::string_view word, std::int64_t least, std::int64_t most,
                             std::int64_t* out) {
  const std::optional<std::int64_t> value = ParseInteger(word);
  if (!value) return Error(Join({"'", word, "' is not a number"}));
  if (*value < least || *value > most) {
    return Error(
        Join({word, " is out of range ", std::to_string(least), ".." + std::to_string(most)}));
  }
  *out = *value;
  return true;
}

bool ScenarioParser::U32(std::string_view word, std::uint32_t* out) {
  std::int64_t value = 0;
  if (!Integer(word, 0, std::numeric_limits<std::uint32_t>::max(), &value)) return false;
  *out = static_cast<std::uint32_t>(value);
  return true;
}

bool ScenarioParser::Target(std::string_view word, Fn* out) {
  const std::optional<Fn> fn = FunctionByTarget(word);
  if (!fn) return Error(Join({"unknown function '", word, "'"}));
  if (gpu_ && !Function(*fn).perGpu) {
    return Error(Join({word, " names no GPU; put this rule outside the gpu block"}));
  }
  *out = *fn;
  return true;
}

bool ScenarioParser::RoomForRule() {
  const std::size_t rules = scenario_.failures.size() + scenario_.delays.size() +
                            scenario_.hangs.size() + scenario_.slow.size();
  if (rules < kMaxRules) return true;
  return Error(
      Join({"more than ", std::to_string(kMaxRules), " fail, delay, hang and slow rules"}));
}

}  // namespace sim
