// Where the main window's children go, as plain functions of the window's outer size: the
// layout applied on every resize, the size limits, the centred start position.
#pragma once

#include <array>
#include <cstdint>

namespace app {

struct Box {
  std::int32_t x, y, width, height;
  bool operator==(const Box&) const = default;
};

inline constexpr std::int32_t kMinWindowWidth = 900;
inline constexpr std::int32_t kMinWindowHeight = 520;
inline constexpr std::int32_t kMaxWindowWidth = 1200;
inline constexpr std::int32_t kMaxWindowHeight = 900;
inline constexpr std::int32_t kInitialWindowWidth = 900;
inline constexpr std::int32_t kInitialWindowHeight = 520;

// The sixteen children in creation order: the twelve graph boxes row by row (value box, history
// box, value box, history box), the information box, the CSV, Screen Shot and detail check boxes.
inline constexpr int kChildCount = 16;
std::array<Box, kChildCount> LayoutChildWindows(std::int32_t width, std::int32_t height);

// The tab strip across the top of the client area.
Box TabControlBox(std::int32_t clientWidth);

struct Point {
  std::int32_t x, y;
  bool operator==(const Point&) const = default;
};

// The top-left corner that centres a window of the given outer size on the screen.
Point CentredPosition(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width,
                      std::int32_t height);

}  // namespace app
