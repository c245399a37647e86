#include "app/tab_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "gpu/display_gpu.h"

namespace {

std::string Label(const wchar_t* name, int slot, int count, int display) {
  char label[app::kTabLabelSize];
  app::BuildTabLabel(name, slot, count, display, label);
  return label;
}

TEST(TabLabels, NumberTheTabsAndMarkTheDisplayGpu) {
  // Three GPUs, the second drives the display.
  EXPECT_EQ(Label(L"Alpha", 0, 3, 1), "Alpha(1)");
  EXPECT_EQ(Label(L"Beta", 1, 3, 1), "Beta(2) (UNKNOWN)");
  EXPECT_EQ(Label(L"Gamma", 2, 3, 1), "Gamma(3)");
  // One GPU: the marker whether or not it drives a display, and no number.
  EXPECT_EQ(Label(L"Solo", 0, 1, gpu::kNoDisplayGpu), "Solo (UNKNOWN)");
  EXPECT_EQ(Label(L"Solo", 0, 1, 0), "Solo (UNKNOWN)");
  EXPECT_EQ(Label(L"First", 0, 2, gpu::kNoDisplayGpu), "First(1)");
  EXPECT_EQ(Label(L"Eighth", 7, 8, gpu::kNoDisplayGpu), "Eighth(8)");
}

TEST(TabLabels, LongAndUnusualNamesStayInsideTheLabel) {
  // A 100-byte label and its NUL.
  EXPECT_EQ(Label(std::wstring(150, L'x').c_str(), 1, 2, 1).size(), 99u);
  EXPECT_EQ(Label(L"Käse", 1, 2, gpu::kNoDisplayGpu), "K?se(2)");
  EXPECT_EQ(Label(nullptr, 1, 2, gpu::kNoDisplayGpu), "(2)");
}

TEST(TabLabels, TheDisplayGpuIsSelectedOnlyWhenItHasASlot) {
  EXPECT_EQ(app::InitialSelectedSlot(2, 3), 2);
  EXPECT_EQ(app::InitialSelectedSlot(gpu::kNoDisplayGpu, 3), 0);
  EXPECT_EQ(app::InitialSelectedSlot(8, 9), 0);
  EXPECT_EQ(app::InitialSelectedSlot(3, 3), 0) << "a slot beyond the GPUs found";
}

}  // namespace
