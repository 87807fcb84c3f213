#include "plugin/trundle_win.h"

#include <utility>

namespace pendant {

TrundleWin::TrundleWin(Host& host, const PendantSettings& settings, UpdateTicks& updateTicks,
                       PollTicks& pollTicks)
    : host_(host),
      pollTicks_(pollTicks),
      engine_(host, settings, updateTicks, pollTicks),
      display_(host, settings, updateTicks) {}

TrundleWin::~TrundleWin() {
  busy_ = true;  // the jog's end may pump messages: nothing more is handled
  Shutdown();
}

void TrundleWin::Shutdown() {
  if (std::exchange(shutDown_, true)) return;
  engine_.EndActiveWheelJog();
  link_.Close();
  if (window_) DestroyPendantWindow(std::exchange(window_, nullptr));
}

void TrundleWin::Stop(std::unique_ptr<TrundleWin> window) {
  if (!window || !window->busy_) return;    // deleted here, which stops it
  TrundleWin* stopping = window.release();  // the handling on the stack deletes it
  stopping->Shutdown();
  stopping->stopped_ = true;
  stopping->host_.silenced = true;
}

template <typename Work>
bool TrundleWin::Handle(Work work) {
  busy_ = true;
  bool result = false;
  try {
    result = work();
    while (!stopped_ && !waitingNotices_.empty()) {
      const DeviceNotice notice = std::move(waitingNotices_.front());
      waitingNotices_.erase(waitingNotices_.begin());
      Follow(link_.DeviceChangeHandler(notice));
    }
  } catch (...) {
    // Nothing may unwind into the host's frames; the next tick starts afresh.
    waitingNotices_.clear();
  }
  busy_ = false;
  if (stopped_) {
    host_.silenced = false;
    delete this;
  }
  return result;
}

bool TrundleWin::OnTimer() {
  if (busy_) return false;
  return Handle([this] { return PollCycle(); });
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
  DeviceNotice notice = DeviceNotice::Read(event, data);
  if (busy_) {
    waitingNotices_.push_back(std::move(notice));
    return true;
  }
  Handle([&] {
    Follow(link_.DeviceChangeHandler(notice));
    return true;
  });
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
