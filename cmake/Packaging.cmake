# A Debian package of the installed layout: `cpack -G DEB` in the build folder (see
# scripts/package.sh). The shared libraries the programs link are found by dpkg-shlibdeps;
# the Qt pieces loaded at run time (the window-system plugins) are named here.
set(CPACK_PACKAGE_NAME trundlex)
set(CPACK_PACKAGE_VENDOR "Brackwater Works")
set(CPACK_PACKAGE_CONTACT "Brackwater Works <trundlex@brackwater.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down minigolf game with a course editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Trundlex is a two-dimensional minigolf game seen from above. Players take turns putting a
ball across levels built from square blocks of grass, walls, ice, sand, water and slopes, on
one computer or over the network. The course editor draws and tests levels; trundlex-tool
checks, converts and simulates level files on the command line.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY trundlex)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://brackwater.example/trundlex/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps adds libqt6core6, libqt6gui6, libqt6widgets6, libqt6network6,
# libqt6multimedia6 and the C++ runtime with their versions; the window-system plugins are
# loaded at run time and so are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own dialog texts in Swedish, and the tools that refresh the desktop's caches.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "desktop-file-utils, shared-mime-info")

set(CPACK_GENERATOR DEB)
include(CPack)
