#include "bench/script/script_args.h"

#include <sstream>
#include <vector>

#include "bench/script/strict_number.h"

namespace pendant::bench::script {

ScriptArgs::ScriptArgs(const ScriptWords& words, size_t nameWords, std::string_view usage)
    : words_(words), first_(nameWords), usage_(usage) {}

void ScriptArgs::Fail(const std::string& problem) const {
  throw ScriptLineError(problem + " (usage: " + usage_ + ")");
}

std::string ScriptArgs::NameOf(size_t index) const {
  std::istringstream usage(usage_);
  std::vector<std::string> names;
  for (std::string name; usage >> name;) names.push_back(name);
  const size_t at = first_ + index;
  return at < names.size() ? names[at] : "an argument";
}

void ScriptArgs::RequireCount(size_t count) const {
  if (Count() != count) {
    Fail("takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") + ", not " +
         std::to_string(Count()));
  }
}

void ScriptArgs::RequireAtLeast(size_t count) const {
  if (Count() < count) Fail("takes at least " + std::to_string(count) + " arguments");
}

const std::string& ScriptArgs::Word(size_t index) const {
  if (index >= Count()) Fail(NameOf(index) + " is missing");
  return words_.Word(first_ + index);
}

int64_t ScriptArgs::Whole(size_t index, int64_t min, int64_t max) const {
  int64_t value = 0;
  if (!ParseWholeNumber(Word(index), min, max, value)) {
    Fail(NameOf(index) + " '" + Word(index) + "' is not a whole number from " +
         std::to_string(min) + " to " + std::to_string(max));
  }
  return value;
}

int ScriptArgs::Int(size_t index, int64_t min, int64_t max) const {
  return static_cast<int>(Whole(index, min, max));
}

double ScriptArgs::Number(size_t index) const {
  return ParsedNumber(index, ParseFiniteNumber, "a number");
}

double ScriptArgs::AnyNumber(size_t index) const {
  return ParsedNumber(index, ParseNumberOrNonFinite, "a number, nan, inf or -inf");
}

double ScriptArgs::ParsedNumber(size_t index, bool (*parse)(std::string_view, double&),
                                const char* what) const {
  double value = 0.0;
  if (!parse(Word(index), value)) Fail(NameOf(index) + " '" + Word(index) + "' is not " + what);
  return value;
}

size_t ScriptArgs::OneOf(size_t index, std::initializer_list<std::string_view> choices) const {
  const std::string& word = Word(index);
  size_t position = 0;
  for (std::string_view choice : choices) {
    if (word == choice) return position;
    ++position;
  }
  Fail("'" + word + "' is not one of " + NameOf(index));
}

bool ScriptArgs::OnOff(size_t index) const {
  return OneOf(index, {"off", "on"}) == 1;
}

std::string ScriptArgs::Key(size_t index) const {
  const std::string& word = Word(index);
  bool valid = !word.empty() && !(word[0] >= '0' && word[0] <= '9');
  for (char c : word) {
    valid = valid && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '_');
  }
  if (!valid) Fail("'" + word + "' is not a profile key");
  return word;
}

std::string ScriptArgs::Rest(size_t index) const {
  std::string rest;
  if (!words_.RestFrom(first_ + index, rest)) Fail("nothing may follow a quoted " + NameOf(index));
  return rest;
}

}  // namespace pendant::bench::script
