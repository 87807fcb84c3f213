// Where the host keeps the block fields the plug-in reads and writes: byte offsets, named once
// for the plug-in and for the bench's host.
#pragma once

#include <cstddef>

namespace pendant::host_fields {

// Block A
inline constexpr size_t kQueueAHead = 163840;
inline constexpr size_t kQueueATail = 163844;
inline constexpr size_t kJogRecordBase = 163940;
inline constexpr size_t kJogRecordStride = 96;
inline constexpr size_t kJogInhibit = 166367;
// Block B
inline constexpr size_t kReadyFlagWord = 1192;
inline constexpr size_t kRotationDegrees = 133672;
// Block C
inline constexpr size_t kAxisFeedBase = 586952;  // + 8 per axis
inline constexpr size_t kQueueCHead = 800092;
inline constexpr size_t kQueueCTail = 800096;
inline constexpr size_t kAxisFullSpeed = 801608;  // + 4 per axis
inline constexpr size_t kAxisJogParam = 801632;   // + 4 per axis
inline constexpr size_t kJogStepDistance = 801872;
inline constexpr size_t kBusyWord = 801968;
inline constexpr size_t kHostMessageText = 1161996;

}  // namespace pendant::host_fields
