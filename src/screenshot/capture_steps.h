// The capture of a screenshot request, step by step: the window restored to its normal size,
// measured, printed into a surface of its whole rectangle, and the picture written through the
// write gate. The window is reached through an interface, which the program implements over
// Win32 and tests script; a step that fails ends the capture with no file written.
#pragma once

#include <cstdint>

#include "platform/write_gate.h"
#include "screenshot/bmp_file.h"

namespace screenshot {

class PrintedWindow {
 public:
  virtual ~PrintedWindow() = default;
  // Shows the window in its normal size and position (a minimised or maximised window is
  // restored).
  virtual void Restore() = 0;
  // The window's rectangle, frame included.
  virtual void OuterSize(std::int32_t& width, std::int32_t& height) = 0;
  // Repaints the window and lets it print itself, frame included, into a fresh 24-bit
  // bottom-up surface of width × height: its rows (height × stride bytes), valid until the
  // next call, or null when no surface could be made or the print failed.
  virtual std::uint8_t* Print(std::int32_t width, std::int32_t height) = 0;
};

// False when no picture was written.
bool CapturePicture(PrintedWindow& window, BmpSink& sink, platform::WriteGate& gate,
                    const char* path);

}  // namespace screenshot
