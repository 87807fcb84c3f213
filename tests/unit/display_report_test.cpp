// The report around the screens: the fixed bytes, which screen wins, what a cycle leaves as it
// was, and the bounds of the line writer.
#include <cmath>
#include <cstring>

#include "display/display_report.h"
#include "display/number_field.h"
#include "input/jog_mode.h"
#include "tests/unit/display_fixture.h"

namespace pendant::testing {
namespace {

using DisplayReport = DisplayFixture;

TEST_F(DisplayReport, FixedBytesAreWrittenEveryCycle) {
  std::memset(report_, 0xAA, sizeof report_);
  Compose({});
  EXPECT_EQ(report_[0], 0);
  EXPECT_EQ(report_[1], 0);
  EXPECT_EQ(report_[18], 1);  // no Update call yet
  EXPECT_EQ(report_[19], 0xAA);
  EXPECT_EQ(report_[20], 0xAA);

  Compose({.leds = {800}});
  EXPECT_EQ(report_[1], 1);
  Compose({});
  EXPECT_EQ(report_[1], 0);
}

TEST_F(DisplayReport, SequenceByteFollowsTheUpdateCalls) {
  for (int i = 0; i < 254; ++i) ticks_.Step();
  Compose({});
  EXPECT_EQ(report_[18], 255);
  ticks_.Step();
  Compose({});
  EXPECT_EQ(report_[18], 2);
}

TEST_F(DisplayReport, SwitchesAndResetLedChooseTheScreen) {
  struct Case {
    const char* name;
    Scene scene;
    const char* text;
  };
  const Case cases[] = {
      {"stop, first half",
       {.jogMode = ModeStepJog, .displayCycle = 0, .stopSwitch = true},
       " E-STOP  E-STOP "},
      {"stop, second half",
       {.jogMode = ModeStepJog, .displayCycle = 20, .stopSwitch = true},
       "                "},
      {"stop wins over reset",
       {.displayCycle = 0, .stopSwitch = true, .leds = {800}},
       " E-STOP  E-STOP "},
      {"reset, first half",
       {.jogMode = ModeStepJog, .displayCycle = 19, .leds = {800}},
       "  RESET   RESET "},
      {"reset, second half",
       {.jogMode = ModeStepJog, .displayCycle = 39, .leds = {800}},
       "                "},
      {"reset wins over compact offline",
       {.displayCycle = 0, .offlineSwitch = true, .extendedSelector = 0, .leds = {800}},
       "  RESET   RESET "},
      {"compact offline, whatever the mode",
       {.jogMode = ModeFunctionKeys, .offlineSwitch = true, .extendedSelector = 0},
       "MPG     Offline "},
      {"compact offline in program stop",
       {.jogMode = ModeProgramStop, .offlineSwitch = true, .extendedSelector = 0},
       "MPG     Offline "},
      {"offline on an extended pendant names the screen, over the stop screen",
       {.displayCycle = 0, .stopSwitch = true, .offlineSwitch = true, .screenCode = 1},
       "OFFLINE Prog Run"},
      {"over the reset screen too",
       {.displayCycle = 0, .offlineSwitch = true, .screenCode = 2, .leds = {800}},
       "OFFLINE MDI     "},
      {"screen 3",
       {.jogMode = ModeStepSize, .offlineSwitch = true, .screenCode = 3},
       "OFFLINE ToolPath"},
      {"screen 5",
       {.jogMode = ModeStepSize, .offlineSwitch = true, .screenCode = 5},
       "OFFLINE Diagnost"},
      {"screen 6",
       {.jogMode = ModeStepSize, .offlineSwitch = true, .screenCode = 6},
       "OFFLINE Settings"},
      {"screen 7",
       {.jogMode = ModeStepSize, .offlineSwitch = true, .screenCode = 7},
       "OFFLINE OffSets "},
      {"an unknown screen keeps the line of the mode",
       {.jogMode = ModeStepSize, .offlineSwitch = true, .screenCode = 4, .dros = {{828, 0.5}}},
       "OFFLINE   0.5000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Compose(c.scene), c.text) << c.name;
}

TEST_F(DisplayReport, TextStartsAsSpacesAndIdleModesKeepIt) {
  std::memset(report_, 0, sizeof report_);
  EXPECT_EQ(Compose({.jogMode = ModeIdle}), "                ");

  const std::string stepSize = Compose({.jogMode = ModeStepSize, .dros = {{828, 0.25}}});
  ASSERT_EQ(stepSize, "Stepsize  0.2500");
  for (int32_t mode : {0, 9, 15, -1}) {
    EXPECT_EQ(Compose({.jogMode = static_cast<JogModeValue>(mode), .dros = {{828, 9.0}}}), stepSize)
        << mode;
  }
  // Program start while only jogging during a run is allowed: nothing to confirm.
  EXPECT_EQ(Compose({.jogMode = ModeProgramStart, .leds = {806}}), stepSize);
}

TEST_F(DisplayReport, UnknownDecidigitRepeatsTheLastAxisText) {
  EXPECT_EQ(Compose({.jogMode = ModeContinuousJog, .decidigit = 5}).substr(8), "        ");
  Compose({.jogMode = ModeContinuousJog, .decidigit = 2, .dros = {{800, 12.3456}}});
  for (int16_t decidigit : {3, 5, -1}) {
    const Scene scene{.jogMode = ModeZeroAxis, .decidigit = decidigit, .dros = {{800, 99.0}}};
    EXPECT_EQ(Compose(scene).substr(8), "+12.3456") << decidigit;
  }
  // The zero mark still follows the value read, not the text shown.
  EXPECT_EQ(Compose({.jogMode = ModeZeroAxis, .displayCycle = 0, .decidigit = 5}),
            "Zero  X +12.3456");
}

TEST_F(DisplayReport, AxesOutsideTheScreenKeepTheLastValue) {
  Compose({.jogMode = ModeContinuousJog, .dros = {{800, 4.25}}});
  TableHost::drosRead.clear();
  // The zero screen knows axes X to A only: B reads no DRO and shows the last value.
  const std::string text = Compose({.jogMode = ModeZeroAxis, .axisIndex = 4, .dros = {{804, 1.0}}});
  EXPECT_EQ(text.substr(8), " +4.2500");
  EXPECT_EQ(text.substr(0, 6), "Zero  ");
  EXPECT_EQ(TableHost::drosRead, std::vector<int>{});
  // Axis screens know X to C: an index past them reads nothing and shows no letter.
  TableHost::drosRead.clear();
  EXPECT_EQ(Compose({.jogMode = ModeVelocityJog, .axisIndex = 6}), "     Vel +4.2500");
  EXPECT_EQ(TableHost::drosRead, std::vector<int>{});
}

TEST(DisplayLines, WritesOnlyWithinTheLineAndField) {
  uint8_t report[21];
  std::memset(report, '#', sizeof report);
  DisplayLines lines{std::span(report).first<kTextEnd>()};
  lines.Put(1, 7, "ABCDEF");           // cut at the end of line 1
  lines.Put(2, 8, "xyz");              // cut at the end of line 2
  lines.PutField(2, 1, 3, "1234567");  // cut at the field
  lines.PutField(2, 4, 3, "9");        // padded with spaces
  lines.Put(0, 1, "bad");
  lines.Put(3, 1, "bad");
  lines.Put(1, 0, "bad");
  lines.Put(1, 9, "bad");
  lines.PutField(1, 1, -1, "bad");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(report), 21), "########AB1239  #x###");
}

TEST(NumberField, KeepsTheLeadingCharactersOfAnyNumber) {
  struct Case {
    const char* format;
    double value;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {"%8.2f", -1.7976931348623157e308, 8, "-1797693"},
      {"%+10.4f", 1e308, 8, "+1000000"},
      {"%.4f", -INFINITY, 6, "-inf  "},
      {"%5.1f", 42.0, 5, " 42.0"},
      {"%3.0f", 7.0, 1, " "},
  };
  for (const Case& c : cases) {
    char field[8];
    FormatField(field, c.width, c.format, c.value);
    EXPECT_EQ(std::string(field, static_cast<size_t>(c.width)), c.text)
        << c.format << " " << c.value;
  }
}

}  // namespace
}  // namespace pendant::testing
