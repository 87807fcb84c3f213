#include "bench/session/action_words.h"

#include <cstdint>
#include <cstdlib>

#include "bench/session/text_escape.h"

namespace pendant::bench {
namespace {

std::string OnOff(bool on) {
  return on ? "on" : "off";
}

std::string DelayWords(int64_t delayMs) {
  if (delayMs < 0) return "report lost";
  if (delayMs == 0) return "report ontime";
  return "report late " + std::to_string(delayMs);
}

// The controls that differ, one script command each, in the order a hand would set them.
std::vector<std::string> ControlChanges(const VirtualPendant& before, const VirtualPendant& now) {
  std::vector<std::string> changes;
  if (now.axisSelector != before.axisSelector) {
    changes.push_back("axis " + std::to_string(now.axisSelector));
  }
  if (now.modeSelector != before.modeSelector) {
    changes.push_back("mode " + std::to_string(now.modeSelector));
  }
  if (now.extended != before.extended) changes.push_back("extended " + OnOff(now.extended));
  if (now.keyDown != before.keyDown) changes.push_back(now.keyDown ? "key down" : "key up");
  if (now.stopEngaged != before.stopEngaged) changes.push_back("estop " + OnOff(now.stopEngaged));
  if (now.offline != before.offline) changes.push_back("offline " + OnOff(now.offline));
  const int counts =
      static_cast<int8_t>(static_cast<uint8_t>(now.wheelCounter - before.wheelCounter));
  // A turn from rest brings its own rate, as the script's wheel command does.
  const bool rateOfTheTurn =
      counts != 0 && before.wheelRate == 0 && now.wheelRate == VirtualPendant::kTurningRate;
  if (now.wheelRate != before.wheelRate && !rateOfTheTurn) {
    changes.push_back("rate " + std::to_string(now.wheelRate));
  }
  if (counts != 0) {
    changes.push_back(std::string("wheel ") + (counts < 0 ? "-" : "+") +
                      std::to_string(std::abs(counts)));
  }
  return changes;
}

// Changes that one report carries, on one line.
std::string OneReport(const std::vector<std::string>& changes) {
  if (changes.empty()) return "the same report again";
  std::string line = changes.front();
  for (size_t i = 1; i < changes.size(); ++i) line += ", " + changes[i];
  return changes.size() == 1 ? line : line + " (one report)";
}

}  // namespace

std::vector<std::string> PendantEventWords(VirtualPendant::Event event,
                                           const VirtualPendant& before,
                                           const VirtualPendant& now) {
  if (event == VirtualPendant::Event::Unplug) return {"pendant unplug"};
  std::vector<std::string> lines;
  if (now.reportDelayMs != before.reportDelayMs) lines.push_back(DelayWords(now.reportDelayMs));
  const std::vector<std::string> changes = ControlChanges(before, now);
  if (event == VirtualPendant::Event::Send) {
    lines.push_back(OneReport(changes));
    return lines;
  }
  lines.insert(lines.end(), changes.begin(), changes.end());
  lines.push_back(now.path == kPendantPath ? "pendant plug"
                                           : "pendant plug " + ScriptWord(now.path));
  return lines;
}

}  // namespace pendant::bench
