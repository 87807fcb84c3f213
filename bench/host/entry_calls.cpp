#include "bench/host/entry_calls.h"

#include "plugin/exports.h"

namespace pendant::bench {
namespace {

struct EntryPoint {
  std::string_view name;
  void (*call)(SubstituteHost& host, const std::string& profilePath);
};

const EntryPoint kEntryPoints[] = {
    {"SetProName",
     [](SubstituteHost& host, const std::string& path) {
       host.HandOverCallbacks();
       host.NameProfile(path);
     }},
    {"InitControl", [](SubstituteHost& host, const std::string&) { host.InitControl(); }},
    {"PostInitControl", [](SubstituteHost&, const std::string&) { ::PostInitControl(); }},
    {"Config", [](SubstituteHost&, const std::string&) { ::Config(); }},
    {"Update", [](SubstituteHost&, const std::string&) { ::Update(); }},
    {"StopPlug", [](SubstituteHost&, const std::string&) { ::StopPlug(); }},
    {"DoDwell", [](SubstituteHost&, const std::string&) { ::DoDwell(); }},
    {"Reset", [](SubstituteHost&, const std::string&) { ::Reset(); }},
    {"JogOn", [](SubstituteHost&, const std::string&) { ::JogOn(); }},
    {"JogOff", [](SubstituteHost&, const std::string&) { ::JogOff(); }},
    {"Purge", [](SubstituteHost&, const std::string&) { ::Purge(); }},
    {"Probe", [](SubstituteHost&, const std::string&) { ::Probe(); }},
    {"Home", [](SubstituteHost&, const std::string&) { ::Home(); }},
};

}  // namespace

std::string EntryPointList() {
  std::string list;
  for (const EntryPoint& entry : kEntryPoints) {
    if (!list.empty()) list += ", ";
    list += entry.name;
  }
  return list;
}

bool IsEntryPoint(std::string_view name) {
  for (const EntryPoint& entry : kEntryPoints) {
    if (entry.name == name) return true;
  }
  return false;
}

void CallPluginEntry(std::string_view name, SubstituteHost& host, const std::string& profilePath) {
  for (const EntryPoint& entry : kEntryPoints) {
    if (entry.name == name) entry.call(host, profilePath);
  }
}

}  // namespace pendant::bench
