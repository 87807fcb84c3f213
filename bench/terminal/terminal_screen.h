// The interactive screen as text lines for a terminal of a given size: the pendant and the
// machine side by side, the wheel's verdict, the keys and the latest log lines; or, for a
// terminal too small for that, a message that says so.
#pragma once

#include <string>
#include <vector>

#include "bench/terminal/terminal_run.h"

namespace pendant::bench {

inline constexpr int kScreenMinColumns = 80;
inline constexpr int kScreenMinRows = 24;

// Whether a terminal of this size shows the screen (else it shows the too-small message).
bool ScreenFits(int rows, int columns);
// Exactly rows lines, none longer than columns.
std::vector<std::string> ScreenLines(const InteractiveRun& run, int rows, int columns);
// The message for a terminal too small for a screen of minColumns by minRows.
std::vector<std::string> TooSmallLines(int rows, int columns, int minColumns, int minRows);

}  // namespace pendant::bench
