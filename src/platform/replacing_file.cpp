#include "platform/replacing_file.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

// Names already taken (by another program, or left by an earlier run) are passed over.
constexpr int kNameTries = 16;

std::uint32_t NextSerial() {
  static std::atomic<std::uint32_t> serial{0};
  return serial.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

bool TemporaryNameFor(const char* path, std::uint32_t serial, char (&name)[kMaxPathBytes]) {
  const std::size_t length = std::strlen(path);
  if (length == 0) return false;
  const int written =
      std::snprintf(name, sizeof name, "%s.~%04X", path, static_cast<unsigned>(serial & 0xFFFFu));
  return written > 0 && static_cast<std::size_t>(written) < sizeof name;
}

ReplacingFile::~ReplacingFile() {
  Discard();
}

bool ReplacingFile::Create(const char* path) {
  Discard();
  for (int i = 0; i < kNameTries; ++i) {
    if (!TemporaryNameFor(path, NextSerial(), temporary_)) return false;
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
