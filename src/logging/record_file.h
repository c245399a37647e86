// Appending a record to a file whole or not at all. The bytes are written with one call and
// the file closed; when the write or the close fails, the file is cut back to the length it had
// before, so earlier records are never damaged and no half record stays behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace logging {

// The file operations an append needs; the program's own work on the runtime's files, tests
// add faults.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  // Opens `path` for appending (created when missing), binary: the bytes are stored as given.
  virtual bool Open(const char* path) = 0;
  // The open file's length.
  virtual bool Length(std::uint64_t& length) = 0;
  virtual bool Write(std::string_view bytes) = 0;
  // Closes the open file; false when what was written did not all reach it.
  virtual bool Close() = 0;
  // Cuts the (closed) file at `path` to `length` bytes.
  virtual bool Truncate(const char* path, std::uint64_t length) = 0;
};

enum class AppendResult {
  kWritten,     // the bytes are in the file
  kNotOpened,   // the file could not be opened; nothing changed
  kRolledBack,  // the write failed; the file is as it was before
  kDamaged,     // the write failed and the file could not be cut back
};

AppendResult AppendWhole(RecordFile& file, const char* path, std::string_view bytes);

// The runtime library's files: one open file at a time.
class StdioRecordFile final : public RecordFile {
 public:
  bool Open(const char* path) override;
  bool Length(std::uint64_t& length) override;
  bool Write(std::string_view bytes) override;
  bool Close() override;
  bool Truncate(const char* path, std::uint64_t length) override;

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace logging
