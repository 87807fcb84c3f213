#include "bench/demo_script.h"

namespace pendant::bench {

std::string_view DemoScript() {
  return R"(# A machinist's session: jogging in the three modes, the feed override, zeroing, program
# start and pause, a function key, the emergency stop, the pendant unplugged and back, and a
# setting changed in the dialog.
say The host is ready to jog: jogging on (LED 83), X at 12.3456, step 0.001, feed base 50.
led 83 on
dro 133 1
dro 800 12.3456
dro 821 100
dro 828 0.001
dro 3 40
poke C 801872 f64 0.001
poke C 586952 f64 50
poke C 801608 i32 10000
profile BUTTON0 6
profile Macro1 7
profile F1 "Coolant macro"

say The host starts the plug-in; the pendant is plugged in.
start
wait 300
expect handles 1 1
expect display "X  .0010" "+12.3456"

say Step mode on X: five counts forward move X by 0.005 at the step feed (60 x 50 x 50 %).
wheel +5
wait 100
rate 0
wait 500
expect effects
setdro 821 100
setdro 821 100
code G91G1 F1500.0000 X 0.0050
code G90
setdro 818 0
setdro 821 100
end

say Velocity mode: the axis runs while the wheel turns and stops when it rests.
mode 2
wait 100
wheel +3
wait 25
wheel +3
wait 25
wheel +3
wait 25
rate 0
wait 400
expect some
button 334
code DOJOG
code DOJOG
code DOJOG
code ENDJOG
end

say Continuous mode: after 25 counts the axis runs at DRO 3 percent of full speed.
mode 3
wait 100
wheel +10
wait 25
wheel +10
wait 25
wheel +10
wait 25
expect jog 0 velocity 4000
rate 0
wait 400
expect some
code DOJOG
code ENDJOG
end

say Feed override: ten counts raise it by five percent.
mode 4
wait 100
wheel +10
wait 100
rate 0
wait 300
expect effects
button 334
setdro 821 105
end
expect display "FRO 105%" "    0.00"

say Zero X: a double press of the key.
mode 5
wait 100
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 600
expect effects
button 334
button 1008
end

say Program start with a double press; once it runs, the next double press pauses it.
axis 4
wait 100
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 100
led 804 on
wait 600
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 600
led 804 off
expect effects
button 334
code ENDJOG
button 1000
button 1001
end

say F1 (function keys, axis selector 1) runs macro 7; the display shows its description.
mode 6
axis 1
wait 100
expect display "Coolant " "macro   "
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 300
expect some
code M7
message "Custom Macro #1 executed."
end

say Emergency stop: sent until the host shows it, once more on release; the display blinks.
estop on
wait 50
led 800 on
wait 1000
estop off
led 800 off
wait 300
expect effects
button 1021
button 1021
button 1021
end

say The pendant is unplugged: the host is told to stop and the display is no longer written.
pendant unplug
# One display report per 25 ms poll cycle until now (7.6 s), then none.
expect writes 304
wait 300
expect writes 0
expect handles 0 0
pendant plug
wait 300
expect handles 1 1
expect effects
button 1021
end

say A keyboard comes and goes; the pendant keeps working and the host hears nothing.
device plug
wait 250
device unplug
wait 250
expect handles 1 1
expect none

say The operator reverses the X wheel in the settings dialog: forward now moves X back.
config Xreverse=1 ok
expect profile Xreverse 1
mode 1
wait 100
wheel +2
wait 100
rate 0
wait 300
expect some
code G91G1 F1500.0000 X -0.0020
end

say The host shuts down.
stop
)";
}

}  // namespace pendant::bench
