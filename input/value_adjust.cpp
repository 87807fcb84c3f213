#include "plugin/trundle_win.h"

namespace pendant {

// Wheel adjustments of speeds, overrides and the step size are added with those modes.
void TrundleWin::AdjustValue(int32_t, int32_t) {}

}  // namespace pendant
