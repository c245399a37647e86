// Where discovery sends the messages that the user must see. Start-up shows each one in a
// message box; tests record them.
#pragma once

#include <string>

namespace gpu {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const std::wstring& text) = 0;
};

}  // namespace gpu
