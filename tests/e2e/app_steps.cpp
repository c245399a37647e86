#include "app_steps.h"

namespace e2e {

std::unique_ptr<AppProcess> Launch(const std::string& scenario, const char* exe) {
  EXPECT_EQ(FindWindowA("QUORVANE", nullptr), nullptr) << "another instance is still running";
  if (exe == nullptr) exe = QUORVANE_E2E_EXE;
  auto app = std::make_unique<AppProcess>(exe, std::string(QUORVANE_E2E_SCENARIOS "/") + scenario);
  EXPECT_TRUE(app->Started()) << "cannot start " << exe;
  return app;
}

UiEvent ExpectNext(const AppProcess& app, UiEventKind kind, DWORD timeoutMs) {
  const UiEvent event = NextUiEvent(app, timeoutMs);
  EXPECT_EQ(Describe(event), Describe({kind, nullptr, event.exitCode, 0}));
  return event;
}

HWND ExpectMainWindow(const AppProcess& app, DWORD timeoutMs) {
  const UiEvent event = ExpectNext(app, UiEventKind::kMainWindowShown, timeoutMs);
  if (event.kind != UiEventKind::kMainWindowShown) return nullptr;
  const bool complete =
      WaitUntil([&] { return ChildWindows(event.window).size() >= kChildCount; }, kStartTimeoutMs);
  EXPECT_TRUE(complete) << "the main window has " << ChildWindows(event.window).size()
                        << " children";
  return complete ? event.window : nullptr;
}

void ExpectMessageBoxAndDismiss(const AppProcess& app, const std::wstring& text) {
  const UiEvent event = ExpectNext(app, UiEventKind::kMessageBox);
  if (event.kind != UiEventKind::kMessageBox) return;
  EXPECT_EQ(MessageBoxText(event.window), text);
  EXPECT_EQ(MessageBoxButtons(event.window), L"1:OK");
  EXPECT_EQ(GetWindow(event.window, GW_OWNER), nullptr) << "a start-up message has no owner";
  HWND main = FindMainWindow(app.Id());
  EXPECT_FALSE(main != nullptr && IsWindowVisible(main)) << "main window visible behind the box";
  EXPECT_TRUE(DismissMessageBox(event.window));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(event.window); }, kStartTimeoutMs));
}

void ExpectCleanExit(const AppProcess& app) {
  const UiEvent event = ExpectNext(app, UiEventKind::kExited);
  EXPECT_EQ(event.exitCode, 0u);
}

bool MoveToScreenOrigin(HWND main) {
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
  return SetWindowPos(main, nullptr, 0, 0, 0, 0, flags) && Responds(main);
}

void ExpectCloseEndsWithCodeZero(const AppProcess& app, HWND main, DWORD timeoutMs) {
  ASSERT_TRUE(PostClose(main));
  const std::optional<DWORD> code = app.WaitExit(timeoutMs);
  ASSERT_TRUE(code.has_value()) << "still running " << timeoutMs << " ms after the close";
  EXPECT_EQ(*code, 0u);
}

HWND InfoBox(HWND main) {
  const auto children = ChildWindows(main);
  return children.size() > 12 ? children[12].window : nullptr;
}

void ExpectInfoLine(HWND main, const std::wstring& line, DWORD timeoutMs) {
  EXPECT_TRUE(WaitUntil([&] { return WindowText(InfoBox(main)) == line; }, timeoutMs))
      << "the information box shows " << WindowText(InfoBox(main)) << ", not " << line;
}

std::vector<std::string> WaitForTabLabels(const AppProcess& app, HWND main,
                                          const std::vector<std::string>& expected) {
  std::vector<std::string> labels;
  WaitUntil(
      [&] {
        labels = TabLabels(app.Handle(), TabControl(main));
        return labels == expected;
      },
      kCycleTimeoutMs);
  return labels;
}

}  // namespace e2e
