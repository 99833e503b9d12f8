# Builds the Debian package of the build in BUILD_DIR with cpack, unpacks it into SCRATCH with
# dpkg -x and checks it: the programs, skin, entries, udev rule and its probe where Debian looks
# for them, the dependencies taken from the libraries the programs use, and the maintainer scripts
# that have udev reload its rules. Run with cmake -P.

cmake_minimum_required(VERSION 3.25)

function(fail message)
  message(FATAL_ERROR "deb package: ${message}")
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/out")
execute_process(COMMAND ${CPACK} -G DEB -B "${SCRATCH}/out" --config "${BUILD_DIR}/CPackConfig.cmake"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE status OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  fail("cpack failed: ${log}")
endif()
file(GLOB packages "${SCRATCH}/out/vandrel_*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
  fail("expected one vandrel_*.deb, found: ${packages}")
endif()

execute_process(COMMAND dpkg-deb -x "${packages}" "${SCRATCH}/root" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("dpkg-deb -x failed")
endif()
foreach(path usr/bin/vandrel usr/bin/vandrelctl usr/share/vandrel/skin/res.xml
        usr/share/vandrel/skin/lan_en.xml usr/share/vandrel/skin/lan_cn.xml
        usr/share/vandrel/skin/lan_sn.xml usr/share/vandrel/name_1.cur usr/share/vandrel/name_2.cur
        usr/share/vandrel/name_3.cur usr/share/vandrel/name_4.cur
        usr/lib/udev/rules.d/60-vandrel.rules
        usr/lib/udev/vandrel-udev-probe
        usr/share/applications/vandrel.desktop usr/share/vandrel/autostart/vandrel.desktop
        usr/share/icons/hicolor/64x64/apps/vandrel.png
        usr/share/kwin/scripts/vandrel-foreground/contents/code/main.js
        usr/share/gnome-shell/extensions/vandrel-foreground@vandrel.github.io/extension.js
        usr/share/gnome-shell/extensions/vandrel-foreground-legacy@vandrel.github.io/extension.js)
  if(NOT EXISTS "${SCRATCH}/root/${path}")
    fail("${path} is missing")
  endif()
endforeach()
file(GLOB_RECURSE everything RELATIVE "${SCRATCH}/root" "${SCRATCH}/root/*")
foreach(path IN LISTS everything)
  if(NOT path MATCHES "^usr/(bin|share|lib/udev)/")
    fail("${path} lies outside /usr/bin, /usr/share and /usr/lib/udev")
  endif()
endforeach()
# The rule runs the probe where the package puts it, whatever prefix the build was made with.
file(STRINGS "${SCRATCH}/root/usr/lib/udev/rules.d/60-vandrel.rules" probe_calls
     REGEX "IMPORT{program}=")
if(NOT probe_calls MATCHES "IMPORT{program}=\"/usr/lib/udev/vandrel-udev-probe %S%p\"")
  fail("the udev rule does not run /usr/lib/udev/vandrel-udev-probe: ${probe_calls}")
endif()
execute_process(COMMAND "${SCRATCH}/root/usr/lib/udev/vandrel-udev-probe" RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 2)
  fail("the packaged probe does not run (status ${status} without arguments)")
endif()

foreach(entry usr/share/applications/vandrel.desktop usr/share/vandrel/autostart/vandrel.desktop)
  file(STRINGS "${SCRATCH}/root/${entry}" exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=/usr/bin/vandrel")
    fail("${entry} starts '${exec}', not /usr/bin/vandrel")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -f "${packages}" Package Architecture Depends
                OUTPUT_VARIABLE control RESULT_VARIABLE status)
# The foreground program's libraries too: libxcb1 (X11) and libsystemd0 (the D-Bus interface).
foreach(needed "Package: vandrel" "libqt6widgets6" "libqt6svg6" "libudev1" "libpugixml1v5"
        "libxcb1" "libsystemd0" "udev")
  string(FIND "${control}" "${needed}" found)
  if(NOT status EQUAL 0 OR found EQUAL -1)
    fail("the control fields lack ${needed}:\n${control}")
  endif()
endforeach()
# The skin's layouts are built by our own code and the single-instance socket is a plain one.
foreach(unwanted "libqt6uitools6" "libqt6network6")
  string(FIND "${control}" "${unwanted}" found)
  if(NOT found EQUAL -1)
    fail("the control fields name ${unwanted}:\n${control}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -e "${packages}" "${SCRATCH}/control" RESULT_VARIABLE status)
foreach(script postinst postrm)
  set(path "${SCRATCH}/control/${script}")
  if(NOT EXISTS "${path}")
    fail("no ${script}")
  endif()
  file(READ "${path}" text)
  if(NOT text MATCHES "udevadm control --reload-rules")
    fail("${script} does not reload the udev rules")
  endif()
  execute_process(COMMAND test -x "${path}" RESULT_VARIABLE executable)
  if(NOT executable EQUAL 0)
    fail("${script} is not executable")
  endif()
endforeach()

# Unpacked anywhere, the packaged vandrelctl runs and takes the package's share/vandrel as its
# program folder.
set(root "${SCRATCH}/root")
file(MAKE_DIRECTORY "${SCRATCH}/home")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=VANDREL_PROGRAM_DIR "HOME=${SCRATCH}/home"
          "XDG_CONFIG_HOME=${SCRATCH}/home/.config" "${root}/usr/bin/vandrelctl" folders
  RESULT_VARIABLE status OUTPUT_VARIABLE folders)
string(FIND "${folders}" "program_folder: ${root}/usr/share/vandrel/\n" found)
if(NOT status EQUAL 0 OR found EQUAL -1)
  fail("the packaged vandrelctl does not use ${root}/usr/share/vandrel: ${folders}")
endif()
