// The screenshot's file: a 24-bit uncompressed bitmap, 54 bytes of headers and the pixel rows
// bottom row first, each row blue, green, red per pixel and zero bytes up to a multiple of 4.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/replacing_file.h"

namespace screenshot {

inline constexpr std::size_t kBmpHeaderSize = 54;

// Bytes of one stored row: 3 × width rounded up to a multiple of 4.
std::uint32_t BmpStride(std::int32_t width);

// The file header and the information header for a picture of width × height pixels.
std::array<std::uint8_t, kBmpHeaderSize> BmpHeaders(std::int32_t width, std::int32_t height);

// Where a picture is written: the program's files, tests add faults. The picture goes to a
// file of its own beside the chosen name and takes that name only once it is whole.
class BmpSink {
 public:
  virtual ~BmpSink() = default;
  // Makes the new file beside `path`, open for writing and shared with no one.
  virtual bool Create(const char* path) = 0;
  virtual bool Write(const void* bytes, std::size_t size) = 0;
  // False when what was written did not all reach the file.
  virtual bool Close() = 0;
  // Moves the closed file over `path`, replacing a file of that name.
  virtual bool Replace(const char* path) = 0;
  // Removes what was written; a file named `path` stays as it was.
  virtual void Discard() = 0;
};

// Writes the headers and the rows (height × stride bytes, bottom row first, as a 24-bit
// bottom-up surface holds them) with the padding bytes of every row set to zero, which is why
// the rows are not const. A picture that cannot be written whole is discarded: a file of that
// name is then kept as it was, and no half picture stays under any name. False when no whole
// file was written.
bool WriteBmpFile(BmpSink& sink, const char* path, std::int32_t width, std::int32_t height,
                  std::uint8_t* rows);

// The system's files.
class FileBmpSink final : public BmpSink {
 public:
  bool Create(const char* path) override { return file_.Create(path); }
  bool Write(const void* bytes, std::size_t size) override { return file_.Write(bytes, size); }
  bool Close() override { return file_.Close(); }
  bool Replace(const char* path) override { return file_.Replace(path); }
  void Discard() override { file_.Discard(); }

 private:
  platform::ReplacingFile file_;
};

}  // namespace screenshot
