#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "bench/script/script_parser.h"
#include "bench/terminal/terminal_form_fields.h"
#include "bench/terminal/terminal_options.h"
#include "bench/terminal/terminal_panels.h"
#include "bench/terminal/terminal_run.h"
#include "bench/terminal/terminal_screen.h"
#include "host/host_fields.h"
#include "host/host_numbers.h"

namespace pendant::bench {
namespace {

const FormField& Field(const std::vector<FormField>& fields, std::string_view key) {
  for (const FormField& field : fields) {
    if (key == field.key) return field;
  }
  throw std::runtime_error("no field " + std::string(key));
}

TEST(TerminalSettingsForm, ConfigLineReadsBackAsTheChangedFields) {
  const VirtualDialogSurface opened = OpenedDialog("/nonexistent/profile.xml");
  const std::vector<FormField> fields = FormFields();
  EXPECT_EQ(ConfigLine(opened, opened, true), "config ok");
  EXPECT_EQ(ConfigLine(opened, opened, false), "config cancel");

  VirtualDialogSurface edited = opened;
  edited.SetText(Field(fields, "F1").id, "Cool #1 \"on\"\\\x01");
  ChangeField(edited, Field(fields, "Xreverse"), 1);
  ChangeField(edited, Field(fields, "Decidigit"), -1);
  edited.SetText(Field(fields, "OEM2").id, "");
  const script::ParsedScript parsed = script::ParseScript(ConfigLine(opened, edited, true));
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.commands.size(), 1u);
  const script::RunConfig expected{{{"Decidigit", FieldValue(edited, Field(fields, "Decidigit"))},
                                    {"F1", "Cool #1 \"on\"\\\x01"},
                                    {"OEM2", ""},
                                    {"Xreverse", "1"}},
                                   true};
  EXPECT_EQ(std::get<script::RunConfig>(parsed.commands[0].action), expected);
}

TEST(TerminalSettingsForm, ListsWrapAndAListWithoutSelectionStartsAtAnEnd) {
  const std::vector<FormField> fields = FormFields();
  const FormField& digits = Field(fields, "Decidigit");
  VirtualDialogSurface surface = OpenedDialog("/nonexistent/profile.xml");
  const int rows = static_cast<int>(digits.table->size());
  surface.SelectRow(digits.id, rows - 1);
  ChangeField(surface, digits, 1);
  EXPECT_EQ(surface.SelectedRow(digits.id), 0);
  surface.SelectRow(digits.id, kNoRowSelected);
  ChangeField(surface, digits, -1);
  EXPECT_EQ(surface.SelectedRow(digits.id), rows - 1);
}

TEST(TerminalSettingsForm, OkIsRefusedAsTheDialogRefusesIt) {
  const std::vector<FormField> fields = FormFields();
  VirtualDialogSurface edited = OpenedDialog("/nonexistent/profile.xml");
  EXPECT_FALSE(RefusalOfOk(edited));
  // Numbers the dialog takes: a leading whole number, whatever follows it.
  edited.SetText(Field(fields, "DelaySteps").id, "1.5");
  edited.SetText(Field(fields, "OEM1").id, "12x");
  EXPECT_FALSE(RefusalOfOk(edited));
  // The first edit without a number, in the dialog's order, is the one refused.
  edited.SetText(Field(fields, "Macro4").id, "x");
  edited.SetText(Field(fields, "OEM2").id, "");
  const std::optional<OkRefusal> refusal = RefusalOfOk(edited);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->id, Field(fields, "OEM2").id);
  EXPECT_EQ(refusal->message, "Please enter an integer.");
}

TEST(TerminalSettingsForm, EveryFieldHasTheDialogsLabel) {
  for (const FormField& field : FormFields()) EXPECT_STRNE(field.label, "") << field.key;
  EXPECT_STREQ(Field(FormFields(), "VelocityInAuto").label,
               "Speed Change Sensitivity in Velocity Mode");
}

TEST(TerminalOptions, NamesFilesAndRefusesWhatItDoesNotKnow) {
  TerminalOptions options;
  std::string error;
  EXPECT_TRUE(ParseTerminalOptions({"--record", "a.sim", "--profile", "p.xml", "--transcript", "t"},
                                   options, error));
  EXPECT_EQ(options.recordPath, "a.sim");
  EXPECT_EQ(options.profilePath, "p.xml");
  EXPECT_EQ(options.transcriptPath, "t");
  EXPECT_FALSE(ParseTerminalOptions({"--record"}, options, error));
  EXPECT_EQ(error, "--record needs a FILE");
  EXPECT_FALSE(ParseTerminalOptions({"--fast"}, options, error));
  EXPECT_EQ(error, "unknown option --fast");
  TerminalOptions help;
  EXPECT_TRUE(ParseTerminalOptions({"--record", "a.sim", "--help"}, help, error));
  EXPECT_TRUE(help.help);
}

TEST(TerminalOptions, RefusesTwoOptionsNamingOneFile) {
  // A recording or transcript written over the user's own profile would lose it.
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--record", "p.xml", "--profile", "p.xml"},
       "--record and --profile name the same file p.xml"},
      {{"--profile", "p.xml", "--transcript", "./p.xml"},
       "--profile and --transcript name the same file ./p.xml"},
      {{"--record", "dir/../p.xml", "--transcript", "p.xml"},
       "--record and --transcript name the same file p.xml"},
  };
  for (const auto& c : cases) {
    TerminalOptions options;
    std::string error;
    EXPECT_FALSE(ParseTerminalOptions(c.args, options, error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

struct VerdictCase {
  const char* name;
  std::function<void(BenchSession&)> arrange;
  const char* verdict;
};

TEST(TerminalWheelVerdict, NamesWhatStopsTheWheelFromTheHostsState) {
  using host_fields::kJogInhibit;
  const VerdictCase cases[] = {
      {"nothing", [](BenchSession&) {}, "wheel: OK: a count steps X by 0.0010"},
      {"unplugged", [](BenchSession& s) { s.pendant.Unplug(); }, "wheel: the pendant is unplugged"},
      {"offline", [](BenchSession& s) { s.pendant.offline = true; },
       "wheel: the offline switch is on: the plug-in leaves the wheel alone"},
      {"host e-stop", [](BenchSession& s) { s.host.ledsOn.insert(kEmergencyStopLed); },
       "wheel: the host is in emergency stop (LED 800): e twice (switch on, off) resets"},
      {"inhibit", [](BenchSession& s) { s.host.Poke<uint8_t>(s.host.blockA, kJogInhibit, 1); },
       "wheel: the host inhibits jogging"},
      {"action position", [](BenchSession& s) { s.pendant.axisSelector = 4; },
       "wheel: the axis selector is on 4: program start/pause"},
      {"override mode", [](BenchSession& s) { s.pendant.modeSelector = 4; },
       "wheel: feed override mode: the wheel sets the override"},
      {"jog off", [](BenchSession& s) { s.host.ledsOn.erase(kJogEnabledLed); },
       "wheel: jogging is off in the host (LED 83)"},
      {"program", [](BenchSession& s) { s.host.ledsOn.insert(kProgramPausedLed); },
       "wheel: the program is paused and LED 806 is off"},
      {"program, jog allowed",
       [](BenchSession& s) {
         s.host.ledsOn.insert({kProgramRunningLed, kJogWhileRunningLed});
       },
       "wheel: OK: a count steps X by 0.0010"},
      {"queue full", [](BenchSession& s) { s.host.dros[kStepGateLowDro] = 4; },
       "wheel: the host queue is full (DRO 22 4, DRO 133 4)"},
      {"velocity", [](BenchSession& s) { s.pendant.modeSelector = 2; },
       "wheel: OK: turning jogs X"},
  };
  for (const VerdictCase& c : cases) {
    BenchSession session;
    session.machine.SwitchOn();
    session.Start();
    c.arrange(session);
    EXPECT_EQ(WheelVerdict(session), c.verdict) << c.name;
  }
}

TEST(TerminalScreen, FillsTheTerminalExactlyOrSaysItIsTooSmall) {
  const InteractiveRun run(TerminalOptions{});
  for (const auto& [rows, columns] :
       {std::pair{24, 80}, {60, 200}, {23, 80}, {24, 79}, {1, 1}, {0, 0}, {3, 10}}) {
    const std::vector<std::string> lines = ScreenLines(run, rows, columns);
    ASSERT_EQ(lines.size(), static_cast<size_t>(rows)) << rows << "x" << columns;
    for (const std::string& line : lines) EXPECT_LE(line.size(), static_cast<size_t>(columns));
    const bool small = rows < kScreenMinRows || columns < kScreenMinColumns;
    if (rows > 0) {
      EXPECT_EQ(lines[0].find("too small") != std::string::npos, small && columns >= 40)
          << rows << "x" << columns;
    }
  }
}

}  // namespace
}  // namespace pendant::bench
