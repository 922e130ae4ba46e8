# Project-wide warnings for our own targets. CI turns them into errors with
# CMAKE_COMPILE_WARNING_AS_ERROR.
function(mienzo_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wunused -Woverloaded-virtual -Wimplicit-fallthrough)
endfunction()
