# VANDREL_SANITIZE is a comma-separated list handed to -fsanitize (address,undefined or thread).
if(VANDREL_SANITIZE)
  set(flags -fsanitize=${VANDREL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${flags})
  add_link_options(${flags})
endif()
