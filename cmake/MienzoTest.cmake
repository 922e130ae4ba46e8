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

# A test that needs an X server: run under xvfb-run (a free display number)
# with xdotool's path in MIENZO_XDOTOOL. Two xvfb-runs starting at once can
# pick the same number, and one server then fails to start, so these tests
# never run at the same time as each other. Without xvfb-run the test still
# runs and reports itself skipped with the reason (MIENZO_E2E_SKIP).
# -noreset keeps the server from resetting, and refusing connections for a
# moment, whenever its last client has gone.
function(mienzo_add_x11_test)
  cmake_parse_arguments(ARG "" "NAME;SCREEN" "SOURCES;LIBS" ${ARGN})
  if(NOT MIENZO_BUILD_TESTS)
    return()
  endif()
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN 1024x768x24)
  endif()
  find_program(MIENZO_XVFB_RUN xvfb-run)
  find_program(MIENZO_XDOTOOL xdotool)
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  mienzo_warnings(${ARG_NAME})
  set(_environment "MIENZO_XDOTOOL=${MIENZO_XDOTOOL}")
  if(MIENZO_XVFB_RUN)
    add_test(NAME ${ARG_NAME}
             COMMAND ${MIENZO_XVFB_RUN} -a -s "-screen 0 ${ARG_SCREEN} -noreset"
                     $<TARGET_FILE:${ARG_NAME}>)
  else()
    add_test(NAME ${ARG_NAME} COMMAND $<TARGET_FILE:${ARG_NAME}>)
    list(APPEND _environment "MIENZO_E2E_SKIP=xvfb-run was not found when the build was configured")
  endif()
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "${_environment}"
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    RESOURCE_LOCK x_server
    TIMEOUT 180)
endfunction()
