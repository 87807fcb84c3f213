#include "check/check_report.h"

namespace pendant::check {
namespace {

constexpr size_t kReportWidth = 100;

void Add(std::string& text, const std::string& line) {
  text += line;
  text += "\r\n";
}

void AddAll(std::string& text, const std::vector<std::string>& lines, const char* none) {
  if (lines.empty()) Add(text, none);
  for (const std::string& line : lines) Add(text, line);
}

}  // namespace

std::string CheckReportText(const CheckReportFacts& facts) {
  std::string text;
  Add(text, "Qorvix K7-R pendant check " + facts.checkVersion);
  Add(text, "written:  " + facts.writtenAt);
  Add(text, "Windows:  " + facts.windowsVersion);
  Add(text, "plug-in:  " + facts.pluginName);
  Add(text, "");
  AddAll(text, HidListLines(facts.interfaces, kReportWidth), "");
  Add(text, "");
  const int pendant = PendantIndex(facts.interfaces);
  if (pendant < 0) {
    AddAll(text, NotFoundLines(), "");
  } else if (!facts.pendantOpened) {
    Add(text, "Pendant listed on " + facts.interfaces[static_cast<size_t>(pendant)].path +
                  ", but it could not be opened (another program holds it?)");
  } else {
    AddAll(text,
           FoundLines(facts.interfaces[static_cast<size_t>(pendant)].path, facts.lengths,
                      kReportWidth),
           "");
  }
  Add(text, "");
  Add(text, "Last input reports (time, bytes 0..7 in hex):");
  AddAll(text, facts.lastReports, "  none");
  if (!facts.hostEffects.empty()) {
    Add(text, "");
    Add(text, "What the host was told:");
    AddAll(text, facts.hostEffects, "");
  }
  return text;
}

}  // namespace pendant::check
