// A screenshot request from the ticked box to the picture file: at once when the trigger is
// already reached, only once the selected GPU warms up to it, following a change of tab, not at
// all when the box is unticked first; a minimised or maximised window is restored before the
// capture, and an existing file is replaced, also at a path of the greatest length. The
// picture's client area is the window as the screen shows it, and its frame is left to the print
// of the frame. A program that ends during the write leaves no file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/tools/logo_art.h"
#include "screenshot_steps.h"

namespace e2e {
namespace {

class Screenshot : public AppTest {};

constexpr const char* kSteady = "e2e-shot-steady.txt";
constexpr const char* kTwoGpus = "e2e-shot-two-gpus.txt";
constexpr DWORD kScreenRetryMs = 3000;

// The logo at the bottom right of the client area, from its drawing rules.
void ExpectLogo(const BmpImage& image, POINT offset, SIZE outer) {
  int wrong = 0;
  for (int y = 0; y < logo::kHeight; ++y) {
    for (int x = 0; x < logo::kWidth; ++x) {
      const logo::Rgb c = logo::Colour(x, y);
      const auto pixel = image.At(offset.x + outer.cx - 212 + x, offset.y + outer.cy - 120 + y);
      if (pixel != static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels of the logo differ in the picture";
}

// The screen copied until it matches the picture outside the areas a cycle repaints (a copy may
// catch the window in the middle of a repaint), reporting the last difference. Also left out:
// the "Screen Shot" box, ticked in the picture and unticked since, and the tab strip, whose
// empty part right of the tabs Wine prints white where the screen shows it light grey.
void ExpectClientAsOnScreen(const BmpImage& image, HWND main) {
  const POINT offset = ClientOffset(main);
  std::vector<RECT> skip = CycleAreas(OuterSize(main));
  skip.push_back(RectInParent(MainCheckBox(main, kShotBoxCaption)));
  skip.push_back(RectInParent(TabControl(main)));
  // The screen drawn afresh first, parent before children, as the capture draws it: a box drawn
  // again over itself on the screen (its frame is translucent) would show darker than once.
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  PixelDifference difference;
  WaitUntil(
      [&] {
        const ScreenCapture screen(main);
        difference = CompareClient(image, offset, screen, skip);
        return screen.Valid() && difference.count == 0;
      },
      kScreenRetryMs);
  EXPECT_GT(difference.compared, 100000) << "too little of the client area compared";
  EXPECT_EQ(difference.count, 0) << "of " << difference.compared << " pixels; first at "
                                 << difference.firstSeen;
}

// The frame right of and below the client area holds only what the print of the frame drew
// (Wine draws no frame: the strips stay as black as those left of and above the client area).
void ExpectFrameUncovered(const BmpImage& image, HWND main) {
  RECT client = {};
  GetClientRect(main, &client);
  const POINT offset = ClientOffset(main);
  const SIZE outer = OuterSize(main);
  ASSERT_GT(outer.cx - offset.x - client.right, 0) << "no frame right of the client area";
  ASSERT_GT(outer.cy - offset.y - client.bottom, 0) << "no frame below the client area";
  const FrameOverdraw overdraw = FindFrameOverdraw(image, offset, {client.right, client.bottom});
  EXPECT_GT(overdraw.strip, 0);
  EXPECT_EQ(overdraw.count, 0) << "of " << overdraw.strip << " frame pixels hold client content; "
                               << "first at " << overdraw.firstSeen;
}

TEST_F(Screenshot, AReachedTriggerGivesAPictureOfTheWholeWindowAtOnce) {
  ASSERT_TRUE(Start(kSteady));
  const std::wstring path = folder.File(L"reached.bmp");
  ASSERT_TRUE(MoveToScreenOrigin(main));
  // An odd width: each row of the file ends in one padding byte.
  ASSERT_TRUE(RequestOuterSize(main, 901, 520));
  const SIZE outer = OuterSize(main);
  ASSERT_EQ(outer.cx, 901);

  ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
  const std::optional<BmpImage> image = WaitForShot(Run(), path);
  ASSERT_TRUE(image) << "no picture although the GPU is above the trigger";
  ExpectClientAsOnScreen(*image, main);
  ExpectFrameUncovered(*image, main);
  ExpectBmpLayout(*image, outer);
  ExpectLogo(*image, ClientOffset(main), outer);
}

TEST_F(Screenshot, TheTriggerWaitsForTheSelectedGpuToReachIt) {
  ASSERT_TRUE(Start("e2e-shot-ramp.txt"));
  const std::wstring path = folder.File(L"warm.bmp");
  ASSERT_TRUE(RequestShot(Run(), path, 80));
  // At most one reading a second after the first: below 80 °C for the first ten seconds.
  const double left = std::max(0.0, 6.0 - app->SecondsSinceStart());
  const bool early = WaitUntil([&] { return FileExists(path); }, static_cast<DWORD>(left * 1000));
  EXPECT_FALSE(early) << "a picture while the GPU is below the trigger";
  EXPECT_EQ(MainBoxState(main, kShotBoxCaption), 1) << "the request ended early";
  const std::optional<BmpImage> image = WaitForShot(Run(), path, 20000);
  ASSERT_TRUE(image) << "no picture once the GPU has warmed up";
  ExpectBmpLayout(*image, OuterSize(main));
}

TEST_F(Screenshot, TheGpuOfTheTabSelectedAtEachCheckCounts) {
  ASSERT_TRUE(Start(kTwoGpus));
  const std::wstring path = folder.File(L"tab.bmp");
  HWND tabs = TabControl(main);
  ASSERT_EQ(SelectedTab(tabs), 0) << "the cold GPU's tab is not selected";
  ASSERT_TRUE(RequestShot(Run(), path, 80));
  ExpectNoFile(path, kNoShotMs);

  ASSERT_TRUE(ClickTab(app->Handle(), tabs, 1));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == 1; }, kCycleTimeoutMs));
  const std::optional<BmpImage> image = WaitForShot(Run(), path);
  ASSERT_TRUE(image) << "no picture after selecting the hot GPU";
  ExpectBmpLayout(*image, OuterSize(main));
}

TEST_F(Screenshot, UntickingTheBoxWhileWaitingEndsTheRequest) {
  ASSERT_TRUE(Start(kTwoGpus));
  const std::wstring path = folder.File(L"unticked.bmp");
  ASSERT_TRUE(RequestShot(Run(), path, 80));
  SetMainBox(main, kShotBoxCaption, false);
  WaitForPoll(main);  // the poll that reads the box unticked,
  WaitForPoll(main);  // and the next one: the first has ended
  // The hot GPU would fire a request that still waited.
  ASSERT_TRUE(ClickTab(app->Handle(), TabControl(main), 1));
  EXPECT_TRUE(WaitUntil([&] { return SelectedTab(TabControl(main)) == 1; }, kCycleTimeoutMs));
  ExpectNoFile(path, kNoShotMs);
  EXPECT_EQ(MainBoxState(main, kShotBoxCaption), 0);
}

void ShootAndExpectNormalWindow(const AppRun& run, const std::wstring& path, SIZE normal) {
  ASSERT_TRUE(RequestShot(run, path, kLowestTrigger));
  const std::optional<BmpImage> image = WaitForShot(run, path);
  ASSERT_TRUE(image) << "no picture";
  EXPECT_FALSE(IsIconic(run.main)) << "still minimised";
  EXPECT_FALSE(IsZoomed(run.main)) << "still maximised";
  const SIZE outer = OuterSize(run.main);
  EXPECT_EQ(outer.cx, normal.cx);
  EXPECT_EQ(outer.cy, normal.cy);
  ExpectBmpLayout(*image, normal);
  DeleteFileW(path.c_str());
}

TEST_F(Screenshot, AMinimisedOrMaximisedWindowIsRestoredBeforeTheCapture) {
  ASSERT_TRUE(Start(kSteady));
  const SIZE normal = OuterSize(main);

  ASSERT_TRUE(PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0));
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, kCycleTimeoutMs));
  ShootAndExpectNormalWindow(Run(), folder.File(L"minimised.bmp"), normal);

  ASSERT_TRUE(PostMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  // The window is marked maximised before it takes its new size: both are waited for.
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(main) != FALSE && OuterSize(main).cx != normal.cx; },
                        kCycleTimeoutMs))
      << "maximising did not change the size";
  ShootAndExpectNormalWindow(Run(), folder.File(L"maximised.bmp"), normal);
}

std::string Narrow(const std::vector<std::wstring>& names) {
  std::string text;
  for (const std::wstring& name : names) {
    text.push_back(' ');
    for (const wchar_t c : name) text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return text;
}

TEST_F(Screenshot, AnExistingFileOfThatNameIsReplaced) {
  ASSERT_TRUE(folder.Valid());
  // A path of 259 bytes, the longest the system takes: the picture still finds room beside it.
  const std::wstring name = std::wstring(259 - folder.File(L"").size() - 4, L'e') + L".bmp";
  const std::wstring path = folder.File(name);
  ASSERT_TRUE(WriteFileBytes(path, std::string(4 * 1024 * 1024, 'x')));  // longer than the picture
  ASSERT_TRUE(Start(kSteady));
  ASSERT_TRUE(RequestShot(Run(), path, kLowestTrigger));
  const std::optional<BmpImage> image = WaitForShot(Run(), path);
  ASSERT_TRUE(image) << "no picture";
  ASSERT_NE(image->U16(0), 0x7878u) << "the old file is still there: the box went off without "
                                    << "a picture";
  ExpectBmpLayout(*image, OuterSize(main));
  // The picture was written beside the name and moved over it: nothing else stays behind.
  EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{name})
      << "a file left beside the picture";
}

// A program that ends while it writes the picture leaves no file behind, under the picture's name
// or under the name written first. The end must come between the making of that file and its
// move: the folder is watched and the program ended the moment a file appears in it. The largest
// window makes the longest write; a run whose picture was already whole by then proves nothing
// and is repeated.
TEST_F(Screenshot, AProgramEndedDuringTheWriteLeavesNoFileBehind) {
  ASSERT_TRUE(folder.Valid());
  const std::wstring path = folder.File(L"ended.bmp");
  bool caught = false;
  for (int run = 0; run < 6 && !caught; ++run) {
    ASSERT_TRUE(Start(kSteady));
    ASSERT_TRUE(RequestOuterSize(main, 1200, 900));
    HWND dialog = OpenShotDialog(Run(), path);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SelectComboEntry(TriggerCombo(dialog), 0));  // reached at once
    ASSERT_TRUE(PostClick(dialog, kShotConfirmButton));
    std::vector<std::wstring> seen;
    const ULONGLONG deadline = GetTickCount64() + kShotTimeoutMs;
    while (seen.empty() && GetTickCount64() < deadline) {
      seen = folder.FileNames();
      if (seen.empty()) Sleep(0);
    }
    app->Kill();
    ASSERT_FALSE(seen.empty()) << "no file was written";
    const std::vector<std::wstring> left = folder.FileNames();
    if (left == std::vector<std::wstring>{L"ended.bmp"}) {
      ASSERT_TRUE(DeleteFileW(path.c_str()));  // the picture was whole before the end: once more
      continue;
    }
    caught = true;
    EXPECT_EQ(Narrow(left), "") << "files left after ending the program while it wrote"
                                << Narrow(seen);
  }
  EXPECT_TRUE(caught) << "the program was never ended during the write";
}

}  // namespace
}  // namespace e2e
