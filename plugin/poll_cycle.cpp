#include <cstring>

#include "input/input_report.h"
#include "plugin/plugin_module.h"
#include "plugin/trundle_win.h"

namespace pendant {
bool TrundleWin::PollCycle() {
  // DisplayCycle runs 159..0 once per 160 ticks and holds at 159 while the wheel turns.
  if (DisplayCycle == 0) DisplayCycle = 160;
  --DisplayCycle;
  if (CurrentInput[kWheelRateByte] != 0) DisplayCycle = 159;
  module_.pollTicks.Step();

  if (!DeviceOpen) return false;

  // Readiness is only refreshed while the host is idle; otherwise the last verdict stands.
  const Host& host = module_.host;
  if (host.BusyWord() == 0 && host.QueueCEmpty() && host.QueueAEmpty()) {
    HostReady = host.ReadyFlagWord() == 0;
  }

  // A read that does not finish within the wait leaves InputBuffer as it was, so the last
  // complete report is decoded again; the read stays in flight and lands in a later cycle.
  if (Reader.Read(ReadHandle, InputBuffer, kReadWaitMs) && WheelBaselinePending) {
    // The first report after (re)opening only sets the wheel's reference: measured against an
    // older counter it would move the axis by counts nobody turned.
    WheelLast = InputBuffer[kWheelCounterByte];
    WheelBaselinePending = false;
  }

  DecodeInput();
  ComposeDisplay();
  Writer.Write(WriteHandle, DisplayBuffer, sizeof DisplayBuffer);
  return true;
}

}  // namespace pendant
