// A text renderer that keeps what would be drawn, so that tests can read the texts, their places,
// colours, fonts and clips.
#pragma once

#include <string>
#include <vector>

#include "display/text_renderer.h"

namespace display {

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
