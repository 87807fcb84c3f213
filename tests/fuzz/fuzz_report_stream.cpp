// Any stream of reports, Update calls, host values, device arrivals and removals, settings and
// restarts: after every cycle and event the oracle's rules hold.
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/stream_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pendant::testing::StreamOracle oracle;
  pendant::testing::StreamDriver driver(oracle);
  driver.Run({data, size});
  return 0;
}
