#include <cstdio>

#include "bench/session/display_text.h"
#include "bench/terminal/terminal_panels.h"
#include "input/selector_names.h"
#include "pendant/display_report_format.h"

namespace pendant::bench {
namespace {

const char* OnOff(bool on) {
  return on ? "ON " : "off";
}

}  // namespace

std::string AxisSelectorName(const VirtualPendant& pendant) {
  return pendant::AxisSelectorName(pendant.extended, pendant.axisSelector);
}

std::string ModeSelectorName(const VirtualPendant& pendant) {
  return pendant::ModeSelectorName(pendant.extended, pendant.modeSelector);
}

std::vector<std::string> PendantPanel(const BenchSession& session) {
  const VirtualPendant& pendant = session.pendant;
  const std::vector<uint8_t>* report = session.display.Last();
  const bool plugged = pendant.Plugged();
  DisplayText text{std::string(kLineLength, ' '), std::string(kLineLength, ' ')};
  int led = 0;
  if (plugged && report) {
    text = TextOfReport(*report);
    led = report->size() > kLedByte ? (*report)[kLedByte] : 0;
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
