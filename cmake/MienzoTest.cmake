# mienzo_add_test(NAME name SOURCES a_test.cpp ... LIBS lib ...)
# One GoogleTest executable per folder; each case becomes a CTest test.
function(mienzo_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT MIENZO_BUILD_TESTS)
    return()
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock
                        GTest::gtest_main)
  mienzo_warnings(${ARG_NAME})
  include(GoogleTest)
  # Death tests fork; run them in a fresh process each ("threadsafe") so
  # sanitizers and any threads of the parent do not get in the way.
  gtest_discover_tests(${ARG_NAME}
    EXTRA_ARGS --gtest_death_test_style=threadsafe
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120)
endfunction()
