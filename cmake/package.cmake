# The Debian package, made by `./kobalin.sh package` (cpack -G DEB) from a
# Release build; the files go where the install rules put them, under /usr.
set(KOBALIN_MAINTAINER "Tendrik <kobalin@tendrik.nl>" CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kobalin)
set(CPACK_PACKAGE_VENDOR Tendrik)
# All four parts; CPack would take only the first three.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that prepares layer files for MC1 soil compaction")
set(CPACK_PACKAGE_DESCRIPTION [=[
Kobalin is a small desktop wizard with which a site operator prepares the
layer file that an MC1 machine-control system uses in soil compaction.

In five steps in one window the operator chooses the reference model (a
design file, .xml or .lin), adds up to three comment lines and enters the
layers: name, offset, and the targets and tolerances of the pass count, the
roller speed and the compaction value (CMV). Layers can be kept as
templates. The layer file is written beside the model.

The program speaks English, Dutch and Norwegian.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KOBALIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links to, as dpkg-shlibdeps finds them ...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ... and the packages of the plugins Qt loads at run time, which it cannot
# see: the SVG icon engine and image reader (every picture and icon is SVG)
# and the X11 platform plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqt6gui6, qt6-translations-l10n")
include(CPack)
