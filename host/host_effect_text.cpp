#include "host/host_effect_text.h"

#include <cstdio>

namespace pendant {

std::string ButtonEffectText(int code) {
  return "button " + std::to_string(code);
}

std::string SetDroEffectText(int dro, double value) {
  // Every digit that tells two doubles apart.
  char line[64];
  std::snprintf(line, sizeof line, "setdro %d %.17g", dro, value);
  return line;
}

std::string CodeEffectText(std::string_view line) {
  return "code " + std::string(line);
}

std::string MessageEffectText(std::string_view text) {
  return "message " + std::string(text);
}

}  // namespace pendant
