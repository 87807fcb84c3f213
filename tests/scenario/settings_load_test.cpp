// Settings reach the plug-in from the host's profile file at start-up.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

#include "bench/session/bench_session.h"
#include "plugin/plugin_module.h"

namespace pendant {
namespace {

using bench::BenchSession;

TEST(SettingsLoad, ProfileValuesAreLoadedAtStartUp) {
  BenchSession session;
  session.SetProfileKey("Xreverse", "1");
  session.SetProfileKey("Macro1", "12abc");
  session.SetProfileKey("OEM1", "65536");
  session.SetProfileKey("F2", "Twenty characters!!!");
  session.SetProfileKey("DelaySteps", "  -40");
  session.Start();

  const PendantSettings& s = Plugin().settings;
  EXPECT_TRUE(s.Xreverse);
  EXPECT_EQ(s.Macro1, 12);
  EXPECT_EQ(s.OEM1, 0);
  EXPECT_EQ(s.F2, "Twenty characters!!!");
  EXPECT_EQ(s.DelaySteps, -40);
  EXPECT_EQ(s.VelocityInAuto, 4);  // missing keys give their defaults
}

TEST(SettingsLoad, StartUpAddsNoKeysButDropsEmptyOnes) {
  BenchSession session;
  session.SetProfileKey("Macro2", "3");
  session.SetProfileKey("F3", "");
  session.Start();
  pugi::xml_document document;
  ASSERT_TRUE(document.load_file(session.profilePath.c_str()));
  std::vector<std::string> keys;
  for (pugi::xml_node key : document.document_element().child(kSettingsSection).children()) {
    keys.push_back(key.name());
  }
  EXPECT_EQ(keys, std::vector<std::string>{"Macro2"});
  EXPECT_EQ(session.ProfileKey("Macro2"), "3");
  EXPECT_EQ(Plugin().settings.F3, "F3");
}

}  // namespace
}  // namespace pendant
