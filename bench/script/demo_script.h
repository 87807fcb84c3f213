// The script pendant-sim runs when it is given none.
#pragma once

#include <string_view>

namespace pendant::bench {

std::string_view DemoScript();

}  // namespace pendant::bench
