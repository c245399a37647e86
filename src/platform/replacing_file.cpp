#include "platform/replacing_file.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/code_page_text.h"

namespace platform {
namespace {

// Names already taken (by another program, or left by an earlier run) are passed over.
constexpr int kNameTries = 16;

std::uint32_t NextSerial() {
  static std::atomic<std::uint32_t> serial{0};
  return serial.fetch_add(1, std::memory_order_relaxed);
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

}  // namespace

std::size_t FolderLength(const char* path, std::uint32_t codePage) {
  std::size_t folder = 0;
  std::size_t at = 0;
  for (std::size_t length = 0; (length = CharacterLength(path + at, codePage)) != 0; at += length) {
    if (length == 1 && IsSeparator(path[at])) folder = at + 1;
  }
  return folder;
}

bool TemporaryNameFor(const char* path, std::uint32_t serial, std::uint32_t codePage,
                      char (&name)[kPathSize]) {
  const std::size_t folder = FolderLength(path, codePage);
  if (path[folder] == '\0') return false;  // no file name
  const int written = std::snprintf(name, sizeof name, "%.*s~%04X", static_cast<int>(folder), path,
                                    static_cast<unsigned>(serial & 0xFFFFu));
  return written > 0 && static_cast<std::size_t>(written) < sizeof name;
}

ReplacingFile::~ReplacingFile() {
  Discard();
}

bool ReplacingFile::Create(const char* path) {
  Discard();
  const std::uint32_t codePage = FileNameCodePage();
  for (int i = 0; i < kNameTries; ++i) {
    if (!TemporaryNameFor(path, NextSerial(), codePage, temporary_)) return false;
    if (CreateNew()) {
      exists_ = true;
      return true;
    }
  }
  return false;
}

void ReplacingFile::Discard() {
  CloseQuietly();
  if (exists_) std::remove(temporary_);
  exists_ = false;
}

}  // namespace platform
