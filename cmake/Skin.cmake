# The programs find the skin in "skin/" beside them (vandrelctl reads its English texts there).
# vandrel_skin_beside(TARGET) copies it there on every build, so that edits show at once.
function(vandrel_skin_beside target)
  add_custom_target(${target}_skin ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/skin
            $<TARGET_FILE_DIR:${target}>/skin
    COMMENT "Copying the skin beside ${target}")
  add_dependencies(${target} ${target}_skin)
endfunction()
