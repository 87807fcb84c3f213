#include "device/report_length.h"

#include <algorithm>
#include <cstring>

namespace pendant {
namespace {

size_t Usable(size_t stated, size_t own) {
  return stated == 0 ? own : std::min(stated, kMaxReportLength);
}

}  // namespace

HidReportLengths UsableReportLengths(size_t statedInput, size_t statedOutput) {
  return {Usable(statedInput, kInputReportSize), Usable(statedOutput, kDisplayReportSize)};
}

size_t FitReport(const uint8_t* report, size_t size, size_t length,
                 uint8_t (&out)[kMaxReportLength]) {
  length = std::min(length, kMaxReportLength);
  const size_t copied = report ? std::min(size, length) : 0;
  if (copied) std::memcpy(out, report, copied);
  std::memset(out + copied, 0, length - copied);
  return length;
}

}  // namespace pendant
