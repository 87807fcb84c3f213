// Host effects written as one line each, the way the bench's transcripts and the pendant check
// print them: "button 1021", "setdro 821 100", "code G90", "message  Jog OFF. ".
#pragma once

#include <string>
#include <string_view>

namespace pendant {

std::string ButtonEffectText(int code);
std::string SetDroEffectText(int dro, double value);
std::string CodeEffectText(std::string_view line);
std::string MessageEffectText(std::string_view text);

}  // namespace pendant
