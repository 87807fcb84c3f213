#include "check/check_options.h"

namespace pendant::check {

CheckOptions ReadCheckOptions(const std::vector<std::string>& arguments) {
  CheckOptions options;
  for (size_t i = 0; i < arguments.size() && options.problem.empty(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--with-plugin") {
      options.withPlugin = true;
    } else if (word == "--report") {
      if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
        options.problem = "--report needs a file name";
      } else {
        options.reportPath = arguments[++i];
      }
    } else if (word == "--help" || word == "-h" || word == "/?") {
      options.help = true;
    } else {
      options.problem = "unknown option: " + word;
    }
  }
  return options;
}

const char* CheckUsage() {
  return "usage: QorvixK7R-check [--with-plugin] [--report FILE]\n"
         "\n"
         "Finds the Qorvix K7-R pendant, shows what it sends and writes a test screen\n"
         "to its display. Close the motion-control program first.\n"
         "\n"
         "  --with-plugin  load QorvixK7R.dll from this folder as the host would and\n"
         "                 print what the host would be told\n"
         "  --report FILE  also write what was found to FILE, to send with a question\n"
         "\n"
         "Press q or Ctrl+C to quit.\n";
}

}  // namespace pendant::check
