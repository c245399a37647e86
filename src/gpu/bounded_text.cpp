#include "gpu/bounded_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace gpu {
namespace {

constexpr std::size_t kScratchSize = 20;

}  // namespace

BoundedText::BoundedText(char* buffer, std::size_t size) : buffer_(buffer), capacity_(size - 1) {
  std::memset(buffer_, 0, size);
}

void BoundedText::Append(const char* text) {
  Append(text, Room());
}

void BoundedText::Append(const char* text, std::size_t maxLength) {
  if (text == nullptr) return;
  for (std::size_t i = 0; i < maxLength && text[i] != '\0' && length_ < capacity_; ++i) {
    buffer_[length_++] = text[i];
  }
  buffer_[length_] = '\0';
}

void BoundedText::Append(char character) {
  const char text[2] = {character, '\0'};
  Append(text, 1);
}

void BoundedText::AppendDecimal(std::uint32_t value) {
  char scratch[kScratchSize] = {};
  std::snprintf(scratch, sizeof scratch, "%" PRIu32, value);
  Append(scratch, sizeof scratch);
}

void BoundedText::AppendSignedDecimal(std::int32_t value) {
  char scratch[kScratchSize] = {};
  std::snprintf(scratch, sizeof scratch, "%" PRId32, value);
  Append(scratch, sizeof scratch);
}

void BoundedText::AppendHex8(std::uint32_t value) {
  char scratch[kScratchSize] = {};
  std::snprintf(scratch, sizeof scratch, "0x%08" PRIX32, value);
  Append(scratch, sizeof scratch);
}

void BoundedText::AppendNarrow(const wchar_t* wide) {
  if (wide == nullptr) return;
  for (std::size_t i = 0; Room() > 0 && wide[i] != L'\0'; ++i) {
    const wchar_t c = wide[i];
    Append(c >= L' ' && c <= L'~' ? static_cast<char>(c) : '?');
  }
}

}  // namespace gpu
