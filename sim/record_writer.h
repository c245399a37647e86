// Bounded writes into a caller's record: a field is written only when it lies wholly inside the
// size the record's version word announces (and inside the record type itself).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace sim {

class RecordWriter {
 public:
  RecordWriter(void* record, std::size_t size)
      : base_(static_cast<unsigned char*>(record)), size_(size) {}

  template <typename T>
  void Put(std::size_t offset, T value) {
    if (offset + sizeof(T) <= size_) std::memcpy(base_ + offset, &value, sizeof(T));
  }
  bool Fits(std::size_t offset, std::size_t length) const { return offset + length <= size_; }
  std::size_t Size() const { return size_; }

 private:
  unsigned char* base_;
  std::size_t size_;
};

inline std::uint32_t VersionWordOf(const void* record) {
  std::uint32_t word = 0;
  std::memcpy(&word, record, sizeof(word));
  return word;
}

}  // namespace sim
