// Text through GDI, straight into a canvas whose pixels are a DIB section selected into the
// drawing context the canvas carries. The context keeps the font, colour and mode from one text
// to the next and gets each only when it changes: under Wine every font selection also reads
// the X resources afresh, which cost more than the texts themselves. The context is given back
// as it was when the renderer ends.
#pragma once

#include <windows.h>

#include "display/text_renderer.h"

namespace display {

class GdiTextRenderer final : public TextRenderer {
 public:
  GdiTextRenderer(HFONT uiFont, HFONT smallFont) : uiFont_(uiFont), smallFont_(smallFont) {}
  ~GdiTextRenderer() override;
  GdiTextRenderer(const GdiTextRenderer&) = delete;
  GdiTextRenderer& operator=(const GdiTextRenderer&) = delete;

  void Draw(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
            std::string_view text) override;
  void DrawWide(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                std::wstring_view text) override;

 private:
  // Sets up the canvas's context for one text and returns it; null when the canvas has none.
  HDC Begin(Canvas& canvas, const Area& clip, Rgb colour, Font font);
  // Gives the context in use back as it was.
  void Release();

  HFONT uiFont_;
  HFONT smallFont_;
  HDC context_ = nullptr;  // the context set up, or null
  HGDIOBJ originalFont_ = nullptr;
  int originalMode_ = 0;
  COLORREF originalColour_ = 0;
  HFONT font_ = nullptr;  // selected into context_
  COLORREF colour_ = 0;
  HRGN clip_ = nullptr;
};

}  // namespace display
