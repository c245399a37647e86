#include "screenshot/bmp_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using namespace screenshot;

std::uint32_t U32At(const std::array<std::uint8_t, kBmpHeaderSize>& h, std::size_t at) {
  return h[at] | h[at + 1] << 8 | h[at + 2] << 16 | static_cast<std::uint32_t>(h[at + 3]) << 24;
}

TEST(BmpFile, HeadersByteForByteAndStrides) {
  struct Case {
    int width, height;
    std::uint32_t stride, fileSize;
  };
  for (const Case c : {Case{800, 600, 2400, 54 + 600 * 2400}, Case{801, 600, 2404, 54 + 600 * 2404},
                       Case{803, 600, 2412, 54 + 600 * 2412}, Case{802, 602, 2408, 1449670}}) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(BmpStride(c.width), c.stride);
    const auto h = BmpHeaders(c.width, c.height);
    std::array<std::uint8_t, kBmpHeaderSize> expected{};
    const std::uint32_t image = c.fileSize - 54;
    const std::uint8_t fixed[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
    std::memcpy(expected.data(), fixed, sizeof fixed);
    for (int i = 0; i < 4; ++i) {
      expected[2 + i] = static_cast<std::uint8_t>(c.fileSize >> (8 * i));
      expected[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.width) >> (8 * i));
      expected[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.height) >> (8 * i));
      expected[34 + i] = static_cast<std::uint8_t>(image >> (8 * i));
    }
    expected[26] = 1;
    expected[28] = 24;
    EXPECT_EQ(h, expected);
    EXPECT_EQ(U32At(h, 2), c.fileSize);
  }
}

// Keeps the bytes in memory; the chosen write fails after storing part of its bytes.
class MemorySink final : public BmpSink {
 public:
  bool Create(const char*) override {
    bytes.clear();
    exists = true;
    return creatable;
  }
  bool Write(const void* data, std::size_t size) override {
    const auto* begin = static_cast<const std::uint8_t*>(data);
    if (++writes == failingWrite) {
      bytes.insert(bytes.end(), begin, begin + size / 2);
      return false;
    }
    bytes.insert(bytes.end(), begin, begin + size);
    return true;
  }
  bool Close() override { return true; }
  void Remove(const char*) override {
    bytes.clear();
    exists = false;
  }
  std::vector<std::uint8_t> bytes;
  bool exists = false;
  bool creatable = true;
  int writes = 0;
  int failingWrite = -1;
};

TEST(BmpFile, RowsAreStoredAsGivenBottomRowFirstWithZeroPadding) {
  // 3 × 2 pixels: stride 12, 3 padding bytes per row, garbage in them before the write.
  std::vector<std::uint8_t> rows(2 * 12, 0xEE);
  for (int x = 0; x < 3; ++x) {
    rows[3 * x] = 0x10;           // bottom row: blue
    rows[12 + 3 * x + 2] = 0x20;  // top row: red
  }
  MemorySink sink;
  ASSERT_TRUE(WriteBmpFile(sink, "x.bmp", 3, 2, rows.data()));
  ASSERT_EQ(sink.bytes.size(), 54u + 24u);
  const std::vector<std::uint8_t> pixels(sink.bytes.begin() + 54, sink.bytes.end());
  const std::vector<std::uint8_t> expected = {0x10, 0xEE, 0xEE, 0x10, 0xEE, 0xEE, 0x10, 0xEE,
                                              0xEE, 0,    0,    0,    0xEE, 0xEE, 0x20, 0xEE,
                                              0xEE, 0x20, 0xEE, 0xEE, 0x20, 0,    0,    0};
  EXPECT_EQ(pixels, expected);
}

TEST(BmpFile, AFailedWriteLeavesNoFileAndNothingIsWrittenFromNoPixels) {
  std::vector<std::uint8_t> rows(BmpStride(5) * 4, 0x55);
  for (const int failing : {1, 2}) {
    MemorySink sink;
    sink.failingWrite = failing;
    EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, rows.data()));
    EXPECT_FALSE(sink.exists) << "write " << failing;
  }
  MemorySink sink;
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, nullptr));
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 0, 4, rows.data()));
  EXPECT_FALSE(sink.exists);
  sink.creatable = false;
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, rows.data()));
}

TEST(BmpFile, AnExistingFileIsReplaced) {
  const auto path = std::filesystem::temp_directory_path() / "quorvane-bmp-replace.bmp";
  std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
  std::vector<std::uint8_t> rows(BmpStride(2) * 2, 0);
  StdioBmpSink sink;
  ASSERT_TRUE(WriteBmpFile(sink, path.string().c_str(), 2, 2, rows.data()));
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes.size(), 54u + 16u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "BM");
  std::filesystem::remove(path);
}

}  // namespace
