// Fails on purpose: its ctest passes when the failure shows the session's transcript, the
// pendant's changes in script words and the host's effects in the order they came.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/jog_fixture.h"

namespace pendant::testing {
namespace {

TEST_F(JogFixture, StepTurnExpectedToMoveTheWrongAxis) {
  Start();
  session_.pendant.TurnWheel(3);
  session_.Tick(2);
  EXPECT_EQ(EffectsOf("code"), std::vector<std::string>{"code G91G1 F1500.0000 Y 0.0030"});
}

}  // namespace
}  // namespace pendant::testing
