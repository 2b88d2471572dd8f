# Helpers shared by the layers' CMakeLists.

# quivra_library(<name> SOURCES ... [DEPS ...]) — a static library of the portable code.
function(quivra_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  # With the fuzz targets in the build, the product's code carries the coverage marks libFuzzer
  # steers by; the test programs need none.
  if(QUIVRA_BUILD_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# One precompiled header of GoogleTest, GoogleMock and the standard library, shared by every
# test program of a build: reading those headers was most of a test file's compile time.
function(quivra_test_header)
  if(TARGET quivra_test_header)
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/quivra_test_header.cc)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "")
  endif()
  add_library(quivra_test_header OBJECT ${source})
  target_link_libraries(quivra_test_header PRIVATE GTest::gtest GTest::gmock)
  target_precompile_headers(quivra_test_header PRIVATE
    <gtest/gtest.h> <gmock/gmock.h>
    <algorithm> <cstdint> <functional> <map> <memory> <optional> <set> <string> <utility>
    <vector>)
endfunction()

# quivra_test(<name> SOURCES ... [DEPS ...] [SETUP_CASES <filter> SETUP_FIXTURE <fixture>]) — a
# GoogleTest executable whose cases are registered with CTest one by one, so that the suite
# counts every case. The cases matching the GoogleTest filter SETUP_CASES set up the CTest fixture
# SETUP_FIXTURE: tests that require it run after them, under ctest -j too.
function(quivra_test name)
  cmake_parse_arguments(ARG "" "SETUP_CASES;SETUP_FIXTURE" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  quivra_test_header()
  target_precompile_headers(${name} REUSE_FROM quivra_test_header)
  if(ARG_SETUP_CASES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-${ARG_SETUP_CASES}"
                         PROPERTIES LABELS native)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${ARG_SETUP_CASES}"
                         PROPERTIES LABELS native FIXTURES_SETUP ${ARG_SETUP_FIXTURE})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
  endif()
endfunction()
