#include "display/gdi_text_renderer_win32.h"

namespace display {
namespace {

COLORREF ToColorref(Rgb colour) {
  return RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

HDC GdiTextRenderer::Begin(Canvas& canvas, const Area& clip, Rgb colour, Font font) {
  HDC context = static_cast<HDC>(canvas.native);
  if (context == nullptr) return nullptr;
  SaveDC(context);
  IntersectClipRect(context, clip.x, clip.y, clip.x + clip.width, clip.y + clip.height);
  SelectObject(context, font == Font::kSmall ? smallFont_ : uiFont_);
  SetTextColor(context, ToColorref(colour));
  SetBkMode(context, TRANSPARENT);
  return context;
}

void GdiTextRenderer::End(HDC context) {
  SelectObject(context, GetStockObject(SYSTEM_FONT));
  RestoreDC(context, -1);
  GdiFlush();  // the canvas reads the same pixels next
}

void GdiTextRenderer::Draw(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                           std::string_view text) {
  HDC context = Begin(canvas, clip, colour, font);
  if (context == nullptr) return;
  TextOutA(context, x, y, text.data(), static_cast<int>(text.size()));
  End(context);
}

void GdiTextRenderer::DrawWide(Canvas& canvas, const Area& clip, int x, int y, Rgb colour,
                               Font font, std::wstring_view text) {
  HDC context = Begin(canvas, clip, colour, font);
  if (context == nullptr) return;
  TextOutW(context, x, y, text.data(), static_cast<int>(text.size()));
  End(context);
}

}  // namespace display
