// Reading the arguments of one script command strictly; any problem throws ScriptLineError
// naming the command's usage, which the parser turns into an error for that line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bench/script/script_words.h"

namespace pendant::bench::script {

struct ScriptLineError : std::runtime_error {
  // line 0: the line being parsed.
  explicit ScriptLineError(const std::string& message, int line = 0)
      : std::runtime_error(message), line(line), message(message) {}
  int line;
  std::string message;  // whole, also past a NUL byte, where what() stops
};

class ScriptArgs {
 public:
  // The arguments are the words after the first `nameWords` words; usage reads like
  // "wait MS", its words after the name naming the arguments.
  ScriptArgs(const ScriptWords& words, size_t nameWords, std::string_view usage);

  size_t Count() const { return words_.Count() - first_; }
  void RequireCount(size_t count) const;
  void RequireAtLeast(size_t count) const;

  const std::string& Word(size_t index) const;
  int Int(size_t index, int64_t min, int64_t max) const;
  int64_t Whole(size_t index, int64_t min, int64_t max) const;
  double Number(size_t index) const;
  // A number, or "nan", "inf" or "-inf".
  double AnyNumber(size_t index) const;
  bool OnOff(size_t index) const;
  // The position of the word among choices.
  size_t OneOf(size_t index, std::initializer_list<std::string_view> choices) const;
  // A profile key: letters, digits and underscores, not starting with a digit.
  std::string Key(size_t index) const;
  // The rest of the line from this argument on (see ScriptWords::RestFrom).
  std::string Rest(size_t index) const;

  [[noreturn]] void Fail(const std::string& problem) const;

 private:
  std::string NameOf(size_t index) const;
  double ParsedNumber(size_t index, bool (*parse)(std::string_view, double&),
                      const char* what) const;

  const ScriptWords& words_;
  size_t first_;
  std::string usage_;
};

}  // namespace pendant::bench::script
