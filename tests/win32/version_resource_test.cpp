// The DLL's version resource as Windows reads it (Explorer's Properties use the same calls).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/plugin_library.h"
#include "host/version.h"

namespace pendant::test {
namespace {

class VersionResource : public testing::Test {
 protected:
  void SetUp() override {
    const std::string dll = DllBesideThisProgram();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(dll.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << dll;
    block_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, size, block_.data()));
  }

  // The string value NAME of the U.S. English, Unicode table, or "" when missing.
  std::string Text(const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(block_.data(), path.c_str(), &value, &length) || length == 0) return "";
    return static_cast<const char*>(value);
  }

  std::vector<char> block_;
};

TEST_F(VersionResource, NumericVersionsAreTheProjectVersionWithItsBuildNumber) {
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", reinterpret_cast<void**>(&info), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(PENDANT_VERSION_MINOR, PENDANT_VERSION_MAJOR);
  const DWORD low = MAKELONG(PENDANT_BUILD_NUMBER, PENDANT_VERSION_PATCH);
  EXPECT_EQ(info->dwFileVersionMS, high);
  EXPECT_EQ(info->dwFileVersionLS, low);
  EXPECT_EQ(info->dwProductVersionMS, high);
  EXPECT_EQ(info->dwProductVersionLS, low);
  EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionResource, StringTableNamesTheProduct) {
  const struct {
    const char* name;
    std::string expected;
  } fields[] = {
      {"FileVersion", PENDANT_FILE_VERSION_TEXT}, {"ProductVersion", PENDANT_FILE_VERSION_TEXT},
      {"ProductName", PENDANT_PRODUCT_NAME},      {"FileDescription", PENDANT_FILE_DESCRIPTION},
      {"OriginalFilename", "QorvixK7R.dll"},      {"LegalCopyright", PENDANT_COPYRIGHT},
  };
  for (const auto& field : fields) EXPECT_EQ(Text(field.name), field.expected) << field.name;
  EXPECT_EQ(std::string(PENDANT_FILE_VERSION_TEXT).rfind(PENDANT_VERSION_TEXT ".", 0), 0u)
      << "the file version does not start with the version the plug-in shows";
}

}  // namespace
}  // namespace pendant::test
