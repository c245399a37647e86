// An object made on first use that is never destroyed. Threads that are never joined (the
// sampling, logging and screenshot threads) may still be using it while the process ends, so
// no destructor may run under them at exit: a `static Lasting<T>` has none.
#pragma once

#include <new>
#include <type_traits>
#include <utility>

namespace platform {

template <typename T>
class Lasting {
 public:
  template <typename... Args>
  explicit Lasting(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  Lasting(const Lasting&) = delete;
  Lasting& operator=(const Lasting&) = delete;

  T& Get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

static_assert(std::is_trivially_destructible_v<Lasting<std::pair<int, int>>>);

}  // namespace platform
