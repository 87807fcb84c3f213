#include "host/host_interface.h"

#include <cstring>

#include "host/host_fields.h"
#include "host/host_string.h"

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
  if (callbacks.doButton && !silenced) callbacks.doButton(static_cast<int16_t>(code));
}

void Host::SetDro(int dro, double value) const {
  if (callbacks.setDro && !silenced) callbacks.setDro(static_cast<int16_t>(dro), value);
}

double Host::GetDro(int dro) const {
  return callbacks.getDro && !silenced ? callbacks.getDro(static_cast<int16_t>(dro)) : 0.0;
}

bool Host::GetLed(int led) const {
  return callbacks.getLed && !silenced && callbacks.getLed(static_cast<int16_t>(led)) != 0;
}

void Host::Code(const char* line) const {
  if (callbacks.code && !silenced) callbacks.code(line);
}

void* Host::ParentWindowHandle() const {
  return Load<void*>(parentWindow, kParentWindowHandle);
}

bool Host::QueueAEmpty() const {
  return Load<int32_t>(A(), kQueueAHead) == Load<int32_t>(A(), kQueueATail);
}

bool Host::QueueCEmpty() const {
  return Load<int32_t>(C(), kQueueCHead) == Load<int32_t>(C(), kQueueCTail);
}

int32_t Host::BusyWord() const {
  return Load<int32_t>(C(), kBusyWord);
}
int32_t Host::ReadyFlagWord() const {
  return Load<int32_t>(B(), kReadyFlagWord);
}
bool Host::JogInhibited() const {
  return Load<uint8_t>(A(), kJogInhibit) != 0;
}
double Host::RotationDegrees() const {
  return Load<double>(B(), kRotationDegrees);
}
double Host::JogStepDistance() const {
  return Load<double>(C(), kJogStepDistance);
}

double Host::AxisFeedBase(int axis) const {
  return ValidAxis(axis) ? Load<double>(C(), kAxisFeedBase + 8 * static_cast<size_t>(axis)) : 0.0;
}

int32_t Host::AxisFullSpeed(int axis) const {
  return ValidAxis(axis) ? Load<int32_t>(C(), kAxisFullSpeed + 4 * static_cast<size_t>(axis)) : 0;
}

int32_t Host::AxisJogParam(int axis) const {
  return ValidAxis(axis) ? Load<int32_t>(C(), kAxisJogParam + 4 * static_cast<size_t>(axis)) : 0;
}

void Host::SetJogInt(int axis, JogField field, int32_t value) const {
  if (ValidAxis(axis)) Store(A(), JogFieldOffset(axis, field), value);
}

void Host::SetJogByte(int axis, JogField field, uint8_t value) const {
  if (ValidAxis(axis)) Store(A(), JogFieldOffset(axis, field), value);
}

void Host::ShowHostMessage(const char* text) const {
  AssignInPlace(Load<char*>(C(), kHostMessageText), text);
}

}  // namespace pendant
