#include <cstring>

#include "plugin/trundle_win.h"

namespace pendant {

void TrundleWin::DecodeInput() {
  std::memcpy(CurrentInput, InputBuffer, sizeof CurrentInput);
}

}  // namespace pendant
