#include <cstdio>

#include "platform/code_page_text.h"
#include "platform/replacing_file.h"

namespace platform {

std::uint32_t FileNameCodePage() {
  return kUtf8CodePage;
}

bool ReplacingFile::CreateNew() {
  file_ = std::fopen(temporary_, "wbx");  // fails when the name exists
  return file_ != nullptr;
}

bool ReplacingFile::Write(const void* bytes, std::size_t size) {
  return file_ != nullptr && std::fwrite(bytes, 1, size, static_cast<std::FILE*>(file_)) == size;
}

bool ReplacingFile::Close() {
  if (file_ == nullptr) return false;
  const bool closed = std::fclose(static_cast<std::FILE*>(file_)) == 0;
  file_ = nullptr;
  return closed;
}

void ReplacingFile::CloseQuietly() {
  if (file_ != nullptr) std::fclose(static_cast<std::FILE*>(file_));
  file_ = nullptr;
}

bool ReplacingFile::Replace(const char* path) {
  if (file_ != nullptr || !exists_ || std::rename(temporary_, path) != 0) return false;
  exists_ = false;
  return true;
}

}  // namespace platform
