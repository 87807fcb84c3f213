# The plug-in's sources: portable behaviour plus the adapters of the platform being built.
set(PENDANT_SOURCES
  host/accessible_memory_${PLATFORM}.cpp
  host/host_interface.cpp
  host/host_string.cpp
  host/tick_counters.cpp
  plugin/exports.cpp
  plugin/module_file.cpp
  plugin/plugin_module.cpp
  plugin/poll_cycle.cpp
  plugin/trundle_win.cpp
  plugin/window_${PLATFORM}.cpp
  plugin/module_file_${PLATFORM}.cpp
  device/hid_${PLATFORM}.cpp
  device/pendant_link.cpp
  device/report_length.cpp
  config/config_run.cpp
  config/dialog_${PLATFORM}.cpp
  config/dialog_controls.cpp
  config/properties_dialog.cpp
  input/action_engine.cpp
  input/jog_mode.cpp
  input/key_actions.cpp
  input/key_timing.cpp
  input/mode_selection.cpp
  input/screen_key.cpp
  input/step_jog.cpp
  input/step_size_text.cpp
  input/value_adjuster.cpp
  input/wheel_action.cpp
  input/wheel_jog.cpp
  display/axis_screens.cpp
  display/axis_value.cpp
  display/compose_display.cpp
  display/display_lines.cpp
  display/function_text_screen.cpp
  display/number_field.cpp
  display/offline_screens.cpp
  display/program_screens.cpp
  display/value_screens.cpp
  settings/leading_int.cpp
  settings/profile_file.cpp
  settings/selection_tables.cpp
  settings/setting_keys.cpp
  settings/startup_load.cpp
  settings/file_replace_${PLATFORM}.cpp
  settings/xml_profile.cpp
)
if(WIN32)
  list(APPEND PENDANT_SOURCES settings/xml_document_win32.cpp config/settings_dialog.rc
       plugin/version.rc)
else()
  list(APPEND PENDANT_SOURCES settings/xml_document_virtual.cpp settings/xml_line_ends.cpp
       platform/virtual_desktop.cpp)
endif()

# Not in the plug-in: the pendant check's portable parts, and the words for host effects and
# selector positions that the check and the bench both print.
set(PENDANT_CHECK_SOURCES
  check/check_options.cpp
  check/check_report.cpp
  check/display_test.cpp
  check/hid_listing.cpp
  check/live_input.cpp
  host/host_at_rest.cpp
  host/host_effect_text.cpp
  input/selector_names.cpp
)

# The engine and the display branch on the jog mode: a switch that leaves out an enumerator
# fails to build, even beside a default, so a new mode is handled everywhere before it runs.
set(pendant_exhaustive_sources ${PENDANT_SOURCES} ${PENDANT_CHECK_SOURCES})
list(FILTER pendant_exhaustive_sources INCLUDE REGEX "^(input|display)/.*\\.cpp$")
set_source_files_properties(${pendant_exhaustive_sources} PROPERTIES COMPILE_OPTIONS -Wswitch-enum)
