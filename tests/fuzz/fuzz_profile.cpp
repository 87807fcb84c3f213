// Any profile file: every setting is read, changed and written back without a crash, and a file
// that cannot be parsed is never saved over.
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/setting_keys.h"
#include "settings/xml_profile.h"
#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/pendant-fuzz-profile-" + std::to_string(getpid()) + ".xml";
  const std::string original(reinterpret_cast<const char*>(data), size);
  std::ofstream(path, std::ios::binary) << original;
  bool saves = true;
  {
    pendant::XmlProfile profile(path);
    saves = profile.SavesOnClose();
    pendant::PendantSettings settings;
    for (std::string_view key : pendant::kDialogReloadKeys) ReadSetting(profile, settings, key);
    settings.F1 = original.substr(0, 40);
    for (std::string_view key : pendant::kDialogSaveKeys) WriteSetting(profile, settings, key);
  }
  if (!saves) {
    std::ifstream file(path, std::ios::binary);
    const std::string after{std::istreambuf_iterator<char>(file), {}};
    if (after != original) std::abort();
  }
  std::remove(path.c_str());
  return 0;
}
