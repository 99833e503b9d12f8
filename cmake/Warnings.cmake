# Every target of the project is built with warnings on and treated as errors.
add_library(vandrel_warnings INTERFACE)
target_compile_options(vandrel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wconversion -Wsign-conversion -Wimplicit-fallthrough)
