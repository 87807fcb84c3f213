#include "tests/win32/check_process.h"

#include <algorithm>

namespace pendant::test {
namespace {

std::string CheckBesideThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string program(path);
  return program.substr(0, program.find_last_of('\\') + 1) + "QorvixK7R-check.exe";
}

// A pipe whose child end is inherited and whose test end is not.
bool MakePipe(HANDLE& read, HANDLE& write, bool childReads) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  if (!CreatePipe(&read, &write, &inherited, 0)) return false;
  SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
  return true;
}

}  // namespace

CheckProcess::CheckProcess(const std::string& arguments) {
  HANDLE childOutput = nullptr;
  HANDLE childInput = nullptr;
  if (!MakePipe(output_, childOutput, false) || !MakePipe(childInput, input_, true)) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput;
  startup.hStdOutput = childOutput;
  startup.hStdError = childOutput;
  std::string command = "\"";
  command.append(CheckBesideThisProgram()).append("\" ").append(arguments);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process_)) {
    process_ = PROCESS_INFORMATION{};
  }
  CloseHandle(childOutput);
  CloseHandle(childInput);
}

CheckProcess::~CheckProcess() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (output_) CloseHandle(output_);
  if (input_) CloseHandle(input_);
}

void CheckProcess::Resume() const {
  if (process_.hThread) ResumeThread(process_.hThread);
}

void CheckProcess::Drain() {
  DWORD available = 0;
  while (output_ && PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr) &&
         available > 0) {
    char buffer[4096];
    DWORD read = 0;
    if (!ReadFile(output_, buffer, std::min<DWORD>(available, sizeof buffer), &read, nullptr) ||
        read == 0) {
      return;
    }
    text_.append(buffer, read);
  }
}

const std::string& CheckProcess::Output() {
  Drain();
  return text_;
}

bool CheckProcess::WaitFor(const std::string& text, unsigned waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  for (;;) {
    if (Output().find(text) != std::string::npos) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
}

bool CheckProcess::Type(const std::string& keys) const {
  DWORD written = 0;
  return WriteFile(input_, keys.data(), static_cast<DWORD>(keys.size()), &written, nullptr) &&
         written == keys.size();
}

long CheckProcess::WaitExit(unsigned waitMs) {
  if (!process_.hProcess) return -1;
  // Drained meanwhile: a check blocked on a full pipe would never end.
  const ULONGLONG end = GetTickCount64() + waitMs;
  bool ended = false;
  while (!ended && GetTickCount64() < end) {
    Drain();
    ended = WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0;
  }
  Drain();
  DWORD code = 0;
  return ended && GetExitCodeProcess(process_.hProcess, &code) ? static_cast<long>(code) : -1;
}

}  // namespace pendant::test
