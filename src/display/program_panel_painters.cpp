#include "display/compose_window.h"
#include "display/info_panel.h"
#include "display/level_meters.h"
#include "platform/lasting.h"

namespace display {
namespace {

class Painters final : public PanelPainters {
 public:
  void PaintMeterSegments(std::array<Canvas*, 6> meters, int plotHeight, const gpu::GpuSlot& slot,
                          const SkinCanvases& skins) override {
    display::PaintMeterSegments(meters, plotHeight, slot, skins);
  }
  void DrawMeterCaptions(Canvas& backBuffer, const std::array<Area, 6>& meterAreas, int plotHeight,
                         const gpu::GpuSlot& slot, TextRenderer& text) override {
    display::DrawMeterCaptions(backBuffer, meterAreas, plotHeight, slot, text);
  }
  void PaintInfoPanel(Canvas& backBuffer, const Area& panel, const gpu::GpuSlot& slot,
                      TextRenderer& text) override {
    display::PaintInfoPanel(backBuffer, panel, slot, text);
  }
};

}  // namespace

PanelPainters& ProgramPanelPainters() {
  static platform::Lasting<Painters> painters;
  return painters.Get();
}

}  // namespace display
