// The skin on Windows: loading the packed logo from the program's resources at start-up, the
// fifteen skin surfaces as memory drawing contexts with their bitmaps, and their release.
#pragma once

#include <windows.h>

#include "display/skin_canvases.h"

namespace display {

enum class SkinLoadResult {
  kLoaded,
  kNotFound,     // no resource "SKIN" 160 in the module
  kNotLoadable,  // it cannot be loaded or locked, or the decoder refuses its bytes
};

// One skin surface; the fields in this order.
struct SkinSurface {
  HBITMAP bitmap;
  HGDIOBJ previousObject;  // what the drawing context had selected before the bitmap
  HDC drawingContext;
};

// Finds, loads and decodes the SKIN resource of `module` and keeps the decoded logo until
// BuildSkinSurfaces has drawn it.
SkinLoadResult LoadSkinResource(HINSTANCE module);

// Creates and fills the fifteen surfaces in build order, compatible with `mainWindow`'s display
// drawing context, then frees the decoded logo. Each bitmap is a DIB section whose pixels the
// software painter reads as a canvas. Without a loaded logo the logo surface is all black.
void BuildSkinSurfaces(HWND mainWindow);

// For surfaces 0 to 14 in table order: selects the previous object back, deletes the drawing
// context, then the bitmap. Surfaces never built are skipped.
void ReleaseSkinSurfaces();

// The fifteen surfaces as canvases over their bitmaps; null before BuildSkinSurfaces and after
// ReleaseSkinSurfaces.
const SkinCanvases* SkinSurfaceCanvases();

}  // namespace display
