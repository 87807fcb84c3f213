# Runs pendant-sim on SCRIPT and passes when it exits with EXIT_CODE and its error output
# matches the regular expression MESSAGE.
execute_process(
  COMMAND "${SIM}" "${SCRIPT}"
  RESULT_VARIABLE exit_code
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
if(NOT exit_code STREQUAL EXIT_CODE)
  message(FATAL_ERROR "pendant-sim exited with ${exit_code}, expected ${EXIT_CODE}\n${output}${errors}")
endif()
if(NOT errors MATCHES "${MESSAGE}")
  message(FATAL_ERROR "pendant-sim's error output does not match '${MESSAGE}':\n${errors}")
endif()
