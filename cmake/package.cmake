# The release package (cmake --build --preset win32 --target package):
# QorvixK7R-<version>-win32.zip with the DLL, the pendant check, the guides and the licence as
# Windows text files, and SHA256SUMS over them. Staged in package-files/ so the sums name the files as they lie in
# the zip.
set(PENDANT_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package-files)

# Text files with CRLF line ends, for Notepad.
set(pendant_package_texts
    ${PROJECT_SOURCE_DIR}/docs/INSTALL.md=INSTALL.txt
    ${PROJECT_SOURCE_DIR}/docs/USER-GUIDE.md=USER-GUIDE.txt
    ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt)
set(pendant_package_files QorvixK7R.dll QorvixK7R-check.exe)
foreach(entry IN LISTS pendant_package_texts)
  string(REPLACE "=" ";" pair ${entry})
  list(GET pair 0 source)
  list(GET pair 1 name)
  configure_file(${source} ${PENDANT_PACKAGE_DIR}/${name} @ONLY NEWLINE_STYLE CRLF)
  list(APPEND pendant_package_files ${name})
endforeach()

add_custom_command(
  OUTPUT ${PENDANT_PACKAGE_DIR}/SHA256SUMS
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:QorvixK7R> ${PENDANT_PACKAGE_DIR}/QorvixK7R.dll
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:QorvixK7R-check>
          ${PENDANT_PACKAGE_DIR}/QorvixK7R-check.exe
  COMMAND sha256sum ${pendant_package_files} > SHA256SUMS
  WORKING_DIRECTORY ${PENDANT_PACKAGE_DIR}
  DEPENDS QorvixK7R QorvixK7R-check ${PENDANT_PACKAGE_DIR}/INSTALL.txt ${PENDANT_PACKAGE_DIR}/USER-GUIDE.txt
          ${PENDANT_PACKAGE_DIR}/LICENSE.txt
  COMMENT "Summing the package's files"
  VERBATIM)
add_custom_target(package_files ALL DEPENDS ${PENDANT_PACKAGE_DIR}/SHA256SUMS)

list(TRANSFORM pendant_package_files PREPEND ${PENDANT_PACKAGE_DIR}/)
install(FILES ${pendant_package_files} ${PENDANT_PACKAGE_DIR}/SHA256SUMS DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PENDANT_VERSION_TEXT})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PENDANT_VERSION_TEXT}-win32)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Same commit, same zip listing: every staged file gets the commit's time.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/package_timestamps.cmake)
set(CPACK_PENDANT_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
