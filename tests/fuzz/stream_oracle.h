// What must hold after every poll cycle, device notice and stop of a plug-in driven by any
// stream of reports, Update calls, host values and settings: no motion nobody turned the wheel
// for, at most one move per cycle, states inside their value sets, only button codes the
// plug-in can send, the display's tail bytes untouched, removal's stop sent at most once and
// only while the host is not stopped, and every wheel jog ended before its mode is left.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "bench/host/substitute_host.h"
#include "plugin/plugin_module.h"

namespace pendant::testing {

class StreamOracle {
 public:
  // Called with a message when a rule is broken; the default prints it and aborts.
  using FailureHandler = void (*)(const std::string& message);
  explicit StreamOracle(FailureHandler onFailure = nullptr);

  // After one timer tick; decoded tells whether the cycle reached the decoder.
  void CheckCycle(const PluginModule& module, bool decoded,
                  std::span<const bench::HostEffect> effects);
  // After a removal notice, with the pendant's open state before and after it.
  void CheckRemoval(bool wasOpen, bool isOpen, bool stopLedOn,
                    std::span<const bench::HostEffect> effects);
  // After any other event outside a cycle (arrival notices, settings, Update calls).
  void CheckQuietEvent(std::span<const bench::HostEffect> effects, const char* event);
  // After StopPlug.
  void CheckStop(std::span<const bench::HostEffect> effects);
  // Every report written to the pendant keeps the sentinel bytes the session put there.
  void CheckWrittenReport(std::span<const uint8_t> report, uint8_t byte19, uint8_t byte20);

  uint64_t removals = 0;
  uint64_t stopsSentOnRemoval = 0;
  uint64_t removalsWithStopLedOff = 0;
  uint64_t wheelJogsStarted = 0;  // "DOJOG"s after no jog or an ended one
  uint64_t moveLines = 0;

 private:
  void Fail(const std::string& message) const;
  bool ButtonAllowed(int code, const PendantSettings& settings) const;
  // Walks the effects for "DOJOG"/"ENDJOG"; true when an "ENDJOG" came before any "DOJOG".
  bool FollowJogWords(std::span<const bench::HostEffect> effects, int32_t mode, int32_t axis);

  FailureHandler onFailure_;
  bool jogActive_ = false;
  int32_t jogMode_ = 0;
  int32_t jogAxis_ = 0;
};

}  // namespace pendant::testing
