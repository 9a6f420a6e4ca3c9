# What `cmake --install` puts in place, and the Debian package CPack builds from
# it: the three programs, the window's desktop entry and icon, the manual pages
# and the bash completion of zm48d.
include(GNUInstallDirs)

foreach(program zm48d zm48d-emulator zm48d-terminal)
  if(TARGET ${program})  # not every build has the window, nor Windows the emulator
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The rest is for Linux desktops: freedesktop menus, man, bash, Debian.
if(NOT UNIX OR APPLE)
  return()
endif()
if(TARGET zm48d-terminal)
  install(FILES packaging/zm48d-terminal.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/zm48d-terminal.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES packaging/zm48d.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zm48d)

# Manual pages go in compressed, as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(manual_pages "")
foreach(page zm48d.1 zm48d-emulator.1)
  set(copy ${PROJECT_BINARY_DIR}/man/${page})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${page} ${copy}
    COMMAND ${GZIP_PROGRAM} -9 -n -f ${copy}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}
    VERBATIM)
  set(compressed ${copy}.gz)
  list(APPEND manual_pages ${compressed})
endforeach()
add_custom_target(zm48d_manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zm48d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZM48D test terminal")
set(CPACK_PACKAGE_CONTACT "ZM48D test terminal developers <zm48d@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "test terminal for the ZM48D access-control controller")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A desktop test terminal for the ZM48D door controller over a serial line: the\n"
       "window zm48d-terminal (beeper, relays, clock, settings, groups, holidays and tag\n"
       "list editors, uploads, event stack, online reading), the command line zm48d for\n"
       "scripts and production lines, and zm48d-emulator, a controller on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps; the window's platform
# plugins (xcb, wayland) are loaded at run time, where it cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET zm48d-terminal)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
# The SVG plugin lets the window show its icon; the completion needs bash-completion.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, libqt6svg6")
include(CPack)
