#include "bench/session/decoded_state.h"

#include <cstdio>

#include "plugin/plugin_module.h"

namespace pendant::bench {

std::string DecodedStateText() {
  const PluginModule& module = Plugin();
  const UpdateTicks& update = module.updateTicks;
  const PollTicks& poll = module.pollTicks;
  char counters[200];
  std::snprintf(counters, sizeof counters,
                "PressTicks %d, ScreenKeyTicks %d, WheelActiveCountdown %d, ModeChangeTicks %d, "
                "RestoreCountdown %d, KeyDownTicks %d, KeyUpTicks %d",
                update.PressTicks, update.ScreenKeyTicks, update.WheelActiveCountdown,
                update.ModeChangeTicks, update.RestoreCountdown, poll.KeyDownTicks,
                poll.KeyUpTicks);
  if (!module.PendantWindow) return std::string("state: no pendant window; ") + counters;
  const TrundleWin& window = *module.PendantWindow;
  const PendantView view = window.Engine().View();
  const KeyTiming& key = window.Engine().Key();
  char state[200];
  std::snprintf(state, sizeof state,
                "state: JogMode %d, AxisIndex %d, key %s, long press %d, double press %d, "
                "offline %d, DisplayCycle %d, pendant %s; ",
                view.JogMode, view.AxisIndex, view.ActionKey ? "down" : "up", key.LongPress(),
                key.DoublePress(), view.OfflineSwitch, window.Display().State().DisplayCycle,
                window.Link().DeviceOpen() ? "open" : "closed");
  return state + std::string(counters);
}

}  // namespace pendant::bench
