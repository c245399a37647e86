// The log settings dialog as the program opens it: GPU boxes for one and three GPUs and in
// detail mode, the item boxes, the interval list; the refusals of an empty choice; keys that do
// nothing; the defaults again at every opening.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
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

void PrintTo(const DialogState& s, std::ostream* out) {
  *out << testing::PrintToString(std::tie(s.gpuCaptions, s.gpuChecks, s.gpuEnabled, s.itemChecks,
                                          s.itemEnabled, s.intervals, s.interval));
}

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

void CloseAndExpectRefusal(const AppProcess& app, HWND main, HWND dialog) {
  ASSERT_TRUE(PostCloseBox(dialog));
  EXPECT_TRUE(WaitGone(dialog, kCycleTimeoutMs));
  ExpectCsvRefused(app, main);
}

// The dialog opened on `path` shows the defaults for the GPUs with these captions; it is closed.
void ExpectDefaultsAtOpening(const AppProcess& app, HWND main, const std::wstring& path,
                             const Texts& captions) {
  HWND dialog = OpenLogDialog(app, main, path);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ReadState(dialog), Defaults(captions));
  CloseAndExpectRefusal(app, main, dialog);
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
  ExpectDefaultsAtOpening(*app, main, folder.File(L"one.csv"), {L"Quorvane Sim Solo"});
}

TEST_F(LoggingDialog, ThreeGpusAreNumberedAndInDetailModeShowTheirBusNumbers) {
  const std::wstring path = folder.File(L"three.csv");
  ASSERT_TRUE(Start("e2e-three-gpus.txt"));
  ExpectDefaultsAtOpening(
      *app, main, path,
      {L"Quorvane Sim Alpha(1)", L"Quorvane Sim Beta(2)", L"Quorvane Sim Gamma(3)"});

  SetMainBox(main, kDetailBoxCaption, true);
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto labels = TabLabels(app->Handle(), TabControl(main));
        return !labels.empty() && labels[0].starts_with("Quorvane Sim Alpha (0x00000001");
      },
      kCycleTimeoutMs))
      << "detail mode did not reach the tabs";
  ExpectDefaultsAtOpening(*app, main, path,
                          {L"Quorvane Sim Alpha (0x00000001)", L"Quorvane Sim Beta (0x00000002)",
                           L"Quorvane Sim Gamma (0x00000003)"});
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
  ExpectDefaultsAtOpening(*app, main, path, {L"Quorvane Sim Alpha(1)", L"Quorvane Sim Beta(2)"});
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
  EXPECT_EQ(ReadState(dialog), before) << "the keys changed the dialog";
  EXPECT_EQ(FindMessageBox(app->Id()), nullptr);
  EXPECT_EQ(MainBoxState(main, kCsvBoxCaption), 1);
  CloseAndExpectRefusal(*app, main, dialog);
}

}  // namespace
}  // namespace e2e
