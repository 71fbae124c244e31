# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of what `cmake --install` puts, made by `cpack -G DEB`.
set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VENDOR Kestrune)
set(CPACK_PACKAGE_CONTACT "${KESTRUNE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the ID3 tags of many MP3 files at once")
# Lines of at most 80 characters, as Debian's package tools show them.
set(CPACK_PACKAGE_DESCRIPTION [[
Kestrune is a desktop editor for the ID3 tags of MP3 files. Pick a folder,
select any number of MP3 files in the list, tick the tag fields to write
(title, artist, album, year, genre, comment and six more), edit their texts
and save: the ticked fields are written into every selected file while a
progress dialog shows how far it has got. The audio of the files is never
changed.

The user interface is in Russian.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_NAME kestrune)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary links come from dpkg-shlibdeps; the plugins Qt loads at run time do not
# show there: the X11 platform (qt6-qpa-plugins, which libqt6gui6 only recommends), and the SVG image
# and icon plugins that draw the window icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# Qt's own texts in Russian (standard buttons, the folder picker) and the Wayland platform.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)
