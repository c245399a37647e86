// The main window's small icon: the 16-pixel image of the small icon group at its own size, not
// an image scaled to the large size. Wine gives another process no way to the icon (WM_GETICON
// sent from here is never delivered, GetClassLongPtr of a foreign class gives 0), so it is read
// where Wine hands the window's icons to the X server: the _NET_WM_ICON property of the window's
// X window, a width, a height and the ARGB pixels of each icon. The large icon is 32 pixels, so
// a 16 x 16 one there is the small icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app_steps.h"
#include "driver/dib_surface.h"
#include "resources/resource_ids.h"

namespace e2e {
namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;  // rows top first
};

// What xprop (a Unix program, which Wine starts like any other) prints, one line per property.
// Its output goes to a file: Wine hands a Unix program a file as its standard output, not a pipe.
std::string RunXprop(const std::string& arguments) {
  const TempFolder folder;
  const std::wstring path = folder.File(L"xprop.txt");
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              0, nullptr);
  if (output == INVALID_HANDLE_VALUE) return "";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::string commandLine = std::string(QUORVANE_E2E_XPROP " ") + arguments;
  PROCESS_INFORMATION info = {};
  const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(output);
  if (!started) return "";
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  // Wine does not follow a Unix program to its end: the output is whole once its one line is.
  std::string text;
  WaitUntil(
      [&] {
        text = ReadFileBytes(path).value_or("");
        return !text.empty() && text.back() == '\n';
      },
      kStartTimeoutMs);
  return text;
}

// The icons Wine gave the X server for `window`, as far as the property holds whole ones.
std::vector<Image> XIcons(HWND window) {
  const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
  if (xWindow == 0) return {};
  const std::string text = RunXprop("-id " + std::to_string(xWindow) + " -notype 32c _NET_WM_ICON");
  // "_NET_WM_ICON = 16, 16, 4278190080, ..."
  std::vector<std::uint32_t> values;
  const std::size_t equals = text.find('=');
  std::istringstream numbers(equals == std::string::npos ? "" : text.substr(equals + 1));
  for (std::uint32_t value; numbers >> value; numbers.ignore(1, ',')) values.push_back(value);
  std::vector<Image> icons;
  for (std::size_t k = 0; k + 2 <= values.size();) {
    Image icon{static_cast<int>(values[k]), static_cast<int>(values[k + 1]), {}};
    const std::size_t count = static_cast<std::size_t>(icon.width) * icon.height;
    if (values.size() - k - 2 < count) break;
    icon.argb.assign(values.begin() + k + 2, values.begin() + k + 2 + count);
    icons.push_back(icon);
    k += 2 + count;
  }
  return icons;
}

// An icon's colour bitmap as 32-bit ARGB rows.
Image IconImage(HICON icon) {
  Image image;
  ICONINFO parts = {};
  if (icon == nullptr || !GetIconInfo(icon, &parts)) return image;
  BITMAP colour = {};
  if (parts.hbmColor != nullptr && GetObjectA(parts.hbmColor, sizeof colour, &colour)) {
    BITMAPINFO format = TopDown32(colour.bmWidth, colour.bmHeight);
    image.argb.resize(static_cast<std::size_t>(colour.bmWidth) * colour.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, parts.hbmColor, 0, colour.bmHeight, image.argb.data(), &format,
                  DIB_RGB_COLORS) == colour.bmHeight) {
      image.width = colour.bmWidth;
      image.height = colour.bmHeight;
    }
    ReleaseDC(nullptr, screen);
  }
  if (parts.hbmColor != nullptr) DeleteObject(parts.hbmColor);
  if (parts.hbmMask != nullptr) DeleteObject(parts.hbmMask);
  return image;
}

class SmallIcon : public AppTest {};

TEST_F(SmallIcon, IsTheSixteenPixelImageOfTheSmallGroupUnscaled) {
  // The 16-pixel image as the exe file carries it.
  HMODULE file = LoadLibraryExA(QUORVANE_E2E_EXE, nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(file, nullptr);
  HICON fileIcon = static_cast<HICON>(
      LoadImageA(file, MAKEINTRESOURCEA(resources::kSmallIcon), IMAGE_ICON, 16, 16, 0));
  const Image expected = IconImage(fileIcon);
  DestroyIcon(fileIcon);
  FreeLibrary(file);
  ASSERT_EQ(expected.width, 16);

  ASSERT_TRUE(Start("e2e-one-gpu.txt"));
  std::vector<Image> icons;
  ASSERT_TRUE(WaitUntil([&] { return !(icons = XIcons(main)).empty(); }, kStartTimeoutMs));
  std::string sizes;
  const Image* small = nullptr;
  for (const Image& icon : icons) {
    sizes.append(" ").append(std::to_string(icon.width)).append("x");
    sizes.append(std::to_string(icon.height));
    if (icon.width == 16 && icon.height == 16) small = &icon;
  }
  ASSERT_NE(small, nullptr) << "no 16 x 16 icon, only" << sizes;
  EXPECT_TRUE(small->argb == expected.argb) << "not the group's 16-pixel image";
}

}  // namespace
}  // namespace e2e
