#include "plugin/trundle_win.h"

#include "plugin/plugin_module.h"

namespace pendant {

TrundleWin::TrundleWin(PluginModule& module)
    : module_(module),
      engine_(module.host, module.settings, module.updateTicks, module.pollTicks),
      display_(module.host, module.settings, module.updateTicks) {}

TrundleWin::~TrundleWin() {
  engine_.EndActiveWheelJog();
  link_.Close();
  if (window_) DestroyPendantWindow(window_);
}

bool TrundleWin::Create(NativeWindow parent) {
  window_ = CreatePendantWindow(parent, *this);
  return window_ != nullptr;
}

bool TrundleWin::FindPendant() {
  Follow(link_.FindPendant(window_));
  StartWindowTimer(window_, kPollTimerId, kPollIntervalMs);
  return link_.DeviceOpen();
}

bool TrundleWin::DeviceChangeHandler(uintptr_t event, const void* data) {
  Follow(link_.DeviceChangeHandler(event, data));
  return true;
}

// A reopen of the pendant that never went away keeps the engine as it is: a jog under way
// goes on.
void TrundleWin::Follow(LinkChange change) {
  if (change == LinkChange::Opened) engine_.PendantOpened();
  if (change == LinkChange::Removed) engine_.PendantRemoved();
}

void TrundleWin::LookAgainWhileClosed() {
  if (!link_.WithoutNotices()) return;
  if (++closedTicks_ < kLookAgainTicks) return;
  closedTicks_ = 0;
  Follow(link_.LookAgain());
}

}  // namespace pendant
