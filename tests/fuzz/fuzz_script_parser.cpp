// Any text given to the bench as a script parses to commands or to an error, never a crash.
#include <string_view>

#include "bench/script/script_parser.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pendant::bench::script::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
