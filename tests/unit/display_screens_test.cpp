// The text of every screen, byte for byte, for given host values, settings and counters.
#include <cmath>

#include "input/jog_mode.h"
#include "tests/unit/display_fixture.h"

namespace pendant::testing {
namespace {

struct ScreenCase {
  const char* name;
  Scene scene;
  const char* text;  // 16 characters: line 1, then line 2
};

class DisplayScreens : public DisplayFixture {
 protected:
  template <size_t N>
  void CheckAll(const ScreenCase (&cases)[N]) {
    for (const ScreenCase& c : cases) {
      EXPECT_EQ(Compose(c.scene), c.text) << c.name;
    }
  }
};

// DisplayCycle 60 and 100 fall in the second blink half, 10 and 120 in the first.
TEST_F(DisplayScreens, AxisScreens) {
  const double tenThirds = 10.0 / 3.0;  // with 50 % a jog speed of exactly 100.0
  ASSERT_EQ(60.0 * tenThirds * 50.0 / 100.0, 100.0);
  const ScreenCase cases[] = {
      {"continuous, second half",
       {.jogMode = ModeContinuousJog, .displayCycle = 60, .dros = {{800, 12.3456}, {3, 100.0}}},
       "X 100.0%+12.3456"},
      {"continuous, first half hides the letter",
       {.jogMode = ModeContinuousJog, .displayCycle = 10, .dros = {{800, 12.3456}, {3, 100.0}}},
       "  100.0%+12.3456"},
      {"last cycle of the first half",
       {.jogMode = ModeContinuousJog, .displayCycle = 59, .dros = {{3, 100.0}}},
       "  100.0% +0.0000"},
      {"last cycle of the second half",
       {.jogMode = ModeContinuousJog, .displayCycle = 79, .dros = {{3, 100.0}}},
       "X 100.0% +0.0000"},
      {"continuous percentage cut to five characters",
       {.jogMode = ModeContinuousJog, .dros = {{3, 12345.678}}},
       "X 12345% +0.0000"},
      {"step jog speed",
       {.jogMode = ModeStepJog, .displayCycle = 60, .feedBase = 2.0},
       "X 60.0/M +0.0000"},
      {"step size below 1 loses its leading zero",
       {.jogMode = ModeStepJog, .displayCycle = 100, .dros = {{828, 0.001}}},
       "X  .0010 +0.0000"},
      {"step size, first half",
       {.jogMode = ModeStepJog, .displayCycle = 120, .dros = {{828, 0.001}}},
       "   .0010 +0.0000"},
      {"step size of 1 or more keeps its first digit",
       {.jogMode = ModeStepJog, .displayCycle = 100, .dros = {{828, 2.5}}},
       "X 2.5000 +0.0000"},
      {"step size of exactly 1",
       {.jogMode = ModeStepJog, .displayCycle = 100, .dros = {{828, 1.0}}},
       "X 1.0000 +0.0000"},
      {"step size just below 1",
       {.jogMode = ModeStepJog, .displayCycle = 100, .dros = {{828, 0.99}}},
       "X  .9900 +0.0000"},
      {"the step size shows while DisplayCycle is above 80",
       {.jogMode = ModeStepJog, .displayCycle = 81, .feedBase = 2.0, .dros = {{828, 2.5}}},
       "  2.5000 +0.0000"},
      {"the speed from 80 down",
       {.jogMode = ModeStepJog, .displayCycle = 80, .feedBase = 2.0, .dros = {{828, 2.5}}},
       "  60.0/M +0.0000"},
      {"step speed of exactly 100 keeps a decimal",
       {.jogMode = ModeStepJog, .displayCycle = 60, .feedBase = tenThirds},
       "X100.0/M +0.0000"},
      {"step speed above 100 has none",
       {.jogMode = ModeStepJog, .displayCycle = 60, .feedBase = 5.0},
       "X  150/M +0.0000"},
      {"velocity",
       {.jogMode = ModeVelocityJog, .axisIndex = 1, .dros = {{801, -3.5}}},
       "Y    Vel -3.5000"},
      {"velocity with the key held shows the slow-down divisor",
       {.jogMode = ModeVelocityJog, .actionKey = true, .slowDownDivisor = 3},
       "X    V/3 +0.0000"},
      {"B axis reads DRO 804",
       {.jogMode = ModeContinuousJog, .axisIndex = 4, .dros = {{3, 40.0}, {804, 7.0}}},
       "B  40.0% +7.0000"},
      {"long integer part costs decimals",
       {.jogMode = ModeContinuousJog, .dros = {{800, -1234.5678}}},
       "X   0.0%-1234.56"},
  };
  CheckAll(cases);
}

TEST_F(DisplayScreens, AxisValueByDecidigit) {
  struct Case {
    int16_t decidigit;
    double value;
    const char* line2;
  };
  const Case cases[] = {
      {0, 12.3456, "  +12.34"},    {1, 12.3456, " +12.345"},    {2, 12.3456, "+12.3456"},
      {0, -1234.5678, "-1234.56"}, {1, -1234.5678, "-1234.56"}, {2, -1234.5678, "-1234.56"},
      {2, 0.0, " +0.0000"},        {0, 1e9, "+1000000"},
  };
  for (const Case& c : cases) {
    const Scene scene{
        .jogMode = ModeContinuousJog, .decidigit = c.decidigit, .dros = {{800, c.value}}};
    EXPECT_EQ(Compose(scene).substr(8), c.line2) << c.decidigit << " " << c.value;
  }
}

TEST_F(DisplayScreens, ProgramStateMarksByAnimationPhase) {
  const ScreenCase cases[] = {
      {"phase 21",
       {.jogMode = ModeVelocityJog, .animationPhase = 21, .leds = {804}},
       "X   >    +0.0000"},
      {"phase 20",
       {.jogMode = ModeVelocityJog, .animationPhase = 20, .leds = {804}},
       "X   >>   +0.0000"},
      {"phase 16",
       {.jogMode = ModeVelocityJog, .animationPhase = 16, .leds = {804}},
       "X   >>   +0.0000"},
      {"phase 15",
       {.jogMode = ModeVelocityJog, .animationPhase = 15, .leds = {804}},
       "X   >>>  +0.0000"},
      {"phase 11",
       {.jogMode = ModeVelocityJog, .animationPhase = 11, .leds = {804}},
       "X   >>>  +0.0000"},
      {"phase 10",
       {.jogMode = ModeVelocityJog, .animationPhase = 10, .leds = {804}},
       "X   >>>> +0.0000"},
      {"phase 6",
       {.jogMode = ModeVelocityJog, .animationPhase = 6, .leds = {804}},
       "X   >>>> +0.0000"},
      {"phase 5",
       {.jogMode = ModeVelocityJog, .animationPhase = 5, .leds = {804}},
       "X        +0.0000"},
      {"running wins over paused",
       {.jogMode = ModeStepJog, .animationPhase = 20, .leds = {804, 805}, .dros = {{828, 2.5}}},
       "X   >>   +0.0000"},
      {"paused, second half",
       {.jogMode = ModeStepJog, .leds = {805}, .dros = {{828, 2.5}}},
       "X     || +0.0000"},
      {"paused, first half",
       {.jogMode = ModeContinuousJog, .displayCycle = 0, .leds = {805}, .dros = {{3, 40.0}}},
       "         +0.0000"},
  };
  CheckAll(cases);
}

TEST_F(DisplayScreens, ZeroScreen) {
  const ScreenCase cases[] = {
      {"asks in the first half",
       {.jogMode = ModeZeroAxis, .displayCycle = 0, .dros = {{800, 1.5}}},
       "Zero  X? +1.5000"},
      {"not in the second half",
       {.jogMode = ModeZeroAxis, .displayCycle = 20, .dros = {{800, 1.5}}},
       "Zero  X  +1.5000"},
      {"a zeroed axis is not asked about",
       {.jogMode = ModeZeroAxis, .displayCycle = 0, .dros = {{800, 0.000001}}},
       "Zero  X  +0.0000"},
      {"an axis at exactly the zero threshold is asked about",
       {.jogMode = ModeZeroAxis, .displayCycle = 0, .dros = {{800, -0.00001}}},
       "Zero  X? -0.0000"},
      {"negative values count by magnitude",
       {.jogMode = ModeZeroAxis, .axisIndex = 3, .displayCycle = 0, .dros = {{803, -0.001}}},
       "Zero  A? -0.0010"},
  };
  CheckAll(cases);
}

TEST_F(DisplayScreens, ProgramAndSpindleScreens) {
  const ScreenCase cases[] = {
      {"start", {.jogMode = ModeProgramStart}, "PROGRAM START?  "},
      {"start, first half", {.jogMode = ModeProgramStart, .displayCycle = 0}, "PROGRAM START   "},
      {"pause", {.jogMode = ModeProgramStart, .leds = {804}}, "PROGRAM PAUSE?  "},
      {"pause wins", {.jogMode = ModeProgramStart, .leds = {804, 805, 806}}, "PROGRAM PAUSE?  "},
      {"resume", {.jogMode = ModeProgramStart, .leds = {805}}, "PROGRAM RESUME? "},
      {"resume, first half",
       {.jogMode = ModeProgramStart, .displayCycle = 0, .leds = {805}},
       "PROGRAM RESUME  "},
      {"stop a running program", {.jogMode = ModeProgramStop, .leds = {806}}, "PROGRAM STOP?   "},
      {"stop, first half",
       {.jogMode = ModeProgramStop, .displayCycle = 0, .leds = {804}},
       "PROGRAM STOP    "},
      {"at the first line", {.jogMode = ModeProgramStop}, "STOP            "},
      {"at the first line, negative zero",
       {.jogMode = ModeProgramStop, .dros = {{816, -0.0}}},
       "STOP            "},
      {"rewind", {.jogMode = ModeProgramStop, .dros = {{816, 12.0}}}, "PROGRAM REWIND? "},
      {"spindle on", {.jogMode = ModeSpindle, .leds = {11}}, "SPINDLE STOP?   "},
      {"spindle off", {.jogMode = ModeSpindle}, "SPINDLE START?  "},
      {"spindle off, first half", {.jogMode = ModeSpindle, .displayCycle = 0}, "SPINDLE START   "},
  };
  CheckAll(cases);
}

TEST_F(DisplayScreens, ValueScreens) {
  const double tenThirds = 10.0 / 3.0;
  ASSERT_EQ(60.0 * (1000.0 / 3.0) * 50.0 / 100.0, 10000.0);
  const ScreenCase cases[] = {
      {"continuous speed",
       {.jogMode = ModeContinuousSpeed, .dros = {{3, 40.0}}},
       "CON'T      40.0%"},
      {"continuous speed cut",
       {.jogMode = ModeContinuousSpeed, .dros = {{3, 12345.67}}},
       "CON'T    12345.%"},
      {"feed override",
       {.jogMode = ModeFeedOverride, .dros = {{821, 100.0}, {55, 1234.5}}},
       "FRO 100% 1234.50"},
      {"feed override cut",
       {.jogMode = ModeFeedOverride, .dros = {{821, 1500.0}, {55, -123456.7}}},
       "FRO 150%-123456."},
      {"spindle override with RPM",
       {.jogMode = ModeSpindleOverride, .displyRpm = true, .dros = {{74, 95.4}, {39, 1200.0}}},
       "Sov  95%1200 RPM"},
      {"spindle override with speed and range",
       {.jogMode = ModeSpindleOverride, .dros = {{74, 120.0}, {202, 12000.0}, {56, 2.0}}},
       "Sov 120%12000 P2"},
      {"range shows its first character",
       {.jogMode = ModeSpindleOverride, .dros = {{202, 5.0}, {56, 12.0}}},
       "Sov   0%    5 P1"},
      {"step speed", {.jogMode = ModeStepSpeed, .feedBase = 2.0}, "Step 50%60.0/Min"},
      {"step speed of exactly 100 has no decimal",
       {.jogMode = ModeStepSpeed, .feedBase = tenThirds},
       "Step 50% 100/Min"},
      {"step speed just below 100 rounds into its field",
       {.jogMode = ModeStepSpeed, .stepJogPercent = 100.0, .feedBase = 1.6666},
       "Step100%100./Min"},
      {"step speed below 10000",
       {.jogMode = ModeStepSpeed, .feedBase = 333.31},
       "Step 50%9999/Min"},
      {"step speed of exactly 10000",
       {.jogMode = ModeStepSpeed, .feedBase = 1000.0 / 3.0},
       "Step 50% 10000/M"},
      {"step speed of 10000 or more",
       {.jogMode = ModeStepSpeed, .feedBase = 400.0},
       "Step 50% 12000/M"},
      {"huge step speed is cut", {.jogMode = ModeStepSpeed, .feedBase = 1e6}, "Step 50%300000/M"},
      {"step size", {.jogMode = ModeStepSize, .dros = {{828, 0.001}}}, "Stepsize  0.0010"},
      {"step size cut", {.jogMode = ModeStepSize, .dros = {{828, 12.5}}}, "Stepsize  12.500"},
      {"step size not a number",
       {.jogMode = ModeStepSize, .dros = {{828, NAN}}},
       "Stepsize  nan   "},
  };
  CheckAll(cases);
}

TEST_F(DisplayScreens, FunctionTexts) {
  const ScreenCase cases[] = {
      {"F4 of 17 characters runs over both lines",
       {.jogMode = ModeFunctionKeys, .axisSelector = 7, .f4 = "Flood coolant onX"},
       "Flood coolant on"},
      {"F1", {.jogMode = ModeFunctionKeys, .axisSelector = 1, .f1 = "Home"}, "Home            "},
      {"F2",
       {.jogMode = ModeFunctionKeys, .axisSelector = 2, .f2 = "Park spindle"},
       "Park spindle    "},
      {"F3", {.jogMode = ModeFunctionKeys, .axisSelector = 3, .f3 = "Probe Z"}, "Probe Z         "},
      {"empty text", {.jogMode = ModeFunctionKeys, .axisSelector = 1}, "                "},
      {"no function at 0",
       {.jogMode = ModeFunctionKeys, .axisSelector = 0, .f1 = "a", .f4 = "b"},
       "                "},
      {"no function at 4",
       {.jogMode = ModeFunctionKeys, .axisSelector = 4, .f4 = "b"},
       "                "},
  };
  CheckAll(cases);
}

}  // namespace
}  // namespace pendant::testing
