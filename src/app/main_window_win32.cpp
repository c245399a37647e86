#include "app/main_window_win32.h"

#include <commctrl.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/child_controls.h"
#include "app/paint_win32.h"
#include "app/shutdown_win32.h"
#include "app/tab_labels.h"
#include "app/window_layout.h"
#include "gpu/display_gpu.h"
#include "gpu/gpu_slots.h"
#include "gpu/info_line.h"
#include "gpu/repaint_handoff_win32.h"
#include "gpu/vendor.h"
#include "resource_ids.h"

namespace app {
namespace {

std::string Narrow(const wchar_t* ascii) {
  std::string text;
  for (; *ascii != L'\0'; ++ascii) text.push_back(static_cast<char>(*ascii));
  return text;
}

DWORD ChildStyle(ControlKind kind) {
  const DWORD type = kind == ControlKind::kGroupBox ? BS_GROUPBOX : BS_AUTOCHECKBOX;
  return WS_CHILD | WS_VISIBLE | type;
}

HWND CreateChild(const ChildControl& control, const Box& box) {
  const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  const DWORD style = ChildStyle(control.kind);
  if (control.wide) {
    return CreateWindowExW(0, control.className, control.caption, style, box.x, box.y, box.width,
                           box.height, State().mainWindow, id, State().instance, nullptr);
  }
  return CreateWindowExA(0, Narrow(control.className).c_str(), Narrow(control.caption).c_str(),
                         style, box.x, box.y, box.width, box.height, State().mainWindow, id,
                         State().instance, nullptr);
}

void OnSize(HWND window, LPARAM lParam) {
  RECT outer = {};
  GetWindowRect(window, &outer);
  const auto boxes = LayoutChildWindows(outer.right - outer.left, outer.bottom - outer.top);
  for (int i = 0; i < kChildCount; ++i) {
    HWND child = State().children[static_cast<std::size_t>(i)];
    if (child != nullptr)
      MoveWindow(child, boxes[i].x, boxes[i].y, boxes[i].width, boxes[i].height, TRUE);
  }
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  if (State().tabControl != nullptr) {
    const Box tab = TabControlBox(LOWORD(lParam));
    MoveWindow(State().tabControl, tab.x, tab.y, tab.width, tab.height, TRUE);
  }
}

void OnTabChange(HWND window) {
  gpu::SlotTable& table = gpu::ProcessSlotTable();
  const auto selection = static_cast<int>(SendMessageA(State().tabControl, TCM_GETCURSEL, 0, 0));
  // Only a tab that stands for a slot can be selected.
  if (selection >= 0 && selection < table.gpuCount.Load() && selection < gpu::kMaxGpus) {
    table.selectedSlot.Store(selection);
  }
  ShowInfoLine();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

// Set while the window prints itself (a screenshot).
bool printing = false;

// WM_PRINT: the frame as the system draws it, then the client area at its place in the given
// context, through WM_PRINTCLIENT as the system's own handling would ask for it. The composed
// picture is as large as the whole window; the print is clipped to the client rectangle, as the
// screen clips the paint, so that it never covers the frame.
LRESULT OnPrint(HWND window, WPARAM wParam, LPARAM lParam) {
  HDC target = reinterpret_cast<HDC>(wParam);
  DefWindowProcA(window, WM_PRINT, wParam, lParam & ~(PRF_CLIENT | PRF_CHILDREN | PRF_OWNED));
  if ((lParam & PRF_CLIENT) == 0) return 0;
  RECT outer = {};
  GetWindowRect(window, &outer);
  POINT client = {0, 0};
  ClientToScreen(window, &client);
  RECT area = {};
  GetClientRect(window, &area);
  const int saved = SaveDC(target);
  OffsetViewportOrgEx(target, client.x - outer.left, client.y - outer.top, nullptr);
  IntersectClipRect(target, 0, 0, area.right, area.bottom);
  printing = true;
  SendMessageA(window, WM_PRINTCLIENT, wParam, PRF_CLIENT | (lParam & PRF_CHILDREN));
  printing = false;
  RestoreDC(target, saved);
  return 0;
}

void OnGetMinMaxInfo(LPARAM lParam) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMinTrackSize = {kMinWindowWidth, kMinWindowHeight};
  info->ptMaxTrackSize = {kMaxWindowWidth, kMaxWindowHeight};
}

HFONT CreateUiFont(int height, DWORD precision, DWORD quality, const wchar_t* face) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, precision,
                     CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnSize(window, lParam);
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(lParam);
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) OnTabChange(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painter covers the whole client area
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_PAINT:
      PaintMainWindow(window);
      return 0;
    case WM_PRINT:
      return OnPrint(window, wParam, lParam);
    case WM_PRINTCLIENT:
      // Themed children ask for their background this way too, also while they are printed
      // over the picture: only the print of the window itself (a screenshot) gets it, once.
      if (!printing) break;
      printing = false;
      PrintMainWindow(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case gpu::kRepaintRequestMessage:
      gpu::ApplyRepaintRequest(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == resources::kAcceleratorCommand) return 0;
      break;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ReleaseEverything();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMainWindowClass() {
  AppState& state = State();
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &MainWindowProc;
  windowClass.hInstance = state.instance;
  windowClass.hIcon = LoadIconA(state.instance, MAKEINTRESOURCEA(resources::kLargeIcon));
  // The small icon group's 16-pixel image at the system's small size; LoadIcon would give it
  // stretched to the large size.
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageA(state.instance, MAKEINTRESOURCEA(resources::kSmallIcon), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (windowClass.hIconSm == nullptr)
    windowClass.hIconSm = LoadIconA(state.instance, MAKEINTRESOURCEA(resources::kSmallIcon));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = state.windowClassName;
  RegisterClassExA(&windowClass);
}

HWND CreateMainWindow() {
  AppState& state = State();
  state.mainWindow = CreateWindowExA(
      0, state.windowClassName, state.windowTitle, WS_OVERLAPPEDWINDOW, 0, 0, kInitialWindowWidth,
      kInitialWindowHeight, nullptr, nullptr, state.instance, nullptr);
  return state.mainWindow;
}

bool CreateChildControls() {
  const auto boxes = InitialChildBoxes();
  for (int i = 0; i < kChildCount; ++i) {
    HWND child = CreateChild(kChildControls[static_cast<std::size_t>(i)], boxes[i]);
    if (child == nullptr) return false;
    State().children[static_cast<std::size_t>(i)] = child;
  }
  return true;
}

bool CreateFonts() {
  AppState& state = State();
  state.uiFont = CreateUiFont(12, OUT_DEFAULT_PRECIS, DEFAULT_QUALITY, L"ＭＳ Ｐゴシック");
  if (state.uiFont == nullptr) return false;
  state.smallFont = CreateUiFont(10, OUT_OUTLINE_PRECIS, CLEARTYPE_NATURAL_QUALITY, L"Calibri");
  return state.smallFont != nullptr;
}

void ApplyUiFont(HWND window) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(State().uiFont), FALSE);
}

void CreateTabs() {
  AppState& state = State();
  gpu::SlotTable& table = gpu::ProcessSlotTable();
  state.tabControl = CreateWindowExA(
      0, "SysTabControl32", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, 10,
      state.mainWindow, reinterpret_cast<HMENU>(kTabControlId), state.instance, nullptr);
  const int display = gpu::FindDisplayGpu(gpu::ProcessVendor(), table);
  const int count = table.gpuCount.Load();
  for (int slot = 0; slot < count && slot < gpu::kMaxGpus; ++slot) {
    char label[kTabLabelSize] = {};
    BuildTabLabel(table.slots[static_cast<std::size_t>(slot)].gpuName.Load(), slot, count, display,
                  label);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    SendMessageA(state.tabControl, TCM_INSERTITEMA, static_cast<WPARAM>(slot),
                 reinterpret_cast<LPARAM>(&item));
  }
  const int selected = InitialSelectedSlot(display, count);
  if (selected == display) {
    table.selectedSlot.Store(selected);
    SendMessageA(state.tabControl, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
  ApplyUiFont(state.tabControl);
}

void ShowInfoLine() {
  char line[gpu::kInfoLineSize] = {};
  gpu::BuildInfoLine(gpu::ProcessSlotTable(), line);
  SetWindowTextA(State().children[kInfoGroupIndex], line);
}

}  // namespace app
