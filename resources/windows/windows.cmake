# The Windows build of the project (cmake --preset windows): veltrane.scr
# cross-built with MinGW-w64 from the same source lists as the Linux program,
# against Allegro 4.4 for Windows built here from Debian's source package.
#
#   VELTRANE_HOST_BUILD   a Linux build of this project that draws the artwork
#                         and writes the resource script (configured and built
#                         here as needed; default <build>/host)
#   VELTRANE_CACHE        where the Allegro source and its Windows build are
#                         kept between builds and clones (~/.cache/veltrane)
set(os win32)
set(windowing win32)
set(toolkit win32)
enable_language(RC)
include(ExternalProject)

set(VELTRANE_HOST_BUILD ${CMAKE_BINARY_DIR}/host CACHE PATH "Linux build that draws the artwork")
if(DEFINED ENV{XDG_CACHE_HOME})
  set(cache_default $ENV{XDG_CACHE_HOME}/veltrane)
else()
  set(cache_default $ENV{HOME}/.cache/veltrane)
endif()
set(VELTRANE_CACHE ${cache_default} CACHE PATH "Allegro's source and Windows build, kept between builds")

# GCC 12 warns falsely about overlapping copies inside std::string's
# operator+ once inlined (its bug 105329); the MinGW build inlines more.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)

# --- Allegro 4.4.3.1 for Windows, static, with our patch -------------------
# Allegro for Windows is not packaged: Debian's upstream tarball (fetched with
# apt-get source, checked against this hash) is patched and cross-built once;
# a changed patch or toolchain file gives another folder, so another build.
set(allegro_version 4.4.3.1)
set(allegro_tarball_sha256 ec19dbc9a021244582b4819b3583ee594b50141f9fcf6944a4ed8069cbf8d4d4)
set(allegro_patch ${CMAKE_CURRENT_LIST_DIR}/allegro-${allegro_version}-windows.patch)
file(SHA256 ${allegro_patch} patch_hash)
file(SHA256 ${CMAKE_TOOLCHAIN_FILE} toolchain_hash)
string(SHA256 build_hash "${patch_hash}${toolchain_hash}")
string(SUBSTRING ${build_hash} 0 12 build_hash)
set(allegro_prefix ${VELTRANE_CACHE}/allegro-${allegro_version}-${build_hash})
set(allegro_tarball ${VELTRANE_CACHE}/allegro4.4_${allegro_version}.orig.tar.gz)

if(NOT EXISTS ${allegro_prefix}/lib/liballeg.a)
  if(NOT EXISTS ${allegro_tarball})
    message(STATUS "Fetching Allegro ${allegro_version}'s source with apt-get source")
    file(MAKE_DIRECTORY ${VELTRANE_CACHE})
    # Only the upstream tarball is needed; apt may fail on the rest.
    execute_process(COMMAND apt-get source --download-only allegro4.4
                    WORKING_DIRECTORY ${VELTRANE_CACHE} OUTPUT_QUIET ERROR_QUIET)
    if(NOT EXISTS ${allegro_tarball})
      message(FATAL_ERROR "apt-get source allegro4.4 gave no ${allegro_tarball}: "
                          "bash scripts/packages.sh windows adds the deb-src entry it needs")
    endif()
  endif()
  ExternalProject_Add(allegro_windows
    URL ${allegro_tarball}
    URL_HASH SHA256=${allegro_tarball_sha256}
    PATCH_COMMAND patch -p1 --quiet -i ${allegro_patch}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_INSTALL_PREFIX=${allegro_prefix} -DSHARED=OFF -DWANT_ALLEGROGL=OFF
               -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF -DWANT_EXAMPLES=OFF
               -DWANT_TOOLS=OFF -DWANT_TESTS=OFF -DWANT_DOCS=OFF -Wno-dev
    BUILD_BYPRODUCTS ${allegro_prefix}/lib/liballeg.a
    LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
  file(MAKE_DIRECTORY ${allegro_prefix}/include)
endif()

add_library(allegro_static STATIC IMPORTED)
set_target_properties(allegro_static PROPERTIES IMPORTED_LOCATION ${allegro_prefix}/lib/liballeg.a)
add_library(veltrane_allegro INTERFACE)
target_include_directories(veltrane_allegro INTERFACE ${allegro_prefix}/include)
# Our own WinMain is the entry: none of the library's main() wrapping.
target_compile_definitions(veltrane_allegro INTERFACE ALLEGRO_STATICLINK ALLEGRO_NO_MAGIC_MAIN)
target_link_libraries(veltrane_allegro INTERFACE allegro_static
  kernel32 user32 gdi32 comdlg32 ole32 dinput ddraw dxguid winmm dsound shell32 uuid)
if(TARGET allegro_windows)
  add_dependencies(veltrane_allegro allegro_windows)
endif()

# --- The host build: artwork and resource script ---------------------------
# The artwork generator and the resource-script generator run on this machine,
# so they come from a Linux build of the same sources.
ExternalProject_Add(host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${VELTRANE_HOST_BUILD}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target veltrane_assets veltrane-rcgen
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${VELTRANE_HOST_BUILD}/veltrane-rcgen ${VELTRANE_HOST_BUILD}/generated/resources/icon.png
                   ${VELTRANE_HOST_BUILD}/generated/resources/embedded_pictures.cpp)

set(pictures ${VELTRANE_HOST_BUILD}/generated/resources)
find_program(CONVERT convert REQUIRED)
# The host build makes the icon, the pictures and the resource-script
# generator. Naming it here makes every target that uses these commands wait
# for it: the files alone are not enough, as no rule of this build makes them.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/icon.ico
  COMMAND ${CONVERT} ${pictures}/icon.png -define icon:auto-resize=48,32,16 ${CMAKE_BINARY_DIR}/icon.ico
  DEPENDS host_tools ${pictures}/icon.png
  COMMENT "Converting the program icon"
  VERBATIM)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/veltrane.rc
  COMMAND ${VELTRANE_HOST_BUILD}/veltrane-rcgen ${pictures} ${CMAKE_BINARY_DIR}/icon.ico
          > ${CMAKE_BINARY_DIR}/veltrane.rc
  DEPENDS host_tools ${VELTRANE_HOST_BUILD}/veltrane-rcgen ${CMAKE_BINARY_DIR}/icon.ico
  COMMENT "Writing the resource script"
  VERBATIM)

# The names shown in the file's properties and by the installer.
set(VELTRANE_PRODUCT "Veltrane Screen Saver")
set(VELTRANE_VENDOR Morviksoft)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)

# veltrane_windows_program(TARGET): the program as a Windows screen saver:
# one .scr file with its resources, no runtime DLLs beside it, and its asset
# folder copied beside it as the settings store looks for it.
function(veltrane_windows_program target)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/veltrane.rc ${CMAKE_BINARY_DIR}/version.rc)
  # The artwork generator rewrites all its pictures at once, this file too.
  set_source_files_properties(${CMAKE_BINARY_DIR}/veltrane.rc PROPERTIES
    OBJECT_DEPENDS ${pictures}/embedded_pictures.cpp)
  # The asset folder comes from the host build too.
  add_dependencies(${target} host_tools)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON SUFFIX .scr)
  target_link_options(${target} PRIVATE -static -mwindows)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VELTRANE_HOST_BUILD}/morviksoft/veltrane
            ${CMAKE_BINARY_DIR}/morviksoft/veltrane
    VERBATIM)
endfunction()
