// The base of the bench fixtures: one session per test, and a test fails when the host saw
// effects the test never took to check.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/session/bench_session.h"

namespace pendant::testing {

class ScenarioTest : public ::testing::Test {
 protected:
  // The host's effects since the last take, one line each ("button 1021", "code DOJOG").
  std::vector<std::string> TakeEffectLines() {
    std::vector<std::string> lines;
    for (const bench::HostEffect& effect : session_.host.TakeEffects()) {
      lines.push_back(effect.ToString());
    }
    return lines;
  }

  // The effects since the last take are this one line, count times.
  void ExpectOnlyEffect(const std::string& line, size_t count) {
    EXPECT_EQ(TakeEffectLines(), std::vector<std::string>(count, line));
  }

  void TearDown() override {
    std::string unchecked;
    for (const bench::HostEffect& effect : session_.host.TakeEffects()) {
      unchecked += "\n  " + effect.ToString();
    }
    EXPECT_TRUE(unchecked.empty()) << "host effects the test did not check:" << unchecked;
  }

  bench::BenchSession session_;
};

}  // namespace pendant::testing
