// The base of the bench fixtures: one session per test, a test fails when the host saw effects
// the test never took to check, and a failing test prints the session's transcript so far.
#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/session/bench_session.h"
#include "bench/session/transcript.h"

namespace pendant::testing {

class ScenarioTest : public ::testing::Test {
 protected:
  ScenarioTest() {
    session_.onStep = [this] { transcript_.CatchUp(); };
    session_.onAction = [this](const std::string& words) {
      transcript_.CatchUp();
      transcript_.Command(words);
    };
  }

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
    if (HasFailure()) {
      transcript_.CatchUp();
      std::cout << "The session so far: what was done to it, and what the host saw\n"
                << transcriptText_.str() << std::flush;
    }
  }

  bench::BenchSession session_;

 private:
  std::ostringstream transcriptText_;
  bench::Transcript transcript_{transcriptText_, session_,
                                bench::Transcript::DisplayReports::Leave};
};

}  // namespace pendant::testing
