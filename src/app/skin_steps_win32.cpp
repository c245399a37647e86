#include "app/skin_steps_win32.h"

namespace app {

// The skin surfaces are wired in with the skin decoder.
SkinLoad LoadSkin(HINSTANCE) {
  return SkinLoad::kLoaded;
}
void BuildSkin(HWND) {}
void ReleaseSkin() {}

}  // namespace app
