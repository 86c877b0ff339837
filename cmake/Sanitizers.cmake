# GLOUTON_SANITIZE: everything built after this include gets AddressSanitizer and
# UndefinedBehaviorSanitizer, and any finding stops the program.
option(GLOUTON_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(GLOUTON_SANITIZE)
  set(GLOUTON_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                              -fno-omit-frame-pointer)
  add_compile_options(${GLOUTON_SANITIZER_FLAGS})
  add_link_options(${GLOUTON_SANITIZER_FLAGS})
endif()
