# MIENZO_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour aborts instead of printing a
# warning, so a sanitizer run fails the test that triggered it.
if(MIENZO_SANITIZE)
  set(_mienzo_san_flags
    -fsanitize=address,undefined
    -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_compile_options(${_mienzo_san_flags})
  add_link_options(-fsanitize=address,undefined)
endif()

# MIENZO_THREAD_SANITIZER=ON builds everything with ThreadSanitizer instead,
# for the tests that run threads (the GIF animation thread, cross-thread
# messages, timers and waits, sound played asynchronously).
if(MIENZO_THREAD_SANITIZER)
  if(MIENZO_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer and AddressSanitizer cannot be combined")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
