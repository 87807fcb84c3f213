// The pendant part of the check: the plug-in's own HID adapter lists, probes, opens, reads and
// writes, exactly as the plug-in does it.
#include <windows.h>

#include <cstdio>

#include "check/check_runs.h"
#include "check/display_test.h"
#include "device/hid_port.h"

namespace pendant::check {
namespace {

constexpr unsigned kLookAgainMs = 1000;
constexpr unsigned kPaintMs = 100;
// The read's wait is also the loop's pace.
constexpr unsigned kReadWaitMs = 20;
constexpr unsigned kMostInterfaces = 1000;

// Milliseconds since the check started: the times the report file gives its reports.
uint64_t NowMs() {
  static const uint64_t start = GetTickCount64();
  return GetTickCount64() - start;
}

int64_t LocalSecondsOfDay() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

// Waits up to ms, asking the console about q and Ctrl+C meanwhile; false when asked to quit.
bool WaitWithoutQuit(CheckConsole& console, unsigned ms) {
  const uint64_t end = NowMs() + ms;
  while (NowMs() < end) {
    if (console.QuitAsked()) return false;
    Sleep(20);
  }
  return !console.QuitAsked();
}

bool SameInterfaces(const std::vector<HidInterfaceFacts>& a,
                    const std::vector<HidInterfaceFacts>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].idsRead != b[i].idsRead || a[i].vendorId != b[i].vendorId ||
        a[i].productId != b[i].productId) {
      return false;
    }
  }
  return true;
}

bool StillListed(const std::string& path) {
  const std::vector<HidInterfaceFacts> now = ListHidInterfaces();
  const int pendant = PendantIndex(now);
  return pendant >= 0 && now[static_cast<size_t>(pendant)].path == path;
}

// The pendant's handles for the live part, closed when it ends.
struct OpenPendant {
  DeviceHandle read = kInvalidDevice;
  DeviceHandle write = kInvalidDevice;
  HidReader reader;
  HidWriter writer;

  explicit OpenPendant(const std::string& path)
      : read(HidOpen(path.c_str(), HidAccess::Read)),
        write(HidOpen(path.c_str(), HidAccess::Write)) {}
  ~OpenPendant() {
    reader.Close(read);
    writer.Close(write);
  }
  bool Opened() const { return IsOpen(read) || IsOpen(write); }
};

// Shows what the pendant sends and writes the test screen each second until the user quits
// (true) or the pendant leaves the list (false).
bool RunLive(CheckConsole& console, OpenPendant& pendant, const std::string& path,
             const HidReportLengths& lengths, CheckReportFacts& facts) {
  LiveInput live;
  pendant.reader.EnsureEvent();
  pendant.reader.SetReportLength(lengths.input);
  pendant.writer.SetReportLength(lengths.output);
  uint64_t nextLook = NowMs() + kLookAgainMs;
  uint64_t nextPaint = 0;
  int64_t shownSecond = -1;
  while (!console.QuitAsked()) {
    uint8_t report[kInputReportSize];
    if (pendant.reader.Read(pendant.read, report, kReadWaitMs)) {
      live.Take(report, NowMs());
      facts.lastReports = live.LastReportLines();
      nextPaint = 0;  // a new report shows at once
    } else if (!IsOpen(pendant.read)) {
      Sleep(kReadWaitMs);
    }
    const int64_t second = LocalSecondsOfDay();
    if (second != shownSecond) {
      uint8_t screen[kDisplayReportSize];
      ComposeTestScreen(second, screen);
      // A write still on its way skips this second; the next one carries the new time.
      if (pendant.writer.Write(pendant.write, screen, sizeof screen)) shownSecond = second;
    }
    const uint64_t now = NowMs();
    if (now >= nextPaint) {
      console.Paint(live.Lines(now));
      nextPaint = now + kPaintMs;
    }
    if (now >= nextLook) {
      if (!StillListed(path)) return false;
      nextLook = now + kLookAgainMs;
    }
  }
  return true;
}

}  // namespace

std::vector<HidInterfaceFacts> ListHidInterfaces() {
  std::vector<HidInterfaceFacts> list;
  HidInterfaceList interfaces;
  std::string path;
  for (unsigned i = 0; i < kMostInterfaces && interfaces.PathAt(i, path); ++i) {
    HidInterfaceFacts facts{path};
    DeviceHandle probe = HidOpen(path.c_str(), HidAccess::Probe);
    facts.idsRead = HidReadIds(probe, facts.vendorId, facts.productId);
    HidClose(probe);
    list.push_back(facts);
  }
  return list;
}

void RunPendantCheck(CheckConsole& console, CheckReportFacts& facts) {
  bool listed = false;
  while (!console.QuitAsked()) {
    std::vector<HidInterfaceFacts> interfaces = ListHidInterfaces();
    const bool changed = !listed || !SameInterfaces(interfaces, facts.interfaces);
    facts.interfaces = interfaces;
    listed = true;
    const int pendant = PendantIndex(interfaces);
    if (pendant < 0) {
      if (changed) {
        console.PrintLines(HidListLines(interfaces, kCheckWidth));
        console.PrintLines(NotFoundLines());
        console.Print(kStillLooking);
      }
      if (!WaitWithoutQuit(console, kLookAgainMs)) return;
      continue;
    }
    const std::string path = interfaces[static_cast<size_t>(pendant)].path;
    if (changed) console.PrintLines(HidListLines(interfaces, kCheckWidth));
    OpenPendant open(path);
    if (!open.Opened()) {
      facts.pendantOpened = false;
      if (changed) {
        console.PrintLines({"The pendant is listed but could not be opened: another program may",
                            "hold it. Close the motion-control program and any other pendant tool.",
                            "Trying again once a second."});
      }
      if (!WaitWithoutQuit(console, kLookAgainMs)) return;
      continue;
    }
    facts.pendantOpened = true;
    facts.lengths = HidReadReportLengths(IsOpen(open.read) ? open.read : open.write);
    console.PrintLines(FoundLines(path, facts.lengths, kCheckWidth));
    if (!IsOpen(open.read)) console.Print("Its input could not be opened: no live input.");
    if (!IsOpen(open.write)) console.Print("Its output could not be opened: no display test.");
    console.Print("The display shows CHECK OK and the time. What the pendant sends:");
    if (RunLive(console, open, path, facts.lengths, facts)) return;
    console.Print("The pendant was unplugged (it left Windows' HID list). Looking again.");
    listed = false;
  }
}

}  // namespace pendant::check
