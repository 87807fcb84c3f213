#include "settings/xml_profile.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "settings/profile_file.h"
#include "tests/support/host_profile.h"
#include "tests/support/temp_dir.h"

namespace pendant {
namespace {

using testing::HostProfile;
using testing::MakeHostProfile;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kSection = "Qorvix_K7R_Pendant";

class XmlProfileTest : public ::testing::Test {
 protected:
  // The element names under the root and under the plug-in's section, in document order.
  struct Shape {
    std::string root;
    std::vector<std::string> sections;
    std::vector<std::string> keys;
  };

  Shape ShapeOfFile() const {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(path_.c_str()));
    Shape shape;
    shape.root = document.document_element().name();
    for (pugi::xml_node child : document.document_element().children()) {
      shape.sections.push_back(child.name());
    }
    for (pugi::xml_node key : document.document_element().child(kSection).children()) {
      shape.keys.push_back(key.name());
    }
    return shape;
  }

  TempDir dir_;
  std::string path_ = dir_.File("profile.xml");
};

TEST_F(XmlProfileTest, MissingFileIsCreatedWithAnEmptyProfileRoot) {
  { XmlProfile profile(path_); }
  Shape shape = ShapeOfFile();
  EXPECT_EQ(shape.root, "profile");
  EXPECT_TRUE(shape.sections.empty());
}

TEST_F(XmlProfileTest, BlankFilesAreTreatedAsNewProfiles) {
  for (const char* content : {"", "  \n\t\r\n"}) {
    WriteFile(path_, content);
    { XmlProfile profile(path_); }
    EXPECT_EQ(ShapeOfFile().root, "profile") << "content: '" << content << "'";
  }
}

TEST_F(XmlProfileTest, ExistingRootOfAnyNameIsKept) {
  WriteFile(path_, "<HostProfile><Other><A>1</A></Other></HostProfile>");
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "DelaySteps", 30);
  }
  Shape shape = ShapeOfFile();
  EXPECT_EQ(shape.root, "HostProfile");
  EXPECT_EQ(shape.sections, (std::vector<std::string>{"Other", kSection}));
}

TEST_F(XmlProfileTest, ReadingWithoutTheSectionGivesTheDefaultAndChangesNothing) {
  WriteFile(path_, "<profile><Other><A>1</A></Other></profile>");
  {
    XmlProfile profile(path_);
    EXPECT_EQ(profile.ReadInt(kSection, "DelaySteps", 25), 25);
    EXPECT_EQ(profile.ReadString(kSection, "F1", "F1"), "F1");
  }
  Shape shape = ShapeOfFile();
  EXPECT_EQ(shape.sections, (std::vector<std::string>{"Other"}));
}

TEST_F(XmlProfileTest, WritesCreateSectionAndKeysAppendedLast) {
  WriteFile(path_, "<profile><First/></profile>");
  {
    XmlProfile profile(path_);
    EXPECT_TRUE(profile.WriteInt(kSection, "B", 2));
    EXPECT_TRUE(profile.WriteString(kSection, "A", "text"));
    EXPECT_TRUE(profile.WriteInt(kSection, "B", 3));  // replaces, does not append
  }
  Shape shape = ShapeOfFile();
  EXPECT_EQ(shape.sections, (std::vector<std::string>{"First", kSection}));
  EXPECT_EQ(shape.keys, (std::vector<std::string>{"B", "A"}));
  XmlProfile reread(path_);
  EXPECT_EQ(reread.ReadInt(kSection, "B", 0), 3);
  EXPECT_EQ(reread.ReadString(kSection, "A", ""), "text");
}

TEST_F(XmlProfileTest, EmptyKeyElementReadsAsMissingAndIsRemovedOnSave) {
  WriteFile(path_,
            "<profile><Qorvix_K7R_Pendant><F1/><Macro1>5</Macro1><S1></S1>"
            "</Qorvix_K7R_Pendant></profile>");
  {
    XmlProfile profile(path_);
    EXPECT_EQ(profile.ReadString(kSection, "F1", "F1"), "F1");
    EXPECT_EQ(profile.ReadInt(kSection, "S1", 7), 7);
    EXPECT_EQ(profile.ReadInt(kSection, "Macro1", 0), 5);
  }
  EXPECT_EQ(ShapeOfFile().keys, (std::vector<std::string>{"Macro1"}));
}

TEST_F(XmlProfileTest, IntegersAreReadFromTheLeadingDigits) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {" 42abc", 42}, {"-7", -7}, {"abc", 0}, {"+15", 15}, {"70000", 70000}, {"- 3", 0},
  };
  for (const Case& c : cases) {
    {
      XmlProfile profile(path_);
      profile.WriteString(kSection, "Key", c.text);
    }
    XmlProfile profile(path_);
    EXPECT_EQ(profile.ReadInt(kSection, "Key", 99), c.expected) << "text: '" << c.text << "'";
  }
}

TEST_F(XmlProfileTest, NegativeIntegersAreWrittenAsPlainDecimal) {
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "OEM1", -1);
  }
  pugi::xml_document document;
  document.load_file(path_.c_str());
  EXPECT_STREQ(document.document_element().child(kSection).child("OEM1").text().get(), "-1");
}

TEST_F(XmlProfileTest, StoreWithoutReadsOrWritesStillRewritesTheFile) {
  WriteFile(path_, "<profile>\n\n\n<A>1</A>\n\n</profile>");
  const std::string before = ReadFile(path_);
  { XmlProfile profile(path_); }
  EXPECT_NE(ReadFile(path_), before);
  EXPECT_EQ(ShapeOfFile().sections, (std::vector<std::string>{"A"}));
}

// A profile that exists but cannot be parsed belongs to the host: it must survive untouched.
TEST_F(XmlProfileTest, MalformedProfileIsNeverSavedOver) {
  const std::string malformed = "<profile><HostSettings><Feed>12</Feed></HostSettings><unclosed>";
  WriteFile(path_, malformed);
  {
    XmlProfile profile(path_);
    EXPECT_FALSE(profile.SavesOnClose());
    EXPECT_EQ(profile.ReadInt(kSection, "Feed", 5), 5);
    EXPECT_TRUE(profile.WriteInt(kSection, "DelaySteps", 30));
    EXPECT_EQ(profile.ReadInt(kSection, "DelaySteps", 25), 30);  // held in memory only
  }
  EXPECT_EQ(ReadFile(path_), malformed);
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"profile.xml"});
}

TEST_F(XmlProfileTest, UnreadableProfileIsNeverSavedOver) {
  std::filesystem::create_directory(path_);  // exists, but cannot be read as a file
  { XmlProfile profile(path_); }
  EXPECT_TRUE(std::filesystem::is_directory(path_));
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"profile.xml"});
}

// Saving goes through a temporary file beside the profile that then replaces it, so a failed
// save leaves the previous profile whole.
TEST_F(XmlProfileTest, FailedSaveLeavesThePreviousProfileWhole) {
  const std::string original =
      "<profile><Qorvix_K7R_Pendant><Macro1>5</Macro1>"
      "</Qorvix_K7R_Pendant></profile>";
  // A name with room for itself but not for the temporary's longer one: it cannot be written.
  const std::string name = std::string(240, 'p') + ".xml";
  const std::string path = dir_.File(name);
  WriteFile(path, original);
  {
    XmlProfile profile(path);
    profile.WriteInt(kSection, "Macro1", 9);
  }
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_EQ(dir_.Names(), std::set<std::string>{name});
}

// The temporary is written, but the profile cannot be replaced (something else now stands at
// its path): the temporary is removed, and what stands there is left alone.
TEST_F(XmlProfileTest, FailedReplaceLeavesNoTemporaryBehind) {
  WriteFile(path_, "<profile><Host>1</Host></profile>");
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "Macro1", 9);
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    WriteFile(dir_.File("profile.xml/inside"), "kept");
  }
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"profile.xml"});
  EXPECT_EQ(ReadFile(dir_.File("profile.xml/inside")), "kept");
}

// A key's text is all the text inside it; a comment the host put there is not part of it.
TEST_F(XmlProfileTest, TextAroundACommentReadsAsOneText) {
  WriteFile(path_,
            "<profile><Qorvix_K7R_Pendant><F1>Ho<!-- the host's note -->me</F1>"
            "<Macro1>1<!-- -->2</Macro1><F2><!-- only a note --></F2>"
            "</Qorvix_K7R_Pendant></profile>");
  XmlProfile profile(path_);
  EXPECT_EQ(profile.ReadString(kSection, "F1", "F1"), "Home");
  EXPECT_EQ(profile.ReadInt(kSection, "Macro1", 0), 12);
  EXPECT_EQ(profile.ReadString(kSection, "F2", "F2"), "F2");
}

TEST_F(XmlProfileTest, SaveLeavesNoTemporaryBehind) {
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "Macro1", 9);
  }
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"profile.xml"});
  XmlProfile profile(path_);
  EXPECT_EQ(profile.ReadInt(kSection, "Macro1", 0), 9);
}

std::string WithLineEnd(std::string text, const std::string& lineEnd) {
  for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += lineEnd.size()) {
    text.replace(at, 2, lineEnd);
  }
  return text;
}

// The host's file survives byte for byte outside the plug-in's section: comments, processing
// instructions, doctype, attributes, CDATA, escapes, indentation and line ends.
TEST_F(XmlProfileTest, HostProfileRoundTripsWithOnlyThePluginSectionChanged) {
  const HostProfile host = MakeHostProfile(100 * 1024);
  const std::string changedSection =
      "  <Qorvix_K7R_Pendant>\r\n"
      "    <DelaySteps>30</DelaySteps>\r\n"
      "    <F1>Cycle start</F1>\r\n"
      "    <Macro1>G0 X0</Macro1>\r\n"
      "  </Qorvix_K7R_Pendant>\r\n";
  struct Case {
    const char* name;
    std::string byteOrderMark;
    std::string lineEnd;
  };
  const Case cases[] = {
      {"CR LF", "", "\r\n"},
      {"LF", "", "\n"},
      {"byte order mark", "\xEF\xBB\xBF", "\r\n"},
  };
  for (const Case& c : cases) {
    const std::string before = c.byteOrderMark + WithLineEnd(host.before, c.lineEnd);
    const std::string after = WithLineEnd(host.after, c.lineEnd);
    WriteFile(path_, before + WithLineEnd(host.section, c.lineEnd) + after);
    {
      XmlProfile profile(path_);
      EXPECT_EQ(profile.ReadString(kSection, "F1", ""), "Cycle start");
      profile.WriteInt(kSection, "DelaySteps", 30);
      profile.WriteString(kSection, "Macro1", "G0 X0");
    }
    const std::string saved = ReadFile(path_);
    const std::string expected = before + WithLineEnd(changedSection, c.lineEnd) + after;
    EXPECT_TRUE(saved == expected)
        << c.name << ": the first difference is at byte "
        << std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end()).first -
               saved.begin();
  }
  EXPECT_GT(host.Whole().size(), 95u * 1024);
  EXPECT_LT(host.Whole().size(), 105u * 1024);
}

// An ASCII text in a wide encoding, with its byte order mark.
std::string Wide(const std::string& ascii, size_t width, bool bigEndian) {
  std::string bytes;
  for (const char32_t code : U"\uFEFF" + std::u32string(ascii.begin(), ascii.end())) {
    for (size_t i = 0; i < width; ++i) {
      bytes += static_cast<char>(code >> 8 * (bigEndian ? width - 1 - i : i) & 0xFF);
    }
  }
  return bytes;
}

// A carriage return the host wrote as a character reference stays a character of its text, and
// the file keeps its own line ends, also where the plug-in adds its section.
TEST_F(XmlProfileTest, CarriageReturnReferencesStayCharactersOfTheText) {
  const std::string texts[] = {"<p>a&#13;b</p>", "<p>a&#13;\r\nb</p>", "<p a=\"x&#13;y\"/>"};
  for (const std::string& text : texts) {
    for (const char* lineEnd : {"\n", "\r\n"}) {
      const std::string head = "<?xml version=\"1.0\"?>\r\n<r>\r\n  " + text + "\r\n";
      const std::string section =
          "  <Qorvix_K7R_Pendant><DelaySteps>30</DelaySteps></Qorvix_K7R_Pendant>\r\n";
      WriteFile(path_, WithLineEnd(head + "</r>\r\n", lineEnd));
      {
        XmlProfile profile(path_);
        profile.WriteInt(kSection, "DelaySteps", 30);
      }
      EXPECT_EQ(ReadFile(path_), WithLineEnd(head + section + "</r>\r\n", lineEnd))
          << text << (lineEnd[0] == '\r' ? " in CR LF" : " in LF");
    }
  }
}

// A line feed written as a reference right after a raw carriage return stays a line end of its
// own: saved raw, the two would read as one CR LF.
TEST_F(XmlProfileTest, ALineFeedReferenceAfterACarriageReturnStaysItsOwnLineEnd) {
  for (const char* text : {"a\r&#10;b", "a\r\r&#10;&#10;\rb"}) {
    WriteFile(path_, std::string("<r><p>") + text + "</p></r>");
    pugi::xml_document original;
    ASSERT_TRUE(original.load_file(path_.c_str()));  // line ends normalised, as any reader does
    {
      XmlProfile profile(path_);
      profile.WriteInt(kSection, "DelaySteps", 30);
    }
    pugi::xml_document saved;
    ASSERT_TRUE(saved.load_file(path_.c_str()));
    EXPECT_EQ(std::string(saved.child("r").child_value("p")),
              std::string(original.child("r").child_value("p")))
        << text;
  }
}

// A reference to the character 0 is not XML, and the document would end its text there: the
// file is refused like any other that cannot be read, and never written. In a comment it is
// only text.
TEST_F(XmlProfileTest, AReferenceToCharacterZeroRefusesTheFile) {
  const std::pair<const char*, bool> files[] = {
      {"<r><p>a&#0;b</p></r>", false},
      {"<r><p a=\"a&#x0000;b\"/></r>", false},
      {"<r>&#00;</r>", false},
      {"<!DOCTYPE r \"<?\"><r><p>&#0;</p></r>", false},
      {"<r><!-- &#0; --><?pi &#0;?><![CDATA[&#0;]]><p>a&#10;b</p></r>", true},
  };
  for (const auto& [file, readable] : files) {
    WriteFile(path_, file);
    {
      XmlProfile profile(path_);
      EXPECT_EQ(profile.SavesOnClose(), readable) << file;
      profile.WriteInt(kSection, "DelaySteps", 30);
    }
    EXPECT_EQ(ReadFile(path_) == file, !readable) << file;
  }
}

// Doctypes and processing instructions keep their bytes, whatever line ends they hold.
TEST_F(XmlProfileTest, CarriageReturnReferencesLeaveDoctypesAndInstructionsAsTheyWere) {
  const std::string file =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\r\n<!ENTITY e \"x\">\r]>\n"
      "<r><?pi a\rb\r\nc?><?blank ?><!-- <?x --><![CDATA[<!DOCTYPE]]><p>a&#13;b</p></r>\n";
  WriteFile(path_, file);
  { XmlProfile profile(path_); }
  EXPECT_EQ(ReadFile(path_), file);
}

TEST_F(XmlProfileTest, CarriageReturnReferencesStayInWideEncodings) {
  const std::string file = "<?xml version=\"1.0\"?>\r\n<r>\r\n  <p>a&#13;b</p>\r\n</r>\r\n";
  const std::pair<size_t, bool> encodings[] = {{2, false}, {2, true}, {4, false}};
  for (const auto& [width, bigEndian] : encodings) {
    WriteFile(path_, Wide(file, width, bigEndian));
    { XmlProfile profile(path_); }
    EXPECT_EQ(ReadFile(path_), Wide(file, width, bigEndian))
        << width << (bigEndian ? " BE" : " LE");
  }
}

// What a save may change outside the plug-in's section: the declaration is added when missing,
// and quoting, character references and empty elements are written in one form.
TEST_F(XmlProfileTest, SaveNormalisesOnlyTheDeclarationAndQuoting) {
  struct Case {
    const char* file;
    const char* saved;
  };
  const Case cases[] = {
      {"<r/>", "<?xml version=\"1.0\"?><r/>"},
      {"<r a='1'/>", "<?xml version=\"1.0\"?><r a=\"1\"/>"},
      {"<r>&quot;&apos;&#65;</r>", "<?xml version=\"1.0\"?><r>\"'A</r>"},
      {"<r>a>b</r>", "<?xml version=\"1.0\"?><r>a&gt;b</r>"},
      {"<r><e></e></r>", "<?xml version=\"1.0\"?><r><e/></r>"},
  };
  for (const Case& c : cases) {
    WriteFile(path_, c.file);
    { XmlProfile profile(path_); }
    EXPECT_EQ(ReadFile(path_), c.saved) << "file: " << c.file;
  }
}

TEST_F(XmlProfileTest, NewSectionTakesTheIndentationOfTheRootsChildren) {
  WriteFile(path_, "<?xml version=\"1.0\"?>\n<profile>\n  <!-- host -->\n  <A>1</A>\n</profile>\n");
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "DelaySteps", 30);
  }
  EXPECT_EQ(ReadFile(path_),
            "<?xml version=\"1.0\"?>\n<profile>\n  <!-- host -->\n  <A>1</A>\n"
            "  <Qorvix_K7R_Pendant><DelaySteps>30</DelaySteps></Qorvix_K7R_Pendant>\n"
            "</profile>\n");
}

// A save replaces the file it keeps: a link stays a link, the file keeps its permissions.
TEST_F(XmlProfileTest, ASaveThroughALinkWritesTheFileItNamesAndKeepsItsPermissions) {
  const std::string real = dir_.File("real.xml");
  WriteFile(real, "<profile/>");
  std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  std::filesystem::create_symlink("real.xml", path_);
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "Macro1", 9);
  }
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(std::filesystem::read_symlink(path_), "real.xml");
  EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);
  XmlProfile reread(real);
  EXPECT_EQ(reread.ReadInt(kSection, "Macro1", 0), 9);
  EXPECT_EQ(dir_.Names(), (std::set<std::string>{"profile.xml", "real.xml"}));
}

TEST_F(XmlProfileTest, AReadOnlyProfileIsNotWritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes any file";
  const std::string stored = "<profile><Qorvix_K7R_Pendant><F1/></Qorvix_K7R_Pendant></profile>";
  WriteFile(path_, stored);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
  {
    XmlProfile profile(path_);
    profile.WriteInt(kSection, "Macro1", 9);
  }
  EXPECT_EQ(ReadFile(path_), stored);
  EXPECT_EQ(dir_.Names(), std::set<std::string>{"profile.xml"});
}

}  // namespace
}  // namespace pendant
