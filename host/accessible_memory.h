// Whether the process may read or write a range of memory, asked of the platform without
// touching the range, so a pointer from the host that leads nowhere never faults.
#pragma once

#include <cstddef>

namespace pendant {

bool ReadableMemory(const void* start, size_t size);
bool WritableMemory(void* start, size_t size);

}  // namespace pendant
