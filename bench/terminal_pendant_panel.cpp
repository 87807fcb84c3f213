#include <cstdio>
#include <span>

#include "bench/display_text.h"
#include "bench/terminal_panels.h"

namespace pendant::bench {
namespace {

constexpr const char* kExtendedAxis[] = {
    "X", "Y", "Z", "program start/pause", "program stop/rewind", "spindle", "A"};
constexpr const char* kCompactAxis[] = {
    "X",      "Y", "Z", "program start/pause", "program stop/rewind", "spindle (A with CAmode)",
    "nothing"};
constexpr const char* kModes[] = {"step jog",      "velocity jog", "continuous jog",
                                  "feed override", "zero axis",    "function keys"};

std::string Named(std::span<const char* const> names, int position) {
  const std::string number = std::to_string(position) + ": ";
  if (position < 1 || position > static_cast<int>(names.size())) return number + "nothing";
  return number + names[position - 1];
}

const char* OnOff(bool on) {
  return on ? "ON " : "off";
}

}  // namespace

std::string AxisSelectorName(const VirtualPendant& pendant) {
  return pendant.extended ? Named(kExtendedAxis, pendant.axisSelector)
                          : Named(kCompactAxis, pendant.axisSelector);
}

std::string ModeSelectorName(const VirtualPendant& pendant) {
  // The compact layout has no function-key mode.
  const std::span<const char* const> modes(kModes);
  return Named(pendant.extended ? modes : modes.first(modes.size() - 1), pendant.modeSelector);
}

std::vector<std::string> PendantPanel(const BenchSession& session) {
  const VirtualPendant& pendant = session.pendant;
  const std::vector<uint8_t>* report = session.display.Last();
  const bool plugged = pendant.Plugged();
  DisplayText text{std::string(8, ' '), std::string(8, ' ')};
  int led = 0;
  if (plugged && report) {
    text = TextOfReport(*report);
    led = report->size() > 1 ? (*report)[1] : 0;
  }
  char ledLine[40];
  std::snprintf(ledLine, sizeof ledLine, "   LED byte %d%s", led, led ? " (lit)" : "");
  return {
      plugged ? "PENDANT  plugged in" : "PENDANT  UNPLUGGED (u plugs it back)",
      "+--------+",
      "|" + Printable(text.line1) + "|" + (plugged ? ledLine : ""),
      "|" + Printable(text.line2) + "|",
      "+--------+",
      "axis selector " + AxisSelectorName(pendant),
      "mode selector " + ModeSelectorName(pendant),
      std::string("key ") + (pendant.keyDown ? "DOWN" : "up  ") + "  e-stop " +
          OnOff(pendant.stopEngaged) + "  offline " + OnOff(pendant.offline),
  };
}

}  // namespace pendant::bench
