#include "logging/record_file.h"

#include "platform/truncate_file.h"

namespace logging {

bool StdioRecordFile::Open(const char* path) {
  file_ = std::fopen(path, "ab");
  if (file_ == nullptr) return false;
  // Without a buffer a failed write keeps no bytes that the close would add after the cut. The
  // call cannot fail: the stream is new and the mode valid.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  return true;
}

bool StdioRecordFile::Length(std::uint64_t& length) {
  // A stream without an end, such as a pipe, could not be cut back: it takes nothing.
  const std::int64_t position =
      std::fseek(file_, 0, SEEK_END) == 0 ? platform::FilePosition(file_) : -1;
  if (position < 0) return false;
  length = static_cast<std::uint64_t>(position);
  return true;
}

std::size_t StdioRecordFile::Write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_);
}

bool StdioRecordFile::Truncate(std::uint64_t length) {
  return platform::TruncateStream(file_, length);
}

void StdioRecordFile::Close() {
  // Nothing is buffered: every byte written has reached the system, and a close cannot lose it.
  std::fclose(file_);
  file_ = nullptr;
}

Appended AppendWhole(RecordFile& file, const char* path, std::string_view bytes) {
  if (!file.Open(path)) return {AppendResult::kNotOpened, 0};
  std::uint64_t before = 0;
  if (!file.Length(before)) {
    file.Close();
    return {AppendResult::kRolledBack, 0};  // nothing written yet
  }
  const std::size_t reached = file.Write(bytes);
  Appended appended{AppendResult::kWritten, reached};
  if (reached != bytes.size()) {
    appended = file.Truncate(before) ? Appended{AppendResult::kRolledBack, 0}
                                     : Appended{AppendResult::kDamaged, reached};
  }
  file.Close();
  return appended;
}

}  // namespace logging
