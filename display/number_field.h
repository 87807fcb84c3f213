// Numbers on the display: formatted in full into a scratch text, then cut to their field.
#pragma once

#include "display/display_report.h"

namespace pendant {

// Formats value with a printf format holding one floating-point conversion and writes the
// first width characters of the text into the field; a shorter text (such as "nan") is padded
// with spaces.
void PutNumber(DisplayLines& lines, int line, int column, int width, const char* format,
               double value);

// The first width characters of value formatted with format, into out (which holds at least
// width characters); padded with spaces like PutNumber.
void FormatField(char* out, int width, const char* format, double value);

}  // namespace pendant
