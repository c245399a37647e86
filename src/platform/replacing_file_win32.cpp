#include <windows.h>

#include <algorithm>

#include "platform/replacing_file.h"

namespace platform {
namespace {

// The delete disposition of an open file: while it is set, the system deletes the file when its
// last handle closes, also the handles of a process that ends.
bool SetDeleteOnClose(HANDLE file, bool deleteOnClose) {
  FILE_DISPOSITION_INFO disposition = {};
  disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) !=
         0;
}

}  // namespace

std::uint32_t FileNameCodePage() {
  return GetACP();
}

// The file is marked for deletion from the start: a program that ends while it writes leaves
// nothing behind. A file system that takes no mark still gets the picture.
bool ReplacingFile::CreateNew() {
  HANDLE file = CreateFileA(temporary_, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  file_ = file == INVALID_HANDLE_VALUE ? nullptr : file;
  if (file_ != nullptr) SetDeleteOnClose(file_, true);
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

// The bytes reach the disk, and the deletion mark is cleared, only now, just before the move: a
// picture moved into place is whole, and the file stays for the move.
bool ReplacingFile::Close() {
  if (file_ == nullptr) return false;
  const bool flushed = FlushFileBuffers(file_) != 0;
  const bool kept = SetDeleteOnClose(file_, false);
  const bool closed = CloseHandle(file_) != 0;
  file_ = nullptr;
  return flushed && kept && closed;
}

// A file still marked goes with its handle.
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
