#include "host/host_string.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "host/accessible_memory.h"

namespace pendant {
namespace {

constexpr int32_t kMostCapacity = 65535;
constexpr size_t kHeaderWords = 3;  // the fields both layouts hold right before the characters

struct Header {
  int32_t count;
  int32_t length;
  int32_t capacity;
  size_t lengthWord;  // where the length lies, in words before the characters
};

// The header as one layout reads it, when that reading is self-consistent.
std::optional<Header> Consistent(const char* chars, Header header) {
  if (header.count != 1 || header.length < 0 || header.length > header.capacity ||
      header.capacity > kMostCapacity) {
    return std::nullopt;
  }
  const char* end = chars + header.length;
  if (!ReadableMemory(end, 1) || *end != '\0') return std::nullopt;
  return header;
}

}  // namespace

bool AssignInPlace(char* chars, const char* text) {
  if (!chars || !text) return false;
  const auto address = reinterpret_cast<uintptr_t>(chars);
  constexpr size_t kHeaderBytes = kHeaderWords * sizeof(int32_t);
  if (address < kHeaderBytes || !ReadableMemory(chars - kHeaderBytes, kHeaderBytes)) return false;
  int32_t words[kHeaderWords];  // words[0] lies farthest from the characters
  std::memcpy(words, chars - kHeaderBytes, kHeaderBytes);

  const std::optional<Header> countFirst =
      Consistent(chars, {words[0], words[1], words[2], /*lengthWord=*/2});
  const std::optional<Header> countLast =
      Consistent(chars, {words[2], words[0], words[1], /*lengthWord=*/3});
  // Both readings hold only for the header 1, 1, 1, whose one character of room takes none of
  // the plug-in's texts; a header that is not exactly one layout is not written.
  if (countFirst.has_value() == countLast.has_value()) return false;
  const Header& header = countFirst ? *countFirst : *countLast;

  const size_t length = std::strlen(text);
  if (length > static_cast<size_t>(header.capacity)) return false;
  char* lengthField = chars - header.lengthWord * sizeof(int32_t);
  if (!WritableMemory(chars, length + 1) || !WritableMemory(lengthField, sizeof(int32_t))) {
    return false;
  }
  std::memcpy(chars, text, length + 1);
  const auto newLength = static_cast<int32_t>(length);
  std::memcpy(lengthField, &newLength, sizeof newLength);
  return true;
}

}  // namespace pendant
