// The commands of a bench script after parsing: one action or check per script line (an
// effects check spans its block), each with the line it came from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "bench/host/substitute_host.h"
#include "bench/session/virtual_pendant.h"
#include "host/host_interface.h"

namespace pendant::bench::script {

// Narration for the transcript.
struct Say {
  std::string text;
  bool operator==(const Say&) const = default;
};
struct SetProfileKey {
  std::string key;
  std::string value;
  bool operator==(const SetProfileKey&) const = default;
};
struct Start {
  bool pendantPlugged = true;
  bool operator==(const Start&) const = default;
};
struct Stop {
  bool operator==(const Stop&) const = default;
};
// The removal notice of an unplugged pendant.
enum class RemovalNotice {
  Plain,
  UpperCase,  // names the path in other letter case
  Lost,       // never comes
};
struct PlugPendant {
  bool plugged = true;
  RemovalNotice notice = RemovalNotice::Plain;
  std::string path;  // plug: the interface path it comes back on (empty: its own)
  bool operator==(const PlugPendant&) const = default;
};
// Whether the platform takes the plug-in's subscription to device notices.
struct RefuseNotices {
  bool refused = true;
  bool operator==(const RefuseNotices&) const = default;
};
struct PlugOtherDevice {
  bool plugged = true;
  bool operator==(const PlugOtherDevice&) const = default;
};
// A selector or switch of the virtual pendant, by its member.
struct SetSelector {
  int VirtualPendant::*selector;
  int position;
  bool operator==(const SetSelector&) const = default;
};
struct SetSwitch {
  bool VirtualPendant::*pendantSwitch;
  bool on;
  bool operator==(const SetSwitch&) const = default;
};
struct TurnWheel {
  int counts;
  bool operator==(const TurnWheel&) const = default;
};
struct SetWheelRate {
  int rate;
  bool operator==(const SetWheelRate&) const = default;
};
struct RunTicks {
  int count;
  bool operator==(const RunTicks&) const = default;
};
struct RunUpdates {
  int count;
  bool operator==(const RunUpdates&) const = default;
};
struct Wait {
  int ms;
  bool operator==(const Wait&) const = default;
};
struct SetDro {
  int dro;
  double value;
  bool operator==(const SetDro&) const = default;
};
struct SetLed {
  int led;
  bool on;
  bool operator==(const SetLed&) const = default;
};
struct Poke {
  enum class Type { U8, I32, F64 };
  char block;  // 'A', 'B' or 'C'
  int64_t offset;
  Type type;
  double value;  // whole and in the type's range for U8 and I32
  bool operator==(const Poke&) const = default;
};
// How the pendant's reports travel from now on: delay in ms, or lost when negative.
struct SetReportTiming {
  int delayMs;
  bool operator==(const SetReportTiming&) const = default;
};
struct SwitchMachineOn {
  bool operator==(const SwitchMachineOn&) const = default;
};
// Replaces the profile file with a copy of another (relative to the script's folder).
struct SetProfileFile {
  std::string path;
  bool operator==(const SetProfileFile&) const = default;
};
// Prints the plug-in's decoded state in the transcript.
struct Show {
  bool operator==(const Show&) const = default;
};
// Calls one of the plug-in's entry points the way the host does.
struct CallEntryPoint {
  std::string name;
  bool operator==(const CallEntryPoint&) const = default;
};
struct RunConfig {
  std::vector<std::pair<std::string, std::string>> fields;
  bool accept;
  bool operator==(const RunConfig&) const = default;
};

// Exactly these host effects since the previous effects check (none for "expect none"); with
// amongOthers ("expect some") these in this order, others allowed between them.
struct ExpectEffects {
  std::vector<HostEffect> effects;
  bool amongOthers = false;
  bool operator==(const ExpectEffects&) const = default;
};
// Exactly these GetDRO and GetLED calls since the previous reads check.
struct ExpectReads {
  std::vector<HostRead> reads;
  bool operator==(const ExpectReads&) const = default;
};
// What the profile file holds: a text anywhere in it (or not), a key of the plug-in's section
// present or missing, keys in this order.
struct ExpectProfileFile {
  enum class Kind { Contains, Lacks, Present, Missing, Order };
  Kind kind;
  std::vector<std::string> words;  // the text, or the keys
  bool operator==(const ExpectProfileFile&) const = default;
};
// The two text lines of the last display report, byte for byte.
struct ExpectDisplay {
  std::string line1;
  std::string line2;
  bool operator==(const ExpectDisplay&) const = default;
};
struct ExpectByte {
  int index;
  int value;
  bool operator==(const ExpectByte&) const = default;
};
struct ExpectDro {
  int dro;
  double value;
  bool operator==(const ExpectDro&) const = default;
};
struct ExpectLed {
  int led;
  bool on;
  bool operator==(const ExpectLed&) const = default;
};
struct ExpectProfile {
  std::string key;
  std::string value;
  bool operator==(const ExpectProfile&) const = default;
};
// Stop and go are bytes in the jog record; the other fields are 32-bit.
inline bool IsByteField(JogField field) {
  return field == JogField::Stop || field == JogField::Go;
}

struct ExpectJog {
  int axis;
  JogField field;
  int64_t value;
  bool operator==(const ExpectJog&) const = default;
};
// Display reports written since the previous writes check.
struct ExpectWrites {
  int count;
  bool operator==(const ExpectWrites&) const = default;
};
// Poll ticks the plug-in's window received since the previous ticks check.
struct ExpectTicks {
  int count;
  bool operator==(const ExpectTicks&) const = default;
};
// Open read and write handles on the pendant's path.
struct ExpectHandles {
  int read;
  int write;
  bool operator==(const ExpectHandles&) const = default;
};

using Action =
    std::variant<Say, SetProfileKey, Start, Stop, PlugPendant, RefuseNotices, PlugOtherDevice,
                 SetSelector, SetSwitch, TurnWheel, SetWheelRate, RunTicks, RunUpdates, Wait,
                 SetDro, SetLed, Poke, SetReportTiming, SwitchMachineOn, SetProfileFile, Show,
                 CallEntryPoint, RunConfig, ExpectEffects, ExpectReads, ExpectDisplay, ExpectByte,
                 ExpectDro, ExpectLed, ExpectProfile, ExpectProfileFile, ExpectJog, ExpectWrites,
                 ExpectTicks, ExpectHandles>;

struct Command {
  int line;
  std::string source;  // the script line as written, without outer blanks
  Action action;
};

struct ParseError {
  int line;
  std::string message;
};

struct ParsedScript {
  std::vector<Command> commands;
  std::optional<ParseError> error;  // the first line that could not be parsed
};

}  // namespace pendant::bench::script
