// Any stream of reports, Update calls, host values, device arrivals and removals, settings and
// restarts: after every cycle and event the oracle's rules hold.
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/stream_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One session for the whole run: each input ends with the checked stop and leaves the session
  // reset and started, as a new driver would find it.
  static pendant::testing::StreamOracle oracle;
  static pendant::testing::StreamDriver driver(oracle);
  driver.Run({data, size});
  driver.StartOver();
  return 0;
}
