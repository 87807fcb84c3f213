#pragma once

#include <cstring>

namespace pendant::bench {

template <typename T>
void SubstituteHost::Poke(std::vector<uint8_t>& block, size_t offset, T value) {
  if (offset <= block.size() && sizeof value <= block.size() - offset) {
    std::memcpy(block.data() + offset, &value, sizeof value);
  }
}

template <typename T>
T SubstituteHost::Peek(const std::vector<uint8_t>& block, size_t offset) const {
  T value{};
  if (offset <= block.size() && sizeof value <= block.size() - offset) {
    std::memcpy(&value, block.data() + offset, sizeof value);
  }
  return value;
}

}  // namespace pendant::bench
