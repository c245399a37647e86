#include "logging/record_file.h"

#include "platform/truncate_file.h"

namespace logging {

bool StdioRecordFile::Open(const char* path) {
  file_ = std::fopen(path, "ab");
  return file_ != nullptr;
}

bool StdioRecordFile::Length(std::uint64_t& length) {
  if (std::fseek(file_, 0, SEEK_END) != 0) return false;
  const std::int64_t position = platform::FilePosition(file_);
  if (position < 0) return false;
  length = static_cast<std::uint64_t>(position);
  return true;
}

bool StdioRecordFile::Write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
         std::fflush(file_) == 0;
}

bool StdioRecordFile::Close() {
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return closed;
}

bool StdioRecordFile::Truncate(const char* path, std::uint64_t length) {
  return platform::TruncateFile(path, length);
}

AppendResult AppendWhole(RecordFile& file, const char* path, std::string_view bytes) {
  if (!file.Open(path)) return AppendResult::kNotOpened;
  std::uint64_t before = 0;
  if (!file.Length(before)) {
    file.Close();
    return AppendResult::kRolledBack;  // nothing written yet
  }
  const bool written = file.Write(bytes);
  const bool closed = file.Close();
  if (written && closed) return AppendResult::kWritten;
  return file.Truncate(path, before) ? AppendResult::kRolledBack : AppendResult::kDamaged;
}

}  // namespace logging
