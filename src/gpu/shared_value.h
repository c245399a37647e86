// A word shared between threads without a lock: one relaxed atomic load or store per access,
// so a reader sees either the old or the new value, never a torn one, and no writer waits.
#pragma once

#include <atomic>

namespace gpu {

template <typename T>
class Shared {
  static_assert(std::atomic<T>::is_always_lock_free, "a shared value must be one machine word");

 public:
  constexpr Shared() = default;
  constexpr explicit Shared(T initial) : value_(initial) {}
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;

  T Load() const { return value_.load(std::memory_order_relaxed); }
  void Store(T value) { value_.store(value, std::memory_order_relaxed); }

 private:
  std::atomic<T> value_{};
};

}  // namespace gpu
