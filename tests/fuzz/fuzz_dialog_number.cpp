// Any text in one of the dialog's number edits: the parser agrees with the C library's reading
// of decimal text clamped to 32 bits, and what it returns reads back as itself.
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "settings/leading_int.h"
#include "tests/fuzz/fuzz_target.h"

namespace {

// The reference: strtoll on the text up to its first NUL, saturated to 32 bits.
std::optional<int32_t> Reference(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 10);
  if (end == begin) return std::nullopt;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<int32_t> parsed = pendant::ParseLeadingInt(text);
  if (parsed != Reference(text)) std::abort();
  if (parsed && pendant::ParseLeadingInt(std::to_string(*parsed)) != parsed) std::abort();
  return 0;
}
