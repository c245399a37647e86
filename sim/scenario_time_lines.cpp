// The lines that make a driver misbehave in time: calls that hang, a driver that is slow in
// every call, and a GPU that falls off the bus for a span of its cycles.
#include <limits>

#include "scenario_parser_impl.h"

namespace sim {

bool ScenarioParser::HangLine(const Words& words) {
  if (!WordCount(words, 3, 7, "hang FUNCTION MILLISECONDS|forever [from N] [to M]")) return false;
  HangRule rule;
  rule.calls.gpu = gpu_;
  if (!Target(words[1], &rule.calls.fn) || !RoomForRule()) return false;
  if (words[2] == "forever") {
    rule.ms = kForeverMs;
  } else {
    std::int64_t ms = 0;
    if (!Integer(words[2], 0, kForeverMs - 1, &ms)) return false;
    rule.ms = static_cast<std::uint32_t>(ms);
  }
  if (!SpanBounds(words, 3, &rule.calls)) return false;
  scenario_.hangs.push_back(rule);
  return true;
}

bool ScenarioParser::SlowLine(const Words& words) {
  if (!WordCount(words, 2, 2, "slow MILLISECONDS")) return false;
  if (!RoomForRule()) return false;
  std::int64_t ms = 0;
  if (!Integer(words[1], 0, kMaxDelayMs, &ms)) return false;
  scenario_.slow.push_back({gpu_, static_cast<std::uint32_t>(ms)});
  return true;
}

bool ScenarioParser::LostLine(const Words& words) {
  if (!WordCount(words, 3, 5, "lost from N [back M]")) return false;
  if (words[1] != "from") return Error(Join({"expected 'from', got '", words[1], "'"}));
  constexpr std::int64_t kMost = std::numeric_limits<std::uint32_t>::max();
  std::int64_t from = 0;
  if (!Integer(words[2], 1, kMost, &from)) return false;
  std::int64_t back = kMost;
  if (words.size() > 3) {
    if (words[3] != "back") return Error(Join({"expected 'back', got '", words[3], "'"}));
    if (words.size() < 5) return Error("'back' needs a number");
    if (!Integer(words[4], from + 1, kMost, &back)) return false;
  }
  CurrentGpu().lostFrom = static_cast<std::uint32_t>(from);
  CurrentGpu().lostUntil = static_cast<std::uint32_t>(back);
  return true;
}

}  // namespace sim
