# The one place the plug-in's version is written: the project version. The first three fields
# are the version the plug-in shows (its name, the settings dialog, the package); the fourth is
# the build number, which only the DLL's version resource carries.
set(PENDANT_BUILD_NUMBER ${PROJECT_VERSION_TWEAK})
set(PENDANT_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(PENDANT_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/host/version.h.in ${PENDANT_GENERATED_DIR}/host/version.h
               @ONLY)
