// A message sink for the discovery tests: keeps every text, and can note some state at the
// moment a text is shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gpu/message_sink.h"

namespace testing_support {

class RecordedMessages final : public gpu::MessageSink {
 public:
  void Show(const std::wstring& text) override {
    texts.push_back(text);
    if (onShow) onShow();
  }

  std::vector<std::wstring> texts;
  std::function<void()> onShow;
};

}  // namespace testing_support
