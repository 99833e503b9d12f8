# Every target of the project is built with warnings on. They are errors only where we build
# (the presets and CI turn VANDREL_WERROR on): a distribution's compiler may warn where ours
# does not, and its build must not stop for that.
option(VANDREL_WERROR "Treat compiler warnings as errors" OFF)

add_library(vandrel_warnings INTERFACE)
target_compile_options(vandrel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wconversion -Wsign-conversion -Wimplicit-fallthrough
  $<$<BOOL:${VANDREL_WERROR}>:-Werror>)
