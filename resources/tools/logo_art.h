// The program's logo, 180 x 60 pixels: a dark panel with the word QUORVANE in a blocky pixel
// font and a small segmented level display under it. Pure integer arithmetic, so the packing
// tool and the tests that read the packed picture back agree on every pixel.
#pragma once

#include <array>
#include <cstdint>

namespace logo {

inline constexpr int kWidth = 180;
inline constexpr int kHeight = 60;

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// ---- Pixel font: 5 columns by 7 rows; bit 4 of a row is the leftmost column ----

using Glyph = std::array<std::uint8_t, 7>;

inline constexpr Glyph kGlyphQ = {0b01110, 0b10001, 0b10001, 0b10001, 0b10101, 0b10010, 0b01101};
inline constexpr Glyph kGlyphU = {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110};
inline constexpr Glyph kGlyphO = {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110};
inline constexpr Glyph kGlyphR = {0b11110, 0b10001, 0b10001, 0b11110, 0b10100, 0b10010, 0b10001};
inline constexpr Glyph kGlyphV = {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100};
inline constexpr Glyph kGlyphA = {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001};
inline constexpr Glyph kGlyphN = {0b10001, 0b11001, 0b10101, 0b10011, 0b10001, 0b10001, 0b10001};
inline constexpr Glyph kGlyphE = {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111};

inline constexpr std::array<const Glyph*, 8> kWord = {&kGlyphQ, &kGlyphU, &kGlyphO, &kGlyphR,
                                                      &kGlyphV, &kGlyphA, &kGlyphN, &kGlyphE};

// ---- Placement ----

inline constexpr int kCell = 3;                 // a font pixel is a 3 x 3 block
inline constexpr int kGlyphWidth = 5 * kCell;   // 15
inline constexpr int kGlyphHeight = 7 * kCell;  // 21
inline constexpr int kGlyphGap = 4;
inline constexpr int kWordWidth = 8 * kGlyphWidth + 7 * kGlyphGap;  // 148
inline constexpr int kWordLeft = (kWidth - kWordWidth) / 2;         // 16
inline constexpr int kWordTop = 8;

// The level display: 37 bars of 3 pixels every 4 pixels under the word, standing on a base line.
inline constexpr int kBarCount = kWordWidth / 4;
inline constexpr int kBarBase = 51;  // lowest lit row
inline constexpr int kBaseLine = 53;
inline constexpr std::array<std::uint8_t, kBarCount> kBarHeights = {
    4, 6, 9, 7, 5,  8,  11, 13, 10, 7, 6, 5, 7, 9, 12, 14, 12, 9, 7,
    6, 4, 5, 7, 10, 12, 10, 8,  6,  5, 6, 8, 9, 7, 5,  4,  3,  4};

// ---- Shapes ----

// True where the word covers pixel (x, y), y counted from the top.
constexpr bool WordAt(int x, int y) {
  const int u = x - kWordLeft;
  const int v = y - kWordTop;
  if (u < 0 || v < 0 || u >= kWordWidth || v >= kGlyphHeight) return false;
  const int pitch = kGlyphWidth + kGlyphGap;
  if (u % pitch >= kGlyphWidth) return false;
  const Glyph& glyph = *kWord[static_cast<std::size_t>(u / pitch)];
  const int column = (u % pitch) / kCell;
  return (glyph[static_cast<std::size_t>(v / kCell)] >> (4 - column) & 1) != 0;
}

// Height in rows of the lit part of the bar covering column x; 0 between bars and outside.
constexpr int BarHeightAt(int x) {
  const int u = x - kWordLeft;
  if (u < 0 || u >= kBarCount * 4 || u % 4 == 3) return 0;
  return kBarHeights[static_cast<std::size_t>(u / 4)];
}

// ---- Colours ----

constexpr Rgb Background(int y) {
  // Dark slate, a little lighter at the top.
  return {static_cast<std::uint8_t>(24 - 12 * y / (kHeight - 1)),
          static_cast<std::uint8_t>(30 - 14 * y / (kHeight - 1)),
          static_cast<std::uint8_t>(36 - 16 * y / (kHeight - 1))};
}

constexpr Rgb WordColour(int x, int y) {
  // Pale mint at the top of the letters to green at the bottom; the right and lower edge of
  // every font block a shade darker, which makes the blocks visible.
  const int v = y - kWordTop;
  const int shade = ((x - kWordLeft) % kCell == kCell - 1 || v % kCell == kCell - 1) ? 30 : 0;
  return {static_cast<std::uint8_t>(225 - 150 * v / (kGlyphHeight - 1) - shade),
          static_cast<std::uint8_t>(250 - 20 * v / (kGlyphHeight - 1) - shade),
          static_cast<std::uint8_t>(230 - 120 * v / (kGlyphHeight - 1) - shade)};
}

// Lit segment `level` rows above the lowest: green, then amber, then red, as on the meters.
constexpr Rgb SegmentColour(int level) {
  if (level < 7) return {0, 220, 90};
  if (level < 11) return {255, 204, 0};
  return {255, 64, 0};
}

constexpr Rgb Border() {
  return {60, 74, 84};
}
constexpr Rgb Shadow() {
  return {0, 0, 0};
}
constexpr Rgb BaseLine() {
  return {0, 128, 64};
}
constexpr Rgb GridDot() {
  return {30, 48, 42};
}

// ---- The picture ----

// The colour of pixel (x, y), y counted from the top; (0, 0) outside the picture.
constexpr Rgb Colour(int x, int y) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return {0, 0, 0};
  if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) return Border();
  if (WordAt(x, y)) return WordColour(x, y);
  if (WordAt(x - 1, y - 1)) return Shadow();
  if (y == kBaseLine && x >= kWordLeft && x < kWordLeft + kWordWidth) return BaseLine();
  const int level = kBarBase - y;
  const int height = BarHeightAt(x);
  // Segments are two rows lit and one dark.
  if (level >= 0 && level < height && level % 3 != 2) return SegmentColour(level);
  const bool gridRow = y == kBarBase - 5 || y == kBarBase - 11;
  if (gridRow && x % 2 == 0 && x >= kWordLeft && x < kWordLeft + kWordWidth) return GridDot();
  return Background(y);
}

}  // namespace logo
