// The finding part of the pendant check as text: every HID interface Windows presents with its
// ids (the pendant's marked), whether the pendant is among them and on which path, its report
// lengths, and what to try when it is not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/report_length.h"

namespace pendant::check {

// One HID interface as the check saw it.
struct HidInterfaceFacts {
  std::string path;
  bool idsRead = false;  // false when the interface could not be opened or asked
  uint16_t vendorId = 0;
  uint16_t productId = 0;
};

// The index of the first interface with the pendant's ids (the one the plug-in opens), or -1.
int PendantIndex(const std::vector<HidInterfaceFacts>& interfaces);

// "HID interfaces Windows presents: N", then per interface its ids (or why none) and its path,
// long paths wrapped, every line at most width columns.
std::vector<std::string> HidListLines(const std::vector<HidInterfaceFacts>& interfaces,
                                      size_t width);

// What the finding says: the pendant's path and report lengths, or that it is not found and
// what to try, in the install guide's words.
std::vector<std::string> FoundLines(const std::string& path, const HidReportLengths& lengths,
                                    size_t width);
std::vector<std::string> NotFoundLines();
inline constexpr const char* kStillLooking =
    "Still looking, once a second: plug the pendant in now to see it found.";

// text cut into pieces of at most width characters, the later ones indented by indent spaces.
std::vector<std::string> Wrapped(const std::string& text, size_t width, size_t indent);

}  // namespace pendant::check
