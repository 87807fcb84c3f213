#include "bench/demo_script.h"

namespace pendant::bench {

std::string_view DemoScript() {
  return R"(# A short session: the host starts the plug-in with the pendant plugged in, the operator
# uses the pendant, and devices come and go.
say The host starts the plug-in; the pendant is plugged in.
start
wait 500
expect handles 1 1

say The operator turns the wheel five counts forward and lets it rest.
wheel +5
wait 200
rate 0
wait 200

say One short press of the key.
key down
wait 100
key up
wait 300

say The pendant is unplugged: the plug-in tells the host to stop (button 1021) and stops writing.
expect writes 52
pendant unplug
wait 500
expect writes 0
expect handles 0 0

say The pendant is plugged back in: display reports resume.
pendant plug
wait 500
expect writes 20
expect handles 1 1

say A keyboard comes and goes; the pendant keeps working and the host hears nothing.
device plug
wait 250
device unplug
wait 250
expect writes 20
expect handles 1 1

say The host shuts down.
stop
)";
}

}  // namespace pendant::bench
