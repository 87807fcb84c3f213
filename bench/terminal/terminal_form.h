// The settings dialog as a terminal form: every setting of the real dialog, edited in place.
#pragma once

#include <functional>
#include <string>

namespace pendant::bench {

struct FormOutcome {
  std::string configLine;  // the bench's config line for what the user did; empty after q
  bool quit = false;       // q: leave the form and the interactive mode
};

// Shows the form until the user accepts it, presses Escape or quits. OK that the dialog would
// refuse keeps the form open on the refused edit. keepRunning is called whenever the form waits
// for a key, so the session goes on meanwhile; false (a hang-up or an interrupt) leaves the form
// as q does.
FormOutcome RunSettingsForm(const std::string& profilePath,
                            const std::function<bool()>& keepRunning);

}  // namespace pendant::bench
