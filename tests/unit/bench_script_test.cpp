#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "bench/script/script_parser.h"

namespace pendant::bench::script {
namespace {

using Kind = HostEffect::Kind;

struct GoodLine {
  const char* text;
  Action expected;
};

TEST(BenchScriptParser, EachCommandLineBecomesItsAction) {
  const GoodLine rows[] = {
      {"say The pendant is unplugged.", Say{"The pendant is unplugged."}},
      {"say", Say{""}},
      {"profile Decidigit 2", SetProfileKey{"Decidigit", "2"}},
      {"profile F1 Cycle  start   # two words", SetProfileKey{"F1", "Cycle  start"}},
      {"profile F1 \"Cycle #1 \\\"go\\\"\"", SetProfileKey{"F1", "Cycle #1 \"go\""}},
      {"profile F2 \"\"", SetProfileKey{"F2", ""}},
      {"start", Start{true}},
      {"start nopendant", Start{false}},
      {"stop", Stop{}},
      {"pendant plug", PlugPendant{true, RemovalNotice::Plain, ""}},
      {"pendant unplug", PlugPendant{false, RemovalNotice::Plain, ""}},
      {"pendant unplug uppercase", PlugPendant{false, RemovalNotice::UpperCase, ""}},
      {"pendant unplug silent", PlugPendant{false, RemovalNotice::Lost, ""}},
      {"pendant plug \\\\?\\hid#2", PlugPendant{true, RemovalNotice::Plain, "\\\\?\\hid#2"}},
      {"notices refuse", RefuseNotices{true}},
      {"notices accept", RefuseNotices{false}},
      {"device plug", PlugOtherDevice{true}},
      {"device unplug", PlugOtherDevice{false}},
      {"axis 7", SetSelector{&VirtualPendant::axisSelector, 7}},
      {"mode 0", SetSelector{&VirtualPendant::modeSelector, 0}},
      {"extended off", SetSwitch{&VirtualPendant::extended, false}},
      {"key down", SetSwitch{&VirtualPendant::keyDown, true}},
      {"key up", SetSwitch{&VirtualPendant::keyDown, false}},
      {"estop on", SetSwitch{&VirtualPendant::stopEngaged, true}},
      {"offline on", SetSwitch{&VirtualPendant::offline, true}},
      {"wheel +5", TurnWheel{5}},
      {"wheel -300", TurnWheel{-300}},
      {"wheel 2", TurnWheel{2}},
      {"rate 255", SetWheelRate{255}},
      {"tick 3", RunTicks{3}},
      {"update 0", RunUpdates{0}},
      {"wait 3600000", Wait{3600000}},
      {"dro 800 -12.3456", SetDro{800, -12.3456}},
      {"dro 3 1e2", SetDro{3, 100.0}},
      {"dro 3 +.5", SetDro{3, 0.5}},
      {"led 800 on", SetLed{800, true}},
      {"poke A 163840 i32 -7", Poke{'A', 163840, Poke::Type::I32, -7.0}},
      {"poke B 1192 u8 255", Poke{'B', 1192, Poke::Type::U8, 255.0}},
      {"poke C 586952 f64 2.5", Poke{'C', 586952, Poke::Type::F64, 2.5}},
      {"dro 5 inf", SetDro{5, std::numeric_limits<double>::infinity()}},
      {"poke C 586952 f64 -inf",
       Poke{'C', 586952, Poke::Type::F64, -std::numeric_limits<double>::infinity()}},
      {"machine on", SwitchMachineOn{}},
      {"call PostInitControl", CallEntryPoint{"PostInitControl"}},
      {"profile-file host profile.xml", SetProfileFile{"host profile.xml"}},
      {"expect profile-file order Xreverse F1",
       ExpectProfileFile{ExpectProfileFile::Kind::Order, {"Xreverse", "F1"}}},
      {"expect profile-file contains <!-- a",
       ExpectProfileFile{ExpectProfileFile::Kind::Contains, {"<!-- a"}}},
      {"report late 40", SetReportTiming{40}},
      {"report lost", SetReportTiming{-1}},
      {"report ontime", SetReportTiming{0}},
      {"config Decidigit=2 \"F1=Cycle start\" ok",
       RunConfig{{{"Decidigit", "2"}, {"F1", "Cycle start"}}, true}},
      {"config cancel", RunConfig{{}, false}},
      {"expect none", ExpectEffects{}},
      {"expect display \"X  .0010\" \"+12.3456\"", ExpectDisplay{"X  .0010", "+12.3456"}},
      {"expect display \"\\x00\\x01      \" \" E-STOP \"",
       ExpectDisplay{std::string("\0\1      ", 8), " E-STOP "}},
      {"expect byte 20 255", ExpectByte{20, 255}},
      {"expect dro 821 100", ExpectDro{821, 100.0}},
      {"expect profile F1 Cycle start", ExpectProfile{"F1", "Cycle start"}},
      {"expect jog 3 go 1", ExpectJog{3, JogField::Go, 1}},
      {"expect jog 0 velocity -2147483648", ExpectJog{0, JogField::Velocity, -2147483648LL}},
      {"expect jog 1 param 12", ExpectJog{1, JogField::JogParam, 12}},
      {"expect writes 0", ExpectWrites{0}},
      {"expect ticks 40", ExpectTicks{40}},
      {"expect handles 1 1", ExpectHandles{1, 1}},
      {"  \twait 25\t# indented, with a comment", Wait{25}},
  };
  for (const GoodLine& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedScript parsed = ParseScript(row.text);
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_EQ(parsed.commands.size(), 1u);
    EXPECT_EQ(parsed.commands[0].line, 1);
    EXPECT_TRUE(parsed.commands[0].action == row.expected);
  }
}

struct BadLine {
  const char* text;
  const char* messagePart;
};

TEST(BenchScriptParser, BadLinesAreErrorsNamingTheProblem) {
  const BadLine rows[] = {
      {"wait 12x", "'12x' is not a whole number"},
      {"wait -1", "from 0 to 3600000"},
      {"wait 3600001", "from 0 to 3600000"},
      {"wait 1e3", "'1e3' is not a whole number"},
      {"wait 99999999999999999999999", "is not a whole number"},
      {"wait", "takes 1 argument, not 0"},
      {"wait 5 6", "takes 1 argument, not 2"},
      {"tick 2.5", "'2.5' is not a whole number"},
      {"wheel ++3", "'++3' is not a whole number"},
      {"wheel +-3", "'+-3' is not a whole number"},
      {"wheel +", "'+' is not a whole number"},
      {"wheel 1001", "from -1000 to 1000"},
      {"axis 16", "from 0 to 15"},
      {"rate 256", "from 0 to 255"},
      {"dro 5 abc", "VALUE 'abc' is not a number"},
      {"dro 5 NaN", "'NaN' is not a number, nan, inf or -inf"},
      {"poke A 0 u8 inf", "'inf' is not a whole number"},
      {"dro 5 1e999", "'1e999' is not a number"},
      {"dro 5 0x10", "'0x10' is not a number"},
      {"dro 40000 1", "from -32768 to 32767"},
      {"led 800 maybe", "'maybe' is not one of on|off"},
      {"key pressed", "'pressed' is not one of down|up"},
      {"start later", "'later' is not one of"},
      {"pendant plug uppercase", "PATH must be an interface path"},
      {"pendant unplug lowercase", "'lowercase' is not one of [uppercase"},
      {"poke D 0 u8 1", "'D' is not one of A|B|C"},
      {"poke A 0 u16 1", "'u16' is not one of"},
      {"poke A 0 u8 256", "from 0 to 255"},
      {"poke A 0 i32 2147483648", "from -2147483648 to 2147483647"},
      {"poke A -4 u8 1", "OFFSET '-4'"},
      {"report late", "takes 1 argument"},
      {"report sometimes", "unknown command 'report'"},
      {"profile 1st x", "'1st' is not a profile key"},
      {"profile F1", "takes at least 2 arguments"},
      {"profile F1 \"a\" b", "nothing may follow a quoted VALUE"},
      {"config", "takes at least 1 arguments"},
      {"config Decidigit=2", "ends with ok or cancel, not 'Decidigit=2'"},
      {"config =2 ok", "'=2' is not KEY=VALUE"},
      {"config Decidigit ok", "'Decidigit' is not KEY=VALUE"},
      {"expect display \"short\" \"12345678\"", "\"short\" has 5"},
      {"expect display \"12345678\"", "takes 2 arguments"},
      {"expect byte 21 0", "from 0 to 20"},
      {"expect jog 4 go 1", "from 0 to 3"},
      {"expect jog 0 speed 1", "'speed' is not one of"},
      {"expect jog 0 stop 256", "from 0 to 255"},
      {"expect none please", "takes 0 arguments"},
      {"machine off", "'off' is not one of on"},
      {"call WinMain", "'WinMain' is not an entry point (SetProName, InitControl"},
      {"expect profile-file missing F1 F2", "takes 2 arguments"},
      {"expect profile-file holds x", "'holds' is not one of"},
      {"frobnicate 3", "unknown command 'frobnicate'"},
      {"expect frob", "unknown check 'expect frob'"},
      {"expect", "unknown command 'expect'"},
      {"end", "'end' without 'expect effects'"},
      {"say \"unterminated", "the closing quote is missing"},
      {"say \"bad \\q escape\"", "unknown escape"},
      {"say \"half \\x4\"", "unknown escape"},
      {"say \"glued\"on", "a closing quote must be followed by a blank"},
  };
  for (const BadLine& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedScript parsed = ParseScript(std::string("# first line\n") + row.text);
    ASSERT_TRUE(parsed.error);
    EXPECT_EQ(parsed.error->line, 2);
    EXPECT_NE(parsed.error->message.find(row.messagePart), std::string::npos)
        << parsed.error->message;
  }
}

TEST(BenchScriptParser, LinesAreNumberedAcrossCommentsBlanksAndCarriageReturns) {
  const ParsedScript parsed = ParseScript(
      "# comment\r\n"
      "\r\n"
      "start\r\n"
      "   # indented comment\n"
      "wait 100   \r\n"
      "\n"
      "stop");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.commands.size(), 3u);
  EXPECT_EQ(parsed.commands[0].line, 3);
  EXPECT_EQ(parsed.commands[1].line, 5);
  EXPECT_EQ(parsed.commands[1].source, "wait 100");
  EXPECT_TRUE(parsed.commands[1].action == Action(Wait{100}));
  EXPECT_EQ(parsed.commands[2].line, 7);
}

TEST(BenchScriptParser, TheEchoedCommandIsWhatWasRead) {
  // A '#' beginning a word ends the text; the transcript shows the command without it, so it
  // never shows a text the profile does not get. A byte-order mark before the first line is
  // skipped.
  const ParsedScript parsed = ParseScript(
      "\xEF\xBB\xBFprofile F1 Coolant #1\n"
      "  profile F2 \"Coolant #2\"  # quoted\n");
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.commands.size(), 2u);
  EXPECT_EQ(parsed.commands[0].source, "profile F1 Coolant");
  EXPECT_TRUE(parsed.commands[0].action == Action(SetProfileKey{"F1", "Coolant"}));
  EXPECT_EQ(parsed.commands[1].source, "profile F2 \"Coolant #2\"");
  EXPECT_TRUE(parsed.commands[1].action == Action(SetProfileKey{"F2", "Coolant #2"}));
}

TEST(BenchScriptParser, EffectBlockHoldsEachEffectUpToEnd) {
  const ParsedScript parsed = ParseScript(
      "expect effects\n"
      "  button 1021\n"
      "\n"
      "  # a comment inside the block\n"
      "  code G91G1 F100.0000 X  1.0000\n"
      "  setdro 821 100.0\n"
      "  message \" Jog OFF. \"\n"
      "end\n"
      "stop\n");
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.commands.size(), 2u);
  const std::vector<HostEffect> expected = {
      {Kind::Button, 1021, 0.0, {}},
      {Kind::Code, 0, 0.0, "G91G1 F100.0000 X  1.0000"},
      {Kind::SetDro, 821, 100.0, {}},
      {Kind::Message, 0, 0.0, " Jog OFF. "},
  };
  EXPECT_TRUE(parsed.commands[0].action == Action(ExpectEffects{expected}));
  EXPECT_EQ(parsed.commands[1].line, 9);
}

TEST(BenchScriptParser, SomeBlockAllowsOtherEffectsBetween) {
  const ParsedScript parsed = ParseScript("expect some\n  code M7\nend\n");
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  const std::vector<HostEffect> expected = {{Kind::Code, 0, 0.0, "M7"}};
  EXPECT_TRUE(parsed.commands[0].action == Action(ExpectEffects{expected, true}));
}

struct BadBlock {
  const char* text;
  int line;
  const char* messagePart;
};

TEST(BenchScriptParser, BadEffectBlocksAreErrorsAtTheirLine) {
  const BadBlock rows[] = {
      {"start\nexpect effects\n  button 1021\n", 2, "'expect effects' has no 'end'"},
      {"expect effects\n  button 1021\nstop\n", 3, "'stop' is not a host effect"},
      {"expect effects\n  button 10x\nend\n", 2, "'10x' is not a whole number"},
      {"expect effects\n  setdro 821\nend\n", 2, "takes 2 arguments, not 1"},
      {"expect effects\n  code\nend\n", 2, "takes at least 1 arguments"},
      {"expect effects\n  message \"open\nend\n", 2, "the closing quote is missing"},
      {"expect effects now\nend\n", 1, "takes 0 arguments"},
  };
  for (const BadBlock& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedScript parsed = ParseScript(row.text);
    ASSERT_TRUE(parsed.error);
    EXPECT_EQ(parsed.error->line, row.line);
    EXPECT_NE(parsed.error->message.find(row.messagePart), std::string::npos)
        << parsed.error->message;
  }
}

}  // namespace
}  // namespace pendant::bench::script
