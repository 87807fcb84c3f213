#include <cstdio>
#include <string>

#include "bench/terminal/terminal_panels.h"
#include "host/host_axes.h"
#include "host/host_numbers.h"

namespace pendant::bench {
namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string ProgramLine(const SubstituteHost& host) {
  const std::string state = host.Led(kProgramRunningLed)  ? "RUNNING"
                            : host.Led(kProgramPausedLed) ? "PAUSED"
                                                          : "idle";
  return "program " + state + ", line" + Format(" %.0f", host.Dro(kProgramLineDro));
}

std::string LastMessage(const SubstituteHost& host) {
  for (auto effect = host.effects.rbegin(); effect != host.effects.rend(); ++effect) {
    if (effect->kind == HostEffect::Kind::Message) return effect->text;
  }
  return "";
}

}  // namespace

std::vector<std::string> MachinePanel(const BenchSession& session) {
  const SubstituteHost& host = session.host;
  std::string positions[2];
  for (int axis = 0; axis < kMachineAxes; ++axis) {
    positions[axis / 2] += std::string(axis % 2 ? "   " : "") + AxisLetter(axis) +
                           Format(" %+10.4f", host.Dro(kFirstAxisPositionDro + axis));
  }
  const bool spindle = host.Led(kSpindleOnLed);
  return {
      std::string("MACHINE  ") + (session.machine.On() ? "on" : "off"),
      positions[0],
      positions[1],
      ProgramLine(host),
      std::string("spindle ") + (spindle ? "ON " : "off") +
          Format("  %.0f rpm", host.Dro(kSpindleRpmDro)) +
          Format(" (DRO 202 %.0f)", host.Dro(kSpindleSpeedDro)),
      "feed ovr" + Format(" %.0f %%", host.Dro(kFeedOverrideDro)) + "  spindle ovr" +
          Format(" %.0f %%", host.Dro(kSpindleOverrideDro)),
      std::string("e-stop ") + (host.Led(kEmergencyStopLed) ? "ON (LED 800)" : "off") + "  jog " +
          (host.Led(kJogEnabledLed) ? "on" : "OFF") + " (LED 83)",
      std::string("jog mode LED 15 ") + (host.Led(kJogModeLed) ? "on " : "off") + "  queue" +
          Format(" %.0f", host.Dro(kStepGateLowDro)) + " of" +
          Format(" %.0f", host.Dro(kStepGateHighDro)),
      "host screen " + std::to_string(session.machine.Screen()) +
          (session.machine.TabScreenShown() ? " with the TAB screen" : ""),
      "message: " + LastMessage(host),
  };
}

}  // namespace pendant::bench
