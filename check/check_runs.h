// The pendant check's two runs, each until the user quits: the pendant itself (finding, live
// input, display test) and the plug-in loaded as a host loads it. Both fill in what the report
// file says.
#pragma once

#include <vector>

#include "check/check_console.h"
#include "check/check_report.h"

namespace pendant::check {

// The HID interfaces Windows presents now, each with its ids when they can be read.
std::vector<HidInterfaceFacts> ListHidInterfaces();

// Finds the pendant (looking again once a second while it is missing or after it is
// unplugged), shows what it sends and writes the test screen to it.
void RunPendantCheck(CheckConsole& console, CheckReportFacts& facts);

// Lists the HID interfaces once, then loads QorvixK7R.dll from the check's folder with a
// recording host and prints each host effect as it happens. False when the DLL cannot be used.
bool RunWithPlugin(CheckConsole& console, CheckReportFacts& facts);

// The name the plug-in beside the check gives itself, or why there is none.
std::string PluginNameBeside();

}  // namespace pendant::check
