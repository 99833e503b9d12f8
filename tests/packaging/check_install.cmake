# Installs the build in BUILD_DIR under PREFIX and checks what lands there: the programs, the
# udev rule covering every product ID the program accepts, the desktop entries, the icon and the
# skin, and that the installed vandrelctl takes PREFIX/share/vandrel as its program folder.
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

# The udev rule grants access to the vendor's nodes for exactly the product IDs of the program.
expect_file(bin/vandrelctl)
expect_file(share/vandrel/skin/res.xml)
expect_file(share/vandrel/skin/lan_en.xml)
expect_file(lib/udev/rules.d/60-vandrel.rules)
file(READ "${SOURCE_DIR}/src/device/product_ids.h" ids_header)
string(REGEX MATCH "kVendorId = 0x([0-9A-Fa-f]+)" _ "${ids_header}")
string(TOLOWER "${CMAKE_MATCH_1}" vendor)
string(REGEX MATCHALL "ProductId = 0x[0-9A-Fa-f]+" product_lines "${ids_header}")
file(STRINGS "${PREFIX}/lib/udev/rules.d/60-vandrel.rules" rules REGEX "^[^#]")
list(LENGTH product_lines product_count)
list(LENGTH rules rule_count)
if(product_count EQUAL 0 OR NOT product_count EQUAL rule_count)
  fail("${rule_count} udev rules for ${product_count} product IDs")
endif()
foreach(line IN LISTS product_lines)
  string(REGEX REPLACE ".*0x" "" product "${line}")
  string(TOLOWER "${product}" product)
  set(rule "KERNEL==\"hidraw*\", SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"${vendor}\", ATTRS{idProduct}==\"${product}\", TAG+=\"uaccess\"")
  if(NOT rule IN_LIST rules)
    fail("no udev rule for ${vendor}:${product}")
  endif()
endforeach()

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

# Installed, the programs find the skin in share/vandrel rather than beside themselves.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=VANDREL_PROGRAM_DIR "HOME=${PREFIX}/home"
          "XDG_CONFIG_HOME=${PREFIX}/home/.config" "${PREFIX}/bin/vandrelctl" folders
  RESULT_VARIABLE status OUTPUT_VARIABLE folders)
string(FIND "${folders}" "program_folder: ${PREFIX}/share/vandrel/\n" found)
if(NOT status EQUAL 0 OR found EQUAL -1)
  fail("the installed vandrelctl does not use ${PREFIX}/share/vandrel: ${folders}")
endif()
