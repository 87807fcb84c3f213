// Runs a fuzz target on a fixed number of seeded random inputs, so the native test suite
// exercises every target deterministically without a fuzzing engine.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> length(0, 512);
  std::vector<uint8_t> input;
  for (long run = 0; run < runs; ++run) {
    input.resize(length(random));
    for (uint8_t& b : input) b = static_cast<uint8_t>(byte(random));
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%ld inputs replayed\n", runs);
  return 0;
}
