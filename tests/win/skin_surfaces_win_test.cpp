// The skin on Windows: the SKIN resource linked into this test exe, loaded, decoded and drawn
// into the fifteen memory surfaces, read back through the canvases the painter copies from.
#include "display/skin_surfaces_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "display/skin_surfaces.h"
#include "resources/tools/logo_art.h"

namespace {

// The pixels of surface `index`, top row first, 0x00RRGGBB like the portable surfaces.
std::vector<std::uint32_t> ReadBack(int index) {
  const display::SkinSurfaceInfo& info = display::kSkinSurfaceTable[index];
  const display::Canvas& surface =
      display::SkinSurfaceCanvases()->Get(static_cast<display::SkinSurfaceIndex>(index));
  EXPECT_EQ(surface.Width(), info.width);
  EXPECT_EQ(surface.Height(), info.height);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < info.height; ++y) {
    for (int x = 0; x < info.width; ++x) pixels.push_back(surface.At(x, y));
  }
  return pixels;
}

std::vector<std::uint32_t> DrawnLogo() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < logo::kHeight; ++y) {
    for (int x = 0; x < logo::kWidth; ++x) {
      const logo::Rgb c = logo::Colour(x, y);
      pixels.push_back(display::MakeRgb(c.r, c.g, c.b));
    }
  }
  return pixels;
}

// Where two pixel buffers first differ, as "x,y" text; empty when they are equal.
std::string FirstDifference(const std::vector<std::uint32_t>& actual,
                            const std::vector<std::uint32_t>& expected, int width) {
  if (actual.size() != expected.size()) return "size";
  for (std::size_t k = 0; k < actual.size(); ++k) {
    if (actual[k] != expected[k])
      return std::to_string(k % width) + "," + std::to_string(k / width);
  }
  return "";
}

class SkinOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "skin", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    display::ReleaseSkinSurfaces();
    DestroyWindow(window);
  }
  HWND window = nullptr;
};

TEST_F(SkinOnWindows, ResourceIsFoundOnlyInAModuleThatCarriesIt) {
  EXPECT_EQ(display::LoadSkinResource(GetModuleHandleA("kernel32.dll")),
            display::SkinLoadResult::kNotFound);
  EXPECT_EQ(display::LoadSkinResource(GetModuleHandleA(nullptr)), display::SkinLoadResult::kLoaded);
}

TEST_F(SkinOnWindows, SurfacesHoldTheirPixelsUntilReleased) {
  ASSERT_EQ(display::LoadSkinResource(GetModuleHandleA(nullptr)), display::SkinLoadResult::kLoaded);
  display::BuildSkinSurfaces(window);
  ASSERT_NE(display::SkinSurfaceCanvases(), nullptr);
  for (int i = 0; i < display::kSkinSurfaceCount; ++i) {
    const std::vector<std::uint32_t> expected =
        i == display::kLogoSkin ? DrawnLogo() : display::BuildSkinSurfacePixels(i, {}).argb;
    EXPECT_EQ(FirstDifference(ReadBack(i), expected, display::kSkinSurfaceTable[i].width), "")
        << display::kSkinSurfaceTable[i].name;
  }
  display::ReleaseSkinSurfaces();
  EXPECT_EQ(display::SkinSurfaceCanvases(), nullptr);
}

TEST_F(SkinOnWindows, DecodedLogoIsFreedOnceDrawn) {
  ASSERT_EQ(display::LoadSkinResource(GetModuleHandleA(nullptr)), display::SkinLoadResult::kLoaded);
  display::BuildSkinSurfaces(window);
  display::ReleaseSkinSurfaces();
  // Built again without loading: the logo has nothing left to draw.
  display::BuildSkinSurfaces(window);
  const std::vector<std::uint32_t> logo = ReadBack(display::kLogoSkin);
  EXPECT_EQ(std::count(logo.begin(), logo.end(), 0u), logo::kWidth * logo::kHeight);
  EXPECT_EQ(ReadBack(display::kFrameSkin)[0], display::MakeRgb(160, 160, 160));
}

}  // namespace
