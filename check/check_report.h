// The report to paste: what the pendant check found, as a text file a machinist can send with
// a support question.
#pragma once

#include <string>
#include <vector>

#include "check/hid_listing.h"

namespace pendant::check {

struct CheckReportFacts {
  std::string checkVersion;    // the version the check was built as
  std::string pluginName;      // as the plug-in beside the check names itself, or why none
  std::string windowsVersion;  // as Windows states it
  std::string writtenAt;       // local time of writing
  std::vector<HidInterfaceFacts> interfaces;
  bool pendantOpened = false;  // the lengths below were read from the pendant
  HidReportLengths lengths;
  std::vector<std::string> lastReports;  // LiveInput::LastReportLines
  std::vector<std::string> hostEffects;  // with the plug-in loaded: the latest the host was told
};

// The whole file, with CRLF line ends for Notepad.
std::string CheckReportText(const CheckReportFacts& facts);

}  // namespace pendant::check
