// The plug-in's decoded pendant state and tick counters as one line, for reading (the bench's
// show command), not for checking.
#pragma once

#include <string>

namespace pendant::bench {

std::string DecodedStateText();

}  // namespace pendant::bench
