// Appending a record to a file whole or not at all. The bytes are written with one call through
// a stream without a buffer of its own, so a write that fails leaves nothing behind to be added
// later; the file is then cut back to the length it had before through the handle still open,
// so no second open of the name (which another program may have taken meanwhile) is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace logging {

// The file operations an append needs; the program's own work on the runtime's files, tests
// add faults.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  // Opens `path` for appending (created when missing), binary and unbuffered: the bytes are
  // stored as given, and each write has reached the system when it returns.
  virtual bool Open(const char* path) = 0;
  // The open file's length.
  virtual bool Length(std::uint64_t& length) = 0;
  // The count of bytes that reached the file: all of them unless the write failed.
  virtual std::size_t Write(std::string_view bytes) = 0;
  // Cuts the open file to `length` bytes.
  virtual bool Truncate(std::uint64_t length) = 0;
  virtual void Close() = 0;
};

enum class AppendResult {
  kWritten,     // the bytes are in the file
  kNotOpened,   // the file could not be opened; nothing changed
  kRolledBack,  // the write failed; the file is as it was before
  kDamaged,     // the write failed and the file could not be cut back
};

struct Appended {
  AppendResult result = AppendResult::kWritten;
  // The bytes of the append that stayed in the file: all when written, none when opened not or
  // rolled back, the first part of them when damaged.
  std::size_t stayed = 0;
};

Appended AppendWhole(RecordFile& file, const char* path, std::string_view bytes);

// The runtime library's files: one open file at a time.
class StdioRecordFile final : public RecordFile {
 public:
  bool Open(const char* path) override;
  bool Length(std::uint64_t& length) override;
  std::size_t Write(std::string_view bytes) override;
  bool Truncate(std::uint64_t length) override;
  void Close() override;

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace logging
