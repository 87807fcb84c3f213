// The pendant check's test screen: "CHECK OK" over the time of day, as a display report built
// with the plug-in's own report layout and line writer.
#pragma once

#include <cstdint>

#include "display/display_report.h"

namespace pendant::check {

// Fills report with the test screen for secondsOfDay (0..86399; others wrap): line 1
// "CHECK OK", line 2 the time as HH:MM:SS, the LED byte off, the sequence byte the seconds'
// low byte, so every second's report differs.
void ComposeTestScreen(int64_t secondsOfDay, uint8_t (&report)[kDisplayReportSize]);

}  // namespace pendant::check
