#include "app/app_state_win32.h"

#include "platform/lasting.h"

namespace app {

AppState& State() {
  static platform::Lasting<AppState> state;
  return state.Get();
}

}  // namespace app
