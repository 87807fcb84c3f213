// The real DLL and a pendant as Windows presents it: found by the DLL's own discovery through
// the hid.dll and setupapi.dll stand-ins, read and written over real handles, followed through
// device notices.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/pendant_host.h"

namespace pendant::test {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

int StepLines(const std::vector<std::string>& codes) {
  int lines = 0;
  for (const std::string& code : codes) lines += StartsWith(code, "G91G1") ? 1 : 0;
  return lines;
}

using PendantThroughWindows = PendantHost;

TEST_F(PendantThroughWindows, StepModeTurnsOfADiscoveredPendantGiveStepLines) {
  ASSERT_NE(StartPlugin(), nullptr);
  EXPECT_EQ(pendant_.Clients(), 3) << "probe, read and write handles";
  ASSERT_TRUE(pendant_.Sends(PendantReport(0, 0)));
  ASSERT_TRUE(PumpTicks(2));
  ASSERT_TRUE(pendant_.Sends(PendantReport(5, 1)));
  std::vector<std::string> codes;
  EXPECT_TRUE(PumpUntil(
      [&] {
        for (std::string& code : TakeCodes()) codes.push_back(code);
        return StepLines(codes) > 0;
      },
      kPatientMs))
      << ::testing::PrintToString(codes);
  EXPECT_TRUE(pendant_.WaitReceived(1, kPatientMs)) << "no display report reached the pendant";
  EXPECT_EQ(pendant_.Received().front().size(), 21u);
}

}  // namespace
}  // namespace pendant::test
