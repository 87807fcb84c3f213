#include "host/host_at_rest.h"

#include <cstring>

#include "host/host_fields.h"

namespace pendant::host_at_rest {
namespace {

template <typename T>
void Poke(uint8_t* block, size_t offset, T value) {
  std::memcpy(block + offset, &value, sizeof value);
}

}  // namespace

void PokeBlockC(uint8_t* blockC) {
  using namespace host_fields;
  Poke(blockC, kJogStepDistance, kStepDistance);
  for (size_t axis = 0; axis < kHostAxisCount; ++axis) {
    Poke(blockC, kAxisFeedBase + 8 * axis, kFeedBase[axis]);
    Poke(blockC, kAxisFullSpeed + 4 * axis, kFullSpeed);
    Poke(blockC, kAxisJogParam + 4 * axis, kJogParam);
  }
}

}  // namespace pendant::host_at_rest
