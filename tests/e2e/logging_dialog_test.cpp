// The log settings dialog as the program opens it: GPU boxes for one and three GPUs and in
// detail mode, the item boxes, the interval list; the refusals of an empty choice; keys that do
// nothing; the defaults again at every opening.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging_steps.h"

namespace e2e {
namespace {

constexpr DWORD kReactionMs = 5000;

using Texts = std::vector<std::wstring>;

// Everything of the dialog a user can see or change.
struct DialogState {
  Texts gpuCaptions;
  std::vector<int> gpuChecks;
  std::vector<bool> gpuEnabled;
  std::vector<int> itemChecks;
  std::vector<bool> itemEnabled;
  Texts intervals;
  int interval;
  bool operator==(const DialogState&) const = default;
};

DialogState ReadState(HWND dialog) {
  DialogState state;
  for (int k = 0; k < kGpuBoxCount; ++k) {
    state.gpuCaptions.push_back(ControlText(dialog, kFirstGpuBox + k));
    state.gpuChecks.push_back(CheckState(dialog, kFirstGpuBox + k));
    state.gpuEnabled.push_back(ControlEnabled(dialog, kFirstGpuBox + k));
  }
  for (int id : kItemBoxes) {
    state.itemChecks.push_back(CheckState(dialog, id));
    state.itemEnabled.push_back(ControlEnabled(dialog, id));
  }
  state.intervals = ComboListTexts(GetDlgItem(dialog, kIntervalCombo));
  state.interval = ComboSelection(GetDlgItem(dialog, kIntervalCombo));
  return state;
}

// The state of a fresh opening for the GPUs with these captions.
DialogState Defaults(const Texts& captions) {
  DialogState state;
  for (std::size_t k = 0; k < kGpuBoxCount; ++k) {
    const bool present = k < captions.size();
    state.gpuCaptions.push_back(present ? captions[k] : L"");
    state.gpuChecks.push_back(present ? 1 : 0);
    state.gpuEnabled.push_back(present);
  }
  state.itemChecks.assign(kItemBoxes.size(), 1);
  state.itemEnabled.assign(kItemBoxes.size(), true);
  state.intervals = {L"1秒", L"2秒", L"5秒", L"10秒", L"30秒", L"1分"};
  state.interval = 0;
  return state;
}

void ExpectDefaults(HWND dialog, const Texts& captions) {
  const DialogState state = ReadState(dialog);
  const DialogState expected = Defaults(captions);
  EXPECT_EQ(state.gpuCaptions, expected.gpuCaptions);
  EXPECT_EQ(state.gpuChecks, expected.gpuChecks);
  EXPECT_EQ(state.gpuEnabled, expected.gpuEnabled);
  EXPECT_EQ(state.itemChecks, expected.itemChecks);
  EXPECT_EQ(state.itemEnabled, expected.itemEnabled);
  EXPECT_EQ(state.intervals, expected.intervals);
  EXPECT_EQ(state.interval, expected.interval);
}

void CloseAndExpectRefusal(const AppProcess& app, HWND main, HWND dialog) {
  ASSERT_TRUE(PostCloseBox(dialog));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs));
  ExpectCsvRefused(app, main);
}

void SetGpuBoxes(HWND dialog, int count, bool checked) {
  for (int k = 0; k < count; ++k) ASSERT_TRUE(SetCheckState(dialog, kFirstGpuBox + k, checked));
}

void SetItemBoxes(HWND dialog, bool checked) {
  for (int id : kItemBoxes) ASSERT_TRUE(SetCheckState(dialog, id, checked));
}

// "CSV出力" refused with `text` in a plain box owned by the dialog, which stays open.
void PressAndExpectRefusal(const AppProcess& app, HWND dialog, const std::wstring& text) {
  ASSERT_TRUE(PostClick(dialog, kLogStartButton));
  HWND box = WaitForMessageBox(app);
  ASSERT_NE(box, nullptr);
  ExpectMessage(box, dialog, text);
  EXPECT_FALSE(ShowsIcon(box));
  Dismiss(box);
  EXPECT_TRUE(DrainPostedMessages(dialog, kGraphicsClockBox, kReactionMs))
      << "the dialog ended after the refusal";
}

class LoggingDialog : public AppTest {};

TEST_F(LoggingDialog, OneGpuIsShownByItsNameAndTheOtherBoxesAreOff) {
  ASSERT_TRUE(Start("e2e-one-gpu.txt"));
  HWND dialog = OpenLogDialog(*app, main, folder.File(L"one.csv"));
  ASSERT_NE(dialog, nullptr);
  ExpectDefaults(dialog, {L"Quorvane Sim Solo"});
  CloseAndExpectRefusal(*app, main, dialog);
}

bool DetailTabs(const AppProcess& app, HWND main) {
  return WaitUntil(
      [&] {
        const auto labels = TabLabels(app.Handle(), TabControl(main));
        return !labels.empty() && labels[0].starts_with("Quorvane Sim Alpha (0x00000001");
      },
      kCycleTimeoutMs);
}

TEST_F(LoggingDialog, ThreeGpusAreNumberedAndInDetailModeShowTheirBusNumbers) {
  const std::wstring path = folder.File(L"three.csv");
  ASSERT_TRUE(Start("e2e-three-gpus.txt"));
  HWND dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  ExpectDefaults(dialog,
                 {L"Quorvane Sim Alpha(1)", L"Quorvane Sim Beta(2)", L"Quorvane Sim Gamma(3)"});
  CloseAndExpectRefusal(*app, main, dialog);

  SetMainBox(main, kDetailBoxCaption, true);
  ASSERT_TRUE(DetailTabs(*app, main)) << "detail mode did not reach the tabs";
  dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  ExpectDefaults(dialog, {L"Quorvane Sim Alpha (0x00000001)", L"Quorvane Sim Beta (0x00000002)",
                          L"Quorvane Sim Gamma (0x00000003)"});
  CloseAndExpectRefusal(*app, main, dialog);
}

TEST_F(LoggingDialog, AnEmptyChoiceIsRefusedAndTheNextOpeningShowsTheDefaults) {
  const std::wstring path = folder.File(L"refused.csv");
  ASSERT_TRUE(Start(kTwoGpuLogScenario));
  HWND dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);

  SetGpuBoxes(dialog, 2, false);
  SetItemBoxes(dialog, false);
  PressAndExpectRefusal(*app, dialog,
                        L"GPUに1つもチェックが入っていません\n項目に1つもチェックが入っていません");
  SetGpuBoxes(dialog, 2, true);
  PressAndExpectRefusal(*app, dialog, L"項目に1つもチェックが入っていません");
  ASSERT_TRUE(SetCheckState(dialog, kTemperatureBox, true));
  SetGpuBoxes(dialog, 2, false);
  PressAndExpectRefusal(*app, dialog, L"GPUに1つもチェックが入っていません\n");
  ASSERT_TRUE(SelectComboEntry(GetDlgItem(dialog, kIntervalCombo), 4));
  CloseAndExpectRefusal(*app, main, dialog);

  dialog = OpenLogDialog(*app, main, path);
  ASSERT_NE(dialog, nullptr);
  ExpectDefaults(dialog, {L"Quorvane Sim Alpha(1)", L"Quorvane Sim Beta(2)"});
  CloseAndExpectRefusal(*app, main, dialog);
}

TEST_F(LoggingDialog, EnterAndEscapeChangeNothing) {
  ASSERT_TRUE(Start(kTwoGpuLogScenario));
  HWND dialog = OpenLogDialog(*app, main, folder.File(L"keys.csv"));
  ASSERT_NE(dialog, nullptr);
  const DialogState before = ReadState(dialog);

  ASSERT_TRUE(PostKey(dialog, VK_RETURN));
  ASSERT_TRUE(PostKey(dialog, VK_ESCAPE));
  ASSERT_TRUE(PostCommand(dialog, IDOK));
  ASSERT_TRUE(PostCommand(dialog, IDCANCEL));
  EXPECT_TRUE(DrainPostedMessages(dialog, kGraphicsClockBox, kReactionMs)) << "the dialog ended";
  EXPECT_TRUE(ReadState(dialog) == before) << "the keys changed the dialog";
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr);
  EXPECT_EQ(MainBoxState(main, kCsvBoxCaption), 1);
  CloseAndExpectRefusal(*app, main, dialog);
}

}  // namespace
}  // namespace e2e
