// Text through GDI, straight into a canvas whose pixels are a DIB section selected into the
// drawing context the canvas carries.
#pragma once

#include <windows.h>

#include "display/text_renderer.h"

namespace display {

class GdiTextRenderer final : public TextRenderer {
 public:
  GdiTextRenderer(HFONT uiFont, HFONT smallFont) : uiFont_(uiFont), smallFont_(smallFont) {}

  void Draw(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
            std::string_view text) override;
  void DrawWide(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                std::wstring_view text) override;

 private:
  // Sets up the context for one text and returns it; null when the canvas has none.
  HDC Begin(Canvas& canvas, const Area& clip, Rgb colour, Font font);
  void End(HDC context);

  HFONT uiFont_;
  HFONT smallFont_;
};

}  // namespace display
