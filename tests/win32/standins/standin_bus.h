// The HID interfaces the test stand-ins for hid.dll and setupapi.dll present, as a test sets
// them: a section of shared memory named after the process, read afresh at every call, so a
// test plugs and unplugs devices by rewriting it. Each interface's path is a named pipe the
// test serves (tests/win32/standin_pendant.h), so opening it, reading and writing are real I/O.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace pendant::standin {

inline constexpr unsigned kMostInterfaces = 8;
inline constexpr unsigned kPathCapacity = 96;

struct Interface {
  char path[kPathCapacity];  // \\.\pipe\<name>: the pipe the test serves for this device
  uint16_t vendorId;
  uint16_t productId;
  uint16_t inputLength;   // report id byte included, as the device states it
  uint16_t outputLength;  // the same
};

struct Bus {
  uint32_t count;  // interfaces listed, in enumeration order
  Interface interfaces[kMostInterfaces];
};

// The section's name for the stand-ins loaded in a process (this one by default).
inline void BusName(char (&name)[64], DWORD processId = GetCurrentProcessId()) {
  std::snprintf(name, sizeof name, "Local\\pendant-standin-bus-%lu", processId);
}

// A copy of the bus as the test last wrote it; empty when the test made none.
inline Bus ReadBus() {
  Bus bus{};
  char name[64];
  BusName(name);
  HANDLE section = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
  if (!section) return bus;
  if (const void* view = MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof bus)) {
    std::memcpy(&bus, view, sizeof bus);
    UnmapViewOfFile(view);
  }
  CloseHandle(section);
  if (bus.count > kMostInterfaces) bus.count = kMostInterfaces;
  for (Interface& device : bus.interfaces) device.path[kPathCapacity - 1] = '\0';
  return bus;
}

}  // namespace pendant::standin
