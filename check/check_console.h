// The pendant check's console: lines that scroll, a block of live lines repainted in place
// (one line per control, no scrolling flood), and the user's wish to quit (q or Ctrl+C). When
// the output is not a console (redirected to a file or a pipe) the block is written as a log
// of the steady lines that changed, and q is read from a piped input.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "check/live_input.h"

namespace pendant::check {

// Every line the check writes fits a console of 80 columns without wrapping.
inline constexpr size_t kCheckWidth = 79;

class CheckConsole {
 public:
  // Takes over Ctrl+C and hides the cursor while the check runs.
  CheckConsole();
  // Gives the console back as it found it: cursor, Ctrl+C, the block ended.
  ~CheckConsole();
  CheckConsole(const CheckConsole&) = delete;
  CheckConsole& operator=(const CheckConsole&) = delete;

  void Print(const std::string& line);
  void PrintLines(const std::vector<std::string>& lines);
  // Repaints the live block; the first paint after a Print starts a new block below it.
  void Paint(const std::vector<LiveLine>& lines);
  // Whether q or Ctrl+C (or closing the window) asked the check to stop; reads waiting keys.
  bool QuitAsked();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pendant::check
