# The Windows downloads, built with the program by CPack:
#
#   veltrane-setup.exe                  the installer (NSIS, template beside
#                                       this file): veltrane.scr and
#                                       morviksoft\veltrane\ into the system
#                                       folder, an uninstaller, an entry in
#                                       the installed programs
#   veltrane-VERSION-portable.zip       Veltrane\veltrane.scr and
#                                       Veltrane\morviksoft\veltrane\, for
#                                       right-click, Install
#
# What both hold is what these install rules name, so the uninstaller
# removes exactly the files the installer put there.
install(TARGETS veltrane RUNTIME DESTINATION .)
install(DIRECTORY ${VELTRANE_PROGRAM_DIR}/morviksoft DESTINATION .)

set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VENDOR ${VELTRANE_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(CPACK_NSIS_DISPLAY_NAME ${VELTRANE_PRODUCT})
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/icon.ico)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Per generator: the installer's name is fixed for the download page, the
# zip's carries the version and unpacks into a folder of its own.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_options.cmake)
set(portable_zip veltrane-${PROJECT_VERSION}-portable)
set(CPACK_PACKAGE_FILE_NAME ${portable_zip})
# The template beside this file takes the place of CPack's own.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)

# cpack runs inside the build, after the program; the "preinstall" step it
# asks of the build must then not ask for everything again (this included).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(downloads ${CMAKE_BINARY_DIR}/veltrane-setup.exe ${CMAKE_BINARY_DIR}/${portable_zip}.zip)
# The program is linked again whenever the artwork or the icon changes, and
# its asset folder copied with it: the program stands for all three.
add_custom_command(OUTPUT ${downloads}
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  DEPENDS veltrane ${CMAKE_CURRENT_LIST_DIR}/NSIS.template.in
          ${CMAKE_CURRENT_LIST_DIR}/cpack_options.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing the installer and the portable zip"
  VERBATIM)
add_custom_target(veltrane_downloads ALL DEPENDS ${downloads})
