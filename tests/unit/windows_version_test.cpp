#include "gpu/windows_version.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct VersionCase {
  std::uint32_t major, minor;
  bool supported;
};

TEST(DiscoveryWindowsVersion, SixPointOneAndLaterPassOlderFail) {
  const VersionCase cases[] = {
      {0, 0, false}, {5, 1, false}, {5, 2, false},          {5, 99, false},
      {6, 0, false}, {6, 1, true},  {6, 2, true},           {6, 3, true},
      {7, 0, true},  {10, 0, true}, {6, 0xFFFFFFFFu, true}, {0xFFFFFFFFu, 0, true},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(gpu::IsSupportedWindowsVersion(c.major, c.minor), c.supported)
        << c.major << "." << c.minor;
  }
}

TEST(DiscoveryWindowsVersion, OnlyAPassingVersionSetsOsSupported) {
  auto table = std::make_unique<gpu::SlotTable>();
  EXPECT_FALSE(gpu::ApplyWindowsVersion(*table, 6, 0));
  EXPECT_EQ(table->osSupported.Load(), 0);
  EXPECT_TRUE(gpu::ApplyWindowsVersion(*table, 6, 1));
  EXPECT_EQ(table->osSupported.Load(), 1);
}

}  // namespace
