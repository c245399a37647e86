#include <windows.h>

#include <algorithm>

#include "platform/replacing_file.h"

namespace platform {

std::uint32_t FileNameCodePage() {
  return GetACP();
}

bool ReplacingFile::CreateNew() {
  HANDLE file = CreateFileA(temporary_, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  file_ = file == INVALID_HANDLE_VALUE ? nullptr : file;
  return file_ != nullptr;
}

bool ReplacingFile::Write(const void* bytes, std::size_t size) {
  const auto* at = static_cast<const char*>(bytes);
  while (file_ != nullptr && size > 0) {
    const DWORD part = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file_, at, part, &written, nullptr) || written != part) return false;
    at += part;
    size -= part;
  }
  return file_ != nullptr;
}

bool ReplacingFile::Close() {
  if (file_ == nullptr) return false;
  // The bytes on the disk before the name is taken: a picture moved into place is whole.
  const bool flushed = FlushFileBuffers(file_) != 0;
  const bool closed = CloseHandle(file_) != 0;
  file_ = nullptr;
  return flushed && closed;
}

void ReplacingFile::CloseQuietly() {
  if (file_ != nullptr) CloseHandle(file_);
  file_ = nullptr;
}

bool ReplacingFile::Replace(const char* path) {
  if (file_ != nullptr || !exists_) return false;
  if (!MoveFileExA(temporary_, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  exists_ = false;
  return true;
}

}  // namespace platform
