#include "screenshot/bmp_file.h"

#include "platform/replacing_file.h"
#include "screenshot/capture_steps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using namespace screenshot;

TEST(BmpFile, HeadersByteForByteAndStrides) {
  struct Case {
    int width, height;
    std::uint32_t stride, fileSize;
  };
  EXPECT_EQ(BmpStride(0), 0u) << "no width, no row";
  for (const Case c : {Case{1, 1, 4, 58}, Case{800, 600, 2400, 54 + 600 * 2400},
                       Case{801, 600, 2404, 54 + 600 * 2404}, Case{803, 600, 2412, 54 + 600 * 2412},
                       Case{802, 602, 2408, 1449670}}) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(BmpStride(c.width), c.stride);
    const auto h = BmpHeaders(c.width, c.height);
    std::array<std::uint8_t, kBmpHeaderSize> expected{'B', 'M', 0, 0, 0,  0, 0, 0, 0, 0,
                                                      54,  0,   0, 0, 40, 0, 0, 0, 0, 0,
                                                      0,   0,   0, 0, 0,  0, 1, 0, 24};
    for (int i = 0; i < 4; ++i) {
      expected[2 + i] = static_cast<std::uint8_t>(c.fileSize >> (8 * i));
      expected[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.width) >> (8 * i));
      expected[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.height) >> (8 * i));
      expected[34 + i] = static_cast<std::uint8_t>((c.fileSize - 54) >> (8 * i));
    }
    EXPECT_EQ(h, expected);
    EXPECT_EQ(h[2] | h[3] << 8 | h[4] << 16 | static_cast<std::uint32_t>(h[5]) << 24, c.fileSize);
  }
}

// Keeps the files in memory: the picture written beside the name, and the file of the name; the
// chosen write fails after storing part of its bytes.
class MemorySink final : public BmpSink {
 public:
  bool Create(const char*) override {
    staged.clear();
    stagedExists = creatable;
    return creatable;
  }
  bool Write(const void* data, std::size_t size) override {
    const auto* begin = static_cast<const std::uint8_t*>(data);
    const bool fails = ++writes == failingWrite;
    staged.insert(staged.end(), begin, begin + (fails ? size / 2 : size));
    return !fails;
  }
  bool Close() override { return true; }
  bool Replace(const char*) override {
    if (!replaceable) return false;
    bytes = staged;
    stagedExists = false;
    return true;
  }
  void Discard() override {
    staged.clear();
    stagedExists = false;
  }
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(3, 'o');  // the file of the name
  std::vector<std::uint8_t> staged;
  bool stagedExists = false;
  bool creatable = true;
  bool replaceable = true;
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

TEST(BmpFile, AFailedWriteKeepsTheOldFileAndNothingIsWrittenFromNoPixels) {
  std::vector<std::uint8_t> rows(BmpStride(5) * 4, 0x55);
  const std::vector<std::uint8_t> old(3, 'o');
  for (const int failing : {1, 2, 0}) {
    MemorySink sink;
    sink.failingWrite = failing;
    sink.replaceable = failing != 0;  // 0: every write succeeds, the move fails
    EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, rows.data()));
    EXPECT_FALSE(sink.stagedExists) << "write " << failing;
    EXPECT_EQ(sink.bytes, old) << "write " << failing;
  }
  MemorySink sink;
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, nullptr));
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 0, 4, rows.data()));
  EXPECT_EQ(sink.writes, 0);
  sink.creatable = false;
  EXPECT_FALSE(WriteBmpFile(sink, "x.bmp", 5, 4, rows.data()));
  EXPECT_EQ(sink.bytes, old);
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

class PictureFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("quorvane-bmp-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::ofstream(Picture(), std::ios::binary) << old_;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path Picture() const { return folder_ / "existing.bmp"; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    return names;
  }

  std::filesystem::path folder_;
  const std::string old_ = std::string(100000, 'x');
};

// The system's files, with the chosen write cut short.
class FailingFileSink final : public BmpSink {
 public:
  bool Create(const char* path) override { return real_.Create(path); }
  bool Write(const void* bytes, std::size_t size) override {
    const bool fails = ++writes == failingWrite;
    return real_.Write(bytes, fails ? size / 2 : size) && !fails;
  }
  bool Close() override { return real_.Close(); }
  bool Replace(const char* path) override { return real_.Replace(path); }
  void Discard() override { real_.Discard(); }
  int writes = 0;
  int failingWrite = -1;

 private:
  FileBmpSink real_;
};

TEST_F(PictureFolder, AnExistingFileIsReplacedWhole) {
  std::vector<std::uint8_t> rows(BmpStride(2) * 2, 0);
  FileBmpSink sink;
  ASSERT_TRUE(WriteBmpFile(sink, Picture().string().c_str(), 2, 2, rows.data()));
  const std::string bytes = ReadAll(Picture());
  EXPECT_EQ(bytes.size(), 54u + 16u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.bmp"}) << "a file left beside it";
}

TEST_F(PictureFolder, AFailedWriteKeepsTheExistingFileAndLeavesNothingElse) {
  std::vector<std::uint8_t> rows(BmpStride(300) * 200, 0x33);
  FailingFileSink sink;
  sink.failingWrite = 2;
  EXPECT_FALSE(WriteBmpFile(sink, Picture().string().c_str(), 300, 200, rows.data()));
  EXPECT_EQ(ReadAll(Picture()), old_);
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.bmp"});
}

TEST_F(PictureFolder, ThePictureIsWrittenBesideItsNameInTheSameFolder) {
  const std::string path = Picture().string();
  const std::uint32_t codePage = platform::FileNameCodePage();
  char first[platform::kPathSize];
  ASSERT_TRUE(platform::TemporaryNameFor(path.c_str(), 0x1234A, codePage, first));
  EXPECT_EQ(std::string(first), (folder_ / "~234A").string());
  platform::ReplacingFile file;
  ASSERT_TRUE(file.Create(path.c_str()));
  ASSERT_EQ(Names().size(), 2u) << "the new file lies in the same folder";
  const std::string given = Names()[Names()[0] == "existing.bmp" ? 1 : 0];
  file.Discard();
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.bmp"});
  // The name given up is free for another program: a second discard leaves its file alone.
  std::ofstream(folder_ / given) << "theirs";
  file.Discard();
  EXPECT_EQ(ReadAll(folder_ / given), "theirs");
  std::filesystem::remove(folder_ / given);
  // So is the name of a file moved into place.
  ASSERT_TRUE(file.Create(path.c_str()) && file.Write("new", 3) && file.Close());
  const std::string moved = Names()[Names()[0] == "existing.bmp" ? 1 : 0];
  ASSERT_TRUE(file.Replace(path.c_str()));
  std::ofstream(folder_ / moved) << "theirs";
  file.Discard();
  EXPECT_EQ(ReadAll(folder_ / moved), "theirs");
  std::filesystem::remove(folder_ / moved);

  // A name at the system's limit (259 bytes) still has room for the short name beside it.
  const std::string longest =
      (folder_ / std::string(259 - folder_.string().size() - 1, 'p')).string();
  ASSERT_EQ(longest.size(), 259u);
  ASSERT_TRUE(file.Create(longest.c_str()));
  EXPECT_EQ(Names().size(), 2u);
  file.Discard();
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.bmp"});
}

// Names another program holds are passed over, in order, sixteen at most.
TEST_F(PictureFolder, NamesTakenByOthersArePassedOverSixteenAtMost) {
  const std::string path = Picture().string();
  platform::ReplacingFile file;
  ASSERT_TRUE(file.Create(path.c_str()));
  const std::string first = Names()[Names()[0] == "existing.bmp" ? 1 : 0];
  file.Discard();
  const unsigned serial = static_cast<unsigned>(std::stoul(first.substr(1), nullptr, 16));
  const auto name = [&](unsigned n) {
    char text[8];
    std::snprintf(text, sizeof text, "~%04X", n & 0xFFFFu);
    return folder_ / text;
  };
  for (unsigned n = serial + 1; n <= serial + 16; ++n) std::ofstream(name(n)) << "taken";
  EXPECT_FALSE(file.Create(path.c_str()));
  ASSERT_TRUE(file.Create(path.c_str()));
  EXPECT_TRUE(std::filesystem::exists(name(serial + 17)));
  file.Discard();
}

// The first name lies in the folder of the path, found character by character: the second byte
// of a double-byte character of code page 932 can be 0x5C, the byte of the separator.
TEST(ReplacingFileName, ShortNameInTheFolderOfThePath) {
  struct Case {
    std::uint32_t codePage;
    std::string path;
    const char* first;  // null: refused
  };
  const std::string deep = "C:\\" + std::string(251, 'f') + "\\";  // 255 bytes
  for (const Case& c :
       {Case{932, "C:\\shots\\gpu.bmp", "C:\\shots\\~0007"},
        Case{932, "C:\\\x83\x5C.bmp", "C:\\~0007"},                  // "ソ.bmp"
        Case{932, "C:\\\x95\x5C\\\x83\x5C", "C:\\\x95\x5C\\~0007"},  // "表\ソ"
        Case{65001, "C:\\\xE3\x82\xBD\\a.bmp", "C:\\\xE3\x82\xBD\\~0007"},
        Case{65001, "/tmp/a.bmp", "/tmp/~0007"}, Case{65001, "/a.bmp", "/~0007"},
        Case{932, "C:a.bmp", "C:~0007"}, Case{932, "a.bmp", "~0007"},
        Case{932, deep + "a.bmp", nullptr},  // 260 bytes
        Case{932, deep + "a.b", nullptr},    // 258 bytes, but no room for the first name
        Case{932, "C:\\shots\\", nullptr}, Case{932, "", nullptr}}) {
    char first[platform::kPathSize] = {};
    const bool made = platform::TemporaryNameFor(c.path.c_str(), 0x70007, c.codePage, first);
    EXPECT_EQ(made, c.first != nullptr) << c.path;
    if (made && c.first != nullptr) {
      EXPECT_STREQ(first, c.first) << c.path;
    }
  }
}

// The window as a test scripts it: every step recorded, the print as told.
class ScriptedWindow final : public PrintedWindow {
 public:
  void Restore() override { steps.push_back("restore"); }
  void OuterSize(std::int32_t& w, std::int32_t& h) override {
    steps.push_back("size");
    if (!sized) return;  // the rectangle could not be read: nothing written
    w = width;
    h = height;
  }
  std::uint8_t* Print(std::int32_t w, std::int32_t h) override {
    steps.push_back("print " + std::to_string(w) + "x" + std::to_string(h));
    rows.assign(BmpStride(w) * static_cast<std::size_t>(h), 0x77);
    return prints ? rows.data() : nullptr;
  }
  std::vector<std::string> steps;
  std::vector<std::uint8_t> rows;
  std::int32_t width = 3;
  std::int32_t height = 2;
  bool prints = true;
  bool sized = true;
};

// One capture of the scripted window into memory, through an open gate unless shut.
struct Capture {
  bool Run() { return CapturePicture(window, sink, gate, "x.bmp"); }
  ScriptedWindow window;
  MemorySink sink;
  platform::WriteGate gate;
};

TEST(BmpCapture, ThePrintedWindowIsWrittenAndAFailedPrintOrAClosingProgramWritesNothing) {
  Capture printed, unprinted, closing, sizeless, flat, unsized, oneRow;
  EXPECT_TRUE(printed.Run());
  EXPECT_EQ(printed.window.steps, (std::vector<std::string>{"restore", "size", "print 3x2"}));
  ASSERT_EQ(printed.sink.bytes.size(), 54u + 24u);
  EXPECT_EQ(printed.sink.bytes[54], 0x77);
  unprinted.window.prints = false;  // PrintWindow failed: the surface holds no picture
  EXPECT_FALSE(unprinted.Run());
  EXPECT_EQ(unprinted.sink.writes, 0);
  EXPECT_FALSE(unprinted.sink.stagedExists);
  closing.gate.Shut(0);
  EXPECT_FALSE(closing.Run());
  EXPECT_EQ(closing.sink.writes, 0);
  sizeless.window.width = 0;  // no window rectangle
  EXPECT_FALSE(sizeless.Run());
  EXPECT_EQ(sizeless.window.steps, (std::vector<std::string>{"restore", "size"}));
  flat.window.height = 0;
  unsized.window.sized = false;
  oneRow.window.height = 1;
  EXPECT_FALSE(flat.Run());
  EXPECT_EQ(flat.window.steps.size(), 2u) << "no print of a window without height";
  EXPECT_FALSE(unsized.Run());
  EXPECT_TRUE(oneRow.Run());
}

}  // namespace
