// The host boundary: its six callbacks and the fields of its three state blocks.
// Block fields are read and written by byte offset with memcpy (little-endian), never through
// structs the host does not promise. Every field the plug-in touches is named here once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_fields.h"

namespace pendant {

// Host callbacks. 16-bit numbers travel in 32-bit argument slots; the LED result is a bool of
// which only the low byte counts.
using DoButtonFn = void (*)(int16_t code);
using SetDroFn = void (*)(int16_t dro, double value);
using GetDroFn = double (*)(int16_t dro);
using GetLedFn = uint8_t (*)(int16_t led);
using SetLedFn = void (*)(int16_t led, uint8_t on);
using CodeFn = void (*)(const char* line);

struct HostCallbacks {
  DoButtonFn doButton = nullptr;
  SetDroFn setDro = nullptr;
  GetDroFn getDro = nullptr;
  GetLedFn getLed = nullptr;
  SetLedFn setLed = nullptr;  // stored, never called
  CodeFn code = nullptr;
};

// The profile name the host passes to SetProName by value: one pointer to NUL-terminated text.
struct HostString {
  const char* text;
};

// Sizes of the host blocks as far as the plug-in reaches into them: each ends with its last
// field.
inline constexpr size_t kHostBlockASize = host_fields::kJogInhibit + 1;
inline constexpr size_t kHostBlockBSize = host_fields::kRotationDegrees + sizeof(double);
inline constexpr size_t kHostBlockCSize = host_fields::kHostMessageText + sizeof(char*);
// The host window object holds its native window handle at byte 28.
inline constexpr size_t kHostParentWindowOffset = 28;
inline constexpr size_t kHostParentWindowSize = kHostParentWindowOffset + sizeof(void*);
inline constexpr int kHostAxisCount = 4;

// Fields of the per-axis jog record in block A.
enum class JogField : size_t {
  Velocity = 0,
  FullSpeed = 4,
  JogParam = 8,
  Stop = 14,
  Go = 16,
  Direction = 20,
};

class Host {
 public:
  HostCallbacks callbacks;

  // Pointers handed over by InitControl; null until then. A null block reads as zeros and
  // ignores writes. Block C holds the message line's string object as a pointer.
  uint8_t* blockA = nullptr;
  uint8_t* blockB = nullptr;
  uint8_t* blockC = nullptr;
  const uint8_t* parentWindow = nullptr;

  // Callbacks; an unset callback does nothing (GetDro gives 0.0, GetLed off).
  void DoButton(int code) const;
  void SetDro(int dro, double value) const;
  double GetDro(int dro) const;
  bool GetLed(int led) const;
  void Code(const char* line) const;

  // The host's native window handle inside its window object.
  void* ParentWindowHandle() const;

  bool QueueAEmpty() const;
  bool QueueCEmpty() const;
  int32_t BusyWord() const;
  int32_t ReadyFlagWord() const;
  bool JogInhibited() const;
  double RotationDegrees() const;
  double AxisFeedBase(int axis) const;
  int32_t AxisFullSpeed(int axis) const;
  int32_t AxisJogParam(int axis) const;
  double JogStepDistance() const;

  // Jog record of an axis 0..3; other axes are ignored.
  void SetJogInt(int axis, JogField field, int32_t value) const;
  void SetJogByte(int axis, JogField field, uint8_t value) const;

  // Assigns the host's message line, a host string object (host/host_string.h), where that
  // needs no allocation by the host; otherwise leaves it as it is.
  void ShowHostMessage(const char* text) const;

  // Set while a pendant window stopped inside a host callback unwinds the cycle the callback
  // interrupted: nothing reaches the host then, no callback and no block read or write.
  bool silenced = false;

 private:
  // The blocks, or none while silenced.
  uint8_t* A() const { return silenced ? nullptr : blockA; }
  uint8_t* B() const { return silenced ? nullptr : blockB; }
  uint8_t* C() const { return silenced ? nullptr : blockC; }
};

}  // namespace pendant
