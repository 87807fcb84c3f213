#include "bench/session/text_escape.h"

#include <cstdio>

namespace pendant::bench {
namespace {

void AppendHex(std::string& out, char c) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
  out += escape;
}

}  // namespace

bool IsPrintable(char c) {
  return c >= 0x20 && c <= 0x7E;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (IsPrintable(c)) {
      quoted += c;
    } else {
      AppendHex(quoted, c);
    }
  }
  return quoted + "\"";
}

std::string ScriptWord(std::string_view text) {
  // A '#' starts a comment only where it begins a word, and a blank would end the word.
  bool plain = !text.empty() && text.front() != '#';
  for (char c : text) plain = plain && IsPrintable(c) && c != ' ' && c != '"';
  return plain ? std::string(text) : Quoted(text);
}

std::string Showable(std::string_view text) {
  std::string shown;
  for (char c : text) {
    if (IsPrintable(c) || c == '\n') {
      shown += c;
    } else {
      AppendHex(shown, c);
    }
  }
  return shown;
}

}  // namespace pendant::bench
