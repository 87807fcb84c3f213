#include <cstdio>
#include <string>

#include "bench/terminal/terminal_panels.h"
#include "host/host_fields.h"
#include "host/host_numbers.h"

namespace pendant::bench {
namespace {

using namespace host_fields;

// The axis the selector picks, or nothing for an action position.
const char* SelectedAxis(const VirtualPendant& pendant) {
  switch (pendant.axisSelector) {
    case 1:
      return "X";
    case 2:
      return "Y";
    case 3:
      return "Z";
    case 7:
      return pendant.extended ? "A" : nullptr;
    default:
      return nullptr;
  }
}

// What the wheel does in a mode that does not jog; empty for the jog modes.
std::string NonJogMode(const VirtualPendant& pendant) {
  const int mode = pendant.modeSelector;
  if (mode == 1 && pendant.keyDown) return "the key is held: the wheel sets the step size or speed";
  if (mode == 3 && pendant.keyDown) return "the key is held: the wheel sets the continuous speed";
  if (mode >= 1 && mode <= 3) return "";
  if (mode == 4) return "feed override mode: the wheel sets the override";
  if (mode == 5) return "zero mode: the wheel does nothing, a double press zeroes";
  if (mode == 6 && pendant.extended) return "function key mode: the wheel does nothing";
  return "the mode selector selects nothing";
}

std::string Verdict(const BenchSession& session) {
  const VirtualPendant& pendant = session.pendant;
  const SubstituteHost& host = session.host;
  if (!pendant.Plugged()) return "the pendant is unplugged";
  if (pendant.offline) return "the offline switch is on: the plug-in leaves the wheel alone";
  if (pendant.stopEngaged) return "the e-stop switch is engaged";
  // Left on, for example, by an unplug: the switch engaged and released resets it.
  if (host.Led(kEmergencyStopLed)) {
    return "the host is in emergency stop (LED 800): e twice (switch on, off) resets";
  }
  if (host.Peek<uint8_t>(host.blockA, kJogInhibit) != 0) return "the host inhibits jogging";
  const char* axis = SelectedAxis(pendant);
  if (!axis) return "the axis selector is on " + AxisSelectorName(pendant);
  if (const std::string mode = NonJogMode(pendant); !mode.empty()) return mode;
  if (!host.Led(kJogEnabledLed)) return "jogging is off in the host (LED 83)";
  const bool running = host.Led(kProgramRunningLed);
  if ((running || host.Led(kProgramPausedLed)) && !host.Led(kJogWhileRunningLed)) {
    return std::string("the program is ") + (running ? "running" : "paused") +
           " and LED 806 is off";
  }
  if (pendant.modeSelector == 1) {
    const double queued = host.Dro(kStepGateLowDro);
    const double limit = host.Dro(kStepGateHighDro);
    char text[120];
    if (!(limit > queued)) {
      std::snprintf(text, sizeof text, "the host queue is full (DRO 22 %g, DRO 133 %g)", queued,
                    limit);
      return text;
    }
    std::snprintf(text, sizeof text, "OK: a count steps %s by %.4f", axis,
                  host.Peek<double>(host.blockC, kJogStepDistance));
    return text;
  }
  return std::string("OK: turning jogs ") + axis;
}

}  // namespace

std::string WheelVerdict(const BenchSession& session) {
  return "wheel: " + Verdict(session);
}

}  // namespace pendant::bench
