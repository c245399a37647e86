// A drop-down combo box of another process: its list, its selection and typing into its edit
// field. The list texts come back through a buffer of the driver, which the system carries
// across processes for CB_GETLBTEXT as it does for WM_GETTEXT.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window_control.h"

namespace e2e {

// The list entries in list order; empty when the box does not answer.
std::vector<std::wstring> ComboListTexts(HWND combo);
// CB_GETCURSEL: the selected entry, -1 for none (or no answer).
inline int ComboSelection(HWND combo) {
  return static_cast<int>(Send(combo, CB_GETCURSEL).value_or(CB_ERR));
}
// CB_SETCURSEL, as a choice from the list does it (the owner is not notified).
inline bool SelectComboEntry(HWND combo, int index) {
  return Send(combo, CB_SETCURSEL, index).value_or(CB_ERR) == index;
}
// Selects the whole text of the edit field and types `text` over it as characters, then waits
// until the field shows it; false when it does not within `timeoutMs`.
bool TypeIntoCombo(HWND combo, const std::wstring& text, DWORD timeoutMs);

}  // namespace e2e
