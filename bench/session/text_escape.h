// Showing script text and plug-in bytes in messages: what a terminal cannot show is written
// as \xHH, the way script quotes write it.
#pragma once

#include <string>
#include <string_view>

namespace pendant::bench {

bool IsPrintable(char c);
// The text in double quotes as a script writes it: \" \\ and \xHH for unprintable bytes.
std::string Quoted(std::string_view text);
// A word or a text as a script line writes it: as it is where it reads back the same, else
// quoted.
std::string ScriptWord(std::string_view text);
// The text with unprintable bytes other than line breaks as \xHH.
std::string Showable(std::string_view text);

}  // namespace pendant::bench
