// Fitting reports to the lengths a device states: cut, padded, or the pendant's own.
#include <gtest/gtest.h>

#include <vector>

#include "device/report_length.h"

namespace pendant {
namespace {

TEST(ReportLength, StatedLengthsAreUsedZeroMeansThePendantsOwnAndHugeOnesAreHeld) {
  const struct {
    size_t input, output, usableInput, usableOutput;
  } rows[] = {
      {0, 0, 8, 21},
      {9, 65, 9, 65},
      {100000, 4096, kMaxReportLength, kMaxReportLength},
      {1, 1, 1, 1},
  };
  for (const auto& row : rows) {
    const HidReportLengths lengths = UsableReportLengths(row.input, row.output);
    EXPECT_EQ(lengths.input, row.usableInput) << row.input;
    EXPECT_EQ(lengths.output, row.usableOutput) << row.output;
  }
}

TEST(ReportLength, AReportIsCutOrPaddedWithZerosToExactlyTheDevicesLength) {
  std::vector<uint8_t> report(21);
  for (size_t i = 0; i < report.size(); ++i) report[i] = static_cast<uint8_t>(i + 1);
  uint8_t out[kMaxReportLength];
  for (size_t length : {size_t{21}, size_t{9}, size_t{65}, kMaxReportLength + 5}) {
    std::fill(std::begin(out), std::end(out), 0xEE);
    const size_t written = FitReport(report.data(), report.size(), length, out);
    EXPECT_EQ(written, std::min(length, kMaxReportLength));
    for (size_t i = 0; i < written; ++i) {
      EXPECT_EQ(out[i], i < report.size() ? report[i] : 0) << "length " << length << " byte " << i;
    }
    if (written < kMaxReportLength) {
      EXPECT_EQ(out[written], 0xEE) << "wrote past the length";
    }
  }
  EXPECT_EQ(FitReport(nullptr, 21, 4, out), 4u);
  EXPECT_EQ(out[0], 0);
}

}  // namespace
}  // namespace pendant
