// Where the host keeps the fields the plug-in reads and writes, written out independently of
// the plug-in's own table so a wrong offset there shows up here.
#pragma once

#include <cstddef>

namespace pendant::testing {

inline constexpr size_t kQueueAHead = 163840;
inline constexpr size_t kJogRecord = 163940;  // + 96 per axis
inline constexpr size_t kJogRecordStride = 96;
inline constexpr size_t kJogVelocity = 0;
inline constexpr size_t kJogFullSpeed = 4;
inline constexpr size_t kJogParam = 8;
inline constexpr size_t kJogStop = 14;
inline constexpr size_t kJogGo = 16;
inline constexpr size_t kJogDirection = 20;
inline constexpr size_t kJogInhibit = 166367;
inline constexpr size_t kReadyFlagWord = 1192;
inline constexpr size_t kRotationDegrees = 133672;
inline constexpr size_t kAxisFeedBase = 586952;  // + 8 per axis
inline constexpr size_t kQueueCHead = 800092;
inline constexpr size_t kAxisFullSpeed = 801608;  // + 4 per axis
inline constexpr size_t kAxisJogParam = 801632;   // + 4 per axis
inline constexpr size_t kJogStepDistance = 801872;
inline constexpr size_t kBusyWord = 801968;

inline constexpr size_t JogField(int axis, size_t field) {
  return kJogRecord + kJogRecordStride * static_cast<size_t>(axis) + field;
}

}  // namespace pendant::testing
