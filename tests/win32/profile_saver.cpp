// A second host on the same profile: loads the DLL and names the profile count times, each
// naming a load and a save of the file. Usage: profile_saver PROFILE COUNT
#include <windows.h>

#include <cstdlib>

#include "check/plugin_library.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  pendant::PluginLibrary plugin;
  if (!plugin.Load(pendant::DllBesideThisProgram())) return 3;
  const int count = std::atoi(argv[2]);
  for (int i = 0; i < count; ++i) plugin.SetProName(pendant::HostString{argv[1]});
  return 0;
}
