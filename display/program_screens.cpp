// The screens that ask for a double press: program start, pause, resume, stop, rewind and the
// spindle.
#include <string_view>

#include "display/screen_context.h"
#include "host/host_numbers.h"

namespace pendant {
namespace {

// Line 1 the subject, line 2 the prompt, whose question mark shows in the second half only.
void PutPrompt(const ScreenContext& screen, std::string_view subject, std::string_view prompt) {
  screen.lines.Put(1, 1, subject);
  screen.lines.Put(2, 1, prompt);
  const int questionColumn = static_cast<int>(prompt.find('?')) + 1;
  screen.lines.PutBlinking(2, questionColumn, "?", !screen.firstHalf);
}

}  // namespace

void ComposeProgramStartScreen(const ScreenContext& screen) {
  if (screen.Led(kProgramRunningLed)) {
    PutPrompt(screen, "PROGRAM ", "PAUSE?  ");
  } else if (screen.Led(kProgramPausedLed)) {
    PutPrompt(screen, "PROGRAM ", "RESUME? ");
  } else if (!screen.Led(kJogWhileRunningLed)) {
    PutPrompt(screen, "PROGRAM ", "START?  ");
  }
  // Only jogging while running: the display stays as it was.
}

void ComposeProgramStopScreen(const ScreenContext& screen) {
  if (screen.Led(kProgramRunningLed) || screen.Led(kProgramPausedLed) ||
      screen.Led(kJogWhileRunningLed)) {
    PutPrompt(screen, "PROGRAM ", "STOP?   ");
  } else if (screen.Dro(kProgramLineDro) == 0.0) {
    screen.lines.Put(1, 1, "STOP    ");
    screen.lines.Put(2, 1, "        ");
  } else {
    PutPrompt(screen, "PROGRAM ", "REWIND? ");
  }
}

void ComposeSpindleScreen(const ScreenContext& screen) {
  PutPrompt(screen, "SPINDLE ", screen.Led(kSpindleOnLed) ? "STOP?   " : "START?  ");
}

}  // namespace pendant
