// Whatever the modes, settings and host values, composing stays inside the report's first 19
// bytes, writes only printable text and asks the host for nothing but DROs and LEDs.
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "tests/unit/display_fixture.h"

namespace pendant::testing {
namespace {

constexpr uint8_t kMarker = 0xA5;

class DisplayProperty : public DisplayFixture {
 protected:
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    std::uniform_int_distribution<size_t> index(0, values.size() - 1);
    return values.begin()[index(random_)];
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Coin() { return Between(0, 1) == 1; }

  double ExtremeValue() {
    return Pick<double>({0.0, -0.0, 1.0, -1.0, 12.3456, -1234.5678, 99.99, 100.0, 1e-320, 1e308,
                         -1e308, DBL_MAX, -DBL_MAX, std::numeric_limits<double>::quiet_NaN(),
                         -std::numeric_limits<double>::quiet_NaN(), INFINITY, -INFINITY});
  }

  std::string PrintableText() {
    std::string text(static_cast<size_t>(Between(0, 40)), ' ');
    for (char& c : text) c = static_cast<char>(Between(0x20, 0x7E));
    return text;
  }

  Scene RandomScene() {
    Scene scene{
        .jogMode = static_cast<JogModeValue>(Between(-1, 16)),
        .axisIndex = Between(-2, 7),
        .displayCycle = Between(-1, 160),
        .animationPhase = Between(-1, 101),
        .axisSelector = Between(0, 15),
        .actionKey = Coin(),
        .stopSwitch = Between(0, 5) == 0,
        .offlineSwitch = Between(0, 3) == 0,
        .extendedSelector = Between(0, 1),
        .screenCode = Between(0, 8),
        .decidigit = static_cast<int16_t>(Between(-3, 7)),
        .displyRpm = Coin(),
        .f1 = PrintableText(),
        .f2 = PrintableText(),
        .f3 = PrintableText(),
        .f4 = PrintableText(),
        .stepJogPercent = Coin() ? Between(1, 100) : ExtremeValue(),
        .slowDownDivisor = Pick<int32_t>({0, 2, 3, 4, -7, INT32_MIN, INT32_MAX}),
        .feedBase = ExtremeValue(),
    };
    for (int dro : {3, 39, 55, 56, 74, 202, 800, 801, 802, 803, 804, 805, 816, 821, 828}) {
      scene.dros[dro] = ExtremeValue();
    }
    for (int led : {11, 800, 804, 805, 806}) {
      if (Between(0, 3) == 0) scene.leds.insert(led);
    }
    return scene;
  }

  std::mt19937 random_{20240611};
};

TEST_F(DisplayProperty, NeverLeavesTheReportOrWritesUnprintableText) {
  report_[19] = kMarker;
  report_[20] = kMarker;
  for (int i = 0; i < 3000; ++i) {
    const Scene scene = RandomScene();
    const int updates = Between(0, 3);
    for (int u = 0; u < updates; ++u) ticks_.Step();

    Compose(scene);

    const uint8_t* report = report_;
    ASSERT_EQ(report[19], kMarker) << "iteration " << i;
    ASSERT_EQ(report[20], kMarker) << "iteration " << i;
    ASSERT_EQ(report[0], 0) << "iteration " << i;
    ASSERT_EQ(report[1], scene.leds.count(800) ? 1 : 0) << "iteration " << i;
    ASSERT_EQ(report[18], ticks_.ReportSequence & 0xFF) << "iteration " << i;
    for (size_t at = 2; at < 18; ++at) {
      ASSERT_TRUE(report[at] >= 0x20 && report[at] <= 0x7E)
          << "iteration " << i << " byte " << at << " is " << int{report[at]};
    }
    ASSERT_EQ(TableHost::forbiddenCalls, 0) << "iteration " << i;
  }
}

}  // namespace
}  // namespace pendant::testing
