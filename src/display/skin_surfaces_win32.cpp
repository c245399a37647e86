#include "display/skin_surfaces_win32.h"

#include <array>
#include <memory>
#include <span>
#include <utility>

#include "display/dib_section_win32.h"
#include "display/skin_decoder.h"
#include "display/skin_surfaces.h"
#include "resource_ids.h"

namespace display {
namespace {

std::array<SkinSurface, kSkinSurfaceCount> skinSurfaces = {};
DecodedSkin loadedSkin;  // between LoadSkinResource and BuildSkinSurfaces

std::array<std::unique_ptr<Canvas>, kSkinSurfaceCount> views = {};
std::unique_ptr<SkinCanvases> canvases;

SkinSurface CreateSurface(HWND mainWindow, const SkinSurfaceInfo& info, const SkinPixels& pixels) {
  SkinSurface surface = {};
  HDC windowContext = GetDC(mainWindow);
  void* bits = nullptr;
  surface.bitmap = CreateTopDownSection(windowContext, info.width, info.height, &bits);
  surface.drawingContext = CreateCompatibleDC(windowContext);
  ReleaseDC(mainWindow, windowContext);
  surface.previousObject = SelectObject(surface.drawingContext, surface.bitmap);
  auto view = std::make_unique<Canvas>(bits != nullptr ? info.width : 0, info.height,
                                       static_cast<std::uint32_t*>(bits), info.width);
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) view->Set(x, y, pixels.At(x, y));
  }
  views[static_cast<std::size_t>(info.index)] = std::move(view);
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
    surface = CreateSurface(mainWindow, info, BuildSkinSurfacePixels(index, loadedSkin));
  }
  loadedSkin = DecodedSkin{};  // the logo's pixels are needed no longer
  canvases = std::make_unique<SkinCanvases>(views);
}

void ReleaseSkinSurfaces() {
  canvases.reset();
  for (auto& view : views) view.reset();
  for (SkinSurface& surface : skinSurfaces) {
    if (surface.drawingContext == nullptr) continue;
    SelectObject(surface.drawingContext, surface.previousObject);
    DeleteDC(surface.drawingContext);
    DeleteObject(surface.bitmap);
    surface = {};
  }
}

const SkinCanvases* SkinSurfaceCanvases() {
  return canvases.get();
}

}  // namespace display
