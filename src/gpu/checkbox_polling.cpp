#include "gpu/checkbox_polling.h"

#include "gpu/checkbox_texts.h"

namespace gpu {
namespace {

// The pair (active, start pending) of one action after this poll's reading of its box: true
// when a start sequence is due now. The flag is read before the box: a thread that ends its own
// request unticks the box first and clears the flag after, so a box read after a set flag is
// never a stale tick of a request that has just ended. A new tick numbers a new run or request
// before it is marked active, so that a thread of the previous one, which ends when its number
// is no longer the newest, never takes the new one's flag for its own.
bool StartDue(CheckboxHost& host, CheckBox box, Flag& active, Flag& startPending, I32& number) {
  if (active.Load() != 0) {
    if (!host.IsTicked(box)) {
      active.Store(0);
      return false;
    }
  } else {
    if (!host.IsTicked(box)) return false;
    number.Store(number.Load() + 1);
    active.Store(1);
    startPending.Store(1);
  }
  return startPending.Load() != 0;
}

// Save dialog, then the settings dialog; true when both were confirmed. A settings dialog that
// could not be shown counts as cancelled.
bool ChooseFileAndSettings(CheckboxHost& host, CheckBox box, I32& cancelMarker) {
  if (!host.ChooseFile(box)) return false;
  cancelMarker.Store(0);
  return host.ShowSettingsDialog(box) && cancelMarker.Load() == 0;
}

void FailStart(CheckboxHost& host, CheckBox box, Flag& active, const wchar_t* message) {
  host.ShowMessage(message);
  active.Store(0);
  host.Untick(box);
}

void PollCsv(CheckboxHost& host, SlotTable& table) {
  if (!StartDue(host, CheckBox::kCsv, table.csvActive, table.csvStartPending, table.csvRunNumber)) {
    return;
  }
  WindowsVersion version;
  if (!host.ReadWindowsVersion(version)) version = {};
  if (!CsvStartSupported(version)) {
    // The box stays ticked and the test repeats silently in every later cycle.
    if (table.osNoticePending.Load() != 0) {
      table.osNoticePending.Store(0);
      host.ShowMessage(kCsvOsNoticeText);
    }
    return;
  }
  // A thread that cannot start fails the start like a cancelled dialog: no box stays ticked
  // with nothing behind it.
  if (!ChooseFileAndSettings(host, CheckBox::kCsv, table.logDialogCancelled) ||
      !host.StartThread(CheckBox::kCsv)) {
    FailStart(host, CheckBox::kCsv, table.csvActive, kCsvNotSavedText);
  }
  table.csvStartPending.Store(0);
}

void PollDetailMode(CheckboxHost& host, SlotTable& table) {
  const int ticked = host.IsTicked(CheckBox::kDetail) ? 1 : 0;
  if (ticked == table.detailMode.Load()) return;
  table.detailMode.Store(ticked);
  host.RebuildInfoLine();
  host.RepaintWholeWindow();
}

void PollShot(CheckboxHost& host, SlotTable& table) {
  if (!StartDue(host, CheckBox::kShot, table.shotActive, table.shotStartPending,
                table.shotRequestNumber)) {
    return;
  }
  if (!ChooseFileAndSettings(host, CheckBox::kShot, table.screenshotDialogCancelled) ||
      !host.StartThread(CheckBox::kShot)) {
    FailStart(host, CheckBox::kShot, table.shotActive, kBmpNotSavedText);
  }
  table.shotStartPending.Store(0);
}

}  // namespace

bool CsvStartSupported(const WindowsVersion& version) {
  return version.major > 5 && version.minor != 0;
}

void PollCheckboxes(CheckboxHost& host, SlotTable& table) {
  PollCsv(host, table);
  PollDetailMode(host, table);
  PollShot(host, table);
}

}  // namespace gpu
