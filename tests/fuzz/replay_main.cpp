// Runs a fuzz target on its seed corpus and then on a fixed number of seeded random inputs, so
// the native test suite exercises every target deterministically without a fuzzing engine.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

namespace {

int ReplaySeeds(const std::filesystem::path& directory) {
  int seeds = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<uint8_t> input{std::istreambuf_iterator<char>(file), {}};
    LLVMFuzzerTestOneInput(input.data(), input.size());
    ++seeds;
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
  const int seeds = argc > 2 ? ReplaySeeds(argv[2]) : 0;
  if (argc > 2 && seeds == 0) {
    std::fprintf(stderr, "no seeds in %s\n", argv[2]);
    return 1;
  }
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> length(0, 512);
  std::vector<uint8_t> input;
  for (long run = 0; run < runs; ++run) {
    input.resize(length(random));
    for (uint8_t& b : input) b = static_cast<uint8_t>(byte(random));
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%d seeds and %ld inputs replayed\n", seeds, runs);
  return 0;
}
