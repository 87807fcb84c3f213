#include "plugin/trundle_win.h"

namespace pendant {

// The report keeps its previous bytes until the screens are composed here.
void TrundleWin::ComposeDisplay() {}

}  // namespace pendant
