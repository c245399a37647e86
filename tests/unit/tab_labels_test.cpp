#include "app/tab_labels.h"

#include <gtest/gtest.h>

#include <string>

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
  EXPECT_EQ(Label(L"Solo", 0, 1, app::kNoDisplayGpu), "Solo (UNKNOWN)");
  EXPECT_EQ(Label(L"Solo", 0, 1, 0), "Solo (UNKNOWN)");
  EXPECT_EQ(Label(L"Eighth", 7, 8, app::kNoDisplayGpu), "Eighth(8)");
}

TEST(TabLabels, LongAndUnusualNamesStayInsideTheLabel) {
  const std::wstring longName(150, L'x');
  const std::string label = Label(longName.c_str(), 1, 2, 1);
  EXPECT_EQ(label.size(), app::kTabLabelSize - 1);
  EXPECT_EQ(Label(L"Käse", 1, 2, app::kNoDisplayGpu), "K?se(2)");
  EXPECT_EQ(Label(nullptr, 1, 2, app::kNoDisplayGpu), "(2)");
}

TEST(TabLabels, TheDisplayGpuIsSelectedOnlyWhenItHasASlot) {
  EXPECT_EQ(app::InitialSelectedSlot(2, 3), 2);
  EXPECT_EQ(app::InitialSelectedSlot(app::kNoDisplayGpu, 3), 0);
  EXPECT_EQ(app::InitialSelectedSlot(8, 9), 0);
}

}  // namespace
