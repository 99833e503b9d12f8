# The factory default files the programs find in their program folder, generated in the build tree
# (defaults/): the mouse's recoil tables "name_1.cur" … "name_4.cur" and the factory default
# profile files. vandrel_defaults_beside(TARGET) copies them beside the program, as its program
# folder in the build tree.
set(VANDREL_RECOIL_DEFAULTS_DIR ${PROJECT_BINARY_DIR}/defaults/recoil)
set(VANDREL_RECOIL_DEFAULTS "")
foreach(table 1 2 3 4)
  list(APPEND VANDREL_RECOIL_DEFAULTS ${VANDREL_RECOIL_DEFAULTS_DIR}/name_${table}.cur)
endforeach()

set(VANDREL_PROFILE_DEFAULTS_DIR ${PROJECT_BINARY_DIR}/defaults/profiles)
set(VANDREL_PROFILE_DEFAULTS
    msdevicedefault.config msdengdefault.led mskeydefault.pro mpdengdefault.led
    kbdevicedefault.config kbdengdefault.led kbkeydefault.pro
    kbdevice15default.config kb15dengdefault.led kbkey15default.pro
    kbdevice16default.config kb16dengdefault.led kbkey16default.pro
    kbdeviceAreaRGBdefault.config kbAreadengdefault.led kbkeyAreaRgbdefault.pro)
list(TRANSFORM VANDREL_PROFILE_DEFAULTS PREPEND ${VANDREL_PROFILE_DEFAULTS_DIR}/)

function(vandrel_defaults_beside target)
  add_custom_target(${target}_defaults ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VANDREL_RECOIL_DEFAULTS}
            ${VANDREL_PROFILE_DEFAULTS} $<TARGET_FILE_DIR:${target}>
    COMMENT "Copying the default recoil tables and profile files beside ${target}")
  add_dependencies(${target}_defaults vandrel_recoil_defaults vandrel_profile_defaults)
  add_dependencies(${target} ${target}_defaults)
endfunction()
