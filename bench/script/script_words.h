// One line of a bench script split into words. Blanks separate words; a word in double quotes
// may hold blanks and the escapes \" \\ and \xHH; a '#' that begins a word starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pendant::bench {

class ScriptWords {
 public:
  // Splits line; false with a reason in error for an unterminated quote, a bad escape or text
  // glued to a closing quote.
  bool Split(std::string_view line, std::string& error);

  size_t Count() const { return words_.size(); }
  const std::string& Word(size_t index) const { return words_[index].text; }
  // The line from word index on, as written (blanks kept, comment and outer blanks dropped);
  // a single quoted word gives its text. Empty past the last word. False when a quoted word
  // is followed by more words.
  bool RestFrom(size_t index, std::string& rest) const;
  // The line as written without its comment and trailing blanks.
  const std::string& Line() const { return line_; }

 private:
  struct Token {
    std::string text;
    size_t start;
    bool quoted;
  };

  std::vector<Token> words_;
  std::string line_;  // without the comment and trailing blanks
};

}  // namespace pendant::bench
