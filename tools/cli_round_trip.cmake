# Runs the two tools as a user would: compile a form, dump the segment with
# its pictures as files into another folder, compile the dump, compare.
#   cmake -DFORMC=... -DFORMDUMP=... -DFORM=... -DWORK=... -P cli_round_trip.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/dump")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed (${result}): ${error}")
  endif()
endfunction()

run("${FORMC}" "${FORM}" -o "${WORK}/first.seg" --cpp "${WORK}/first.cpp" --symbol kForm
    --depfile "${WORK}/first.d")
run("${FORMDUMP}" "${WORK}/first.seg" -o "${WORK}/dump/form.form" --assets "${WORK}/dump/assets"
    --asset-min 40)
run("${FORMC}" "${WORK}/dump/form.form" -o "${WORK}/second.seg")
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/first.seg" "${WORK}/second.seg"
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the dumped form compiles into other bytes")
endif()
file(GLOB assets "${WORK}/dump/assets/*")
if(NOT assets)
  message(FATAL_ERROR "no asset files were written")
endif()

# A broken form fails with its line and writes nothing.
file(WRITE "${WORK}/broken.form" "window 1 {\n  unit 2 Button \"b\" {\n    tab_order x\n  }\n}\n")
execute_process(COMMAND "${FORMC}" "${WORK}/broken.form" -o "${WORK}/broken.seg"
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(result EQUAL 0 OR NOT error MATCHES "broken.form:3: " OR EXISTS "${WORK}/broken.seg")
  message(FATAL_ERROR "a broken form: exit ${result}, said: ${error}")
endif()
