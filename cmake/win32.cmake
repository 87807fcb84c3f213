enable_language(RC)

# Windows build: the plug-in DLL, the same code as a static library for test programs that
# drive the adapters directly, and the tests that run under Wine.
set(PENDANT_WIN32_LIBS hid setupapi ole32 oleaut32 uuid ws2_32 user32 winmm advapi32)
# Static runtime: the DLL and the test programs need no MinGW DLLs beside them.
set(PENDANT_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(pendant_objects OBJECT ${PENDANT_SOURCES})
target_include_directories(pendant_objects PUBLIC ${PROJECT_SOURCE_DIR} PRIVATE ${PENDANT_GENERATED_DIR})

# The product: exports only the host entry points, undecorated, and imports only system DLLs.
add_library(QorvixK7R SHARED $<TARGET_OBJECTS:pendant_objects>)
set_target_properties(QorvixK7R PROPERTIES PREFIX "" OUTPUT_NAME QorvixK7R)
target_link_libraries(QorvixK7R PRIVATE ${PENDANT_WIN32_LIBS})
# No link time in the PE header: the same sources give the same DLL bytes.
target_link_options(QorvixK7R PRIVATE ${PENDANT_STATIC_RUNTIME} -Wl,--no-insert-timestamp)

add_library(pendant_win32 STATIC $<TARGET_OBJECTS:pendant_objects>)
target_include_directories(pendant_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(pendant_win32 PUBLIC ${PENDANT_WIN32_LIBS})

# The pendant check: a console program from the same code, shipped beside the DLL, that lists
# the HID interfaces, shows what the pendant sends, tests its display and can load the DLL the
# way the host does. Built beside the DLL, as it lies in the package.
set(PENDANT_PLUGIN_LIBRARY ${PROJECT_SOURCE_DIR}/check/plugin_library_win32.cpp)
add_executable(QorvixK7R-check ${PENDANT_CHECK_SOURCES} ${PENDANT_PLUGIN_LIBRARY}
               check/check_console_win32.cpp check/check_main_win32.cpp
               check/pendant_check_win32.cpp check/plugin_run_win32.cpp)
set_target_properties(QorvixK7R-check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
target_include_directories(QorvixK7R-check PRIVATE ${PROJECT_SOURCE_DIR} ${PENDANT_GENERATED_DIR})
target_link_libraries(QorvixK7R-check PRIVATE pendant_win32)
target_link_options(QorvixK7R-check PRIVATE ${PENDANT_STATIC_RUNTIME} -Wl,--no-insert-timestamp)

add_subdirectory(tests/win32)
include(cmake/package.cmake)
add_subdirectory(tests/package)
