// pendant-sim: runs the plug-in on the virtual bench from a script (or the built-in demo) and
// prints what happens. Exit code 0: the script passed; 1: a command or check failed; 2: the
// script could not be read or parsed.
#include <filesystem>
#include <iostream>
#include <string>

#include "bench/script/demo_script.h"
#include "bench/script/script_file.h"
#include "bench/script/script_parser.h"
#include "bench/script/script_runner.h"
#include "bench/session/bench_session.h"
#include "bench/session/text_escape.h"
#include "bench/session/transcript.h"
#include "bench/terminal/terminal.h"
#include "bench/terminal/terminal_options.h"

namespace {

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kUnusable = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: pendant-sim [SCRIPT]\n"
         "Runs the plug-in on the virtual bench from SCRIPT, or the built-in demo.\n"
         "   or: "
      << pendant::bench::kTerminalUsage
      << "\n"
         "Puts the pendant on the terminal, in real time.\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pendant::bench;
  const std::string arg = argc > 1 ? argv[1] : "";
  if (arg == "--interactive") return RunInteractive({argv + 2, argv + argc});
  if (arg == "-h" || arg == "--help") {
    PrintUsage(std::cout);
    return kPassed;
  }
  // A script whose name starts with - is given as ./-NAME.
  const bool unknownOption = arg.size() > 1 && arg[0] == '-';
  if (argc > 2 || unknownOption) {
    std::cerr << "pendant-sim: "
              << (unknownOption ? "unknown option " + arg : std::string("one SCRIPT at most"))
              << '\n';
    PrintUsage(std::cerr);
    return kUnusable;
  }
  std::string name = "built-in demo";
  std::string text(DemoScript());
  if (argc == 2) {
    name = arg;
    std::string error;
    if (!ReadScriptFile(name, text, error)) {
      std::cerr << "pendant-sim: cannot read " << Showable(name) << ": " << error << '\n';
      return kUnusable;
    }
  }

  const script::ParsedScript parsed = script::ParseScript(text);
  if (parsed.error) {
    std::cerr << "pendant-sim: " << name << ":" << parsed.error->line << ": "
              << Showable(parsed.error->message) << '\n';
    return kUnusable;
  }

  std::cout << "pendant-sim: " << name << '\n';
  BenchSession session;
  Transcript transcript(std::cout, session);
  // Files the script names are found beside it.
  const std::string scriptFolder =
      argc == 2 ? std::filesystem::path(arg).parent_path().string() : "";
  const RunOutcome outcome = ScriptRunner(session, transcript, scriptFolder).Run(parsed.commands);
  if (!outcome.passed) {
    std::cout << "FAILED\n" << std::flush;
    std::cerr << "pendant-sim: " << name << ":" << outcome.line << ": " << Showable(outcome.source)
              << "\n  " << Showable(outcome.message) << '\n';
    return kFailed;
  }
  std::cout << "PASSED (" << outcome.checksPassed << " checks)\n";
  return kPassed;
}
