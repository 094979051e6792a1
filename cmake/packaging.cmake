# Installation (GNU directory layout) and the Debian package built by CPack.
# Included after every target is defined, so that the desktop program is
# installed when it is part of the build.
include(GNUInstallDirs)

install(TARGETS kerbwise-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET kerbwise)
  install(TARGETS kerbwise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/share/kerbwise.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/share/kerbwise.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kerbwise)

set(CPACK_PACKAGE_NAME kerbwise)
set(CPACK_PACKAGE_VENDOR "Kerbwise")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Checks traffic against extended IPv4 access lists")
set(CPACK_PACKAGE_DESCRIPTION
    "Kerbwise normalises an extended IPv4 access list pasted from a router's\n"
    "configuration, expands its object groups and tells which entries a\n"
    "traffic condition falls under, as a desktop program and on the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kerbwise developers <kerbwise@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# The runtime packages the programs load: the C and C++ runtimes and, for the
# desktop program, Qt's widgets, GUI (which carries the X11 platform plugin on
# Debian) and core libraries. dpkg-shlibdeps, where present, derives the same
# list with the least versions from the built binaries themselves.
set(kerbwise_depends libc6 libgcc-s1 libstdc++6)
if(TARGET kerbwise)
  list(APPEND kerbwise_depends libqt6core6 libqt6gui6 libqt6widgets6)
  # Qt opens documents through xdg-open; without it only the Notepad button fails.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
endif()
find_program(KERBWISE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KERBWISE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(JOIN kerbwise_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()

set(CPACK_GENERATOR DEB)
include(CPack)
