# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed layout and the Debian package. ProgramFolder of
# <prefix>/bin/tavrel-world-clock is <prefix>/share/tavrel-world-clock/, where
# data/CMakeLists.txt installs the shipped data.

if(TARGET tavrel-world-clock)
  install(TARGETS tavrel-world-clock RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET tavrel-world-clock-saver)
  install(TARGETS tavrel-world-clock-saver RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(WC_APP_ID org.tavrel.WorldClock)
# The project has no home page, bug tracker or published screenshots yet: what
# ships leaves them out rather than name addresses that do not exist. A
# packager who has them sets these.
set(WC_HOMEPAGE_URL "" CACHE STRING "The project's home page, for the software centre and the package (none when empty)")
set(WC_BUGTRACKER_URL "" CACHE STRING "Where users report bugs, for the software centre (none when empty)")
set(WC_SCREENSHOT_URL "" CACHE STRING "Where docs/*.png are published, for the software centre (none when empty)")
set(WC_MAINTAINER "Unset Maintainer <unset@maintainer.invalid>" CACHE STRING
  "The Debian package's maintainer, \"Name <address>\"; the default says that nobody has been named")
set(WC_RELEASE_DATE "2026-12-10")
set(WC_METAINFO_LINKS "")
if(WC_HOMEPAGE_URL)
  string(APPEND WC_METAINFO_LINKS "  <url type=\"homepage\">${WC_HOMEPAGE_URL}</url>\n")
endif()
if(WC_BUGTRACKER_URL)
  string(APPEND WC_METAINFO_LINKS "  <url type=\"bugtracker\">${WC_BUGTRACKER_URL}</url>\n")
endif()
if(WC_SCREENSHOT_URL)
  string(APPEND WC_METAINFO_LINKS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The world map with cities, the date caption and the sun</caption>
      <image>${WC_SCREENSHOT_URL}main-window.png</image>
    </screenshot>
  </screenshots>\n")
endif()
configure_file(${CMAKE_SOURCE_DIR}/data/${WC_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${WC_APP_ID}.metainfo.xml @ONLY)

install(FILES ${CMAKE_SOURCE_DIR}/data/tavrel-world-clock.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${WC_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Debian wants its copyright file and a compressed changelog beside every package.
set(WC_DEB_DOC ${CMAKE_INSTALL_DATADIR}/doc/tavrel-world-clock)
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/copyright DESTINATION ${WC_DEB_DOC})
configure_file(${CMAKE_SOURCE_DIR}/data/debian/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog)
add_custom_target(deb_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${WC_DEB_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel-world-clock)
set(CPACK_PACKAGE_VENDOR "Tavrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "world map with the night side and the time in cities")
set(CPACK_PACKAGE_DESCRIPTION "A desktop world clock: a live world map with the night side shaded
from the computed position of the sun, and chosen cities with their local
times; desktop clocks, reminders in a city's local time, the map as
wallpaper and screen saver, a time finder with dial codes, a year
calendar, a city and time-zone manager, a tray icon and global hot keys.")
set(CPACK_PACKAGE_CONTACT "${WC_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(WC_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${WC_HOMEPAGE_URL})
endif()
# The libraries from what the binaries link; beside them what is loaded
# by name at run time: the fonts the layouts were designed with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# Opening the user guide and web pages goes through the desktop's opener.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
