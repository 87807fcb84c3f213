#include "bench/script/demo_script.h"

namespace pendant::bench {

std::string_view DemoScript() {
  return R"(# A machinist's session on a machine that answers: step and velocity jogs move X, the feed
# override, zeroing, the program runs and pauses, a function key runs its macro, the emergency
# stop ends a running jog, the pendant is unplugged and back, and a setting changed in the
# dialog acts at once.
say The host's profile holds the plug-in's settings as its dialog saves them. F1 runs row 6 of the function list, the first custom macro, whose number is 7; its description is Coolant macro. The velocity sensitivity is row 0, the most sensitive: a fast wheel reaches full speed.
profile BUTTON0 6
profile Macro1 7
profile F1 "Coolant macro"
profile VelocityInAuto 0
machine on
dro 800 12.3456

say The host starts the plug-in with the pendant plugged in; X stands at 12.3456.
start
wait 300
expect handles 1 1
expect display "X  .0010" "+12.3456"

say Step mode: five counts forward move X by five steps of 0.001 at 1500 a minute.
say Before the first step the plug-in saves the feed override and sets it to 100 %, then sets it again in every cycle that steps: hence setdro 821 100 twice. 0.3 s after the last step it puts DROs 818 and 821 back.
wheel +5
wait 100
rate 0
wait 400
expect some
code G91G1 F1500.0000 X 0.0050
end
expect dro 800 12.3506
expect display "X  .0010" "+12.3506"

say Velocity mode: X runs at full speed (50 a second) while the wheel turns fast.
say ENDJOG comes in every poll cycle in which the wheel's rate is up but it counts nothing, and in every cycle for about 0.3 s (three host Update calls) after it stops: the host hears stop until the jog is surely over.
mode 2
rate 255
wait 100
wheel +5
tick 1
wheel +5
tick 1
rate 0
tick 1
expect some
code DOJOG
code DOJOG
code ENDJOG
end
# Two poll cycles of 25 ms at 50 a second.
expect dro 800 14.8506
wait 300
expect dro 800 14.8506

say The emergency stop ends a running jog: X stops where it is.
wait 300
rate 255
tick 1
wheel +5
tick 1
wheel +5
tick 1
estop on
tick 1
wait 300
expect some
code DOJOG
code DOJOG
button 1021
end
expect led 800 on
expect dro 800 17.3506
say With the wheel at rest the display blinks E-STOP: lit for half a second, dark for the next.
rate 0
wait 600
expect display " E-STOP " " E-STOP "
say The host's stop is reset once the switch is released.
estop off
wait 100
expect led 800 off

say Feed override: ten counts raise it by five percent.
mode 4
wait 100
wheel +10
wait 100
rate 0
wait 300
expect some
setdro 821 105
end
expect display "FRO 105%" "    0.00"

say Zero X: a double press of the key.
mode 5
wait 600
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 600
expect some
button 1008
end
expect dro 800 0

say Program start with a double press: the program runs, DRO 816 counts its lines.
axis 4
wait 600
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 1200
expect led 804 on
expect dro 816 2
say The next double press pauses it where it is.
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 300
expect led 805 on
expect dro 816 2
say A double press at the stop position stops it.
axis 5
wait 600
key down
wait 100
key up
wait 100
key down
wait 100
key up
wait 300
expect led 805 off

say F1 (function keys, axis selector 1) runs macro 7; the display shows its description.
mode 6
axis 1
wait 600
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

say The pendant is unplugged: the host is told to stop and the display is no longer written.
say X stands at 10: the program's first moves took it there before the pause.
rate 0
mode 1
wait 300
expect display "X 1500/M" "+10.0000"
pendant unplug
wait 300
expect handles 0 0
expect led 800 on
say The host is in its stop state, which a written display would show as RESET; the pendant still shows the last report written before the unplug.
expect display "X 1500/M" "+10.0000"
pendant plug
wait 300
expect handles 1 1
expect display "  RESET " "  RESET "
say The operator resets the host's stop.
led 800 off

say The operator reverses the X wheel in the settings dialog: forward now moves X back.
config Xreverse=1 ok
expect profile Xreverse 1
wheel +2
wait 100
rate 0
wait 300
expect some
code G91G1 F1500.0000 X -0.0020
end
expect dro 800 9.998

say The host shuts down.
stop
)";
}

}  // namespace pendant::bench
