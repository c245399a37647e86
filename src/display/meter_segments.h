// The segment column of one level meter: how many segments a meter of height P holds, where
// each lies, how many a reading lights, the temperature meter's colour zones, and the drawing of
// one segment from a tile. Segment k (0 at the bottom) covers rows P − 27 − 3k and P − 26 − 3k
// in two 17-pixel blocks at x 23 and x 41; the top segment gets a third row above it when
// P − 32 is a multiple of 3.
#pragma once

#include <cstdint>

#include "display/canvas.h"
#include "display/metrics.h"

namespace display {

inline constexpr int kBlockWidth = 17;
inline constexpr int kLeftBlockX = 23;
inline constexpr int kRightBlockX = 41;

// The number of segments of a meter P pixels high: the count of k ≥ 0 with 3k < P − 32.
int SegmentCount(int panelHeight);
// Whether the top segment has the third row (3N = P − 32, N > 0).
bool HasThirdRow(int panelHeight);
// The upper of segment k's two rows.
int SegmentTopRow(int panelHeight, int k);

// L = trunc(reading / fullScale × segments + 0.5), computed in the given precision; segment k
// is lit when k < L. A zero full scale, a non-positive result or one outside the 32-bit range
// gives 0; a reading above full scale gives at least `segments`.
int LitCount(std::int64_t reading, std::int64_t fullScale, int segments, Precision precision);

// The temperature meter's zones: segments below `amber` are green, below `red` amber, the rest
// red. amber = trunc(N / 100 × 66 + 0.5), red = trunc(N / 100 × 85 + 0.5), single precision:
// the bands of kAmberFromCelsius and kRedFromCelsius on the meter's 100 °C.
struct TemperatureZones {
  int amber;
  int red;
};
TemperatureZones ZonesFor(int segments);

// Segment k from `tile` (20 × 4: rows 0 and 1 unlit, rows 2 and 3 lit; columns 0 to 16 used).
void DrawSegment(Canvas& meter, int panelHeight, int k, const Canvas& tile, bool lit);
// The third row above segment k: tile row 0 unlit, row 2 lit.
void DrawThirdRow(Canvas& meter, int panelHeight, int k, const Canvas& tile, bool lit);

}  // namespace display
