# Registers a GoogleTest program with ctest. On Linux each test case is its own
# ctest test; under Wine each program is one test, because every start of a
# Windows program costs a Wine process, and a hung program is ended by the
# timeout. Arguments after the target are properties, as gtest_discover_tests
# takes them (PROPERTIES name value ...).
include(GoogleTest)

set(VELDMARK_WINDOWS_TEST_TIMEOUT 600 CACHE STRING "Seconds a Windows test program may run under Wine")

function(veldmark_add_test_program target)
  if(WIN32)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT ${VELDMARK_WINDOWS_TEST_TIMEOUT})
    cmake_parse_arguments(PARSE_ARGV 1 test "" "" "PROPERTIES")
    if(test_PROPERTIES)
      set_tests_properties(${target} PROPERTIES ${test_PROPERTIES})
    endif()
  else()
    gtest_discover_tests(${target} ${ARGN})
  endif()
endfunction()
