#include "app/skin_steps_win32.h"

#include "display/skin_surfaces_win32.h"

namespace app {

SkinLoad LoadSkin(HINSTANCE instance) {
  switch (display::LoadSkinResource(instance)) {
    case display::SkinLoadResult::kLoaded:
      return SkinLoad::kLoaded;
    case display::SkinLoadResult::kNotFound:
      return SkinLoad::kNotFound;
    case display::SkinLoadResult::kNotLoadable:
      break;
  }
  return SkinLoad::kNotLoadable;
}

void BuildSkin(HWND mainWindow) {
  display::BuildSkinSurfaces(mainWindow);
}
void ReleaseSkin() {
  display::ReleaseSkinSurfaces();
}

}  // namespace app
