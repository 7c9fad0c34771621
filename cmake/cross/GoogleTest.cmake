# gtest_discover_tests of a cross build: the whole program is one test, run through
# CMAKE_CROSSCOMPILING_EMULATOR; the properties given (TIMEOUT, LABELS) apply to it.
function(gtest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DISCOVERY_TIMEOUT;DISCOVERY_MODE" "PROPERTIES")
  add_test(NAME ${target} COMMAND ${target})
  if(arg_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
