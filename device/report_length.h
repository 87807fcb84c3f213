// The lengths of the pendant's HID reports, and fitting a report to the length a device wants:
// Windows reads only into a buffer of at least the device's input length and writes only
// reports of exactly its output length.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pendant/display_report_format.h"
#include "pendant/input_report_format.h"

namespace pendant {

// Lengths a device states beyond this are taken as this: the buffers are fixed.
inline constexpr size_t kMaxReportLength = 1024;

struct HidReportLengths {
  size_t input = kInputReportSize;
  size_t output = kDisplayReportSize;
};

// The lengths a device stated, with 0 (none stated) read as the pendant's own and larger ones
// held at kMaxReportLength.
HidReportLengths UsableReportLengths(size_t statedInput, size_t statedOutput);

// Copies report into out as a report of exactly length bytes (held at kMaxReportLength): cut
// when longer, padded with zeros when shorter. Returns the length written.
size_t FitReport(const uint8_t* report, size_t size, size_t length,
                 uint8_t (&out)[kMaxReportLength]);

}  // namespace pendant
