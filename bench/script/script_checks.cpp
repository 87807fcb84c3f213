// The checks of a script: what the plug-in did, compared with what the script expects.
#include <cmath>
#include <cstdio>

#include "bench/script/script_runner.h"
#include "bench/session/display_text.h"
#include "bench/session/text_escape.h"
#include "device/virtual_hid_bus.h"
#include "host/host_fields.h"
#include "platform/virtual_desktop.h"
#include "plugin/window_port.h"

namespace pendant::bench {
namespace {

using host_fields::kJogRecordBase;
using host_fields::kJogRecordStride;

std::string NumberText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string EffectList(const std::vector<std::string>& effects) {
  if (effects.empty()) return "\n    (none)";
  std::string list;
  for (const std::string& effect : effects) list += "\n    " + effect;
  return list;
}

// One line per record, as the transcript writes them, from record `from` on.
template <typename Record>
std::vector<std::string> Lines(const std::vector<Record>& records, size_t from = 0) {
  std::vector<std::string> lines;
  for (size_t i = from; i < records.size(); ++i) lines.push_back(records[i].ToString());
  return lines;
}

bool ContainsInOrder(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected) {
  size_t found = 0;
  for (const std::string& effect : actual) {
    if (found < expected.size() && effect == expected[found]) ++found;
  }
  return found == expected.size();
}

}  // namespace

ScriptRunner::Verdict ScriptRunner::Passed() {
  ++checksPassed_;
  return {};
}

const std::vector<uint8_t>* ScriptRunner::LastReport() const {
  return session_.display.Last();
}

uint64_t ScriptRunner::LiveWindowTicks() const {
  const VirtualDesktop& desktop = VirtualDesktop::Instance();
  uint64_t ticks = 0;
  for (NativeWindow child : desktop.ChildrenOf(session_.host.window)) {
    const VirtualDesktop::Window* window = desktop.Find(child);
    if (window && window->className == kPendantWindowClass) ticks += window->ticksDelivered;
  }
  return ticks;
}

uint64_t ScriptRunner::PollTicks() const {
  return ticksOfStoppedWindow_ + LiveWindowTicks();
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectEffects& expect) {
  const std::vector<std::string> actual = Lines(session_.host.effects, effectsChecked_);
  effectsChecked_ = session_.host.effects.size();
  const std::vector<std::string> expected = Lines(expect.effects);
  if (expect.amongOthers ? ContainsInOrder(actual, expected) : actual == expected) return Passed();
  return std::string(expect.amongOthers ? "expected among the host effects, in this order:"
                                        : "expected these host effects:") +
         EffectList(expected) + "\n  but the host got:" + EffectList(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectReads& expect) {
  const std::vector<std::string> actual = Lines(session_.host.reads);
  // Checked reads are dropped, so a long session keeps only those since the last check.
  session_.host.reads.clear();
  const std::vector<std::string> expected = Lines(expect.reads);
  if (actual == expected) return Passed();
  return "expected these host reads:" + EffectList(expected) +
         "\n  but the plug-in read:" + EffectList(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectDisplay& expect) {
  const std::vector<uint8_t>* report = LastReport();
  if (!report) return "no display report has been written";
  const DisplayText actual = TextOfReport(*report);
  if (actual == DisplayText{expect.line1, expect.line2}) return Passed();
  return "expected the display " + Quoted(expect.line1) + " " + Quoted(expect.line2) +
         ", but it shows " + Quoted(actual.line1) + " " + Quoted(actual.line2);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectByte& expect) {
  const std::vector<uint8_t>* report = LastReport();
  if (!report) return "no display report has been written";
  const auto index = static_cast<size_t>(expect.index);
  if (index >= report->size()) {
    return "the last display report has only " + std::to_string(report->size()) + " bytes";
  }
  if ((*report)[index] == expect.value) return Passed();
  return "expected byte " + std::to_string(index) + " to be " + std::to_string(expect.value) +
         ", but it is " + std::to_string((*report)[index]);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectDro& expect) {
  const double actual = session_.host.Dro(expect.dro);
  if (actual == expect.value || (std::isnan(actual) && std::isnan(expect.value))) return Passed();
  return "expected DRO " + std::to_string(expect.dro) + " to be " + NumberText(expect.value) +
         ", but it is " + NumberText(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectLed& expect) {
  const bool on = session_.host.Led(expect.led);
  if (on == expect.on) return Passed();
  return "expected LED " + std::to_string(expect.led) + (expect.on ? " on" : " off") +
         ", but it is " + (on ? "on" : "off");
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectProfile& expect) {
  const std::string actual = session_.ProfileKey(expect.key);
  if (actual == expect.value) return Passed();
  return "expected profile key " + expect.key + " to be " + Quoted(expect.value) +
         ", but the file holds " + Quoted(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectJog& expect) {
  const size_t offset = kJogRecordBase + kJogRecordStride * static_cast<size_t>(expect.axis) +
                        static_cast<size_t>(expect.field);
  const SubstituteHost& host = session_.host;
  const bool isByte = script::IsByteField(expect.field);
  const int64_t actual =
      isByte ? host.Peek<uint8_t>(host.blockA, offset) : host.Peek<int32_t>(host.blockA, offset);
  if (actual == expect.value) return Passed();
  return "expected " + std::to_string(expect.value) + " in the jog record of axis " +
         std::to_string(expect.axis) + ", but it holds " + std::to_string(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectWrites& expect) {
  const uint64_t total = session_.display.Count();
  const uint64_t actual = total - writesChecked_;
  writesChecked_ = total;
  if (actual == static_cast<uint64_t>(expect.count)) return Passed();
  return "expected " + std::to_string(expect.count) + " display reports written, but " +
         std::to_string(actual) + " were";
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectTicks& expect) {
  const uint64_t total = PollTicks();
  const uint64_t actual = total - ticksChecked_;
  ticksChecked_ = total;
  if (actual == static_cast<uint64_t>(expect.count)) return Passed();
  return "expected " + std::to_string(expect.count) + " poll ticks, but the plug-in's window got " +
         std::to_string(actual);
}

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectHandles& expect) {
  const VirtualHidBus& bus = VirtualHidBus::Instance();
  const std::string& path = session_.pendant.path;
  const int read = bus.OpenHandles(path, HidAccess::Read);
  const int write = bus.OpenHandles(path, HidAccess::Write);
  if (read == expect.read && write == expect.write) return Passed();
  return "expected " + std::to_string(expect.read) + " read and " + std::to_string(expect.write) +
         " write handles open on the pendant, but " + std::to_string(read) + " and " +
         std::to_string(write) + " are";
}

}  // namespace pendant::bench
