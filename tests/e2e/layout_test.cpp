// Size limits and the layout of the children after resizes from outside.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app_steps.h"

namespace e2e {
namespace {

struct Box {
  int x, y, width, height;
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out) {
  *out << "(" << box.x << ", " << box.y << ") " << box.width << " x " << box.height;
}

// Where the layout rule puts the sixteen controls for outer size W x H: twelve graph boxes in
// three rows of (value, history, value, history), the information box, three check boxes.
std::vector<Box> ExpectedBoxes(int W, int H) {
  const int h = (H - 220) / 3, m = W / 2, g = m - 165;
  const int xs[] = {10, 130, m + 15, m + 135}, widths[] = {100, g, 100, g};
  const int ys[] = {30, h + 35, 2 * h + 40};
  std::vector<Box> boxes;
  for (int y : ys)
    for (int c = 0; c < 4; ++c) boxes.push_back({xs[c], y, widths[c], h});
  boxes.push_back({10, H - 175, 670, 117});
  boxes.push_back({690, H - 168, 80, 20});
  boxes.push_back({770, H - 168, 90, 20});
  boxes.push_back({690, H - 148, 90, 20});
  return boxes;
}

std::vector<Box> ActualBoxes(HWND main) {
  std::vector<Box> boxes;
  for (const auto& child : ChildWindows(main))
    boxes.push_back({child.rect.left, child.rect.top, child.rect.right - child.rect.left,
                     child.rect.bottom - child.rect.top});
  return boxes;
}

class Layout : public AppTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Start("e2e-two-gpus.txt")); }
  SIZE ResizeTo(int width, int height) {
    EXPECT_TRUE(RequestOuterSize(main, width, height));
    return OuterSize(main);
  }
  void ExpectLayout(int W, int H) {
    SCOPED_TRACE(testing::Message() << W << " x " << H);
    const SIZE size = ResizeTo(W, H);
    ASSERT_EQ(size.cx, W);
    ASSERT_EQ(size.cy, H);
    std::vector<Box> actual = ActualBoxes(main);
    ASSERT_EQ(actual.size(), static_cast<std::size_t>(kChildCount));
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_EQ(actual.back(), (Box{5, 5, static_cast<int>(client.right), 20})) << "tab control";
    actual.pop_back();
    EXPECT_EQ(actual, ExpectedBoxes(W, H));
  }
};

TEST_F(Layout, SizeIsHeldBetween900x520And1200x900) {
  // The size asked for, then the size held.
  const LONG sizes[][4] = {{700, 400, 900, 520}, {1500, 1000, 1200, 900}, {1000, 400, 1000, 520}};
  for (const auto& [w, h, heldW, heldH] : sizes) {
    const SIZE size = ResizeTo(w, h);
    EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(heldW, heldH)) << w << " x " << h;
  }
}

TEST_F(Layout, ChildrenFollowTheRuleAtSmallestMiddleAndLargestSize) {
  ExpectLayout(1000, 700);
  ExpectLayout(1200, 900);
  ExpectLayout(900, 520);
  ExpectLayout(1111, 777);  // odd sizes: every division truncates
}

TEST_F(Layout, At1000x700TheRowsAndColumnsAreTheKnownOnes) {
  ResizeTo(1000, 700);
  const std::vector<Box> boxes = ActualBoxes(main);
  ASSERT_GE(boxes.size(), 12u);
  EXPECT_EQ(boxes[0], (Box{10, 30, 100, 160}));
  EXPECT_EQ(boxes[5], (Box{130, 195, 335, 160}));
  EXPECT_EQ(boxes[10], (Box{515, 360, 100, 160}));
  EXPECT_EQ(boxes[11], (Box{635, 360, 335, 160}));
}

}  // namespace
}  // namespace e2e
