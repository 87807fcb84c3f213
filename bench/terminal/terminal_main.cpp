#include <curses.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>

#include "bench/terminal/terminal.h"
#include "bench/terminal/terminal_form.h"
#include "bench/terminal/terminal_keys.h"
#include "bench/terminal/terminal_options.h"
#include "bench/terminal/terminal_run.h"
#include "bench/terminal/terminal_screen.h"
#include "config/virtual_dialog.h"

namespace pendant::bench {
namespace {

constexpr int kUnusable = 2;
constexpr int kEscapeDelayMs = 25;
constexpr int64_t kLongestBlockMs = 1000;

volatile std::sig_atomic_t signalled = 0;

void OnSignal(int) {
  signalled = 1;
}

// Interrupt, hang-up and termination end the session the way q does, so the terminal is
// restored and the recording is complete.
void CatchSignals() {
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

class RealClock {
 public:
  int64_t ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
  }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point start_ = Clock::now();
};

// Draws the screen when it differs from what is shown.
void Draw(const InteractiveRun& run, std::vector<std::string>& shown) {
  std::vector<std::string> lines = ScreenLines(run, LINES, COLS);
  if (lines == shown) return;
  erase();
  for (size_t row = 0; row < lines.size(); ++row) {
    mvaddnstr(static_cast<int>(row), 0, lines[row].c_str(), COLS);
  }
  refresh();
  shown = std::move(lines);
}

// False when the user quit from the form.
bool OpenSettings(InteractiveRun& run, const RealClock& clock) {
  const FormOutcome outcome = RunSettingsForm(run.Session().profilePath, [&] {
    run.CatchUpTo(clock.ElapsedMs());
    return !signalled;
  });
  run.CatchUpTo(clock.ElapsedMs());
  if (outcome.quit) return false;
  run.Perform(outcome.configLine);
  for (const std::string& message : LastDialogSurface().messages) {
    run.Log("dialog says: " + message);
  }
  return true;
}

}  // namespace

int RunInteractive(const std::vector<std::string>& args) {
  TerminalOptions options;
  std::string error;
  if (!ParseTerminalOptions(args, options, error)) {
    std::cerr << "pendant-sim: " << error << "\nusage: " << kTerminalUsage << '\n';
    return kUnusable;
  }
  if (options.help) {
    std::cout << "usage: " << kTerminalUsage << "\n"
              << "Puts the pendant on the terminal, in real time (q quits).\n";
    return 0;
  }
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    std::cerr << "pendant-sim: the interactive mode needs a terminal\n";
    return kUnusable;
  }
  InteractiveRun run(options);
  if (!run.Error().empty()) {
    std::cerr << "pendant-sim: " << run.Error() << '\n';
    return kUnusable;
  }
  SCREEN* screen = newterm(nullptr, stdout, stdin);
  if (!screen) {
    std::cerr << "pendant-sim: this terminal (TERM) cannot show the interactive mode\n";
    return kUnusable;
  }
  CatchSignals();
  cbreak();
  noecho();
  keypad(stdscr, TRUE);
  curs_set(0);
  set_escdelay(kEscapeDelayMs);
  const RealClock clock;
  std::vector<std::string> shown;
  bool quit = false;
  while (!quit && !signalled) {
    run.CatchUpTo(clock.ElapsedMs());
    Draw(run, shown);
    // Blocks until a key comes or the next poll tick is due: an idle session does not spin.
    timeout(static_cast<int>(
        std::clamp<int64_t>(run.NextTickElapsedMs() - clock.ElapsedMs(), 1, kLongestBlockMs)));
    const int key = getch();
    if (key == ERR) continue;
    if (key == KEY_RESIZE) {
      shown.clear();
      continue;
    }
    run.CatchUpTo(clock.ElapsedMs());
    // While the screen does not fit, only q acts: nothing changes behind the message.
    if (!ScreenFits(LINES, COLS) && key != 'q') continue;
    switch (HandleKey(run, key)) {
      case KeyOutcome::Quit:
        quit = true;
        break;
      case KeyOutcome::OpenSettings:
        quit = !OpenSettings(run, clock);
        shown.clear();
        break;
      case KeyOutcome::Done:
      case KeyOutcome::Unknown:
        break;
    }
  }
  run.CatchUpTo(clock.ElapsedMs());
  run.Finish();
  endwin();
  delscreen(screen);
  return 0;
}

}  // namespace pendant::bench
