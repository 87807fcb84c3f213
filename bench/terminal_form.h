// The settings dialog as a terminal form: every setting of the real dialog, edited in place.
#pragma once

#include <functional>
#include <string>

namespace pendant::bench {

// Shows the form until the user accepts it or presses Escape and returns the bench's config
// line for what they did. keepRunning is called whenever the form waits for a key, so the
// session goes on meanwhile.
std::string RunSettingsForm(const std::string& profilePath,
                            const std::function<void()>& keepRunning);

}  // namespace pendant::bench
