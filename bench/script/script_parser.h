// Turns the text of a bench script into commands with their line numbers. Pure: it reads no
// files and touches no session.
#pragma once

#include <string_view>

#include "bench/script/script_command.h"

namespace pendant::bench::script {

// Parses the whole text; stops at the first line it cannot parse and reports it.
ParsedScript ParseScript(std::string_view text);

}  // namespace pendant::bench::script
