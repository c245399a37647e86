#include "gpu/repaint_handoff_win32.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <vector>

namespace gpu {
namespace {

// The newest request not yet taken by the window, or null. Whoever takes it out owns it.
std::atomic<RepaintRequest*> waiting{nullptr};

// The main window's children, listed once: they stay for the window's life, and listing them
// is a round trip to the window system per child. Listed again should one of them be gone.
const std::vector<HWND>& ChildrenOf(HWND mainWindow) {
  static std::vector<HWND> children;
  const bool stale = std::any_of(children.begin(), children.end(),
                                 [](HWND child) { return IsWindow(child) == FALSE; });
  if (children.empty() || stale) {
    children.clear();
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      children.push_back(child);
    }
  }
  return children;
}

// Each child window invalidated only where it lies under `area`: a group box draws its caption
// over what it drew before, so a box repainted whole would thicken it.
void InvalidateChildrenOver(HWND mainWindow, const Rect& area) {
  const RECT over = {area.left, area.top, area.right, area.bottom};
  for (HWND child : ChildrenOf(mainWindow)) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    RECT overlap = {};
    if (!IntersectRect(&overlap, &rect, &over)) continue;
    MapWindowPoints(mainWindow, child, reinterpret_cast<POINT*>(&overlap), 2);
    RedrawWindow(child, &overlap, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

}  // namespace

void HandOverRepaintRequest(HWND mainWindow, const RepaintRequest& request) {
  auto* fresh = new (std::nothrow) RepaintRequest(request);
  if (fresh == nullptr) return;
  // A request still waiting already has its message on the way; the fresh one replaces it.
  if (RepaintRequest* older = waiting.exchange(fresh)) {
    delete older;
    return;
  }
  if (!PostMessageA(mainWindow, kRepaintRequestMessage, 0, 0)) delete waiting.exchange(nullptr);
}

void ApplyRepaintRequest(HWND mainWindow) {
  const std::unique_ptr<RepaintRequest> request(waiting.exchange(nullptr));
  if (request == nullptr) return;
  // The main window alone first: it does not clip its children, which would otherwise be
  // taken along.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (region == nullptr) return;
  for (const Rect& area : request->mainWindowAreas) {
    HRGN piece = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    if (piece == nullptr) continue;
    CombineRgn(region, region, piece, RGN_OR);
    DeleteObject(piece);
  }
  RedrawWindow(mainWindow, nullptr, region, RDW_INVALIDATE | RDW_NOCHILDREN);
  DeleteObject(region);
  InvalidateChildrenOver(mainWindow, request->childrenOver);
}

}  // namespace gpu
