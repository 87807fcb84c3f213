// The profile store over the platform's DOM document (MSXML under Wine): values written, saved,
// reloaded and read back; empty keys dropped; ANSI text kept; unreadable files never replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "settings/xml_profile.h"
#include "tests/win32/test_files.h"

namespace pendant {
namespace {

using test::CompactXml;
using test::ElementText;
using test::FileExists;
using test::ReadBytes;
using test::RemoveFile;
using test::TempPath;
using test::WriteBytes;

constexpr const char* kSection = "Qorvix_K7R_Pendant";

class ProfileOverMsxml : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFile(path_); }
  void TearDown() override {
    RemoveFile(path_);
    RemoveFile(path_ + ".saving");
  }

  const std::string path_ = TempPath("msxml-profile.xml");
};

TEST_F(ProfileOverMsxml, WrittenValuesReadBackAfterSaveAndReload) {
  struct IntCase {
    const char* key;
    int32_t value;
    const char* stored;
  };
  const IntCase ints[] = {
      {"Zero", 0, "0"},
      {"MinusOne", -1, "-1"},
      {"Answer", 42, "42"},
      {"Lowest", INT32_MIN, "-2147483648"},
      {"Highest", INT32_MAX, "2147483647"},
  };
  WriteBytes(path_, "<profile><HostSection><Units>mm</Units></HostSection></profile>");
  {
    XmlProfile profile(path_);
    for (const IntCase& entry : ints)
      EXPECT_TRUE(profile.WriteInt(kSection, entry.key, entry.value));
    EXPECT_TRUE(profile.WriteString(kSection, "F1", "G0 X0 Y0"));
  }

  const std::string saved = CompactXml(path_);
  for (const IntCase& entry : ints) {
    const std::string element =
        std::string("<") + entry.key + ">" + entry.stored + "</" + entry.key + ">";
    EXPECT_NE(saved.find(element), std::string::npos) << element << " in " << saved;
  }
  XmlProfile reloaded(path_);
  for (const IntCase& entry : ints) {
    EXPECT_EQ(reloaded.ReadInt(kSection, entry.key, 7), entry.value) << entry.key;
  }
  EXPECT_EQ(reloaded.ReadString(kSection, "F1", "fallback"), "G0 X0 Y0");
  EXPECT_EQ(reloaded.ReadString("HostSection", "Units", "fallback"), "mm");
  EXPECT_EQ(reloaded.ReadInt(kSection, "NotThere", 7), 7);
  EXPECT_EQ(reloaded.ReadString("NoSection", "F1", "fallback"), "fallback");
}

TEST_F(ProfileOverMsxml, IntegerTextIsReadUpToTheFirstNonDigit) {
  WriteBytes(path_,
             "<profile><S><Mixed> 42abc</Mixed><Negative>-7</Negative><Letters>abc</Letters>"
             "</S></profile>");
  XmlProfile profile(path_);

  EXPECT_EQ(profile.ReadInt("S", "Mixed", 1), 42);
  EXPECT_EQ(profile.ReadInt("S", "Negative", 1), -7);
  EXPECT_EQ(profile.ReadInt("S", "Letters", 1), 0);
}

TEST_F(ProfileOverMsxml, AnEmptyKeyElementReadsAsMissingAndIsRemoved) {
  WriteBytes(path_, "<profile><S><EmptyInt/><EmptyText></EmptyText><Kept>7</Kept></S></profile>");
  {
    XmlProfile profile(path_);
    EXPECT_EQ(profile.ReadInt("S", "EmptyInt", 13), 13);
    EXPECT_EQ(profile.ReadString("S", "EmptyText", "fallback"), "fallback");
  }

  EXPECT_EQ(CompactXml(path_), "<profile><S><Kept>7</Kept></S></profile>");
}

// A key's text is all the text inside it; a comment the host put there is not part of it.
TEST_F(ProfileOverMsxml, TextAroundACommentReadsAsOneText) {
  WriteBytes(path_,
             "<profile><S><F1>Ho<!-- the host's note -->me</F1><Macro1>1<!-- -->2</Macro1>"
             "<F2><!-- only a note --></F2></S></profile>");
  XmlProfile profile(path_);

  EXPECT_EQ(profile.ReadString("S", "F1", "F1"), "Home");
  EXPECT_EQ(profile.ReadInt("S", "Macro1", 0), 12);
  EXPECT_EQ(profile.ReadString("S", "F2", "F2"), "F2");
}

TEST_F(ProfileOverMsxml, AnsiTextSurvivesTheRoundTrip) {
  // Characters above 127 in the thread's ANSI code page: e acute, degree sign, micro sign.
  const std::string text = "Caf\xE9 90\xB0 5\xB5m";
  std::printf("ANSI code page: %u\n", GetACP());
  {
    XmlProfile profile(path_);
    profile.WriteString(kSection, "F2", text);
  }

  XmlProfile reloaded(path_);
  EXPECT_EQ(reloaded.ReadString(kSection, "F2", "fallback"), text);
}

TEST_F(ProfileOverMsxml, AMalformedFileIsNeverSavedOver) {
  const std::string malformed = "<profile><unclosed>";
  WriteBytes(path_, malformed);
  {
    XmlProfile profile(path_);
    EXPECT_FALSE(profile.SavesOnClose());
    EXPECT_EQ(profile.ReadInt(kSection, "DelaySteps", 25), 25);
    profile.WriteInt(kSection, "DelaySteps", 30);
  }

  EXPECT_EQ(ReadBytes(path_), malformed);
  EXPECT_FALSE(FileExists(path_ + ".saving"));
}

// The host may keep its profile anywhere: the path is a file name, never a URL.
TEST(ProfilePaths, APathWithHashPercentBlanksAndAnsiLettersIsReadAndSaved) {
  const std::string folder = TempPath("cnc #2 100% caf\xE9");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\pro#file%20.xml";
  WriteBytes(path,
             "<profile><Qorvix_K7R_Pendant><DelaySteps>31</DelaySteps></Qorvix_K7R_Pendant>"
             "</profile>");
  {
    XmlProfile profile(path);
    EXPECT_TRUE(profile.SavesOnClose());
    EXPECT_EQ(profile.ReadInt(kSection, "DelaySteps", 25), 31);
    profile.WriteInt(kSection, "Decidigit", 1);
  }
  EXPECT_EQ(ElementText(ReadBytes(path), "Decidigit"), "1");
  EXPECT_FALSE(FileExists(path + ".saving"));
  RemoveFile(path);
  RemoveDirectoryA(folder.c_str());
}

// Blanks in texts are the user's; the host's indentation and comments are the host's.
TEST_F(ProfileOverMsxml, BlanksIndentationAndCommentsSurviveASave) {
  const std::string host =
      "<profile>\r\n  <!-- the host's own note -->\r\n  <Host>\r\n    <Units>mm</Units>\r\n"
      "  </Host>\r\n  <Qorvix_K7R_Pendant>\r\n    <F1>  HOME  </F1>\r\n"
      "    <F2>   </F2>\r\n  </Qorvix_K7R_Pendant>\r\n</profile>\r\n";
  WriteBytes(path_, host);
  {
    XmlProfile profile(path_);
    EXPECT_EQ(profile.ReadString(kSection, "F1", "fallback"), "  HOME  ");
    EXPECT_EQ(profile.ReadString(kSection, "F2", "fallback"), "   ");
    profile.WriteString(kSection, "F3", " x ");
  }
  // The parser reads line ends as LF (as XML has it); the save may write them back as CR LF.
  std::string saved = ReadBytes(path_);
  saved.erase(std::remove(saved.begin(), saved.end(), '\r'), saved.end());
  EXPECT_NE(saved.find("<!-- the host's own note -->"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\n  <Host>\n    <Units>mm</Units>\n  </Host>"), std::string::npos) << saved;
  XmlProfile reloaded(path_);
  EXPECT_EQ(reloaded.ReadString(kSection, "F1", "fallback"), "  HOME  ");
  EXPECT_EQ(reloaded.ReadString(kSection, "F2", "fallback"), "   ");
  EXPECT_EQ(reloaded.ReadString(kSection, "F3", "fallback"), " x ");
}

// A carriage return the host wrote as a reference is a character of its text, not a line end.
TEST_F(ProfileOverMsxml, CarriageReturnReferencesStayCharactersOfTheText) {
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    WriteBytes(path_, "<profile>" + lineEnd + "  <Host a=\"x&#13;y\"><P>a&#13;b</P></Host>" +
                          lineEnd + "</profile>" + lineEnd);
    {
      XmlProfile profile(path_);
      profile.WriteInt(kSection, "DelaySteps", 30);
    }
    const std::string saved = ReadBytes(path_);
    const size_t attribute = saved.find("a=\"x") + 4;
    const std::string reference = saved.substr(attribute, saved.find('y', attribute) - attribute);
    EXPECT_TRUE(reference == "&#13;" || reference == "&#xD;") << saved;
    EXPECT_EQ(XmlProfile(path_).ReadString("Host", "P", ""), "a\rb") << saved;
  }
}

// A reference to the character 0 is not XML: the document refuses the file, which is never
// written, as on the virtual platform.
TEST_F(ProfileOverMsxml, AReferenceToCharacterZeroRefusesTheFile) {
  const std::string file = "<profile><Host>a&#0;b</Host></profile>";
  WriteBytes(path_, file);
  {
    XmlProfile profile(path_);
    EXPECT_FALSE(profile.SavesOnClose());
    profile.WriteInt(kSection, "DelaySteps", 30);
  }
  EXPECT_EQ(ReadBytes(path_), file);
}

}  // namespace
}  // namespace pendant
