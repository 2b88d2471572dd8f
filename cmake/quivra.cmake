# Helpers shared by the layers' CMakeLists.

# quivra_library(<name> SOURCES ... [DEPS ...]) — a static library of the portable code.
function(quivra_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# quivra_test(<name> SOURCES ... [DEPS ...] [SETUP_CASES <filter> SETUP_FIXTURE <fixture>]) — a
# GoogleTest executable whose cases are registered with CTest one by one, so that the suite
# counts every case. The cases matching the GoogleTest filter SETUP_CASES set up the CTest fixture
# SETUP_FIXTURE: tests that require it run after them, under ctest -j too.
function(quivra_test name)
  cmake_parse_arguments(ARG "" "SETUP_CASES;SETUP_FIXTURE" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ARG_SETUP_CASES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-${ARG_SETUP_CASES}"
                         PROPERTIES LABELS native)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${ARG_SETUP_CASES}"
                         PROPERTIES LABELS native FIXTURES_SETUP ${ARG_SETUP_FIXTURE})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
  endif()
endfunction()
