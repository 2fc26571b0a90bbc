# Wayland: the client library, xkbcommon for the keyboard, and the client
# code of each protocol spoken, made by wayland-scanner from the protocol's
# description. Descriptions come from Debian's packages (wayland-protocols,
# plasma-wayland-protocols); the layer shell's, which Debian does not ship
# to build against, is kept here beside this file.
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client xkbcommon)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_package(PlasmaWaylandProtocols REQUIRED)
set(VELTRANE_PROTOCOLS_DIR ${CMAKE_CURRENT_LIST_DIR})

# add_wayland_protocols(TARGET XML...): a static library of the protocols'
# client code; its users include "<name>-client.h".
function(add_wayland_protocols target)
  set(dir ${CMAKE_BINARY_DIR}/generated/wayland/${target})
  file(MAKE_DIRECTORY ${dir})
  set(sources)
  foreach(xml ${ARGN})
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(OUTPUT ${dir}/${name}-client.h ${dir}/${name}.c
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${dir}/${name}-client.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${dir}/${name}.c
      DEPENDS ${xml}
      VERBATIM)
    list(APPEND sources ${dir}/${name}.c ${dir}/${name}-client.h)
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${dir})
  target_link_libraries(${target} PUBLIC PkgConfig::WAYLAND)
endfunction()

# The full-screen clock's surfaces.
add_wayland_protocols(veltrane_wayland_display
  ${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml
  ${WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml
  ${VELTRANE_PROTOCOLS_DIR}/wlr-layer-shell-unstable-v1.xml)

# The idle host's watch.
add_wayland_protocols(veltrane_wayland_idle
  ${WAYLAND_PROTOCOLS_DIR}/staging/ext-idle-notify/ext-idle-notify-v1.xml
  ${PLASMA_WAYLAND_PROTOCOLS_DIR}/idle.xml)
