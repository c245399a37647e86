#include "app/window_layout.h"

#include <gtest/gtest.h>

#include "app/child_controls.h"

namespace {

using app::Box;

// Row tops, box height, history width and the right-hand column from the layout rule.
void ExpectGrid(int width, int height, int h, int m, int g) {
  const auto boxes = app::LayoutChildWindows(width, height);
  const int rows[3] = {30, h + 35, 2 * h + 40};
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << " row " << row);
    EXPECT_EQ(boxes[row * 4 + 0], (Box{10, rows[row], 100, h}));
    EXPECT_EQ(boxes[row * 4 + 1], (Box{130, rows[row], g, h}));
    EXPECT_EQ(boxes[row * 4 + 2], (Box{m + 15, rows[row], 100, h}));
    EXPECT_EQ(boxes[row * 4 + 3], (Box{m + 135, rows[row], g, h}));
  }
  EXPECT_EQ(boxes[12], (Box{10, height - 175, 670, 117}));
  EXPECT_EQ(boxes[13], (Box{690, height - 168, 80, 20}));
  EXPECT_EQ(boxes[14], (Box{770, height - 168, 90, 20}));
  EXPECT_EQ(boxes[15], (Box{690, height - 148, 90, 20}));
}

TEST(WindowLayout, PlacesTheChildrenAtTheSmallestMiddleAndLargestSizes) {
  ExpectGrid(app::kMinWindowWidth, app::kMinWindowHeight, 100, 450, 285);
  ExpectGrid(1000, 700, 160, 500, 335);
  ExpectGrid(app::kMaxWindowWidth, app::kMaxWindowHeight, 226, 600, 435);
  // Spot checks against the figures the layout is known by.
  EXPECT_EQ(app::LayoutChildWindows(1000, 700)[7].y, 195);
  EXPECT_EQ(app::LayoutChildWindows(1000, 700)[10].x, 515);
  EXPECT_EQ(app::LayoutChildWindows(app::kMaxWindowWidth, app::kMaxWindowHeight)[12].y, 725);
}

TEST(WindowLayout, OddSizesTruncateTowardsZero) {
  const auto boxes = app::LayoutChildWindows(901, 522);  // h = 100 (302 / 3), m = 450
  EXPECT_EQ(boxes[4].height, 100);
  EXPECT_EQ(boxes[3].width, 285);
}

TEST(WindowLayout, CentresOnTheScreenAndPutsTheTabsAcrossTheTop) {
  EXPECT_EQ(app::CentredPosition(1280, 1024, 900, 520), (app::Point{190, 262}));
  EXPECT_EQ(app::CentredPosition(1281, 1023, 901, 521), (app::Point{190, 261}));
  EXPECT_EQ(app::TabControlBox(884), (Box{5, 5, 884, 20}));
}

TEST(ChildControls, StartWhereTheCreationTableSaysAndJapaneseCaptionsAreWide) {
  const Box table[app::kChildCount] = {
      {10, 30, 100, 120},  {130, 30, 200, 120},  {420, 30, 100, 120},  {540, 30, 200, 120},
      {10, 270, 100, 120}, {130, 270, 200, 120}, {420, 270, 100, 120}, {540, 270, 200, 120},
      {10, 506, 100, 120}, {130, 506, 200, 120}, {420, 506, 100, 120}, {540, 506, 200, 120},
      {10, 745, 670, 117}, {690, 352, 80, 20},   {770, 352, 90, 20},   {690, 372, 90, 20}};
  const auto boxes = app::InitialChildBoxes();
  EXPECT_EQ(app::kInitialWindowWidth, app::kMinWindowWidth);
  EXPECT_EQ(app::kInitialWindowHeight, app::kMinWindowHeight);
  for (int i = 0; i < app::kChildCount; ++i) EXPECT_EQ(boxes[i], table[i]) << "child " << i;
  EXPECT_STREQ(app::kChildControls[app::kInfoGroupIndex].caption, L"GPU インフォメーション");
  EXPECT_STREQ(app::kChildControls[app::kCsvButtonIndex].caption, L"CSV 出力");
  EXPECT_STREQ(app::kChildControls[app::kShotButtonIndex].caption, L"Screen Shot");
  EXPECT_STREQ(app::kChildControls[app::kDetailButtonIndex].caption, L"詳細モード");
  for (const app::ChildControl& control : app::kChildControls) {
    bool ascii = true;
    for (const wchar_t* c = control.caption; *c != L'\0'; ++c) ascii = ascii && *c < 0x80;
    EXPECT_EQ(control.wide, !ascii) << "caption needs the wide API exactly when not ASCII";
    EXPECT_EQ(control.id, control.kind == app::ControlKind::kGroupBox ? 1100 : 0);
  }
}

}  // namespace
