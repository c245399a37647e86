// Drawing text into a canvas goes through the platform (GDI on Windows, into the same pixel
// memory).
#pragma once

#include <string_view>

#include "display/canvas.h"

namespace display {

enum class Font { kUi, kSmall };

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // Narrow (ASCII) text with its top-left corner at (x, y), transparent background, clipped to
  // `clip`.
  virtual void Draw(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                    std::string_view text) = 0;
  // The same for wide text (the degree sign U+2103 and other non-ASCII characters).
  virtual void DrawWide(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                        std::wstring_view text) = 0;
};

}  // namespace display
