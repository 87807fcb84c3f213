// What the profile store costs an entry-point call: load a host profile, read and write the
// plug-in's settings, save it back (through the temporary and the replace).
#include <benchmark/benchmark.h>

#include "settings/pendant_settings.h"
#include "settings/setting_keys.h"
#include "settings/xml_profile.h"
#include "tests/support/host_profile.h"
#include "tests/support/temp_dir.h"

namespace pendant::testing {
namespace {

// Argument: the host profile's size in KiB.
void BM_ProfileLoadAndSave(benchmark::State& state) {
  TempDir dir;
  const std::string path = dir.File("profile.xml");
  const std::string content = MakeHostProfile(static_cast<size_t>(state.range(0)) * 1024).Whole();
  WriteFile(path, content);
  for (auto _ : state) {
    XmlProfile profile(path);
    PendantSettings settings;
    for (const SettingKey* key : kDialogReloadKeys) ReadSetting(profile, settings, *key);
    for (const SettingKey* key : kDialogSaveKeys) WriteSetting(profile, settings, *key);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ProfileLoadAndSave)->Arg(10)->Arg(100)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pendant::testing

BENCHMARK_MAIN();
