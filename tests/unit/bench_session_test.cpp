// The bench session's private folder: one it cannot make is an error, never a folder it goes on
// to remove with everything in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "bench/session/bench_session.h"
#include "tests/support/temp_dir.h"

namespace pendant::bench {
namespace {

using testing::ReadFile;
using testing::WriteFile;

TEST(BenchSessionTest, AFolderItCannotMakeIsAnErrorAndRemovesNothing) {
  testing::TempDir dir;
  const std::string kept = dir.File("kept");
  const std::string notAFolder = dir.File("not-a-folder");
  WriteFile(kept, "the user's");
  WriteFile(notAFolder, "a file");
  // The system's temp folder is this one for the test: a session falling back to it and
  // removing it at its end would take the files with it.
  const char* const systemTemp = std::getenv("TMPDIR");
  const std::string savedTemp = systemTemp ? systemTemp : "";
  setenv("TMPDIR", dir.File("").c_str(), 1);
  EXPECT_THROW(BenchSession session(notAFolder), std::runtime_error);
  if (systemTemp) {
    setenv("TMPDIR", savedTemp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(ReadFile(kept), "the user's");
  EXPECT_EQ(ReadFile(notAFolder), "a file");
}

TEST(BenchSessionTest, ItsFolderIsMadeInTheParentAndGoesWithIt) {
  testing::TempDir dir;
  {
    BenchSession session(dir.File(""));
    session.SetProfileKey("F1", "label");
    EXPECT_EQ(dir.Names().size(), 1u);
    EXPECT_EQ(session.ProfileKey("F1"), "label");
  }
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
}  // namespace pendant::bench
