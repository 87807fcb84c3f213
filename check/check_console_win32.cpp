// The check's console on Windows: WriteConsole and cursor positioning when the output is a
// console, plain WriteFile otherwise; Ctrl+C through a console control handler that only asks
// the check to stop, so it can close the pendant and restore the console itself.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "check/check_console.h"

namespace pendant::check {
namespace {

std::atomic<bool> quitAsked{false};

BOOL WINAPI AskToQuit(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      quitAsked = true;
      return TRUE;
    default:
      return FALSE;
  }
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle && GetConsoleMode(handle, &mode);
}

bool IsQuitKey(char c) {
  return c == 'q' || c == 'Q';
}

}  // namespace

struct CheckConsole::Impl {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  bool console = IsConsole(out);
  bool keyboard = IsConsole(in);
  CONSOLE_CURSOR_INFO cursor{};
  bool cursorSaved = false;
  DWORD inputMode = 0;
  bool inputModeSaved = false;
  // The live block: where it starts, how many lines it has painted, what they said.
  bool inBlock = false;
  SHORT blockTop = 0;
  std::vector<std::string> shown;

  void Write(const std::string& text) const {
    DWORD written = 0;
    if (console) {
      WriteConsoleA(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
  }

  SHORT CursorRow() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(out, &info);
    return info.dwCursorPosition.Y;
  }

  void PaintInPlace(const std::vector<LiveLine>& lines) {
    if (!inBlock) blockTop = CursorRow();
    SetConsoleCursorPosition(out, COORD{0, blockTop});
    const size_t rows = std::max(lines.size(), shown.size());
    std::string text;
    for (size_t i = 0; i < rows; ++i) {
      std::string line = i < lines.size() ? lines[i].text.substr(0, kCheckWidth) : "";
      line.resize(kCheckWidth, ' ');
      text += line + "\r\n";
    }
    Write(text);
    // The buffer may have scrolled under the block: it ends where the cursor is now.
    blockTop = static_cast<SHORT>(CursorRow() - static_cast<SHORT>(rows));
    shown.assign(rows, {});
  }

  void LogChanges(const std::vector<LiveLine>& lines) {
    if (shown.size() != lines.size()) shown.assign(lines.size(), {});
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!lines[i].steady || lines[i].text == shown[i]) continue;
      shown[i] = lines[i].text;
      Write(lines[i].text + "\r\n");
    }
  }

  bool QuitKeyWaiting() const {
    if (keyboard) {
      // The input handle is signalled while events wait (and waiting on it is what makes
      // Wine's terminal console look at its terminal).
      while (WaitForSingleObject(in, 0) == WAIT_OBJECT_0) {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (!ReadConsoleInputA(in, &record, 1, &read) || read == 0) break;
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
            IsQuitKey(record.Event.KeyEvent.uChar.AsciiChar)) {
          return true;
        }
      }
      return false;
    }
    DWORD available = 0;
    if (GetFileType(in) != FILE_TYPE_PIPE ||
        !PeekNamedPipe(in, nullptr, 0, nullptr, &available, nullptr)) {
      return false;
    }
    while (available > 0) {
      char buffer[64];
      DWORD read = 0;
      const DWORD wanted = std::min<DWORD>(available, sizeof buffer);
      if (!ReadFile(in, buffer, wanted, &read, nullptr) || read == 0) break;
      for (DWORD i = 0; i < read; ++i) {
        if (IsQuitKey(buffer[i])) return true;
      }
      available -= read;
    }
    return false;
  }
};

CheckConsole::CheckConsole() : impl_(std::make_unique<Impl>()) {
  SetConsoleCtrlHandler(AskToQuit, TRUE);
  // Keys one by one, unechoed, so q acts at once; Ctrl+C still reaches the handler.
  if (impl_->keyboard && GetConsoleMode(impl_->in, &impl_->inputMode)) {
    impl_->inputModeSaved = true;
    SetConsoleMode(impl_->in, impl_->inputMode & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
  }
  if (impl_->console && GetConsoleCursorInfo(impl_->out, &impl_->cursor)) {
    impl_->cursorSaved = true;
    CONSOLE_CURSOR_INFO hidden = impl_->cursor;
    hidden.bVisible = FALSE;
    SetConsoleCursorInfo(impl_->out, &hidden);
  }
}

CheckConsole::~CheckConsole() {
  if (impl_->cursorSaved) SetConsoleCursorInfo(impl_->out, &impl_->cursor);
  if (impl_->inputModeSaved) SetConsoleMode(impl_->in, impl_->inputMode);
  SetConsoleCtrlHandler(AskToQuit, FALSE);
}

void CheckConsole::Print(const std::string& line) {
  impl_->inBlock = false;
  impl_->shown.clear();
  impl_->Write(line + "\r\n");
}

void CheckConsole::PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Print(line);
}

void CheckConsole::Paint(const std::vector<LiveLine>& lines) {
  if (impl_->console) {
    impl_->PaintInPlace(lines);
  } else {
    impl_->LogChanges(lines);
  }
  impl_->inBlock = true;
}

bool CheckConsole::QuitAsked() {
  if (!quitAsked && impl_->QuitKeyWaiting()) quitAsked = true;
  return quitAsked;
}

}  // namespace pendant::check
