// A long run of the plug-in on the virtual bench: random reports, Update calls, switches and host
// values, with the pendant unplugged and plugged again every few thousand cycles, all under the
// stream oracle. Prints what a long run must show and fails when any of it does not hold.
//   soak [cycles] [seed]
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "device/virtual_hid_bus.h"
#include "plugin/plugin_module.h"
#include "tests/fuzz/stream_driver.h"

namespace {

using pendant::testing::StreamDriver;
using pendant::testing::StreamOracle;

constexpr int kStopLed = 800;

bool InRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

// Elapsed counters stay within 0..1001 and the report sequence within 1..255.
bool CountersInRange() {
  const pendant::PluginModule& module = pendant::Plugin();
  const pendant::UpdateTicks& update = module.updateTicks;
  const pendant::PollTicks& poll = module.pollTicks;
  return InRange(update.PressTicks, 0, 1001) && InRange(update.ScreenKeyTicks, 0, 1001) &&
         InRange(update.ModeChangeTicks, 0, 1001) && InRange(update.ReportSequence, 1, 255) &&
         InRange(poll.KeyDownTicks, 0, 1001) && InRange(poll.KeyUpTicks, 0, 1001);
}

// Operations of the driver's byte stream, weighted as a machinist uses the pendant: the wheel
// turned and let go, the selectors now and then, the switches, LED 800 and the host's jog
// inhibit seldom; ticks and Update calls in between.
class PendantUser {
 public:
  explicit PendantUser(unsigned seed) : random_(seed) {}

  std::vector<uint8_t> Setup() const {
    std::vector<uint8_t> ops = {0x18, 83, 0x09, 3};  // LED 83 on, DRO 3 = 40.0
    const double feed = 40.0;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&feed);
    ops.insert(ops.end(), bytes, bytes + sizeof feed);
    ops.insert(ops.end(), {0x0C, 25, 0, 0, 0, 0});  // DelaySteps 0
    return ops;
  }

  void Next(std::vector<uint8_t>& ops) {
    const int pick = Uniform(0, 99);
    if (pick < 40) {  // the wheel: a few counts at a turning rate, or let go
      const bool letGo = Uniform(0, 4) == 0;
      ops.insert(ops.end(), {static_cast<uint8_t>(Uniform(0, 2) << 4),
                             static_cast<uint8_t>(letGo ? 0 : Uniform(-5, 5)),
                             static_cast<uint8_t>(letGo ? 0 : Uniform(20, 80))});
    } else if (pick < 48) {  // axis 1..4, mode 1..6, extended
      ops.insert(ops.end(), {0x01, static_cast<uint8_t>(Uniform(1, 4) | Uniform(1, 6) << 3 |
                                                        Uniform(0, 8) / 8 << 6 | 0x80)});
    } else if (pick < 50) {  // offline and stop switches, mostly both off
      ops.push_back(static_cast<uint8_t>(0x02 | (Uniform(0, 3) == 0 ? Uniform(1, 3) : 0) << 4));
    } else if (pick < 51) {  // LED 800
      ops.insert(ops.end(), {static_cast<uint8_t>(0x08 | Uniform(0, 1) << 4), 128});
    } else if (pick < 52) {  // the host's jog inhibit, mostly off
      ops.push_back(static_cast<uint8_t>(0x0D | (Uniform(0, 3) == 0) << 4));
    } else if (pick < 60) {
      ops.push_back(static_cast<uint8_t>(0x07 | Uniform(0, 3) << 4));  // Update calls
    } else {
      ops.push_back(static_cast<uint8_t>(0x04 | Uniform(0, 3) << 4));  // ticks
    }
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::mt19937 random_;
};

int OpenHandles() {
  int open = 0;
  for (const auto& [handle, record] : pendant::VirtualHidBus::Instance().Handles()) {
    open += record.open ? 1 : 0;
  }
  return open;
}

}  // namespace

int main(int argc, char** argv) {
  const uint64_t cycles = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  const unsigned seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20261208;
  std::mt19937 random(seed);
  std::uniform_int_distribution<uint64_t> replugGap(2000, 6000);
  PendantUser user(seed);

  StreamOracle oracle;
  uint64_t countersOutOfRange = 0;
  int openAtEnd = 0;
  {
    StreamDriver driver(oracle);
    driver.Run(user.Setup());
    std::vector<uint8_t> ops;
    uint64_t nextReplug = replugGap(random);
    while (driver.cycles < cycles) {
      ops.clear();
      for (int op = 0; op < 16; ++op) user.Next(ops);
      driver.Run(ops);
      if (!CountersInRange()) ++countersOutOfRange;
      if (driver.cycles >= nextReplug) {
        if (driver.session.pendant.Plugged()) driver.TogglePendant(false);
        driver.TogglePendant(random() & 1);
        nextReplug = driver.cycles + replugGap(random);
      }
    }
    std::printf("cycles %llu\n", static_cast<unsigned long long>(driver.cycles));
  }
  openAtEnd = OpenHandles();  // after StopPlug
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("removals %llu, of the open pendant with LED %d off %llu, 1021 sent %llu\n",
              static_cast<unsigned long long>(oracle.removals), kStopLed,
              static_cast<unsigned long long>(oracle.removalsWithStopLedOff),
              static_cast<unsigned long long>(oracle.stopsSentOnRemoval));
  std::printf("wheel jogs started %llu, move lines %llu\n",
              static_cast<unsigned long long>(oracle.wheelJogsStarted),
              static_cast<unsigned long long>(oracle.moveLines));
  std::printf("handles open at the end %d\n", openAtEnd);
  std::printf("checks with counters out of range %llu\n",
              static_cast<unsigned long long>(countersOutOfRange));
  std::printf("peak resident memory %ld KiB\n", usage.ru_maxrss);
  const bool ok = openAtEnd == 0 && countersOutOfRange == 0 &&
                  oracle.stopsSentOnRemoval == oracle.removalsWithStopLedOff &&
                  oracle.removalsWithStopLedOff > 0 && oracle.wheelJogsStarted > 0;
  std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
  return ok ? 0 : 1;
}
