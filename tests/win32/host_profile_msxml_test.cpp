// A realistic host profile through the profile store over MSXML: everything outside the
// plug-in's section survives a save.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings/xml_profile.h"
#include "tests/support/host_profile.h"
#include "tests/win32/test_files.h"

namespace pendant {
namespace {

using test::ElementText;
using test::ReadBytes;
using test::RemoveFile;
using test::TempPath;
using test::WriteBytes;

constexpr const char* kSection = "Qorvix_K7R_Pendant";

// The document service's known differences: its parser reads CR LF as LF (as XML has it) and
// Wine's writes no declaration; both are dropped before comparing.
std::string Normalised(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  if (text.rfind("<?xml ", 0) == 0) text.erase(0, text.find("?>") + 2);
  return text.erase(0, text.find_first_not_of('\n'));
}

// The length of the longest common prefix of the two texts.
size_t Agreeing(const std::string& a, const std::string& b) {
  return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
}

TEST(HostProfileOverMsxml, RoundTripsWithOnlyThePluginSectionChanged) {
  const testing::HostProfile host = testing::MakeHostProfile(100 * 1024);
  ASSERT_GT(host.Whole().size(), 95u * 1024);
  const std::string path = TempPath("host-profile.xml");
  WriteBytes(path, host.Whole());
  {
    XmlProfile profile(path);
    ASSERT_TRUE(profile.SavesOnClose());
    EXPECT_EQ(profile.ReadString(kSection, "F1", ""), "Cycle start");
    profile.WriteInt(kSection, "DelaySteps", 30);
    profile.WriteString(kSection, "Macro1", "G0 X0");
  }
  const std::string saved = Normalised(ReadBytes(path));
  RemoveFile(path);

  // Byte for byte up to the section's start tag and from its end tag on.
  const std::string before = Normalised(host.before + "  <" + kSection + ">");
  const std::string after = Normalised("</" + std::string(kSection) + ">\r\n" + host.after);
  EXPECT_EQ(Agreeing(saved, before), before.size()) << "the host's text before the section";
  ASSERT_GE(saved.size(), before.size() + after.size());
  const std::string savedTail = saved.substr(saved.size() - after.size());
  EXPECT_TRUE(savedTail == after) << "the host's text after the section differs at its byte "
                                  << Agreeing(savedTail, after);

  const std::string section =
      saved.substr(before.size(), saved.size() - after.size() - before.size());
  EXPECT_EQ(ElementText(section, "DelaySteps"), "30") << section;
  EXPECT_EQ(ElementText(section, "F1"), "Cycle start") << section;
  EXPECT_EQ(ElementText(section, "Macro1"), "G0 X0") << section;
}

}  // namespace
}  // namespace pendant
