#include "gpu/checkbox_polling.h"

#include "gpu/checkbox_texts.h"

namespace gpu {
namespace {

// The pair (active, start pending) of one action after this poll's reading of its box: true
// when a start sequence is due now.
bool StartDue(CheckboxHost& host, CheckBox box, Flag& active, Flag& startPending) {
  if (active.Load() != 0) {
    if (!host.IsTicked(box)) {
      active.Store(0);
      return false;
    }
  } else {
    if (!host.IsTicked(box)) return false;
    active.Store(1);
    startPending.Store(1);
  }
  return startPending.Load() != 0;
}

// Save dialog, then the settings dialog, then the thread; true when it started. A settings
// dialog that could not be shown counts as cancelled. The run or request is numbered only once
// both dialogs are confirmed: a cancelled start leaves the previous one the newest, so that a
// logging run still in its last wait ends as an untick lets it, with one more record. Its
// thread stops when its number is no longer the newest.
bool StartAction(CheckboxHost& host, CheckBox box, I32& cancelMarker, I32& number) {
  if (!host.ChooseFile(box)) return false;
  cancelMarker.Store(0);
  if (!host.ShowSettingsDialog(box) || cancelMarker.Load() != 0) return false;
  number.Store(number.Load() + 1);
  return host.StartThread(box);
}

void FailStart(CheckboxHost& host, CheckBox box, Flag& active, const wchar_t* message) {
  host.ShowMessage(message);
  active.Store(0);
  host.Untick(box);
}

void PollCsv(CheckboxHost& host, SlotTable& table) {
  if (!StartDue(host, CheckBox::kCsv, table.csvActive, table.csvStartPending)) return;
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
  if (!StartAction(host, CheckBox::kCsv, table.logDialogCancelled, table.csvRunNumber)) {
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
  // A request its thread has finished ends here, on the thread that numbers requests: it is
  // still the newest while its box and flag go, and a stale report ends nothing.
  if (table.shotActive.Load() != 0 &&
      table.shotDoneNumber.Load() == table.shotRequestNumber.Load()) {
    host.Untick(CheckBox::kShot);
    table.shotActive.Store(0);
    return;
  }
  if (!StartDue(host, CheckBox::kShot, table.shotActive, table.shotStartPending)) return;
  if (!StartAction(host, CheckBox::kShot, table.screenshotDialogCancelled,
                   table.shotRequestNumber)) {
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
