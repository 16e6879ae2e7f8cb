# `make package`: a Debian package of the installed tree, for /usr. dpkg-shlibdeps finds the shared
# libraries the program links; the packages below are what it uses without linking them: the platform
# and picture plugins Qt loads, the sound's GStreamer plugins, the dialogs' font, the refused-drop
# sound, and the desktop's opener for help and exported sites.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pinlore)
set(CPACK_PACKAGE_VENDOR "Pinlore")
set(CPACK_PACKAGE_CONTACT "Pinlore developers <developers@pinlore.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tell travel memories on maps")
set(CPACK_PACKAGE_DESCRIPTION
    "Pinlore tells travel memories on maps: a map picture with spots that play slide shows of \
photos with a sound, and map spots that lead to other maps. Maps are built by dragging pictures, \
sounds and maps from a thumbnail file browser, every edit can be undone, and a map with all maps \
below it exports as a small web site.")
# Staged through DESTDIR with the prefix the package installs to, so that the sample maps name their
# pictures where the package puts them, not where it was staged.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's own libraries live beside it, found through its run path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation, sound-theme-freedesktop, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pinlore.org/")
include(CPack)
