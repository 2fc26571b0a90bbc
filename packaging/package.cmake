# Installation and the Debian package (cd build && cpack -G DEB).
#
#   lib/veltrane/veltrane                    the program; its asset folder and
#   lib/veltrane/morviksoft/veltrane/        defaults file (veltrane.cfg) beside it
#   lib/veltrane/dialog/veltrane-dialog.so   the settings dialog, loaded only for it
#   lib/veltrane/veltrane-idle-host          the xautolock host
#   bin/veltrane, bin/veltrane-idle-host     links to those
#   libexec/xscreensaver/veltrane            a link where XScreenSaver looks
#   share/xscreensaver/config/veltrane.xml   XScreenSaver's options for it
#   share/applications/screensavers/veltrane.desktop   the MATE/Xfce saver entry
#   share/applications/veltrane.desktop      the settings dialog in the menus
#   share/applications/veltrane-add-to-xscreensaver.desktop
#                                            --add-to-xscreensaver in the menus
#   share/icons/hicolor/64x64/apps/veltrane.png
#   share/man/man1/veltrane.1.gz, veltrane-idle-host.1.gz, share/doc/veltrane/{copyright,changelog.gz}
#
# The program finds its folder through /proc/self/exe, which names a link's
# target, so the links keep it beside its pictures and sounds.
set(pkg ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS veltrane DESTINATION lib/veltrane)
if(TARGET veltrane-dialog)
  install(TARGETS veltrane-dialog LIBRARY DESTINATION lib/veltrane/dialog)
endif()
install(DIRECTORY ${VELTRANE_ASSET_DIR} DESTINATION lib/veltrane/morviksoft)
install(PROGRAMS scripts/veltrane-idle-host DESTINATION lib/veltrane)

# The links are made here and installed as links.
set(links ${CMAKE_BINARY_DIR}/packaging/links)
file(MAKE_DIRECTORY ${links}/bin ${links}/xscreensaver)
foreach(name veltrane veltrane-idle-host)
  file(CREATE_LINK ../lib/veltrane/${name} ${links}/bin/${name} SYMBOLIC)
  install(FILES ${links}/bin/${name} DESTINATION bin)
endforeach()
file(CREATE_LINK ../../lib/veltrane/veltrane ${links}/xscreensaver/veltrane SYMBOLIC)
install(FILES ${links}/xscreensaver/veltrane DESTINATION libexec/xscreensaver)

install(FILES ${pkg}/veltrane.xml DESTINATION share/xscreensaver/config)
install(FILES ${pkg}/veltrane-saver.desktop DESTINATION share/applications/screensavers
        RENAME veltrane.desktop)
install(FILES ${pkg}/veltrane.desktop ${pkg}/veltrane-add-to-xscreensaver.desktop DESTINATION share/applications)
install(FILES ${VELTRANE_GENERATED_DIR}/icon.png DESTINATION share/icons/hicolor/64x64/apps
        RENAME veltrane.png)

# veltrane(1)'s options come from the tables --help prints. Debian wants the
# manual pages and the changelog compressed, reproducibly.
set(gz ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${gz}/veltrane.1
  COMMAND veltrane-manpage ${pkg}/veltrane.1.in ${gz}/veltrane.1 ${PROJECT_VERSION}
  DEPENDS veltrane-manpage ${pkg}/veltrane.1.in
  VERBATIM)
foreach(page veltrane.1 veltrane-idle-host.1 changelog)
  set(source ${pkg}/${page})
  if(page STREQUAL "veltrane.1")
    set(source ${gz}/${page})
  endif()
  add_custom_command(OUTPUT ${gz}/${page}.gz
    COMMAND gzip -9n -c ${source} > ${gz}/${page}.gz
    DEPENDS ${source}
    VERBATIM)
endforeach()
add_custom_target(veltrane_package_files ALL
  DEPENDS ${gz}/veltrane.1.gz ${gz}/veltrane-idle-host.1.gz ${gz}/changelog.gz)
install(FILES ${gz}/veltrane.1.gz ${gz}/veltrane-idle-host.1.gz DESTINATION share/man/man1)
install(FILES ${gz}/changelog.gz ${pkg}/copyright DESTINATION share/doc/veltrane)

set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Veltrane Screen Saver team <veltrane@morviksoft.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dialog's web buttons open their pages through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock | mate-screensaver, xautolock")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver showing a large analogue clock")
# CPack puts the summary first and indents these lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Veltrane shows a large analogue clock in one of ten styles, with an optional
second hand, a tick and chimes at the quarter hours. It runs full screen on
its own, or inside XScreenSaver, xsecurelock, MATE and Xfce as one of their
savers, and has a small settings dialog.")
set(CPACK_GENERATOR DEB)
include(CPack)
