#include "bench/session/display_writes.h"

#include "device/virtual_hid_bus.h"

namespace pendant::bench {

void DisplayWrites::TakeFromBus() const {
  VirtualHidBus& bus = VirtualHidBus::Instance();
  const auto& writes = bus.Writes();
  if (writes.empty()) return;
  count_ += writes.size();
  last_ = writes.back().bytes;
  bus.ClearWrites();
}

uint64_t DisplayWrites::Count() const {
  TakeFromBus();
  return count_;
}

const std::vector<uint8_t>* DisplayWrites::Last() const {
  TakeFromBus();
  return count_ == 0 ? nullptr : &last_;
}

const std::vector<uint8_t>* DisplayWrites::Peek() const {
  const auto& writes = VirtualHidBus::Instance().Writes();
  if (!writes.empty()) return &writes.back().bytes;
  return count_ == 0 ? nullptr : &last_;
}

}  // namespace pendant::bench
