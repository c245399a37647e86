// The sampling thread's reading of the three check boxes, once per cycle: "CSV 出力" starts and
// stops a logging run, "詳細モード" switches detail mode, "Screen Shot" starts and ends a
// screenshot request. The decisions live here; the window, the dialogs and the threads are
// reached through a host, which the program implements over Win32 and tests record.
#pragma once

#include "gpu/gpu_slots.h"
#include "gpu/windows_version.h"

namespace gpu {

enum class CheckBox { kCsv, kDetail, kShot };

class CheckboxHost {
 public:
  virtual ~CheckboxHost() = default;
  virtual bool IsTicked(CheckBox box) = 0;
  virtual void Untick(CheckBox box) = 0;
  // The version the CSV start tests; false when it cannot be read.
  virtual bool ReadWindowsVersion(WindowsVersion& version) = 0;
  // A message box owned by the main window.
  virtual void ShowMessage(const wchar_t* text) = 0;
  // The save dialog of the CSV log or of the screenshot, filling `csvPath` or `shotPath`;
  // false when it was cancelled or failed.
  virtual bool ChooseFile(CheckBox box) = 0;
  // The settings dialog of the CSV log or of the screenshot, modal; a cancel shows in its
  // marker (`logDialogCancelled`, `screenshotDialogCancelled`). False when the dialog could not
  // be shown at all.
  virtual bool ShowSettingsDialog(CheckBox box) = 0;
  // Starts the logging thread or the screenshot thread for the chosen file; false when the
  // thread could not be started.
  virtual bool StartThread(CheckBox box) = 0;
  // The information line again, and the whole window repainted at once (detail mode).
  virtual void RebuildInfoLine() = 0;
  virtual void RepaintWholeWindow() = 0;
};

// The CSV start needs a version test of its own: 5.x and earlier and every x.0 fail.
bool CsvStartSupported(const WindowsVersion& version);

// One poll of the three boxes, in the order CSV, detail mode, Screen Shot.
void PollCheckboxes(CheckboxHost& host, SlotTable& table);

}  // namespace gpu
