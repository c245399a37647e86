// The skin's part of start-up and shutdown.
#pragma once

#include <windows.h>

namespace app {

enum class SkinLoad { kLoaded, kNotFound, kNotLoadable };

SkinLoad LoadSkin(HINSTANCE instance);
void BuildSkin(HWND mainWindow);
void ReleaseSkin();

}  // namespace app
