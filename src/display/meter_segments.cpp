#include "display/meter_segments.h"

#include <algorithm>

namespace display {

namespace {

constexpr int kSegmentSpan = 3;     // two lit rows and one black row
constexpr int kColumnReserve = 32;  // rows below and above the column of segments
constexpr int kLowestRowOffset = 27;

constexpr double kInt32Low = -2147483648.0;
constexpr double kInt32High = 2147483648.0;

// trunc(x) as an int, or 0 when x is not a number or its truncation leaves the 32-bit range.
int TruncateToInt(double x) {
  if (!(x > kInt32Low - 1.0 && x < kInt32High)) return 0;
  return static_cast<int>(x);
}

// One tile row (17 columns) into both blocks at row y.
void CopyTileRow(Canvas& meter, const Canvas& tile, int tileRow, int y) {
  const Area from{0, tileRow, kBlockWidth, 1};
  meter.Copy(tile, from, kLeftBlockX, y);
  meter.Copy(tile, from, kRightBlockX, y);
}

}  // namespace

int SegmentCount(int panelHeight) {
  const long long room = static_cast<long long>(panelHeight) - kColumnReserve;
  if (room <= 0) return 0;
  return static_cast<int>((room + kSegmentSpan - 1) / kSegmentSpan);
}

bool HasThirdRow(int panelHeight) {
  const long long room = static_cast<long long>(panelHeight) - kColumnReserve;
  return room > 0 && room % kSegmentSpan == 0;
}

int SegmentTopRow(int panelHeight, int k) {
  return panelHeight - kLowestRowOffset - kSegmentSpan * k;
}

int LitCount(std::int64_t reading, std::int64_t fullScale, int segments, Precision precision) {
  if (fullScale == 0) return 0;
  if (precision == Precision::kDouble) {
    const double scaled = static_cast<double>(reading) / static_cast<double>(fullScale) * segments;
    return std::max(0, TruncateToInt(scaled + 0.5));
  }
  const float scaled =
      static_cast<float>(reading) / static_cast<float>(fullScale) * static_cast<float>(segments);
  return std::max(0, TruncateToInt(scaled + 0.5f));
}

TemperatureZones ZonesFor(int segments) {
  const float fraction = static_cast<float>(segments) / static_cast<float>(kTemperatureFullScale);
  return {TruncateToInt(fraction * static_cast<float>(kAmberFromCelsius) + 0.5f),
          TruncateToInt(fraction * static_cast<float>(kRedFromCelsius) + 0.5f)};
}

void DrawSegment(Canvas& meter, int panelHeight, int k, const Canvas& tile, bool lit) {
  const int top = SegmentTopRow(panelHeight, k);
  const int firstRow = lit ? 2 : 0;
  CopyTileRow(meter, tile, firstRow, top);
  CopyTileRow(meter, tile, firstRow + 1, top + 1);
}

void DrawThirdRow(Canvas& meter, int panelHeight, int k, const Canvas& tile, bool lit) {
  CopyTileRow(meter, tile, lit ? 2 : 0, SegmentTopRow(panelHeight, k) - 1);
}

}  // namespace display
