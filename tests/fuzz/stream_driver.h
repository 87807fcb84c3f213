// Drives the plug-in through its exports on the virtual bench from a stream of bytes: each
// operation is one byte (its kind in the low four bits, a small argument in the high four) and
// the bytes it needs. Reports arrive on time, late or never; host values take any bit pattern
// (NaN and infinities included); the pendant and a foreign device come and go; settings take
// any value and long texts; the plug-in is stopped and started again. The oracle checks every
// cycle and event.
#pragma once

#include <cstdint>
#include <span>

#include "bench/session/bench_session.h"
#include "tests/fuzz/stream_oracle.h"

namespace pendant::testing {

class StreamDriver {
 public:
  // A fresh bench session, the plug-in started with the pendant plugged in. The host names no
  // profile file: the settings start as defaults and stay in memory, so no operation waits on
  // the disk.
  explicit StreamDriver(StreamOracle& oracle);
  // Stops the plug-in and checks that it ended what it started.
  ~StreamDriver();
  StreamDriver(const StreamDriver&) = delete;
  StreamDriver& operator=(const StreamDriver&) = delete;

  // Stops the plug-in, checked as at the end, and starts it again on the reset session: what a
  // new driver would be, without building one (a fuzz target runs many streams).
  void StartOver();

  // Runs every operation the bytes encode; an operation cut short by the end is dropped.
  void Run(std::span<const uint8_t> bytes);

  // Single operations, also for programs that script the stream.
  void Tick();
  void Update();
  void TogglePendant(bool otherPort);
  void SendReport(const VirtualHidBus::Report& report, int64_t delayMs);

  bench::BenchSession session;
  uint64_t cycles = 0;

 private:
  void StartFresh();
  void RunOne(uint8_t op, std::span<const uint8_t>& rest);
  void ToggleForeignDevice();
  void ChangeSetting(uint8_t which, std::span<const uint8_t>& rest);
  void Start();
  void Stop();
  void CheckWrites();

  StreamOracle& oracle_;
  bool foreignPlugged_ = false;
  bool running_ = false;
};

}  // namespace pendant::testing
