// The screenshot's file: a 24-bit uncompressed bitmap, 54 bytes of headers and the pixel rows
// bottom row first, each row blue, green, red per pixel and zero bytes up to a multiple of 4.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace screenshot {

inline constexpr std::size_t kBmpHeaderSize = 54;

// Bytes of one stored row: 3 × width rounded up to a multiple of 4.
std::uint32_t BmpStride(std::int32_t width);

// The file header and the information header for a picture of width × height pixels.
std::array<std::uint8_t, kBmpHeaderSize> BmpHeaders(std::int32_t width, std::int32_t height);

// Where a picture is written: the program's files, tests add faults.
class BmpSink {
 public:
  virtual ~BmpSink() = default;
  // Creates the file, replacing one of that name.
  virtual bool Create(const char* path) = 0;
  virtual bool Write(const void* bytes, std::size_t size) = 0;
  // False when what was written did not all reach the file.
  virtual bool Close() = 0;
  virtual void Remove(const char* path) = 0;
};

// Writes the headers and the rows (height × stride bytes, bottom row first, as a 24-bit
// bottom-up surface holds them) with the padding bytes of every row set to zero, which is why
// the rows are not const. A write that fails is removed: no half picture stays under the name.
// False when no whole file was written.
bool WriteBmpFile(BmpSink& sink, const char* path, std::int32_t width, std::int32_t height,
                  std::uint8_t* rows);

// The runtime library's files.
class StdioBmpSink final : public BmpSink {
 public:
  bool Create(const char* path) override;
  bool Write(const void* bytes, std::size_t size) override;
  bool Close() override;
  void Remove(const char* path) override;

 private:
  void* file_ = nullptr;
};

}  // namespace screenshot
