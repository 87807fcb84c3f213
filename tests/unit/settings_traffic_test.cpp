// The orders in which settings are read and written, and the defaults that land, checked
// against the recorded traffic of a profile without the plug-in's section and against the
// profile file a configuration run saves.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <utility>
#include <vector>

#include "config/config_run.h"
#include "config/virtual_dialog.h"
#include "settings/pendant_settings.h"
#include "settings/xml_profile.h"
#include "tests/support/recording_store.h"
#include "tests/support/settings_traffic.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tracing_store.h"

namespace pendant {
namespace {

using testing::kConfigurationMark;
using testing::kFindPendantMark;

std::vector<std::string> RecordedTraffic() {
  return testing::RecordedSettingsTraffic(PENDANT_SETTINGS_TRAFFIC_FILE);
}

// The plug-in's section of a profile file: each key with its text, in document order.
std::vector<std::pair<std::string, std::string>> SectionOf(const std::string& path) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_file(path.c_str())) << path;
  std::vector<std::pair<std::string, std::string>> keys;
  for (pugi::xml_node key : document.document_element().child(kSettingsSection).children()) {
    keys.emplace_back(key.name(), key.text().get());
  }
  return keys;
}

TEST(SettingsTraffic, StartUpThenAConfigurationRunReadAndWriteInTheRecordedOrders) {
  ASSERT_FALSE(RecordedTraffic().empty()) << PENDANT_SETTINGS_TRAFFIC_FILE;
  testing::TempDir dir;
  const std::string path = dir.File("profile.xml");
  testing::WriteFile(path, "<profile><HostSection><Units>mm</Units></HostSection></profile>");
  std::vector<std::string> traffic;
  {
    XmlProfile profile(path);
    testing::TracingStore store(profile);
    PendantSettings settings;
    LoadStartupSettings(store, settings, [&store] { store.Mark(kFindPendantMark); });
    store.Mark(kConfigurationMark);
    QueueDialogTurns({[](VirtualDialogSurface&) { return DialogResult::Ok; }});
    RunConfigDialog(testing::SameStore(store), settings);
    traffic = store.traffic;
  }
  EXPECT_EQ(traffic, RecordedTraffic());
  // A profile without the section receives the keys in the order of the save.
  EXPECT_EQ(SectionOf(path), testing::SavedKeys(RecordedTraffic()));
}

}  // namespace
}  // namespace pendant
