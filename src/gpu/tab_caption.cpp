#include "gpu/tab_caption.h"

#include <array>

#include "gpu/bounded_text.h"
#include "gpu/connector_text.h"

namespace gpu {
namespace {

bool SlotInUse(const SlotTable& table, int slot) {
  const int count = table.gpuCount.Load();
  const int inUse = count < kMaxGpus ? count : kMaxGpus;
  return slot >= 0 && slot < inUse;
}

// " (" and the bus number; false when the driver does not give it.
bool AppendBus(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, BoundedText& text) {
  std::uint32_t bus = 1000;
  if (nvapi.NvAPI_GPU_GetBusId(gpu, &bus) != nvapi::kOk) return false;
  text.Append(" (");
  text.AppendHex8(bus);
  return true;
}

// One NVML value of the device; false when the function is missing or fails.
bool QueryNvml(NvmlLibrary& nvml, const char* function, nvmlDevice_t device, std::uint32_t* value) {
  *value = 0;
  const auto query = nvml.Find<nvml::DeviceGetU32Fn>(function);
  return query != nullptr && query(device, value) == nvml::kSuccess;
}

// " / PCIe xW" and " G.0" where NVML gives them, both as signed numbers; true when the
// connectors may follow: without NVML they do, but not when the device or the link width cannot
// be had.
bool AppendPcieLink(NvmlLibrary& nvml, int slot, BoundedText& text) {
  if (!nvml.Loaded()) return true;
  nvmlDevice_t device = nullptr;
  if (!nvml.Device(static_cast<std::uint32_t>(slot), &device)) return false;
  std::uint32_t width = 0;
  const bool hasWidth = QueryNvml(nvml, nvml::kDeviceGetMaxPcieLinkWidth, device, &width);
  if (hasWidth) {
    text.Append(" / PCIe x");
    text.AppendSignedDecimal(static_cast<std::int32_t>(width));
  }
  std::uint32_t generation = 0;
  if (QueryNvml(nvml, nvml::kDeviceGetMaxPcieLinkGeneration, device, &generation)) {
    text.Append(" ");
    text.AppendSignedDecimal(static_cast<std::int32_t>(generation));
    text.Append(".0");
  }
  return hasWidth;
}

using DisplayRecords = std::array<nvapi::NV_GPU_DISPLAYIDS, kMaxDisplayRecords>;

// A connector type no connector text names: a record the driver leaves unwritten adds nothing.
constexpr std::int32_t kConnectorNotWritten = 0x7FFFFFFF;

DisplayRecords ClearedRecords() {
  DisplayRecords records = {};
  for (nvapi::NV_GPU_DISPLAYIDS& record : records) record.connectorType = kConnectorNotWritten;
  return records;
}

// The query over the first `count` records; the count the driver hands back is not used, as
// the array holds exactly `count` records.
NvAPI_Status QueryDisplays(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, DisplayRecords& records,
                           std::uint32_t count, std::uint32_t* reported) {
  *reported = count;
  return nvapi.NvAPI_GPU_GetConnectedDisplayIds(gpu, records.data(), reported, 0);
}

// Finds per record the newest version word the driver takes: each record in turn gets the
// newest word and, when the query with it fails, the oldest one.
void NegotiateVersions(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, DisplayRecords& records,
                       std::uint32_t count) {
  std::uint32_t reported = 0;
  for (std::uint32_t k = 0; k < count; ++k) {
    records[k].version = nvapi::kDisplayIdsV3;
    if (QueryDisplays(nvapi, gpu, records, count, &reported) != nvapi::kOk) {
      records[k].version = nvapi::kDisplayIdsV1;
    }
  }
}

// The connector of every connected display, as far as the driver reports them.
void AppendConnectors(NvapiStub& nvapi, NvPhysicalGpuHandle gpu, BoundedText& text) {
  std::uint32_t count = 0;
  if (nvapi.NvAPI_GPU_GetConnectedDisplayIds(gpu, nullptr, &count, 0) != nvapi::kOk) return;
  if (count > kMaxDisplayRecords) count = kMaxDisplayRecords;
  if (count == 0) return;
  DisplayRecords records = ClearedRecords();
  NegotiateVersions(nvapi, gpu, records, count);
  std::uint32_t reported = 0;
  if (QueryDisplays(nvapi, gpu, records, count, &reported) != nvapi::kOk) return;
  // A driver may report more displays than the array held; only the records passed are read.
  const std::uint32_t shown = reported < count ? reported : count;
  for (std::uint32_t k = 0; k < shown; ++k) text.Append(ConnectorText(records[k].connectorType));
}

// Bus, link and connectors; the parentheses only when the bus number opened them.
void AppendDetail(Vendor& vendor, NvPhysicalGpuHandle gpu, int slot, BoundedText& text) {
  const bool opened = AppendBus(vendor.nvapi, gpu, text);
  if (AppendPcieLink(vendor.nvml, slot, text)) AppendConnectors(vendor.nvapi, gpu, text);
  if (opened) text.Append(")");
}

}  // namespace

void BuildTabCaption(Vendor& vendor, SlotTable& table, int slot, char (&caption)[kCaptionSize]) {
  BoundedText text(caption);
  if (!SlotInUse(table, slot)) return;
  const GpuSlot& gpuSlot = table.slots[static_cast<std::size_t>(slot)];
  text.AppendNarrow(gpuSlot.gpuName.Load());
  if (table.detailMode.Load() != 0) {
    AppendDetail(vendor, table.HandleOf(gpuSlot), slot, text);
  } else if (table.gpuCount.Load() > 1) {
    text.Append("(");
    text.AppendDecimal(static_cast<std::uint32_t>(slot) + 1);
    text.Append(")");
  }
}

}  // namespace gpu
