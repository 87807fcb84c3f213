#include "plugin/trundle_win.h"

namespace pendant {

// Double-press actions (zero, program start/stop, spindle, function keys) come with those modes.
void TrundleWin::RunKeyAction() {}

// The offline screen key comes with the screen selection.
void TrundleWin::HandleScreenKey() {}

}  // namespace pendant
