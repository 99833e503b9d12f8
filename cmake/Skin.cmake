# The programs find the skin in "skin/" beside them (vandrelctl reads its English texts there) and
# the factory default profile files beside them too. vandrel_skin_beside(TARGET) copies both there
# on every build, so that edits show at once; the default files are made by defaults/.
set(VANDREL_DEFAULTS_DIR ${PROJECT_BINARY_DIR}/defaults/files)

function(vandrel_skin_beside target)
  add_custom_target(${target}_skin ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/skin
            $<TARGET_FILE_DIR:${target}>/skin
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VANDREL_DEFAULTS_DIR} $<TARGET_FILE_DIR:${target}>
    COMMENT "Copying the skin and the default profile files beside ${target}")
  add_dependencies(${target}_skin vandrel_defaults)
  add_dependencies(${target} ${target}_skin)
endfunction()
