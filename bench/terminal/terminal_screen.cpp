#include "bench/terminal/terminal_screen.h"

#include <algorithm>
#include <cstdio>

#include "bench/terminal/terminal_keys.h"
#include "bench/terminal/terminal_panels.h"

namespace pendant::bench {
namespace {

constexpr size_t kPendantColumns = 38;

// The key list wrapped into lines of at most columns.
std::vector<std::string> KeyLines(size_t columns) {
  std::vector<std::string> lines{"keys:"};
  for (const KeyBinding& binding : kKeyBindings) {
    const std::string item = std::string("  ") + binding.keys + " " + binding.what;
    if (lines.back().size() + item.size() > columns) lines.push_back(" ");
    lines.back() += item;
  }
  return lines;
}

void Fit(std::vector<std::string>& lines, int rows, int columns) {
  lines.resize(static_cast<size_t>(std::max(rows, 0)));
  for (std::string& line : lines) {
    if (line.size() > static_cast<size_t>(columns)) line.resize(static_cast<size_t>(columns));
  }
}

}  // namespace

std::vector<std::string> TooSmallLines(int rows, int columns, int minColumns, int minRows) {
  char size[120];
  std::snprintf(size, sizeof size, "needs %dx%d, this one is %dx%d", minColumns, minRows, columns,
                rows);
  std::vector<std::string> lines{"pendant-sim: the terminal is too small", size,
                                 "enlarge it, or press q to quit"};
  Fit(lines, rows, columns);
  return lines;
}

bool ScreenFits(int rows, int columns) {
  return rows >= kScreenMinRows && columns >= kScreenMinColumns;
}

std::vector<std::string> ScreenLines(const InteractiveRun& run, int rows, int columns) {
  if (!ScreenFits(rows, columns)) {
    return TooSmallLines(rows, columns, kScreenMinColumns, kScreenMinRows);
  }
  const BenchSession& session = run.Session();
  char title[120];
  std::snprintf(title, sizeof title, "pendant-sim --interactive   %.1f s (real time)",
                static_cast<double>(run.ElapsedMs()) / 1000);
  std::vector<std::string> lines{title, ""};
  const std::vector<std::string> pendant = PendantPanel(session);
  const std::vector<std::string> machine = MachinePanel(session);
  for (size_t i = 0; i < std::max(pendant.size(), machine.size()); ++i) {
    std::string line = i < pendant.size() ? pendant[i] : "";
    line.resize(kPendantColumns, ' ');
    lines.push_back(line + (i < machine.size() ? machine[i] : ""));
  }
  lines.push_back("");
  lines.push_back(WheelVerdict(session));
  for (const std::string& line : KeyLines(static_cast<size_t>(columns))) lines.push_back(line);
  lines.push_back("log:");
  const size_t room = static_cast<size_t>(rows) > lines.size() ? rows - lines.size() : 0;
  const auto& log = run.LogLines();
  for (size_t i = log.size() > room ? log.size() - room : 0; i < log.size(); ++i) {
    lines.push_back(log[i]);
  }
  Fit(lines, rows, columns);
  return lines;
}

}  // namespace pendant::bench
