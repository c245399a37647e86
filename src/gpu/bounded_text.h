// A narrow text in a caller's fixed buffer that can only grow up to the buffer's size less the
// terminator: every append is bounded, anything that does not fit is cut, and the buffer is
// terminated after every step. Numbers go through a cleared 20-byte scratch buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gpu {

class BoundedText {
 public:
  // Clears `buffer` (`size` bytes, at least 1) and starts an empty text in it.
  BoundedText(char* buffer, std::size_t size);
  template <std::size_t Size>
  explicit BoundedText(char (&buffer)[Size]) : BoundedText(buffer, Size) {}

  // Appends `text` up to its terminator.
  void Append(const char* text);
  // Appends at most `maxLength` characters of `text`, stopping early at a terminator; `text`
  // need not be terminated within `maxLength`.
  void Append(const char* text, std::size_t maxLength);
  void Append(char character);
  // Appends a wide text as narrow text: printable ASCII as it is, every other character as '?'.
  // Reads no further than what still fits; a null text appends nothing.
  void AppendNarrow(const wchar_t* wide);
  // The value in decimal.
  void AppendDecimal(std::uint32_t value);
  // The value in decimal, with a minus sign when it is negative.
  void AppendSignedDecimal(std::int32_t value);
  // The value as "0x" and eight upper-case hexadecimal digits.
  void AppendHex8(std::uint32_t value);

  std::size_t Length() const { return length_; }
  // Characters that still fit.
  std::size_t Room() const { return capacity_ - length_; }
  const char* Text() const { return buffer_; }

 private:
  char* buffer_;
  std::size_t capacity_;  // characters, without the terminator
  std::size_t length_ = 0;
};

}  // namespace gpu
