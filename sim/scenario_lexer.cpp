#include "scenario_lexer.h"

#include <charconv>

namespace sim {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::uint64_t> ParseMagnitude(std::string_view digits) {
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) return {};
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
  if (ec != std::errc() || ptr != end) return {};
  return value;
}

}  // namespace

std::string_view StripComment(std::string_view line) {
  const std::size_t hash = line.find('#');
  if (hash != std::string_view::npos) line = line.substr(0, hash);
  return Trim(line);
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<std::int64_t> ParseInteger(std::string_view word) {
  bool negative = false;
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  if (word.empty() || word[0] == '-' || word[0] == '+') return {};
  const std::optional<std::uint64_t> magnitude = ParseMagnitude(word);
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 62;  // far beyond any field we fill
  if (!magnitude || *magnitude > kLimit) return {};
  const auto value = static_cast<std::int64_t>(*magnitude);
  return negative ? -value : value;
}

bool LineReader::Next(std::string_view* line) {
  if (position_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', position_);
  if (end == std::string_view::npos) end = text_.size();
  std::string_view raw = text_.substr(position_, end - position_);
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  position_ = end + 1;
  ++lineNumber_;
  *line = raw;
  return true;
}

}  // namespace sim
