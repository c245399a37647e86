#include "display/gdi_text_renderer_win32.h"

namespace display {
namespace {

COLORREF ToColorref(Rgb colour) {
  return RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

GdiTextRenderer::~GdiTextRenderer() {
  Release();
  if (clip_ != nullptr) DeleteObject(clip_);
}

void GdiTextRenderer::Release() {
  if (context_ == nullptr) return;
  SelectClipRgn(context_, nullptr);
  SelectObject(context_, originalFont_);
  SetTextColor(context_, originalColour_);
  SetBkMode(context_, originalMode_);
  context_ = nullptr;
}

HDC GdiTextRenderer::Begin(Canvas& canvas, const Area& clip, Rgb colour, Font font) {
  HDC context = static_cast<HDC>(canvas.native);
  if (context == nullptr) return nullptr;
  if (clip_ == nullptr && (clip_ = CreateRectRgn(0, 0, 0, 0)) == nullptr) return nullptr;
  HFONT wanted = font == Font::kSmall ? smallFont_ : uiFont_;
  if (context != context_) {
    Release();
    context_ = context;
    originalFont_ = SelectObject(context, wanted);
    originalColour_ = SetTextColor(context, colour_ = ToColorref(colour));
    originalMode_ = SetBkMode(context, TRANSPARENT);
    font_ = wanted;
  }
  if (wanted != font_) SelectObject(context, font_ = wanted);
  if (ToColorref(colour) != colour_) SetTextColor(context, colour_ = ToColorref(colour));
  // The context holds no clip of its own: each text's clip replaces the last one.
  SetRectRgn(clip_, clip.x, clip.y, clip.x + clip.width, clip.y + clip.height);
  SelectClipRgn(context, clip_);
  return context;
}

void GdiTextRenderer::Draw(Canvas& canvas, const Area& clip, int x, int y, Rgb colour, Font font,
                           std::string_view text) {
  HDC context = Begin(canvas, clip, colour, font);
  if (context == nullptr) return;
  TextOutA(context, x, y, text.data(), static_cast<int>(text.size()));
  GdiFlush();  // the canvas reads the same pixels next
}

void GdiTextRenderer::DrawWide(Canvas& canvas, const Area& clip, int x, int y, Rgb colour,
                               Font font, std::wstring_view text) {
  HDC context = Begin(canvas, clip, colour, font);
  if (context == nullptr) return;
  TextOutW(context, x, y, text.data(), static_cast<int>(text.size()));
  GdiFlush();
}

}  // namespace display
