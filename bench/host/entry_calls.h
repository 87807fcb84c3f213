// The plug-in's entry points a bench script can call one by one, as the host would.
#pragma once

#include <string>
#include <string_view>

#include "bench/host/substitute_host.h"

namespace pendant::bench {

// "SetProName, InitControl, ..." for usage and error messages.
std::string EntryPointList();
bool IsEntryPoint(std::string_view name);
// SetProName hands over the host's callbacks first, as the host does; InitControl passes the
// host's blocks and window. Unknown names do nothing.
void CallPluginEntry(std::string_view name, SubstituteHost& host, const std::string& profilePath);

}  // namespace pendant::bench
