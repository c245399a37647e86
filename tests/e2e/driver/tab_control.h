// The tab strip of another process: labels, selection and a mouse click on one tab.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The labels in tab order (narrow texts, TCM_GETITEMA); empty when the control does not answer.
std::vector<std::string> TabLabels(HANDLE process, HWND tabs);
// TCM_GETCURSEL: the selected tab, or -1.
int SelectedTab(HWND tabs);
// Posts a left click at the centre of tab `index` (the way a user selects it, so the owner gets
// TCN_SELCHANGE); false when its rectangle cannot be read.
bool ClickTab(HANDLE process, HWND tabs, int index);

}  // namespace e2e
