// Starting `LogThread` for one logging run; the thread is never joined and its handle is not
// kept.
#pragma once

#include "logging/log_run.h"

namespace logging {

// False when the thread could not be started.
bool StartLogThread(const LogRun& run);

}  // namespace logging
