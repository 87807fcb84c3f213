#include "plugin/trundle_win.h"

namespace pendant {

TrundleWin::TrundleWin(PluginModule& module) : module_(module) {}

TrundleWin::~TrundleWin() {
  EndActiveWheelJog();
  HidClose(ProbeHandle);
  ClosePendantHandles();
  if (window_) DestroyPendantWindow(window_);
}

bool TrundleWin::Create(NativeWindow parent) {
  window_ = CreatePendantWindow(parent, *this);
  return window_ != nullptr;
}

}  // namespace pendant
