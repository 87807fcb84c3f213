// The keys of the interactive mode: what each one does to the pendant, and the list the screen
// shows. A terminal sees no key-up, so a held key is a toggle and a tap is a press and a
// release a moment later.
#pragma once

#include <span>

#include "bench/terminal/terminal_run.h"

namespace pendant::bench {

enum class KeyOutcome { Done, OpenSettings, Quit, Unknown };

struct KeyBinding {
  const char* keys;  // as the screen lists them
  const char* what;
  const char* codes;  // the keys' characters
  KeyOutcome (*act)(InteractiveRun& run, int key);
};

extern const std::span<const KeyBinding> kKeyBindings;

KeyOutcome HandleKey(InteractiveRun& run, int key);

}  // namespace pendant::bench
