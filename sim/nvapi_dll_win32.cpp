// nvapi64.dll: loads the default scenario when the library is attached, and refuses to load
// when the scenario says the machine has no driver API library.
#include <windows.h>

#include "sim.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  sim::LoadDefaultScenario();
  return sim::NvapiLibraryPresent() ? TRUE : FALSE;
}
