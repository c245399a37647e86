// A library named like the driver API, placed beside the Windows tests. The loader must never
// pick it: it answers no interface id at all.
#include <cstdint>

extern "C" __declspec(dllexport) void* nvapi_QueryInterface(std::uint32_t) {
  return nullptr;
}
