// The check boxes' actions in the running program: the main window's boxes, the save and
// settings dialogs owned by it, the logging and screenshot threads, the information line and
// the repaint.
// Everything here runs on the sampling thread, inside its poll.
#pragma once

#include "gpu/checkbox_polling.h"

namespace app {

// The poll of one sampling cycle, over the process's own windows and table.
void PollProcessCheckboxes();

}  // namespace app
