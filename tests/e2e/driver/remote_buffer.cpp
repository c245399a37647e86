#include "remote_buffer.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) const {
  SIZE_T written = 0;
  return WriteProcessMemory(process_, Address(offset), data, size, &written) && written == size;
}

bool RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
  SIZE_T read = 0;
  return ReadProcessMemory(process_, Address(offset), data, size, &read) && read == size;
}

}  // namespace e2e
