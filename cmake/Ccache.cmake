# ccache, when it is installed, serves repeated builds of the same sources (CI, several presets,
# switching branches). Precompiled headers are cached only with these sloppiness settings.
find_program(VANDREL_CCACHE ccache)
if(VANDREL_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${VANDREL_CCACHE})
endif()
