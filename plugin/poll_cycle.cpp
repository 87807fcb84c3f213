#include "plugin/trundle_win.h"

namespace pendant {

bool TrundleWin::PollCycle() {
  display_.StepDisplayCycle(engine_.View().WheelRate != 0);
  pollTicks_.Step();

  if (!link_.DeviceOpen()) {
    LookAgainWhileClosed();
    return false;
  }
  closedTicks_ = 0;

  engine_.RefreshHostReadiness();
  // A read that does not finish within the wait leaves InputBuffer as it was, so the last
  // complete report is decoded again; the read stays in flight and lands in a later cycle.
  // In a quiet spell the wait is only a look (read_wait.h).
  const bool landed = link_.Read(InputBuffer, readWait_.WaitMs());
  readWait_.Note(landed);
  // A pendant found gone is handled as its removal notice would be, and the cycle ends there.
  const LinkChange lost = link_.TakeLoss();
  Follow(lost);
  if (lost == LinkChange::Removed) return true;
  if (landed) engine_.ReportLanded(InputBuffer);

  engine_.DecodeInput(InputBuffer);
  display_.Compose(engine_.View(), DisplayBuffer);
  link_.Write(DisplayBuffer, sizeof DisplayBuffer);
  Follow(link_.TakeLoss());
  return true;
}

}  // namespace pendant
