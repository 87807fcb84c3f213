#include <cstdio>
#include <string>

#include "bench/terminal_panels.h"
#include "plugin/host_numbers.h"

namespace pendant::bench {
namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string ProgramLine(const SubstituteHost& host) {
  const std::string state = HostLed(host, kProgramRunningLed)  ? "RUNNING"
                            : HostLed(host, kProgramPausedLed) ? "PAUSED"
                                                               : "idle";
  return "program " + state + ", line" + Format(" %.0f", HostDro(host, kProgramLineDro));
}

std::string LastMessage(const SubstituteHost& host) {
  for (auto effect = host.effects.rbegin(); effect != host.effects.rend(); ++effect) {
    if (effect->kind == HostEffect::Kind::Message) return effect->text;
  }
  return "";
}

}  // namespace

double HostDro(const SubstituteHost& host, int dro) {
  const auto found = host.dros.find(dro);
  return found == host.dros.end() ? 0.0 : found->second;
}

bool HostLed(const SubstituteHost& host, int led) {
  return host.ledsOn.count(led) != 0;
}

std::vector<std::string> MachinePanel(const BenchSession& session) {
  const SubstituteHost& host = session.host;
  const char* const kAxes = "XYZA";
  std::string positions[2];
  for (int axis = 0; axis < 4; ++axis) {
    positions[axis / 2] += std::string(axis % 2 ? "   " : "") + kAxes[axis] +
                           Format(" %+10.4f", HostDro(host, kFirstAxisPositionDro + axis));
  }
  const bool spindle = HostLed(host, kSpindleOnLed);
  return {
      std::string("MACHINE  ") + (session.machine.On() ? "on" : "off"),
      positions[0],
      positions[1],
      ProgramLine(host),
      std::string("spindle ") + (spindle ? "ON " : "off") +
          Format("  %.0f rpm", HostDro(host, kSpindleRpmDro)) +
          Format(" (DRO 202 %.0f)", HostDro(host, kSpindleSpeedDro)),
      "feed ovr" + Format(" %.0f %%", HostDro(host, kFeedOverrideDro)) + "  spindle ovr" +
          Format(" %.0f %%", HostDro(host, kSpindleOverrideDro)),
      std::string("e-stop ") + (HostLed(host, kEmergencyStopLed) ? "ON (LED 800)" : "off") +
          "  jog " + (HostLed(host, kJogEnabledLed) ? "on" : "OFF") + " (LED 83)",
      std::string("jog mode LED 15 ") + (HostLed(host, kJogModeLed) ? "on " : "off") + "  queue" +
          Format(" %.0f", HostDro(host, kStepGateLowDro)) + " of" +
          Format(" %.0f", HostDro(host, kStepGateHighDro)),
      "host screen " + std::to_string(session.machine.Screen()) +
          (session.machine.TabScreenShown() ? " with the TAB screen" : ""),
      "message: " + LastMessage(host),
  };
}

}  // namespace pendant::bench
