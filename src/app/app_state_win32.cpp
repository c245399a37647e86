#include "app/app_state_win32.h"

namespace app {

AppState& State() {
  static AppState state;
  return state;
}

}  // namespace app
