# Installation and the Debian package.
#
# The program reads its lane pictures from dris/ in its working folder, so the
# pictures go to <prefix>/share/velmora/dris and the desktop entry starts the
# program in <prefix>/share/velmora (its Path key).
#
#   cmake --install build --prefix /some/where
#   cd build && cpack -G DEB          # velmora_1.0_amd64.deb

include(GNUInstallDirs)

set(VELMORA_DATA_SUBDIR ${CMAKE_INSTALL_DATADIR}/velmora)

# The installed program uses the system's Qt only: no search path of its own.
set_target_properties(velmora PROPERTIES INSTALL_RPATH "")
install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/dris/
        DESTINATION ${VELMORA_DATA_SUBDIR}/dris
        FILES_MATCHING PATTERN "*.jpg")

install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "velmora.png")

# The licence, as Debian keeps it: the copyright file names GPL-3.0-or-later, whose text
# every Debian system has in /usr/share/common-licenses; the notices list what each
# Velmora package links or ships.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.velmora.velmora.metainfo.xml)

# The entry's Path is written when installing, not when configuring: the prefix may
# be given only then (cmake --install --prefix), and a package is staged under one
# folder but installed under another.
set(velmora_desktop_entry ${PROJECT_BINARY_DIR}/packaging/velmora.desktop)
install(CODE "
  set(VELMORA_DATA_DIR \"\${CMAKE_INSTALL_PREFIX}/${VELMORA_DATA_SUBDIR}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/velmora.desktop\" \"${velmora_desktop_entry}\" @ONLY)
")
install(FILES ${velmora_desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <dev@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "distance, speed and time for fourth-grade pupils")
set(CPACK_PACKAGE_DESCRIPTION
    "A small teaching program about distance, speed and time (s = v * t). A pupil picks a
moving object for each of two lanes, types two of t, v and s and presses the start
button; the program computes the third value and moves the objects' pictures across
their lanes. Russian and English texts.")
# Staged with DESTDIR so that the install prefix seen by the desktop entry is the
# one on the pupil's machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmora developers <dev@velmora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layouts' font is mapped to Liberation Sans at start-up.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
include(CPack)
