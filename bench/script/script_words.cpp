#include "bench/script/script_words.h"

namespace pendant::bench {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the quoted word whose opening quote is at line[at]; leaves at just past the closing
// quote.
bool ReadQuoted(std::string_view line, size_t& at, std::string& text, std::string& error) {
  for (++at; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      ++at;
      if (at < line.size() && !IsBlank(line[at])) {
        error = "a closing quote must be followed by a blank";
        return false;
      }
      return true;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    const char escaped = at + 1 < line.size() ? line[at + 1] : '\0';
    if (escaped == '"' || escaped == '\\') {
      text += escaped;
      at += 1;
    } else if (escaped == 'x' && at + 3 < line.size() && HexDigit(line[at + 2]) >= 0 &&
               HexDigit(line[at + 3]) >= 0) {
      text += static_cast<char>(HexDigit(line[at + 2]) * 16 + HexDigit(line[at + 3]));
      at += 3;
    } else {
      error = "unknown escape in quotes (use \\\" \\\\ or \\xHH)";
      return false;
    }
  }
  error = "the closing quote is missing";
  return false;
}

}  // namespace

bool ScriptWords::Split(std::string_view line, std::string& error) {
  words_.clear();
  size_t end = line.size();
  size_t at = 0;
  while (true) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size() || line[at] == '#') {
      end = at;
      break;
    }
    Token word{{}, at, line[at] == '"'};
    if (word.quoted) {
      if (!ReadQuoted(line, at, word.text, error)) return false;
    } else {
      while (at < line.size() && !IsBlank(line[at])) word.text += line[at++];
    }
    words_.push_back(std::move(word));
  }
  while (end > 0 && IsBlank(line[end - 1])) --end;
  line_ = std::string(line.substr(0, end));
  return true;
}

bool ScriptWords::RestFrom(size_t index, std::string& rest) const {
  rest.clear();
  if (index >= words_.size()) return true;
  const Token& first = words_[index];
  if (!first.quoted) {
    rest = line_.substr(first.start);
    return true;
  }
  if (index + 1 != words_.size()) return false;
  rest = first.text;
  return true;
}

}  // namespace pendant::bench
