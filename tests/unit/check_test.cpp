// The pendant check's portable parts: its command line, the HID list and finding text, the
// live lines decoded from a report sequence, the test screen and the report file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "check/check_options.h"
#include "check/check_report.h"
#include "check/display_test.h"
#include "check/hid_listing.h"
#include "check/live_input.h"

namespace pendant::check {
namespace {

constexpr size_t kConsoleWidth = 80;

std::vector<std::string> Texts(const std::vector<LiveLine>& lines) {
  std::vector<std::string> texts;
  for (const LiveLine& line : lines) texts.push_back(line.text);
  return texts;
}

// The live line that starts with label, without the label's column.
std::string Shown(const LiveInput& live, uint64_t nowMs, const std::string& label) {
  for (const std::string& text : Texts(live.Lines(nowMs))) {
    if (text.compare(0, label.size(), label) == 0 && text.size() > 16) return text.substr(16);
  }
  return "(no line " + label + ")";
}

void ExpectWithin(const std::vector<std::string>& lines, size_t width) {
  for (const std::string& line : lines) EXPECT_LE(line.size(), width) << line;
}

TEST(CheckOptions, ReadsTheCommandLine) {
  struct Case {
    std::vector<std::string> arguments;
    bool withPlugin;
    std::string report;
    bool help;
    std::string problem;
  };
  const Case cases[] = {
      {{}, false, "", false, ""},
      {{"--with-plugin"}, true, "", false, ""},
      {{"--report", "C:\\out.txt", "--with-plugin"}, true, "C:\\out.txt", false, ""},
      {{"/?"}, false, "", true, ""},
      {{"--report"}, false, "", false, "--report needs a file name"},
      {{"--report", ""}, false, "", false, "--report needs a file name"},
      {{"--verbose"}, false, "", false, "unknown option: --verbose"},
  };
  for (const Case& c : cases) {
    const CheckOptions options = ReadCheckOptions(c.arguments);
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    EXPECT_EQ(options.withPlugin, c.withPlugin);
    EXPECT_EQ(options.reportPath, c.report);
    EXPECT_EQ(options.help, c.help);
    EXPECT_EQ(options.problem, c.problem);
  }
  std::string usage = CheckUsage();
  for (size_t at = 0, end; (end = usage.find('\n', at)) != std::string::npos; at = end + 1) {
    EXPECT_LE(end - at, kConsoleWidth);
  }
}

TEST(HidListing, ListsEveryInterfaceAndMarksTheFirstPendant) {
  const std::string longPath =
      "\\\\?\\hid#vid_04d8&pid_fce2#7&2f2a1b3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  const std::vector<HidInterfaceFacts> interfaces = {
      {"\\\\?\\hid#keyboard", true, 0x046D, 0xC52B},        {"\\\\?\\hid#busy", false, 0, 0},
      {"\\\\?\\hid#other-microchip", true, 0x04D8, 0x0001}, {longPath, true, 0x04D8, 0xFCE2},
      {"\\\\?\\hid#second-pendant", true, 0x04D8, 0xFCE2},
  };
  EXPECT_EQ(PendantIndex(interfaces), 3);
  EXPECT_EQ(PendantIndex({interfaces[0], interfaces[2]}), -1);

  const std::vector<std::string> lines = HidListLines(interfaces, kConsoleWidth);
  ExpectWithin(lines, kConsoleWidth);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  EXPECT_EQ(lines.front(), "HID interfaces Windows presents: 5");
  EXPECT_NE(text.find("  1  046D:C52B\n      \\\\?\\hid#keyboard\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  2  ids unreadable"), std::string::npos) << text;
  EXPECT_NE(text.find("  3  04D8:0001\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  4  04D8:FCE2  <-- the pendant\n"), std::string::npos) << text;
  // The long path is wrapped, not cut: its pieces join up again.
  std::string joined;
  for (const std::string& line : lines) {
    if (line.size() > 6 && line.compare(0, 6, "      ") == 0) joined += line.substr(6);
  }
  EXPECT_NE(joined.find(longPath), std::string::npos) << text;

  const std::vector<std::string> found = FoundLines(longPath, {65, 9}, kConsoleWidth);
  ExpectWithin(found, kConsoleWidth);
  std::string foundText;
  for (const std::string& line : found) foundText += line + "\n";
  EXPECT_NE(foundText.find("Pendant found (04D8:FCE2)"), std::string::npos) << foundText;
  EXPECT_NE(foundText.find("Input report length:  65 bytes (the pendant's: 8)\n"
                           "Output report length: 9 bytes (the pendant's: 21)\n"),
            std::string::npos)
      << foundText;
  ExpectWithin(NotFoundLines(), kConsoleWidth);
}

// Reports as the pendant sends them: counter, rate, switches byte, mode byte.
void Send(LiveInput& live, uint64_t ms, uint8_t counter, uint8_t rate, uint8_t switches,
          uint8_t mode) {
  const uint8_t report[kInputReportSize] = {0x04, counter, rate, switches, mode, 0, 0, 0xAB};
  live.Take(report, ms);
}

TEST(LiveInput, ShowsEachControlAsTheReportSaysDecodedLikeThePlugIn) {
  LiveInput live;
  EXPECT_EQ(Texts(live.Lines(0)), std::vector<std::string>{"No report from the pendant yet."});
  EXPECT_TRUE(live.LastReportLines().empty());

  // Compact layout, X, step jog, at rest: the first report only sets the wheel's reference.
  Send(live, 1000, 250, 0, 0x01, 0x01);
  EXPECT_EQ(Shown(live, 1000, "wheel counter"), "250");
  EXPECT_EQ(Shown(live, 1000, "wheel turned"), "+0 counts in the last second");
  EXPECT_EQ(Shown(live, 1000, "wheel rate"), "0 (at rest)");
  EXPECT_EQ(Shown(live, 1000, "axis selector"), "1: X   (compact layout)");
  EXPECT_EQ(Shown(live, 1000, "mode selector"), "1: step jog");
  EXPECT_EQ(Shown(live, 1000, "key"), "up");
  EXPECT_EQ(Shown(live, 1000, "e-stop switch"), "off");
  EXPECT_EQ(Shown(live, 1000, "offline switch"), "off");
  EXPECT_EQ(Shown(live, 1000, "raw bytes"), "04 FA 00 01 01 00 00 AB");

  // Across the counter's wrap 250 -> 3 is nine counts forward; back to 1 is two in reverse.
  Send(live, 1100, 3, 40, 0x01, 0x01);
  EXPECT_EQ(Shown(live, 1100, "wheel turned"), "+9 counts in the last second");
  EXPECT_EQ(Shown(live, 1100, "wheel rate"), "40 (turning)");
  Send(live, 1200, 1, 12, 0x01, 0x01);
  EXPECT_EQ(Shown(live, 1200, "wheel turned"), "+7 counts in the last second");
  EXPECT_EQ(Shown(live, 1200, "reports"), "3 read in the last second, 3 in all");
  // A second later the counts and reads have left the window; the counter stays.
  EXPECT_EQ(Shown(live, 2150, "wheel turned"), "-2 counts in the last second");
  EXPECT_EQ(Shown(live, 2250, "wheel turned"), "+0 counts in the last second");
  EXPECT_EQ(Shown(live, 2250, "reports"), "0 read in the last second, 3 in all");
  EXPECT_EQ(Shown(live, 2250, "wheel counter"), "1");

  // Compact positions 6 and 7, mode 6: what each means there.
  Send(live, 2300, 1, 0, 0x06, 0x06);
  EXPECT_EQ(Shown(live, 2300, "axis selector"), "6: spindle (A with CAmode)   (compact layout)");
  EXPECT_EQ(Shown(live, 2300, "mode selector"), "6: nothing");
  // The extended mark switches the layout, and it stays when a later report lacks it.
  Send(live, 2400, 1, 0, 0x07, 0x16);
  EXPECT_EQ(Shown(live, 2400, "axis selector"), "7: A   (extended layout)");
  EXPECT_EQ(Shown(live, 2400, "mode selector"), "6: function keys");
  Send(live, 2500, 1, 0, 0x04, 0x02);
  EXPECT_EQ(Shown(live, 2500, "axis selector"), "4: program start/pause   (extended layout)");
  EXPECT_EQ(Shown(live, 2500, "mode selector"), "2: velocity jog");

  // The key: down, then held once a press counts as long; both switches.
  Send(live, 3000, 1, 0, 0x41 | 0x20 | 0x10, 0x13);
  EXPECT_EQ(Shown(live, 3000, "key"), "DOWN");
  EXPECT_EQ(Shown(live, 3300, "key"), "DOWN");
  EXPECT_EQ(Shown(live, 3400, "key"), "HELD (a long press)");
  EXPECT_EQ(Shown(live, 3400, "e-stop switch"), "ENGAGED");
  EXPECT_EQ(Shown(live, 3400, "offline switch"), "ON (offline)");
  EXPECT_EQ(Shown(live, 3400, "mode selector"), "3: continuous jog");
  Send(live, 3500, 1, 0, 0x01, 0x13);
  EXPECT_EQ(Shown(live, 3500, "key"), "up");
  // Out-of-range positions say they select nothing.
  Send(live, 3600, 1, 0, 0x0F, 0x1F);
  EXPECT_EQ(Shown(live, 3600, "axis selector"), "15: nothing   (extended layout)");
  EXPECT_EQ(Shown(live, 3600, "mode selector"), "15: nothing");

  const std::vector<LiveLine> lines = live.Lines(3600);
  EXPECT_EQ(lines.size(), 10u);
  ExpectWithin(Texts(lines), kConsoleWidth - 1);
  const std::vector<std::string> last = live.LastReportLines();
  ASSERT_EQ(last.size(), 9u);
  EXPECT_EQ(last.front(), "     1.000 s  04 FA 00 01 01 00 00 AB");
  EXPECT_EQ(last.back(), "     3.600 s  04 01 00 0F 1F 00 00 AB");
}

TEST(LiveInput, KeepsTheLastSixteenReports) {
  LiveInput live;
  for (uint8_t i = 0; i < 40; ++i) Send(live, 10 * i, i, 1, 1, 1);
  const std::vector<std::string> last = live.LastReportLines();
  ASSERT_EQ(last.size(), 16u);
  EXPECT_EQ(last.back(), "     0.390 s  04 27 01 01 01 00 00 AB");
}

TEST(DisplayTest, ComposesCheckOkOverTheTime) {
  struct Case {
    int64_t seconds;
    std::string line2;
    uint8_t sequence;
  };
  const Case cases[] = {
      {0, "00:00:00", 0},
      {45296, "12:34:56", 45296 & 0xFF},
      {86399, "23:59:59", 86399 & 0xFF},
      {86400 + 61, "00:01:01", 61},
      {-1, "23:59:59", 86399 & 0xFF},
  };
  for (const Case& c : cases) {
    uint8_t report[kDisplayReportSize];
    std::memset(report, 0x55, sizeof report);
    ComposeTestScreen(c.seconds, report);
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(report + kLine1First), kLineLength), "CHECK OK");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(report + kLine2First), kLineLength), c.line2);
    EXPECT_EQ(report[kReportIdByte], 0);
    EXPECT_EQ(report[kLedByte], 0);
    EXPECT_EQ(report[kSequenceByte], c.sequence);
    EXPECT_EQ(report[19], 0);
    EXPECT_EQ(report[20], 0);
  }
}

TEST(CheckReport, HoldsWhatWasFoundWithWindowsLineEnds) {
  CheckReportFacts facts;
  facts.checkVersion = "4.0.0";
  facts.pluginName = " Pendant Ver 4.0.0";
  facts.windowsVersion = "6.1 build 7601";
  facts.writtenAt = "2026-12-09 01:02:03";
  facts.interfaces = {{"\\\\?\\hid#keyboard", true, 0x046D, 0xC52B}};
  std::string notFound = CheckReportText(facts);
  EXPECT_NE(notFound.find("Pendant NOT found"), std::string::npos) << notFound;
  EXPECT_NE(notFound.find("Last input reports (time, bytes 0..7 in hex):\r\n  none\r\n"),
            std::string::npos)
      << notFound;
  EXPECT_EQ(notFound.find("host was told"), std::string::npos);

  facts.interfaces.push_back({"\\\\?\\hid#pendant", true, 0x04D8, 0xFCE2});
  facts.pendantOpened = true;
  facts.lastReports = {"     1.000 s  04 FA 00 01 01 00 00 AB"};
  facts.hostEffects = {"button 334", "code G90"};
  const std::string found = CheckReportText(facts);
  for (const char* part :
       {"Qorvix K7-R pendant check 4.0.0\r\n", "written:  2026-12-09 01:02:03\r\n",
        "Windows:  6.1 build 7601\r\n", "plug-in:   Pendant Ver 4.0.0\r\n",
        "  2  04D8:FCE2  <-- the pendant\r\n",
        "Pendant found (04D8:FCE2) on\r\n  \\\\?\\hid#pendant\r\n", "Input report length:  8 bytes",
        "     1.000 s  04 FA 00 01 01 00 00 AB\r\n",
        "What the host was told:\r\nbutton 334\r\ncode G90\r\n"}) {
    EXPECT_NE(found.find(part), std::string::npos) << part << "\n" << found;
  }
  for (size_t at = found.find('\n'); at != std::string::npos; at = found.find('\n', at + 1)) {
    ASSERT_GT(at, 0u);
    EXPECT_EQ(found[at - 1], '\r') << "a bare line feed at " << at;
  }

  facts.pendantOpened = false;
  EXPECT_NE(CheckReportText(facts).find("could not be opened"), std::string::npos);
}

}  // namespace
}  // namespace pendant::check
