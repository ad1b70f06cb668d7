# Installing Tesmora on a Linux desktop, and its Debian package. Included from the top
# CMakeLists.txt after the tesmora target; destinations are relative to the install prefix.

# The desktop id names the desktop entry, the AppStream component and the icon; the program tells
# it to the desktop (QGuiApplication::desktopFileName), which is how a shell matches its windows to
# the entry. It follows the maker's web address.
set(TESMORA_APP_ID "org.example.Tesmora" CACHE STRING "Reverse-DNS desktop id of the program")
set(TESMORA_PROJECT_LICENSE "LicenseRef-proprietary" CACHE STRING
    "SPDX licence expression of the program, as the AppStream metadata states it")
set(TESMORA_RELEASE_DATE "2026-12-08" CACHE STRING "Date of this release (YYYY-MM-DD)")
set(TESMORA_MAINTAINER "Tesmora Freeware Workshop <tesmora@example.org>" CACHE STRING
    "Maintainer of the Debian package")

target_compile_definitions(tesmora PRIVATE TESMORA_APP_ID="${TESMORA_APP_ID}")

set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})
configure_file(${packaging_dir}/tesmora.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TESMORA_APP_ID}.desktop @ONLY)
configure_file(${packaging_dir}/tesmora.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TESMORA_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tesmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TESMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TESMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/icons/tesmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TESMORA_APP_ID}.svg)
foreach(size 16 32 48 64 128 256)
  install(FILES ${packaging_dir}/icons/png/tesmora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TESMORA_APP_ID}.png)
endforeach()

# The Debian package: `cmake --build build --target package` writes tesmora_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesmora)
set(CPACK_PACKAGE_VENDOR "Tesmora Freeware Workshop")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Tesmora shows the time in large type with the date beneath it, and keeps it in the window\n\
title while minimised. A light-bulb button opens a drawer of small tools: a month calendar, an\n\
English-to-Spanish word list, a four-function calculator, an MP3 player and lookups of area,\n\
country and internet country codes.")
set(CPACK_PACKAGE_CONTACT "${TESMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TESMORA_WEBSITE_URL}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the binary links come from dpkg-shlibdeps (dpkg-dev); the packages below are
# loaded at run time and no linker sees them: the GStreamer elements that decode and play MP3,
# the fonts the window is laid out in, the Wayland platform for sessions without XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, qt6-wayland")
# The About panel opens its links through xdg-open. (The PulseAudio output is in
# gstreamer1.0-plugins-good.)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The package carries the program without its debugging information.
set(CPACK_STRIP_FILES ON)
include(CPack)
