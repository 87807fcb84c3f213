#include "input/input_report.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {

bool TrundleWin::PollCycle() {
  display_.StepDisplayCycle(engine_.State().CurrentInput[kWheelRateByte] != 0);
  module_.pollTicks.Step();

  if (!link_.DeviceOpen()) return false;

  engine_.RefreshHostReadiness();
  // A read that does not finish within the wait leaves InputBuffer as it was, so the last
  // complete report is decoded again; the read stays in flight and lands in a later cycle.
  if (link_.Read(InputBuffer, kReadWaitMs)) engine_.ReportLanded(InputBuffer);

  engine_.DecodeInput(InputBuffer);
  display_.Compose(engine_.State(), DisplayBuffer);
  link_.Write(DisplayBuffer, sizeof DisplayBuffer);
  return true;
}

}  // namespace pendant
