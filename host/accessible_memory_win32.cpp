#include <windows.h>

#include <cstdint>

#include "host/accessible_memory.h"

namespace pendant {
namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Every region the range touches is committed, not a guard page, and has one of the rights.
bool Accessible(const void* start, size_t size, DWORD rights) {
  const auto first = reinterpret_cast<uintptr_t>(start);
  if (size == 0 || first == 0 || first + size < first) return false;
  const uintptr_t end = first + size;
  for (uintptr_t at = first; at < end;) {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0) return false;
    if (region.State != MEM_COMMIT || (region.Protect & PAGE_GUARD) || !(region.Protect & rights)) {
      return false;
    }
    const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
    if (regionEnd <= at) return false;
    at = regionEnd;
  }
  return true;
}

}  // namespace

bool ReadableMemory(const void* start, size_t size) {
  return Accessible(start, size, kReadable);
}

bool WritableMemory(void* start, size_t size) {
  return Accessible(start, size, kWritable);
}

}  // namespace pendant
