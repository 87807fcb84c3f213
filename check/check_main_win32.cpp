// QorvixK7R-check.exe: is it the pendant, the USB port or the host? A console program a
// machinist runs with the motion-control program closed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "check/check_options.h"
#include "check/check_runs.h"
#include "host/version.h"

namespace pendant::check {
namespace {

std::string WindowsVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  char text[160] = "unknown";
  if (GetVersionExA(&version)) {
    std::snprintf(text, sizeof text, "%lu.%lu build %lu %s", version.dwMajorVersion,
                  version.dwMinorVersion, version.dwBuildNumber, version.szCSDVersion);
  }
  std::string stated = text;
  // Under Wine the version Windows states is Wine's choice; say which Wine it is.
  using WineVersionFn = const char* (*)();
  const auto wineVersion = reinterpret_cast<WineVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
  if (wineVersion) stated += std::string(" (Wine ") + wineVersion() + ")";
  return stated;
}

std::string LocalTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return text;
}

bool WriteWhole(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

int Run(const CheckOptions& options) {
  CheckConsole console;
  console.PrintLines({"Qorvix K7-R pendant check " PENDANT_VERSION_TEXT,
                      "Close the motion-control program first. q or Ctrl+C quits."});
  CheckReportFacts facts;
  facts.checkVersion = PENDANT_VERSION_TEXT;
  facts.windowsVersion = WindowsVersion();
  console.Print("Windows " + facts.windowsVersion);
  int status = 0;
  if (options.withPlugin) {
    status = RunWithPlugin(console, facts) ? 0 : 1;
  } else {
    RunPendantCheck(console, facts);
  }
  if (!options.reportPath.empty()) {
    if (facts.pluginName.empty()) facts.pluginName = PluginNameBeside();
    facts.writtenAt = LocalTimeText();
    if (WriteWhole(options.reportPath, CheckReportText(facts))) {
      console.Print("Report written to " + options.reportPath);
    } else {
      console.Print("Could not write the report to " + options.reportPath);
      status = 1;
    }
  }
  return status;
}

}  // namespace
}  // namespace pendant::check

int main(int argc, char** argv) {
  using namespace pendant::check;
  const CheckOptions options = ReadCheckOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.problem.empty() || options.help) {
    std::fprintf(options.help ? stdout : stderr, "%s%s%s", options.problem.c_str(),
                 options.problem.empty() ? "" : "\n\n", CheckUsage());
    return options.help ? 0 : 2;
  }
  return Run(options);
}
