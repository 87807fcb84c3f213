# The plug-in's sources: portable behaviour plus the adapters of the platform being built.
set(PENDANT_SOURCES
  plugin/exports.cpp
  plugin/host_interface.cpp
  plugin/module_file.cpp
  plugin/plugin_module.cpp
  plugin/poll_cycle.cpp
  plugin/tick_counters.cpp
  plugin/trundle_win.cpp
  plugin/window_${PLATFORM}.cpp
  plugin/module_file_${PLATFORM}.cpp
  device/hid_${PLATFORM}.cpp
  device/pendant_link.cpp
  config/selection_tables.cpp
  input/decode_input.cpp
  input/jog_mode.cpp
  input/key_actions.cpp
  input/key_classifier.cpp
  input/step_jog.cpp
  input/value_adjust.cpp
  input/wheel_action.cpp
  input/wheel_jog.cpp
  display/compose_display.cpp
  settings/leading_int.cpp
  settings/profile_file.cpp
  settings/startup_load.cpp
  settings/file_replace_${PLATFORM}.cpp
  settings/xml_profile.cpp
)
if(WIN32)
  list(APPEND PENDANT_SOURCES settings/xml_msxml.cpp plugin/library_load_win32.cpp)
else()
  list(APPEND PENDANT_SOURCES settings/xml_pugi.cpp)
endif()
