# GoogleTest from the sources of Debian's googletest package.
set(GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${GOOGLETEST_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources missing in ${GOOGLETEST_DIR}: run scripts/setup.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# A Windows test program run under Wine, each test case its own ctest entry.
# Tests that need a display get VORN_NEEDS_DISPLAY, which makes the wrapper start Xvfb.
function(vorn_add_gtest target)
  cmake_parse_arguments(ARG "DISPLAY" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_compile_options(${target} PRIVATE ${VORN_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  set(env "")
  if(ARG_DISPLAY)
    set(env "VORN_NEEDS_DISPLAY=1")
    set_property(GLOBAL APPEND PROPERTY VORN_DISPLAY_TESTS ${target})
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
