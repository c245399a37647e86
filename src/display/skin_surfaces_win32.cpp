#include "display/skin_surfaces_win32.h"

#include <array>
#include <span>
#include <utility>

#include "display/skin_decoder.h"
#include "display/skin_surfaces.h"
#include "resource_ids.h"

namespace display {
namespace {

std::array<SkinSurface, kSkinSurfaceCount> skinSurfaces = {};
DecodedSkin loadedSkin;  // between LoadSkinResource and BuildSkinSurfaces

// The surface's pixels into its bitmap in one call: a top-down 32-bit image (negative height)
// whose 0x00RRGGBB words are the blue, green, red, unused bytes the bitmap takes.
void WritePixels(HDC context, HBITMAP bitmap, const SkinPixels& pixels) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBits(context, bitmap, 0, static_cast<UINT>(pixels.height), pixels.argb.data(), &info,
            DIB_RGB_COLORS);
}

SkinSurface CreateSurface(HWND mainWindow, const SkinSurfaceInfo& info) {
  SkinSurface surface = {};
  HDC windowContext = GetDC(mainWindow);
  surface.bitmap = CreateCompatibleBitmap(windowContext, info.width, info.height);
  surface.drawingContext = CreateCompatibleDC(windowContext);
  ReleaseDC(mainWindow, windowContext);
  surface.previousObject = SelectObject(surface.drawingContext, surface.bitmap);
  return surface;
}

}  // namespace

SkinLoadResult LoadSkinResource(HINSTANCE module) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resources::kSkinResource),
                              resources::kSkinResourceType);
  if (found == nullptr) return SkinLoadResult::kNotFound;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return SkinLoadResult::kNotLoadable;
  const std::span<const std::uint8_t> stored(static_cast<const std::uint8_t*>(bytes),
                                             SizeofResource(module, found));
  SkinDecodeResult decoded = DecodeSkin(stored);
  if (decoded.refusal != SkinRefusal::kNone) return SkinLoadResult::kNotLoadable;
  loadedSkin = std::move(decoded.skin);
  return SkinLoadResult::kLoaded;
}

void BuildSkinSurfaces(HWND mainWindow) {
  for (const int index : kSkinBuildOrder) {
    const SkinSurfaceInfo& info = kSkinSurfaceTable[static_cast<std::size_t>(index)];
    SkinSurface& surface = skinSurfaces[static_cast<std::size_t>(index)];
    surface = CreateSurface(mainWindow, info);
    WritePixels(surface.drawingContext, surface.bitmap, BuildSkinSurfacePixels(index, loadedSkin));
  }
  loadedSkin = DecodedSkin{};  // the logo's pixels are needed no longer
}

void ReleaseSkinSurfaces() {
  for (SkinSurface& surface : skinSurfaces) {
    if (surface.drawingContext == nullptr) continue;
    SelectObject(surface.drawingContext, surface.previousObject);
    DeleteDC(surface.drawingContext);
    DeleteObject(surface.bitmap);
    surface = {};
  }
}

HDC SkinSurfaceDc(int index) {
  if (index < 0 || index >= kSkinSurfaceCount) return nullptr;
  return skinSurfaces[static_cast<std::size_t>(index)].drawingContext;
}

}  // namespace display
