# Native build: the plug-in on the virtual platform, its tests and the virtual bench.
option(PENDANT_TESTS "Build the tests and benchmarks (GoogleTest, Google Benchmark)" ON)

find_package(pugixml REQUIRED)
if(PENDANT_TESTS)
  find_package(GTest REQUIRED)
endif()

# Named like the DLL so the plug-in reports the same name on both platforms.
add_library(QorvixK7R SHARED ${PENDANT_SOURCES})
set_target_properties(QorvixK7R PROPERTIES PREFIX "")
target_include_directories(QorvixK7R PUBLIC ${PROJECT_SOURCE_DIR} PRIVATE ${PENDANT_GENERATED_DIR})
target_link_libraries(QorvixK7R PRIVATE pugixml::pugixml ${CMAKE_DL_LIBS})
# libFuzzer's coverage is on the plug-in's own code and on the profile's document, which the
# profile target aims at. The other adapters of the virtual platform stand in for Windows (the
# HID bus, the desktop, the dialog surface): their branches would only steer the fuzzer off the
# plug-in's paths, and tracing them was about 8 % of a report stream's time.
if(PENDANT_FUZZ)
  set(pendant_traced_sources ${PENDANT_SOURCES})
  list(FILTER pendant_traced_sources EXCLUDE REGEX "^platform/|_virtual\\.cpp$")
  list(APPEND pendant_traced_sources settings/xml_document_virtual.cpp)
  set_property(SOURCE ${pendant_traced_sources} APPEND PROPERTY COMPILE_OPTIONS
               ${PENDANT_FUZZ_COVERAGE})
endif()

# The pendant check's portable parts (the program itself is Windows-only): its unit tests and
# the bench use them.
add_library(pendant_check STATIC ${PENDANT_CHECK_SOURCES})
target_link_libraries(pendant_check PUBLIC QorvixK7R)

add_subdirectory(bench)
if(PENDANT_TESTS)
  add_subdirectory(tests)
endif()
