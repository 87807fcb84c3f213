// The Windows HID adapter against the named-pipe stand-in pendant (tests/win32/hid_pipe_device.h).
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "device/hid_port.h"
#include "tests/win32/hid_pipe_device.h"

namespace pendant {
namespace {

using Report = uint8_t[kInputReportSize];

using test::kPatientWaitMs;
using test::PipeDevice;

constexpr unsigned kPollWaitMs = 5;

// How long Read calls with the poll cycle's 5 ms bound took, for the log.
struct ReadTimes {
  double longestMs = 0.0;
  unsigned calls = 0;
} pollReadTimes;

bool TimedRead(HidReader& reader, DeviceHandle handle, Report& report, unsigned waitMs) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const bool delivered = reader.Read(handle, report, waitMs);
  QueryPerformanceCounter(&end);
  if (waitMs == kPollWaitMs) {
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    pollReadTimes.longestMs = std::max(pollReadTimes.longestMs, ms);
    ++pollReadTimes.calls;
  }
  return delivered;
}

class ReadTimesReport : public ::testing::Environment {
 public:
  void TearDown() override {
    std::printf("longest Read with a %u ms wait: %.3f ms over %u calls\n", kPollWaitMs,
                pollReadTimes.longestMs, pollReadTimes.calls);
  }
};
[[maybe_unused]] const auto* const readTimesReport =
    ::testing::AddGlobalTestEnvironment(new ReadTimesReport);

std::vector<uint8_t> Bytes(const Report& report) {
  return std::vector<uint8_t>(report, report + kInputReportSize);
}

std::vector<uint8_t> Pattern(size_t length, uint8_t first) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(first + i);
  return bytes;
}

class HidOverPipe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device_.OpenClients(readClient_, writeClient_));
    reader_.EnsureEvent();
  }

  void TearDown() override {
    reader_.Close(readClient_);
    writer_.Close(writeClient_);
  }

  bool DeviceSends(const std::vector<uint8_t>& bytes) const { return device_.Sends(bytes); }
  std::vector<uint8_t> DeviceReceives() const { return device_.Receives(); }

  PipeDevice device_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  DeviceHandle readClient_ = kInvalidDevice;
  DeviceHandle writeClient_ = kInvalidDevice;
  HidReader reader_;
  HidWriter writer_;
  Report report_ = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  const std::vector<uint8_t> untouched_ = Bytes(report_);
};

TEST_F(HidOverPipe, AReportSentBeforeTheReadIsCollectedByThatRead) {
  ASSERT_TRUE(DeviceSends(Pattern(8, 0x10)));

  EXPECT_TRUE(TimedRead(reader_, readClient_, report_, kPatientWaitMs));
  EXPECT_EQ(Bytes(report_), Pattern(8, 0x10));
  // Delivered once: nothing else is waiting.
  EXPECT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));
}

TEST_F(HidOverPipe, ASilentDeviceLeavesTheCallersReportUntouched) {
  for (int cycle = 0; cycle < 5; ++cycle) {
    EXPECT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs)) << "cycle " << cycle;
    EXPECT_EQ(Bytes(report_), untouched_) << "cycle " << cycle;
  }
}

// Each timed-out Read must leave its read in flight rather than start another; and reports
// that queued up meanwhile are all taken in one Read, which delivers the newest.
TEST_F(HidOverPipe, ReportsQueuedBeforeATickAreDecodedAsTheNewestOne) {
  for (int cycle = 0; cycle < 3; ++cycle) {
    ASSERT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));
  }
  ASSERT_TRUE(DeviceSends(Pattern(8, 0x20)));
  ASSERT_TRUE(DeviceSends(Pattern(8, 0x30)));
  ASSERT_TRUE(DeviceSends(Pattern(8, 0x40)));

  EXPECT_TRUE(TimedRead(reader_, readClient_, report_, kPatientWaitMs));
  EXPECT_EQ(Bytes(report_), Pattern(8, 0x40));
  EXPECT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));
  EXPECT_EQ(Bytes(report_), Pattern(8, 0x40));
}

TEST_F(HidOverPipe, AShortReportCountsAsNoneAndTheNextFullOneArrives) {
  ASSERT_TRUE(DeviceSends(Pattern(3, 0x40)));
  EXPECT_FALSE(TimedRead(reader_, readClient_, report_, kPatientWaitMs));
  EXPECT_EQ(Bytes(report_), untouched_);

  ASSERT_TRUE(DeviceSends(Pattern(8, 0x50)));
  EXPECT_TRUE(TimedRead(reader_, readClient_, report_, kPatientWaitMs));
  EXPECT_EQ(Bytes(report_), Pattern(8, 0x50));
}

TEST_F(HidOverPipe, AWriteDeliversTheWholeOutputReport) {
  const std::vector<uint8_t> display = Pattern(21, 0x60);

  EXPECT_TRUE(writer_.Write(writeClient_, display.data(), display.size()));

  EXPECT_EQ(DeviceReceives(), display);
}

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Offers screens to a device that takes none until one write is left in flight; returns the
// number of screens offered then, and the longest block of one offer.
int FillUntilAWriteIsInFlight(HidWriter& writer, DeviceHandle handle, double& longestMs) {
  for (int screen = 0; screen < 40; ++screen) {
    const std::vector<uint8_t> display = Pattern(21, static_cast<uint8_t>(screen));
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const bool started = writer.Write(handle, display.data(), display.size());
    longestMs = std::max(longestMs, MsSince(start));
    if (!started) return screen;
  }
  return -1;
}

// A pendant whose firmware stops taking output reports never blocks a tick: one write stays in
// flight, later screens are skipped, and once the device drains the newest screen goes out.
TEST_F(HidOverPipe, AStalledDeviceSkipsWritesWithoutBlockingAndGetsTheNewestScreenLater) {
  double longestMs = 0.0;
  const int offered = FillUntilAWriteIsInFlight(writer_, writeClient_, longestMs);
  ASSERT_GT(offered, 0) << "the pipe never filled";
  for (int cycle = 0; cycle < 5; ++cycle) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    EXPECT_FALSE(writer_.Write(writeClient_, Pattern(21, 0xA0).data(), 21));
    longestMs = std::max(longestMs, MsSince(start));
  }
  std::printf("longest block of a write to a stalled device: %.3f ms\n", longestMs);
  EXPECT_LT(longestMs, 1000.0) << "a write waited for the device";

  // The device drains everything sent so far, the write in flight included.
  for (int screen = 0; screen <= offered; ++screen) {
    if (DeviceReceives().empty()) break;
  }
  const std::vector<uint8_t> newest = Pattern(21, 0xB0);
  EXPECT_TRUE(writer_.Write(writeClient_, newest.data(), newest.size()));
  EXPECT_EQ(DeviceReceives(), newest);
}

struct InFlight {
  HidReader* reader;
  HidWriter* writer;
  DeviceHandle* readHandle;
  DeviceHandle* writeHandle;
};

DWORD WINAPI CloseBoth(void* context) {
  auto* inFlight = static_cast<InFlight*>(context);
  inFlight->reader->Close(*inFlight->readHandle);
  inFlight->writer->Close(*inFlight->writeHandle);
  return 0;
}

// StopPlug or an unload may run on another thread: closing there cancels both operations in
// flight rather than waiting for a device that may never answer.
TEST_F(HidOverPipe, ClosingFromAnotherThreadWithAReadAndAWriteInFlightReturns) {
  ASSERT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));  // read in flight
  double longestMs = 0.0;
  ASSERT_GT(FillUntilAWriteIsInFlight(writer_, writeClient_, longestMs), 0);

  InFlight inFlight{&reader_, &writer_, &readClient_, &writeClient_};
  HANDLE closer = CreateThread(nullptr, 0, CloseBoth, &inFlight, 0, nullptr);
  ASSERT_NE(closer, nullptr);
  EXPECT_EQ(WaitForSingleObject(closer, kPatientWaitMs), WAIT_OBJECT_0);
  CloseHandle(closer);
  EXPECT_EQ(readClient_, kInvalidDevice);
  EXPECT_EQ(writeClient_, kInvalidDevice);
}

TEST_F(HidOverPipe, CloseWithAReadInFlightCancelsItAndTheReaderServesTheNextHandle) {
  ASSERT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));  // now in flight

  reader_.Close(readClient_);

  EXPECT_EQ(readClient_, kInvalidDevice);
  EXPECT_FALSE(TimedRead(reader_, readClient_, report_, kPollWaitMs));
  EXPECT_FALSE(DeviceSends(Pattern(8, 0x70))) << "the client end is still open";
  EXPECT_EQ(Bytes(report_), untouched_);

  // Reopened, as after a device arrival: the same reader reads from the new handle.
  readClient_ = device_.ReopenReadClient();
  ASSERT_TRUE(IsOpen(readClient_));
  ASSERT_TRUE(DeviceSends(Pattern(8, 0x80)));
  EXPECT_TRUE(TimedRead(reader_, readClient_, report_, kPatientWaitMs));
  EXPECT_EQ(Bytes(report_), Pattern(8, 0x80));
}

TEST(HidOpen, AnAbsentDeviceOpensAsInvalidForEveryAccess) {
  for (HidAccess access : {HidAccess::Probe, HidAccess::Read, HidAccess::Write}) {
    for (const char* path : {"", "\\\\.\\pipe\\pendant-nobody-listens"}) {
      DeviceHandle handle = HidOpen(path, access);
      EXPECT_EQ(handle, kInvalidDevice) << "'" << path << "' access " << static_cast<int>(access);
      HidClose(handle);
    }
  }
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  EXPECT_FALSE(HidReadIds(kInvalidDevice, vendorId, productId));
}

// A device notice record as the system lays it out: header, class id, then the NUL-terminated
// interface name, all within dbch_size bytes.
struct NoticeCase {
  const char* what;
  DWORD deviceType;
  std::string name;
  DWORD declaredSize;  // 0: the exact size of header, class id and name with its NUL
  bool yieldsPath;
  std::string expectedPath;
};

TEST(InterfacePathOfNotice, ReadsTheNameOfDeviceInterfaceNoticesWithinTheirSize) {
  constexpr DWORD kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
  const std::string path = "\\\\?\\hid#vid_1234&pid_5678#7&1a2b3c&0&0000#{4d1e55b2-0000}";
  const NoticeCase cases[] = {
      {"device interface", DBT_DEVTYP_DEVICEINTERFACE, path, 0, true, path},
      {"volume notice", DBT_DEVTYP_VOLUME, path, 0, false, ""},
      {"name cut by the declared size", DBT_DEVTYP_DEVICEINTERFACE, path, kNameOffset + 6, true,
       path.substr(0, 6)},
      {"no room for a name", DBT_DEVTYP_DEVICEINTERFACE, path, kNameOffset, false, ""},
  };
  for (const NoticeCase& notice : cases) {
    std::vector<DWORD> storage(64);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(storage.data());
    const DWORD exactSize = kNameOffset + static_cast<DWORD>(notice.name.size()) + 1;
    ASSERT_LE(exactSize, storage.size() * sizeof(DWORD));
    record->dbcc_size = notice.declaredSize ? notice.declaredSize : exactSize;
    record->dbcc_devicetype = notice.deviceType;
    std::copy(notice.name.begin(), notice.name.end(), record->dbcc_name);

    std::string found = "unchanged";
    EXPECT_EQ(InterfacePathOfNotice(record, found), notice.yieldsPath) << notice.what;
    if (notice.yieldsPath) {
      EXPECT_EQ(found, notice.expectedPath) << notice.what;
    }
  }
  std::string found;
  EXPECT_FALSE(InterfacePathOfNotice(nullptr, found));
}

}  // namespace
}  // namespace pendant
