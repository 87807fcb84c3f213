#include "bench/script/script_parser.h"

#include <algorithm>

#include "bench/host/entry_calls.h"
#include "bench/script/script_args.h"
#include "bench/script/script_words.h"

namespace pendant::bench::script {
namespace {

constexpr int64_t kInt16Min = -32768;
constexpr int64_t kInt16Max = 32767;
constexpr int64_t kInt32Min = -2147483648LL;
constexpr int64_t kInt32Max = 2147483647LL;
constexpr int64_t kSelectorMax = 15;  // selectors are four bits in the input report
constexpr int64_t kWheelMax = 1000;
constexpr int64_t kStepsMax = 1000000;
constexpr int64_t kWaitMaxMs = 3600000;
constexpr int64_t kReportDelayMaxMs = 60000;
constexpr int64_t kPokeOffsetMax = 1 << 30;
constexpr int64_t kDisplayReportLastByte = 20;
constexpr int64_t kDisplayLineLength = 8;
constexpr int64_t kHandlesMax = 100;

using ParseFn = Action (*)(const ScriptArgs&);

// Checks whose expected lines follow up to "end".
enum class Block { None, Effects, Reads };

struct Syntax {
  std::string_view name;  // one or two words
  std::string_view usage;
  ParseFn parse;
  Block block = Block::None;
};

Action NoArguments(const ScriptArgs& args, Action action) {
  args.RequireCount(0);
  return action;
}

// A command whose one argument is a whole number from Min to Max.
template <typename Command, int64_t Min, int64_t Max>
Action WholeArgument(const ScriptArgs& args) {
  args.RequireCount(1);
  return Command{args.Int(0, Min, Max)};
}

template <int VirtualPendant::*Selector>
Action SelectorPosition(const ScriptArgs& args) {
  args.RequireCount(1);
  return SetSelector{Selector, args.Int(0, 0, kSelectorMax)};
}

template <bool VirtualPendant::*Switch>
Action SwitchOnOff(const ScriptArgs& args) {
  args.RequireCount(1);
  return SetSwitch{Switch, args.OnOff(0)};
}

// A command naming a DRO and a value.
template <typename Command>
Action DroAndValue(const ScriptArgs& args) {
  args.RequireCount(2);
  return Command{args.Int(0, kInt16Min, kInt16Max), args.AnyNumber(1)};
}

Action ParseStart(const ScriptArgs& args) {
  if (args.Count() == 0) return Start{};
  args.RequireCount(1);
  args.OneOf(0, {"nopendant"});
  return Start{false};
}

Action ParsePendant(const ScriptArgs& args) {
  if (args.Count() == 2) {
    if (args.OneOf(0, {"unplug", "plug"}) == 1) {
      const std::string& path = args.Word(1);
      if (path.rfind(R"(\\)", 0) != 0) args.Fail(R"(PATH must be an interface path, \\?\...)");
      return PlugPendant{true, RemovalNotice::Plain, path};
    }
    const bool lost = args.OneOf(1, {"uppercase", "silent"}) == 1;
    return PlugPendant{false, lost ? RemovalNotice::Lost : RemovalNotice::UpperCase, ""};
  }
  args.RequireCount(1);
  return PlugPendant{args.OneOf(0, {"unplug", "plug"}) == 1, RemovalNotice::Plain, ""};
}

Action ParsePoke(const ScriptArgs& args) {
  args.RequireCount(4);
  const char block = "ABC"[args.OneOf(0, {"A", "B", "C"})];
  const int64_t offset = args.Whole(1, 0, kPokeOffsetMax);
  const auto type = static_cast<Poke::Type>(args.OneOf(2, {"u8", "i32", "f64"}));
  switch (type) {
    case Poke::Type::U8:
      return Poke{block, offset, type, static_cast<double>(args.Whole(3, 0, 255))};
    case Poke::Type::I32:
      return Poke{block, offset, type, static_cast<double>(args.Whole(3, kInt32Min, kInt32Max))};
    case Poke::Type::F64:
      break;
  }
  return Poke{block, offset, type, args.AnyNumber(3)};
}

Action ParseConfig(const ScriptArgs& args) {
  args.RequireAtLeast(1);
  RunConfig config;
  const std::string& close = args.Word(args.Count() - 1);
  if (close != "ok" && close != "cancel") args.Fail("ends with ok or cancel, not '" + close + "'");
  config.accept = close == "ok";
  for (size_t i = 0; i + 1 < args.Count(); ++i) {
    const std::string& field = args.Word(i);
    const size_t equals = field.find('=');
    if (equals == 0 || equals == std::string::npos) args.Fail("'" + field + "' is not KEY=VALUE");
    config.fields.emplace_back(field.substr(0, equals), field.substr(equals + 1));
  }
  return config;
}

Action ParseExpectProfileFile(const ScriptArgs& args) {
  args.RequireAtLeast(2);
  using Kind = ExpectProfileFile::Kind;
  const auto kind =
      static_cast<Kind>(args.OneOf(0, {"contains", "lacks", "present", "missing", "order"}));
  if (kind == Kind::Contains || kind == Kind::Lacks) return ExpectProfileFile{kind, {args.Rest(1)}};
  if (kind != Kind::Order) args.RequireCount(2);
  ExpectProfileFile check{kind, {}};
  for (size_t i = 1; i < args.Count(); ++i) check.words.push_back(args.Key(i));
  return check;
}

Action ParseCall(const ScriptArgs& args) {
  args.RequireCount(1);
  if (!IsEntryPoint(args.Word(0))) {
    args.Fail("'" + args.Word(0) + "' is not an entry point (" + EntryPointList() + ")");
  }
  return CallEntryPoint{args.Word(0)};
}

Action ParseExpectDisplay(const ScriptArgs& args) {
  args.RequireCount(2);
  for (size_t i = 0; i < 2; ++i) {
    if (static_cast<int64_t>(args.Word(i).size()) != kDisplayLineLength) {
      args.Fail("a display line has " + std::to_string(kDisplayLineLength) + " characters, \"" +
                args.Word(i) + "\" has " + std::to_string(args.Word(i).size()));
    }
  }
  return ExpectDisplay{args.Word(0), args.Word(1)};
}

Action ParseExpectJog(const ScriptArgs& args) {
  args.RequireCount(3);
  const int axis = args.Int(0, 0, 3);
  constexpr JogField kFields[] = {JogField::Velocity, JogField::FullSpeed, JogField::JogParam,
                                  JogField::Stop,     JogField::Go,        JogField::Direction};
  const JogField field =
      kFields[args.OneOf(1, {"velocity", "fullspeed", "param", "stop", "go", "direction"})];
  const bool isByte = IsByteField(field);
  return ExpectJog{axis, field, args.Whole(2, isByte ? 0 : kInt32Min, isByte ? 255 : kInt32Max)};
}

const Syntax kCommands[] = {
    {"say", "say TEXT", [](const ScriptArgs& a) -> Action { return Say{a.Rest(0)}; }},
    {"profile", "profile KEY VALUE",
     [](const ScriptArgs& a) -> Action {
       a.RequireAtLeast(2);
       return SetProfileKey{a.Key(0), a.Rest(1)};
     }},
    {"start", "start [nopendant]", ParseStart},
    {"stop", "stop", [](const ScriptArgs& a) { return NoArguments(a, Stop{}); }},
    {"pendant", "pendant unplug|plug [uppercase|silent|PATH]", ParsePendant},
    {"notices", "notices refuse|accept",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(1);
       return RefuseNotices{a.OneOf(0, {"accept", "refuse"}) == 1};
     }},
    {"device", "device unplug|plug",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(1);
       return PlugOtherDevice{a.OneOf(0, {"unplug", "plug"}) == 1};
     }},
    {"axis", "axis N", SelectorPosition<&VirtualPendant::axisSelector>},
    {"mode", "mode N", SelectorPosition<&VirtualPendant::modeSelector>},
    {"extended", "extended on|off", SwitchOnOff<&VirtualPendant::extended>},
    {"key", "key down|up",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(1);
       return SetSwitch{&VirtualPendant::keyDown, a.OneOf(0, {"up", "down"}) == 1};
     }},
    {"estop", "estop on|off", SwitchOnOff<&VirtualPendant::stopEngaged>},
    {"offline", "offline on|off", SwitchOnOff<&VirtualPendant::offline>},
    {"wheel", "wheel +N|-N", WholeArgument<TurnWheel, -kWheelMax, kWheelMax>},
    {"rate", "rate N", WholeArgument<SetWheelRate, 0, 255>},
    {"tick", "tick N", WholeArgument<RunTicks, 0, kStepsMax>},
    {"update", "update N", WholeArgument<RunUpdates, 0, kStepsMax>},
    {"wait", "wait MS", WholeArgument<Wait, 0, kWaitMaxMs>},
    {"dro", "dro N VALUE", DroAndValue<SetDro>},
    {"led", "led N on|off",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(2);
       return SetLed{a.Int(0, kInt16Min, kInt16Max), a.OnOff(1)};
     }},
    {"poke", "poke A|B|C OFFSET u8|i32|f64 VALUE", ParsePoke},
    {"report late", "report late MS", WholeArgument<SetReportTiming, 0, kReportDelayMaxMs>},
    {"report lost", "report lost",
     [](const ScriptArgs& a) { return NoArguments(a, SetReportTiming{-1}); }},
    {"report ontime", "report ontime",
     [](const ScriptArgs& a) { return NoArguments(a, SetReportTiming{0}); }},
    {"config", "config KEY=VALUE ... ok|cancel", ParseConfig},
    {"machine", "machine on",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(1);
       a.OneOf(0, {"on"});
       return SwitchMachineOn{};
     }},
    {"profile-file", "profile-file FILE",
     [](const ScriptArgs& a) -> Action {
       a.RequireAtLeast(1);
       return SetProfileFile{a.Rest(0)};
     }},
    {"show", "show", [](const ScriptArgs& a) { return NoArguments(a, Show{}); }},
    {"call", "call ENTRYPOINT", ParseCall},
    {"expect effects", "expect effects",
     [](const ScriptArgs& a) { return NoArguments(a, ExpectEffects{}); }, Block::Effects},
    {"expect some", "expect some",
     [](const ScriptArgs& a) {
       return NoArguments(a, ExpectEffects{{}, true});
     },
     Block::Effects},
    {"expect reads", "expect reads",
     [](const ScriptArgs& a) { return NoArguments(a, ExpectReads{}); }, Block::Reads},
    {"expect none", "expect none",
     [](const ScriptArgs& a) { return NoArguments(a, ExpectEffects{}); }},
    {"expect display", "expect display LINE1 LINE2", ParseExpectDisplay},
    {"expect byte", "expect byte N VALUE",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(2);
       return ExpectByte{a.Int(0, 0, kDisplayReportLastByte), a.Int(1, 0, 255)};
     }},
    {"expect dro", "expect dro N VALUE", DroAndValue<ExpectDro>},
    {"expect led", "expect led N on|off",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(2);
       return ExpectLed{a.Int(0, kInt16Min, kInt16Max), a.OnOff(1)};
     }},
    {"expect profile", "expect profile KEY VALUE",
     [](const ScriptArgs& a) -> Action {
       a.RequireAtLeast(2);
       return ExpectProfile{a.Key(0), a.Rest(1)};
     }},
    {"expect profile-file", "expect profile-file contains|lacks|present|missing|order TEXT|KEY...",
     ParseExpectProfileFile},
    {"expect jog", "expect jog AXIS FIELD VALUE", ParseExpectJog},
    {"expect writes", "expect writes N", WholeArgument<ExpectWrites, 0, kInt32Max>},
    {"expect ticks", "expect ticks N", WholeArgument<ExpectTicks, 0, kInt32Max>},
    {"expect handles", "expect handles READ WRITE",
     [](const ScriptArgs& a) -> Action {
       a.RequireCount(2);
       return ExpectHandles{a.Int(0, 0, kHandlesMax), a.Int(1, 0, kHandlesMax)};
     }},
};

HostEffect ParseEffect(const ScriptWords& words) {
  using Kind = HostEffect::Kind;
  const std::string& kind = words.Word(0);
  if (kind == "button") {
    const ScriptArgs args(words, 1, "button CODE");
    args.RequireCount(1);
    return {Kind::Button, args.Int(0, kInt16Min, kInt16Max), 0.0, {}};
  }
  if (kind == "setdro") {
    const ScriptArgs args(words, 1, "setdro N VALUE");
    args.RequireCount(2);
    return {Kind::SetDro, args.Int(0, kInt16Min, kInt16Max), args.AnyNumber(1), {}};
  }
  if (kind == "code" || kind == "message") {
    const ScriptArgs args(words, 1, kind + " TEXT");
    args.RequireAtLeast(1);
    return {kind == "code" ? Kind::Code : Kind::Message, 0, 0.0, args.Rest(0)};
  }
  throw ScriptLineError("'" + kind + "' is not a host effect (button, code, setdro, message)");
}

HostRead ParseRead(const ScriptWords& words) {
  const std::string& kind = words.Word(0);
  if (kind != "GetDRO" && kind != "GetLED") {
    throw ScriptLineError("'" + kind + "' is not a host read (GetDRO N, GetLED N)");
  }
  const ScriptArgs args(words, 1, kind + " N");
  args.RequireCount(1);
  return {kind == "GetLED", args.Int(0, kInt16Min, kInt16Max)};
}

const Syntax* FindSyntax(const ScriptWords& words, size_t& nameWords) {
  for (const Syntax& syntax : kCommands) {
    const size_t space = syntax.name.find(' ');
    if (space == std::string_view::npos) {
      nameWords = 1;
      if (words.Word(0) == syntax.name) return &syntax;
    } else {
      nameWords = 2;
      if (words.Count() >= 2 && words.Word(0) == syntax.name.substr(0, space) &&
          words.Word(1) == syntax.name.substr(space + 1)) {
        return &syntax;
      }
    }
  }
  return nullptr;
}

// The script's lines, numbered from 1.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (at_ > text_.size()) return false;
    const size_t end = std::min(text_.find('\n', at_), text_.size());
    line = text_.substr(at_, end - at_);
    at_ = end + 1;
    ++number_;
    return true;
  }
  int Number() const { return number_; }

 private:
  std::string_view text_;
  size_t at_ = 0;
  int number_ = 0;
};

std::string Trimmed(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
}

void SplitOrThrow(ScriptWords& words, std::string_view line) {
  const size_t nul = line.find('\0');
  if (nul != std::string_view::npos) {
    throw ScriptLineError("a NUL byte at column " + std::to_string(nul + 1) + ": a script is text");
  }
  std::string error;
  if (!words.Split(line, error)) throw ScriptLineError(error);
}

// Reads the lines up to "end", each through parseLine, into lines.
template <typename Line>
void ReadBlock(LineReader& lines, std::vector<Line>& into, Line (*parseLine)(const ScriptWords&),
               std::string_view opening, int openingLine) {
  std::string_view line;
  ScriptWords words;
  while (lines.Next(line)) {
    SplitOrThrow(words, line);
    if (words.Count() == 0) continue;
    if (words.Count() == 1 && words.Word(0) == "end") return;
    into.push_back(parseLine(words));
  }
  throw ScriptLineError("'" + std::string(opening) + "' has no 'end'", openingLine);
}

Command ParseCommand(LineReader& lines, const ScriptWords& words) {
  size_t nameWords = 0;
  const Syntax* syntax = FindSyntax(words, nameWords);
  if (!syntax && words.Word(0) == "end")
    throw ScriptLineError("'end' without 'expect effects', 'expect some' or 'expect reads'");
  if (!syntax) {
    const bool isCheck = words.Word(0) == "expect" && words.Count() > 1;
    throw ScriptLineError("unknown " + std::string(isCheck ? "check 'expect " : "command '") +
                          words.Word(isCheck ? 1 : 0) + "'");
  }
  // The command as it is read: a comment is not part of it, also where it follows a text.
  Command command{lines.Number(), Trimmed(words.Line()),
                  syntax->parse(ScriptArgs(words, nameWords, syntax->usage))};
  if (syntax->block == Block::Effects) {
    ReadBlock(lines, std::get<ExpectEffects>(command.action).effects, ParseEffect, syntax->name,
              command.line);
  } else if (syntax->block == Block::Reads) {
    ReadBlock(lines, std::get<ExpectReads>(command.action).reads, ParseRead, syntax->name,
              command.line);
  }
  return command;
}

}  // namespace

ParsedScript ParseScript(std::string_view text) {
  // A byte-order mark, as some editors write at the start of a UTF-8 file, is no command.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  ParsedScript parsed;
  LineReader lines(text);
  std::string_view line;
  ScriptWords words;
  while (lines.Next(line)) {
    try {
      SplitOrThrow(words, line);
      if (words.Count() == 0) continue;
      parsed.commands.push_back(ParseCommand(lines, words));
    } catch (const ScriptLineError& error) {
      parsed.error = ParseError{error.line ? error.line : lines.Number(), error.message};
      return parsed;
    }
  }
  return parsed;
}

}  // namespace pendant::bench::script
