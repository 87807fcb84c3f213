// The script words a test's transcript gives to what was done to the pendant.
#include "bench/session/action_words.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "bench/script/script_parser.h"
#include "bench/session/text_escape.h"

namespace pendant::bench {
namespace {

using Lines = std::vector<std::string>;
using Event = VirtualPendant::Event;

TEST(ActionWords, EachChangeOfAReportIsItsScriptCommand) {
  const VirtualPendant before;
  VirtualPendant now;
  EXPECT_EQ(PendantEventWords(Event::Send, before, now), Lines{"the same report again"});
  now.keyDown = true;
  EXPECT_EQ(PendantEventWords(Event::Send, before, now), Lines{"key down"});
  now.axisSelector = 3;
  now.offline = true;
  EXPECT_EQ(PendantEventWords(Event::Send, before, now),
            Lines{"axis 3, key down, offline on (one report)"});
}

TEST(ActionWords, ATurnFromRestBringsItsOwnRateAndWrapsTheCounter) {
  VirtualPendant before;
  before.wheelCounter = 2;
  VirtualPendant now = before;
  now.TurnWheel(-5);
  EXPECT_EQ(PendantEventWords(Event::Send, before, now), Lines{"wheel -5"});
  before = now;
  now.wheelRate = 90;
  now.wheelCounter = static_cast<uint8_t>(now.wheelCounter + 7);
  EXPECT_EQ(PendantEventWords(Event::Send, before, now), Lines{"rate 90, wheel +7 (one report)"});
}

TEST(ActionWords, TimingAndPlugsComeBeforeTheReport) {
  const VirtualPendant before;
  VirtualPendant now;
  now.reportDelayMs = 50;
  now.modeSelector = 4;
  EXPECT_EQ(PendantEventWords(Event::Send, before, now), (Lines{"report late 50", "mode 4"}));
  now.reportDelayMs = -1;
  now.path = "\\\\?\\hid#other port";
  EXPECT_EQ(PendantEventWords(Event::Plug, before, now),
            (Lines{"report lost", "mode 4", "pendant plug \"\\\\\\\\?\\\\hid#other port\""}));
  EXPECT_EQ(PendantEventWords(Event::Unplug, before, now), Lines{"pendant unplug"});
}

TEST(ActionWords, TextIsQuotedOnlyWhereAScriptWouldReadItOtherwise) {
  EXPECT_EQ(ScriptWord("1.5"), "1.5");
  EXPECT_EQ(ScriptWord("\\\\?\\hid#vid"), "\\\\?\\hid#vid");
  EXPECT_EQ(ScriptWord(""), "\"\"");
  EXPECT_EQ(ScriptWord("Coolant #1"), "\"Coolant #1\"");
  EXPECT_EQ(ScriptWord("#1"), "\"#1\"");
  for (const std::string value : {"1.5", "", "Coolant #1", "#1", " padded ", "tab\there"}) {
    const script::ParsedScript parsed = script::ParseScript("profile F1 " + ScriptWord(value));
    ASSERT_FALSE(parsed.error) << value;
    EXPECT_EQ(std::get<script::SetProfileKey>(parsed.commands.at(0).action).value, value);
  }
}

}  // namespace
}  // namespace pendant::bench
