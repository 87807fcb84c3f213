// A string object as the host's string runtime keeps one (host_string.h): a header, then
// the characters and room for more. The bench's host and the Wine tests' hosts hold their
// message line in one, and build odd ones (shared, static, garbage) from raw header words.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace pendant {

class HostStringObject {
 public:
  enum class Layout { CountFirst, CountLast };

  // An empty, unshared string with room for capacity characters.
  HostStringObject(Layout layout, int32_t capacity) : layout_(layout), storage_(Size(capacity)) {
    SetHeader(1, 0, capacity);
  }

  // The characters, as the host hands the object over: its one pointer.
  char* Chars() { return reinterpret_cast<char*>(storage_.data() + kHeaderBytes); }
  const char* Chars() const {
    return reinterpret_cast<const char*>(storage_.data() + kHeaderBytes);
  }

  // Header words in the layout's order of reference count, length and capacity.
  void SetHeader(int32_t count, int32_t length, int32_t capacity) {
    const bool countFirst = layout_ == Layout::CountFirst;
    SetWord(countFirst ? 0 : 2, count);
    SetWord(countFirst ? 1 : 0, length);
    SetWord(countFirst ? 2 : 1, capacity);
  }
  int32_t Length() const { return Word(layout_ == Layout::CountFirst ? 1 : 0); }

  // The text up to the length, as the host's runtime reads it.
  std::string Text() const {
    const int32_t length = Length();
    if (length < 0 || static_cast<size_t>(length) + kHeaderBytes >= storage_.size()) return {};
    return std::string(Chars(), static_cast<size_t>(length));
  }
  // Empties the string, as the host does once it has shown the line.
  void Clear() {
    SetWord(layout_ == Layout::CountFirst ? 1 : 0, 0);
    Chars()[0] = '\0';
  }

  // Every byte, header included, to tell whether anything was written.
  const std::vector<uint8_t>& Bytes() const { return storage_; }

 private:
  // Room for the count-last layout's allocator pointer, so both layouts share the offsets.
  static constexpr size_t kHeaderBytes = sizeof(void*) + 3 * sizeof(int32_t);
  static size_t Size(int32_t capacity) {
    return kHeaderBytes + static_cast<size_t>(capacity > 0 ? capacity : 0) + 1;
  }
  // Word 0..2 of the three right before the characters.
  void SetWord(size_t index, int32_t value) {
    std::memcpy(storage_.data() + sizeof(void*) + 4 * index, &value, sizeof value);
  }
  int32_t Word(size_t index) const {
    int32_t value = 0;
    std::memcpy(&value, storage_.data() + sizeof(void*) + 4 * index, sizeof value);
    return value;
  }

  Layout layout_;
  std::vector<uint8_t> storage_;
};

}  // namespace pendant
