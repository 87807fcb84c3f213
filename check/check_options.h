// The pendant check's command line: QorvixK7R-check [--with-plugin] [--report FILE].
#pragma once

#include <string>
#include <vector>

namespace pendant::check {

struct CheckOptions {
  bool withPlugin = false;  // load the plug-in beside the check and print what the host gets
  std::string reportPath;   // where to write the report to paste; empty: none
  bool help = false;
  std::string problem;  // set when the command line could not be read
};

CheckOptions ReadCheckOptions(const std::vector<std::string>& arguments);

// The usage text, lines of at most 80 columns.
const char* CheckUsage();

}  // namespace pendant::check
