// A thread started through the runtime library and left to run on its own: it is never joined
// and its handle is not kept.
#pragma once

namespace platform {

using ThreadBody = unsigned(__stdcall*)(void* argument);

// False when the thread could not be started; `argument` then still belongs to the caller.
bool StartDetachedThread(ThreadBody body, void* argument);

}  // namespace platform
