// Drawing text into a canvas goes through the platform (GDI on Windows, into the same pixel
// memory); natively a recording renderer keeps what would be drawn, for tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

struct TextRun {
  int x, y;
  Rgb colour;
  Font font;
  std::wstring text;  // narrow texts are widened character by character
  bool wide;
  Area clip;
};

class RecordingTextRenderer final : public TextRenderer {
 public:
  void Draw(Canvas&, const Area& clip, int x, int y, Rgb colour, Font font,
            std::string_view text) override {
    runs.push_back({x, y, colour, font, std::wstring(text.begin(), text.end()), false, clip});
  }
  void DrawWide(Canvas&, const Area& clip, int x, int y, Rgb colour, Font font,
                std::wstring_view text) override {
    runs.push_back({x, y, colour, font, std::wstring(text), true, clip});
  }

  std::vector<TextRun> runs;
};

}  // namespace display
