// The pendant check as a machinist's console would run it, but with its output and input on
// pipes the test reads and types into: QorvixK7R-check.exe from this program's folder, started
// suspended so the test can list devices on its stand-in bus before it looks.
#pragma once

#include <windows.h>

#include <string>

namespace pendant::test {

class CheckProcess {
 public:
  explicit CheckProcess(const std::string& arguments);
  // Ends the check if it still runs.
  ~CheckProcess();
  CheckProcess(const CheckProcess&) = delete;
  CheckProcess& operator=(const CheckProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  DWORD Id() const { return process_.dwProcessId; }
  void Resume() const;

  // Whether text appears in the output (from its start) within waitMs.
  bool WaitFor(const std::string& text, unsigned waitMs);
  // Everything it printed so far.
  const std::string& Output();
  // Types keys into its input.
  bool Type(const std::string& keys) const;
  // Its exit code when it ends within waitMs, else -1.
  long WaitExit(unsigned waitMs);

 private:
  void Drain();

  PROCESS_INFORMATION process_{};
  HANDLE output_ = nullptr;  // our end of its output
  HANDLE input_ = nullptr;   // our end of its input
  std::string text_;
};

}  // namespace pendant::test
