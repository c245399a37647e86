// A file written under a name of its own in the folder of its final name and moved over that
// name only once it is whole. Until then a file of the final name stays as it was; a write that
// fails, a full disk or a program that ends during the write leave nothing torn under the final
// name, and a write that fails removes what it wrote. Where the system can, the file written
// first is marked for deletion while it is written, so that a program that ends before the move
// takes it with it; the mark is cleared just before the move.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Bytes of a file path with its terminating NUL: what a save dialog gives and a file is opened by.
inline constexpr std::size_t kPathSize = 260;

// Bytes of the folder part of `path`, up to and including its last separator ('\', '/' or the
// ':' of a drive), 0 for a name alone. The path is walked character by character in `codePage`,
// so the second byte of a double-byte character (0x5C in "ソ") never counts as a separator.
std::size_t FolderLength(const char* path, std::uint32_t codePage);

// The name written first for `path`: "~" and four hexadecimal digits of `serial` in the folder
// of `path`. It is no longer than `path` whenever the file name has five bytes or more ("a.bmp"),
// so every path that fits also fits its first name. False when `path` names no file (it is empty
// or ends in a separator) or the name does not fit in kPathSize.
bool TemporaryNameFor(const char* path, std::uint32_t serial, std::uint32_t codePage,
                      char (&name)[kPathSize]);

// The code page of the system's narrow file names: the ANSI code page on Windows, UTF-8
// elsewhere.
std::uint32_t FileNameCodePage();

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile();  // a file not moved into place is removed
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Makes a new file beside `path`, open for writing and shared with no one.
  bool Create(const char* path);
  bool Write(const void* bytes, std::size_t size);
  // False when what was written did not all reach the file.
  bool Close();
  // Moves the closed file over `path`, replacing a file of that name.
  bool Replace(const char* path);
  // Removes the file written so far; `path` is left as it was.
  void Discard();

 private:
  bool CreateNew();  // the system's exclusive create of `temporary_`
  void CloseQuietly();

  char temporary_[kPathSize] = {};
  void* file_ = nullptr;
  bool exists_ = false;
};

}  // namespace platform
