#include "check/hid_listing.h"

#include <cstdio>

#include "pendant/pendant_ids.h"

namespace pendant::check {
namespace {

constexpr size_t kPathIndent = 6;

bool IsPendant(const HidInterfaceFacts& facts) {
  return facts.idsRead && facts.vendorId == kPendantVendorId &&
         facts.productId == kPendantProductId;
}

std::string IdsText(const HidInterfaceFacts& facts) {
  if (!facts.idsRead) return "ids unreadable (in use or not a device)";
  char ids[40];
  std::snprintf(ids, sizeof ids, "%04X:%04X%s", facts.vendorId, facts.productId,
                IsPendant(facts) ? "  <-- the pendant" : "");
  return ids;
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

}  // namespace

int PendantIndex(const std::vector<HidInterfaceFacts>& interfaces) {
  for (size_t i = 0; i < interfaces.size(); ++i) {
    if (IsPendant(interfaces[i])) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> Wrapped(const std::string& text, size_t width, size_t indent) {
  if (width <= indent) width = indent + 1;
  std::vector<std::string> lines{text.substr(0, width)};
  for (size_t at = width; at < text.size(); at += width - indent) {
    lines.push_back(std::string(indent, ' ') + text.substr(at, width - indent));
  }
  return lines;
}

std::vector<std::string> HidListLines(const std::vector<HidInterfaceFacts>& interfaces,
                                      size_t width) {
  std::vector<std::string> lines{"HID interfaces Windows presents: " +
                                 std::to_string(interfaces.size())};
  for (size_t i = 0; i < interfaces.size(); ++i) {
    char number[32];
    std::snprintf(number, sizeof number, "%3zu  ", i + 1);
    Append(lines, Wrapped(number + IdsText(interfaces[i]), width, kPathIndent));
    const std::string path = interfaces[i].path.empty() ? "(no path)" : interfaces[i].path;
    Append(lines, Wrapped(std::string(kPathIndent, ' ') + path, width, kPathIndent));
  }
  return lines;
}

std::vector<std::string> FoundLines(const std::string& path, const HidReportLengths& lengths,
                                    size_t width) {
  char ids[80];
  std::snprintf(ids, sizeof ids, "Pendant found (%04X:%04X) on", kPendantVendorId,
                kPendantProductId);
  std::vector<std::string> lines{ids};
  Append(lines, Wrapped("  " + path, width, 2));
  char input[80];
  std::snprintf(input, sizeof input, "Input report length:  %zu bytes (the pendant's: %zu)",
                lengths.input, kInputReportSize);
  char output[80];
  std::snprintf(output, sizeof output, "Output report length: %zu bytes (the pendant's: %zu)",
                lengths.output, kDisplayReportSize);
  lines.push_back(input);
  lines.push_back(output);
  return lines;
}

std::vector<std::string> NotFoundLines() {
  char ids[80];
  std::snprintf(ids, sizeof ids, "Pendant NOT found: no HID interface has the ids %04X:%04X.",
                kPendantVendorId, kPendantProductId);
  char deviceManager[80];
  std::snprintf(deviceManager, sizeof deviceManager,
                "\"Human Interface Devices\" should list it with VID_%04X&PID_%04X.",
                kPendantVendorId, kPendantProductId);
  return {
      ids,
      "Try: unplug the pendant, wait five seconds and plug it in again, or another",
      "USB port (directly on the computer, not through a hub). In Device Manager,",
      deviceManager,
  };
}

}  // namespace pendant::check
