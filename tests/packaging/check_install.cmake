# Installs the build in BUILD_DIR under PREFIX and checks what lands there: the programs, the
# udev rule and its probe, the desktop entries, the icon, the skin, the default recoil tables and
# profile files, and that the installed vandrelctl takes PREFIX/share/vandrel as its program folder.
# Run with cmake -P; -DWITH_QT=OFF when vandrel is not built.

cmake_minimum_required(VERSION 3.25)

function(fail message)
  message(FATAL_ERROR "install layout: ${message}")
endfunction()

function(expect_file path)
  if(NOT EXISTS "${PREFIX}/${path}")
    fail("${path} is missing")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  fail("cmake --install failed: ${errors}")
endif()

# The default recoil tables lie in the program folder, where the mouse's data folder takes them.
foreach(table 1 2 3 4)
  expect_file(share/vandrel/name_${table}.cur)
endforeach()

# The udev rule runs the probe on the nodes of exactly the product IDs the program accepts and
# grants only the nodes the probe names: the vendor collection's of every device, the notification
# node of the keyboards and the mouse only. No line grants a node whatever its descriptor.
expect_file(bin/vandrelctl)
expect_file(share/vandrel/skin/res.xml)
expect_file(share/vandrel/skin/lan_en.xml)
# The About window's link opens the README when the build names no homepage.
expect_file(share/doc/vandrel/README.md)
# The factory default profile files lie in the program folder, beside the skin.
foreach(name msdevicedefault.config msdengdefault.led mskeydefault.pro mpdengdefault.led
             kbdevicedefault.config kbdengdefault.led kbkeydefault.pro
             kbdevice15default.config kb15dengdefault.led kbkey15default.pro
             kbdevice16default.config kb16dengdefault.led kbkey16default.pro
             kbdeviceAreaRGBdefault.config kbAreadengdefault.led kbkeyAreaRgbdefault.pro)
  expect_file(share/vandrel/${name})
endforeach()
expect_file(lib/udev/rules.d/60-vandrel.rules)
expect_file(lib/udev/vandrel-udev-probe)
file(READ "${SOURCE_DIR}/src/device/product_ids.h" ids_header)
string(REGEX MATCH "kVendorId = 0x([0-9A-Fa-f]+)" _ "${ids_header}")
string(TOLOWER "${CMAKE_MATCH_1}" vendor)
string(REGEX MATCH "kPadProductId = 0x([0-9A-Fa-f]+)" _ "${ids_header}")
string(TOLOWER "${CMAKE_MATCH_1}" pad)
string(REGEX MATCHALL "ProductId = 0x[0-9A-Fa-f]+" product_lines "${ids_header}")
set(products "")
foreach(line IN LISTS product_lines)
  string(REGEX REPLACE ".*0x" "" product "${line}")
  string(TOLOWER "${product}" product)
  list(APPEND products ${product})
endforeach()
list(SORT products)
set(notifying ${products})
list(REMOVE_ITEM notifying ${pad})
if(products STREQUAL "" OR notifying STREQUAL products)
  fail("no product IDs, or no mouse pad, in product_ids.h")
endif()

# The product IDs of the vendor that `line` matches, sorted, in `out`.
function(rule_products line out)
  string(REGEX MATCH "ATTRS{idVendor}==\"([0-9a-f]+)\", ATTRS{idProduct}==\"([0-9a-f|]+)\""
         match "${line}")
  if(NOT match OR NOT CMAKE_MATCH_1 STREQUAL vendor)
    fail("this udev rule does not name vendor ${vendor} and its products: ${line}")
  endif()
  string(REPLACE "|" ";" ids "${CMAKE_MATCH_2}")
  list(SORT ids)
  set(${out} "${ids}" PARENT_SCOPE)
endfunction()

set(probe_call "IMPORT{program}=\"${PREFIX}/lib/udev/vandrel-udev-probe %S%p\"")
set(grants "")
file(STRINGS "${PREFIX}/lib/udev/rules.d/60-vandrel.rules" rules REGEX "^[^#]")
foreach(line IN LISTS rules)
  string(FIND "${line}" "${probe_call}" probe_at)
  if(NOT probe_at EQUAL -1)
    rule_products("${line}" probed)
    if(grants)
      fail("the probe runs after a grant")
    endif()
  endif()
  if(NOT line MATCHES "TAG\\+=\"uaccess\"")
    continue()
  endif()
  rule_products("${line}" granted)
  if(line MATCHES "ENV{VANDREL_VENDOR_INTERFACE}==\"1\"")
    list(APPEND grants vendor)
    set(expected "${products}")
  elseif(line MATCHES "ENV{VANDREL_NOTIFICATION_INTERFACE}==\"1\"")
    list(APPEND grants notification)
    set(expected "${notifying}")
  else()
    fail("a udev rule grants nodes the probe did not name: ${line}")
  endif()
  if(NOT granted STREQUAL expected)
    fail("products ${granted} where ${expected} were expected: ${line}")
  endif()
endforeach()
if(NOT probed STREQUAL products)
  fail("the probe ${probe_call} runs for products '${probed}', not '${products}'")
endif()
if(NOT grants STREQUAL "vendor;notification")
  fail("the udev rule grants '${grants}', not the vendor and the notification nodes")
endif()

# The installed probe runs: a node without a descriptor is refused (1), a wrong call is 2.
execute_process(COMMAND "${PREFIX}/lib/udev/vandrel-udev-probe" "${PREFIX}/no-node"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "no report descriptor")
  fail("the installed probe on a missing node: ${status} '${out}' '${err}'")
endif()
execute_process(COMMAND "${PREFIX}/lib/udev/vandrel-udev-probe" RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 2)
  fail("the installed probe without an argument: ${status}")
endif()

if(NOT WITH_QT)
  return()
endif()

expect_file(bin/vandrel)
expect_file(share/icons/hicolor/64x64/apps/vandrel.png)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
foreach(entry share/applications/vandrel.desktop share/vandrel/autostart/vandrel.desktop)
  expect_file(${entry})
  file(STRINGS "${PREFIX}/${entry}" lines)
  list(GET lines 0 group)
  if(NOT group STREQUAL "[Desktop Entry]")
    fail("${entry} does not start with [Desktop Entry]")
  endif()
  foreach(key "Type=Application" "Name=Vandrel" "Icon=vandrel")
    if(NOT key IN_LIST lines)
      fail("${entry} lacks ${key}")
    endif()
  endforeach()
  if(NOT lines MATCHES "Exec=[^;]*/vandrel(;|$)")
    fail("${entry} does not start vandrel")
  endif()
  if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${PREFIX}/${entry}" RESULT_VARIABLE valid
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT valid EQUAL 0)
      fail("${entry}: ${report}")
    endif()
  endif()
endforeach()

# The compositor helpers lie where KWin and GNOME Shell look, each named in its metadata as its
# folder is, and call the interface the program serves: its name, path and interface as the
# program's header gives them.
file(READ "${SOURCE_DIR}/src/platform/foreground_bus.h" bus_header)
set(bus_strings "")
foreach(constant Name Path Interface)
  string(REGEX MATCH "kForegroundBus${constant} = \"([^\"]+)\"" _ "${bus_header}")
  if(NOT CMAKE_MATCH_1)
    fail("kForegroundBus${constant} not found in foreground_bus.h")
  endif()
  list(APPEND bus_strings "${CMAKE_MATCH_1}")
endforeach()
function(expect_bus_calls script)
  file(READ "${PREFIX}/${script}" code)
  foreach(text IN LISTS bus_strings ITEMS WindowActivated NothingActive)
    string(FIND "${code}" "'${text}'" single)
    string(FIND "${code}" "\"${text}\"" double)
    if(single EQUAL -1 AND double EQUAL -1)
      fail("${script} does not name '${text}'")
    endif()
  endforeach()
endfunction()

set(kwin_script share/kwin/scripts/vandrel-foreground)
file(READ "${PREFIX}/${kwin_script}/metadata.json" metadata)
string(JSON id GET "${metadata}" KPlugin Id)
string(JSON main GET "${metadata}" X-Plasma-MainScript)
string(JSON api GET "${metadata}" X-Plasma-API)
if(NOT id STREQUAL "vandrel-foreground" OR NOT api STREQUAL "javascript")
  fail("the KWin script's metadata names '${id}' in '${api}'")
endif()
expect_bus_calls(${kwin_script}/contents/${main})

foreach(uuid vandrel-foreground@vandrel.github.io vandrel-foreground-legacy@vandrel.github.io)
  set(extension share/gnome-shell/extensions/${uuid})
  file(READ "${PREFIX}/${extension}/metadata.json" metadata)
  string(JSON named GET "${metadata}" uuid)
  string(JSON versions LENGTH "${metadata}" shell-version)
  if(NOT named STREQUAL uuid OR versions EQUAL 0)
    fail("${extension}/metadata.json names '${named}' for ${versions} shell versions")
  endif()
  expect_bus_calls(${extension}/extension.js)
endforeach()

# Installed, the programs find the skin in share/vandrel rather than beside themselves.
file(MAKE_DIRECTORY "${PREFIX}/home")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=VANDREL_PROGRAM_DIR "HOME=${PREFIX}/home"
          "XDG_CONFIG_HOME=${PREFIX}/home/.config" "${PREFIX}/bin/vandrelctl" folders
  RESULT_VARIABLE status OUTPUT_VARIABLE folders)
string(FIND "${folders}" "program_folder: ${PREFIX}/share/vandrel/\n" found)
if(NOT status EQUAL 0 OR found EQUAL -1)
  fail("the installed vandrelctl does not use ${PREFIX}/share/vandrel: ${folders}")
endif()
