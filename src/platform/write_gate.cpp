#include "platform/write_gate.h"

#include <chrono>
#include <thread>

#include "platform/lasting.h"

namespace platform {

bool WriteGate::Enter() {
  // Counted before the test: a Shut that comes after this test then sees the write and waits.
  writing_.fetch_add(1);
  if (!shut_.load()) return true;
  writing_.fetch_sub(1);
  return false;
}

void WriteGate::Leave() {
  writing_.fetch_sub(1);
}

bool WriteGate::Shut(std::uint32_t waitMs) {
  shut_.store(true);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (writing_.load() != 0) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

WriteGate& ProcessWriteGate() {
  static Lasting<WriteGate> gate;
  return gate.Get();
}

}  // namespace platform
