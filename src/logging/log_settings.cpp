#include "logging/log_settings.h"

#include "platform/lasting.h"

namespace logging {

LogSettings::LogSettings() {
  for (gpu::Flag& flag : itemEnabled) flag.Store(1);
  for (gpu::Flag& flag : gpuEnabled) flag.Store(1);
}

LogSelection SelectionOf(const LogSettings& settings) {
  LogSelection selection;
  for (std::size_t i = 0; i < selection.items.size(); ++i) {
    selection.items[i] = settings.itemEnabled[i].Load() != 0;
  }
  for (std::size_t i = 0; i < selection.gpus.size(); ++i) {
    selection.gpus[i] = settings.gpuEnabled[i].Load() != 0;
  }
  return selection;
}

LogSettings& ProcessLogSettings() {
  static platform::Lasting<LogSettings> settings;
  return settings.Get();
}

}  // namespace logging
