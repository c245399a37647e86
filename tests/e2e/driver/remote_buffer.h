// A block of memory inside another process, for messages whose arguments are pointers that the
// system does not carry across processes (the tab control's item queries).
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const;
  bool Read(std::size_t offset, void* data, std::size_t size) const;

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace e2e
