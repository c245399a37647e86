// A cycle's repaint request handed from the sampling thread to the main window's thread, which
// invalidates for itself: there every window call is local and the areas become invalid in one
// go, whereas from the sampling thread each call is a round trip to the window system and the
// window may paint between two of them. Only the newest request waits; one message is posted
// for it.
#pragma once

#include <windows.h>

#include "gpu/repaint_areas.h"

namespace gpu {

// Posted to the main window when a request is waiting; its procedure calls ApplyRepaintRequest.
inline constexpr UINT kRepaintRequestMessage = WM_APP + 1;

// Sampling thread: leaves `request` for the window, replacing one not yet taken.
void HandOverRepaintRequest(HWND mainWindow, const RepaintRequest& request);

// Main window thread: invalidates what the waiting request names, if one waits.
void ApplyRepaintRequest(HWND mainWindow);

}  // namespace gpu
