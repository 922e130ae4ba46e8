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
