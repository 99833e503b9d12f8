# The factory default files the programs find in their program folder: the mouse's recoil tables
# "name_1.cur" … "name_4.cur", generated in the build tree (defaults/). vandrel_defaults_beside
# (TARGET) copies them beside the program, as its program folder in the build tree.
set(VANDREL_RECOIL_DEFAULTS_DIR ${PROJECT_BINARY_DIR}/defaults/recoil)
set(VANDREL_RECOIL_DEFAULTS "")
foreach(table 1 2 3 4)
  list(APPEND VANDREL_RECOIL_DEFAULTS ${VANDREL_RECOIL_DEFAULTS_DIR}/name_${table}.cur)
endforeach()

function(vandrel_defaults_beside target)
  add_custom_target(${target}_defaults ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VANDREL_RECOIL_DEFAULTS}
            $<TARGET_FILE_DIR:${target}>
    COMMENT "Copying the default recoil tables beside ${target}")
  add_dependencies(${target}_defaults vandrel_recoil_defaults)
  add_dependencies(${target} ${target}_defaults)
endfunction()
