# Helpers shared by the layers' CMakeLists.

# quivra_library(<name> SOURCES ... [DEPS ...]) — a static library of the portable code.
function(quivra_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# quivra_test(<name> SOURCES ... [DEPS ...]) — a GoogleTest executable whose cases are
# registered with CTest one by one, so that the suite counts every case.
function(quivra_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
endfunction()
