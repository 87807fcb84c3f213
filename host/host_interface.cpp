#include "host/host_interface.h"

#include <cstring>

#include "host/host_fields.h"

namespace pendant {
namespace {

using namespace host_fields;

// Host window object
constexpr size_t kParentWindowHandle = kHostParentWindowOffset;

template <typename T>
T Load(const uint8_t* block, size_t offset) {
  T value{};
  if (block) std::memcpy(&value, block + offset, sizeof value);
  return value;
}

template <typename T>
void Store(uint8_t* block, size_t offset, T value) {
  if (block) std::memcpy(block + offset, &value, sizeof value);
}

bool ValidAxis(int axis) {
  return axis >= 0 && axis < kHostAxisCount;
}

size_t JogFieldOffset(int axis, JogField field) {
  return kJogRecordBase + kJogRecordStride * static_cast<size_t>(axis) + static_cast<size_t>(field);
}

}  // namespace

void Host::DoButton(int code) const {
  if (callbacks.doButton) callbacks.doButton(static_cast<int16_t>(code));
}

void Host::SetDro(int dro, double value) const {
  if (callbacks.setDro) callbacks.setDro(static_cast<int16_t>(dro), value);
}

double Host::GetDro(int dro) const {
  return callbacks.getDro ? callbacks.getDro(static_cast<int16_t>(dro)) : 0.0;
}

bool Host::GetLed(int led) const {
  return callbacks.getLed && callbacks.getLed(static_cast<int16_t>(led)) != 0;
}

void Host::Code(const char* line) const {
  if (callbacks.code) callbacks.code(line);
}

void* Host::ParentWindowHandle() const {
  return Load<void*>(parentWindow, kParentWindowHandle);
}

bool Host::QueueAEmpty() const {
  return Load<int32_t>(blockA, kQueueAHead) == Load<int32_t>(blockA, kQueueATail);
}

bool Host::QueueCEmpty() const {
  return Load<int32_t>(blockC, kQueueCHead) == Load<int32_t>(blockC, kQueueCTail);
}

int32_t Host::BusyWord() const {
  return Load<int32_t>(blockC, kBusyWord);
}
int32_t Host::ReadyFlagWord() const {
  return Load<int32_t>(blockB, kReadyFlagWord);
}
bool Host::JogInhibited() const {
  return Load<uint8_t>(blockA, kJogInhibit) != 0;
}
double Host::RotationDegrees() const {
  return Load<double>(blockB, kRotationDegrees);
}
double Host::JogStepDistance() const {
  return Load<double>(blockC, kJogStepDistance);
}

double Host::AxisFeedBase(int axis) const {
  return ValidAxis(axis) ? Load<double>(blockC, kAxisFeedBase + 8 * static_cast<size_t>(axis))
                         : 0.0;
}

int32_t Host::AxisFullSpeed(int axis) const {
  return ValidAxis(axis) ? Load<int32_t>(blockC, kAxisFullSpeed + 4 * static_cast<size_t>(axis))
                         : 0;
}

int32_t Host::AxisJogParam(int axis) const {
  return ValidAxis(axis) ? Load<int32_t>(blockC, kAxisJogParam + 4 * static_cast<size_t>(axis)) : 0;
}

void Host::SetJogInt(int axis, JogField field, int32_t value) const {
  if (ValidAxis(axis)) Store(blockA, JogFieldOffset(axis, field), value);
}

void Host::SetJogByte(int axis, JogField field, uint8_t value) const {
  if (ValidAxis(axis)) Store(blockA, JogFieldOffset(axis, field), value);
}

void Host::ShowHostMessage(const char* text) const {
  if (!blockC) return;
  char* target = reinterpret_cast<char*>(blockC + kHostMessageText);
  size_t length = text ? std::strlen(text) : 0;
  if (length > kHostMessageTextSize - 1) length = kHostMessageTextSize - 1;
  if (length) std::memcpy(target, text, length);
  target[length] = '\0';
}

}  // namespace pendant
