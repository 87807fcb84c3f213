// The kernel checks the range for a system call and answers EFAULT instead of faulting: one
// byte of every page goes through a pipe, out of the range (readable) and back into it, the
// same byte, (writable).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "host/accessible_memory.h"

namespace pendant {
namespace {

struct ProbePipe {
  int ends[2] = {-1, -1};
  ProbePipe() {
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) ends[0] = ends[1] = -1;
  }
};

const ProbePipe& Pipe() {
  static const ProbePipe probe;
  return probe;
}

bool ProbeByte(uint8_t* at, bool write) {
  const ProbePipe& probe = Pipe();
  if (probe.ends[0] < 0) return false;
  if (::write(probe.ends[1], at, 1) != 1) return false;
  uint8_t copy = 0;
  // The byte comes back into the range when asked to: the kernel refuses a page it may not write.
  const ssize_t got = ::read(probe.ends[0], write ? at : &copy, 1);
  if (got == 1) return true;
  ::read(probe.ends[0], &copy, 1);  // leaves the pipe empty for the next probe
  return false;
}

bool Accessible(const void* start, size_t size, bool write) {
  const auto first = reinterpret_cast<uintptr_t>(start);
  if (size == 0 || first == 0 || first + size < first) return false;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t last = first + size - 1;
  for (uintptr_t at = first;; at = (at / page + 1) * page) {
    if (!ProbeByte(reinterpret_cast<uint8_t*>(at), write)) return false;
    if (at / page == last / page) return true;
  }
}

}  // namespace

bool ReadableMemory(const void* start, size_t size) {
  return Accessible(start, size, false);
}

bool WritableMemory(void* start, size_t size) {
  return Accessible(start, size, true);
}

}  // namespace pendant
