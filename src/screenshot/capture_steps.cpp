#include "screenshot/capture_steps.h"

namespace screenshot {

bool CapturePicture(PrintedWindow& window, BmpSink& sink, platform::WriteGate& gate,
                    const char* path) {
  window.Restore();
  std::int32_t width = 0;
  std::int32_t height = 0;
  window.OuterSize(width, height);
  if (width <= 0 || height <= 0) return false;
  // A print that failed leaves a surface the window never drew into: no picture of it.
  std::uint8_t* rows = window.Print(width, height);
  if (rows == nullptr) return false;
  const platform::GatedWrite write(gate);
  if (!write.Open()) return false;  // the program is closing
  return WriteBmpFile(sink, path, width, height, rows);
}

}  // namespace screenshot
