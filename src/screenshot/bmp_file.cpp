#include "screenshot/bmp_file.h"

#include <cstring>

namespace screenshot {
namespace {

void Put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}

void ZeroPadding(std::uint8_t* rows, std::int32_t width, std::int32_t height) {
  const std::uint32_t stride = BmpStride(width);
  const std::uint32_t used = 3 * static_cast<std::uint32_t>(width);
  for (std::int32_t y = 0; y < height; ++y) {
    std::memset(rows + static_cast<std::size_t>(y) * stride + used, 0, stride - used);
  }
}

}  // namespace

std::uint32_t BmpStride(std::int32_t width) {
  return width <= 0 ? 0 : (3 * static_cast<std::uint32_t>(width) + 3) / 4 * 4;
}

std::array<std::uint8_t, kBmpHeaderSize> BmpHeaders(std::int32_t width, std::int32_t height) {
  const std::uint32_t imageSize =
      BmpStride(width) * static_cast<std::uint32_t>(height < 0 ? 0 : height);
  std::array<std::uint8_t, kBmpHeaderSize> headers{};
  headers[0] = 'B';
  headers[1] = 'M';
  Put32(&headers[2], static_cast<std::uint32_t>(kBmpHeaderSize) + imageSize);
  Put32(&headers[10], static_cast<std::uint32_t>(kBmpHeaderSize));
  Put32(&headers[14], 40);
  Put32(&headers[18], static_cast<std::uint32_t>(width));
  Put32(&headers[22], static_cast<std::uint32_t>(height));
  Put16(&headers[26], 1);
  Put16(&headers[28], 24);
  Put32(&headers[34], imageSize);
  return headers;
}

bool WriteBmpFile(BmpSink& sink, const char* path, std::int32_t width, std::int32_t height,
                  std::uint8_t* rows) {
  if (width <= 0 || height <= 0 || rows == nullptr) return false;
  if (!sink.Create(path)) return false;
  ZeroPadding(rows, width, height);
  const auto headers = BmpHeaders(width, height);
  const std::size_t imageSize = static_cast<std::size_t>(BmpStride(width)) * height;
  const bool written = sink.Write(headers.data(), headers.size()) && sink.Write(rows, imageSize);
  if (sink.Close() && written && sink.Replace(path)) return true;
  sink.Discard();
  return false;
}

}  // namespace screenshot
