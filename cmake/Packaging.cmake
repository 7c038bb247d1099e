# The Debian package: `cpack -G DEB` in a configured Release build folder makes
# tonzug_VERSION_amd64.deb from the install rules, plus what Debian wants beside them
# (cmake/DebianPackageTree.cmake adds those to the staged tree).
set(TONZUG_HOMEPAGE https://github.com/tonzug/tonzug)
set(TONZUG_PACKAGE_MAINTAINER "The Tonzug developers <tonzug@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package, as name and mail address")
# A Debian revision of its own, so that the package can be rebuilt without a new release.
set(TONZUG_PACKAGE_REVISION 1)
set(TONZUG_PACKAGE_VERSION ${PROJECT_VERSION}-${TONZUG_PACKAGE_REVISION})
set(TONZUG_COPYRIGHT_YEARS 2026)

# Debian's changelog dates a release in the form of mail headers.
execute_process(COMMAND date --utc --rfc-email --date=${TONZUG_RELEASE_DATE}
                OUTPUT_VARIABLE TONZUG_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(debian_folder ${PROJECT_BINARY_DIR}/debian)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/copyright.in ${debian_folder}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${debian_folder}/changelog @ONLY)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonzug)
set(CPACK_PACKAGE_VENDOR "The Tonzug developers")
set(CPACK_PACKAGE_CONTACT ${TONZUG_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design colour gradients and save them as pictures, CSS or SVG")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tonzug designs colour gradients for web pages, interfaces and
backgrounds: a classic gradient of start, middle and end colour with
solid bands, or any gradient CSS can draw (linear at any angle, radial,
conic, repeating), blended in RGB, HSL, Oklab, OkLCh or any other colour
space of CSS.
.
It has an editor with a stops bar, easing per segment, undo and a live
preview; it exports PNG of 8 or 16 bits (dithered against banding), BMP
or JPEG of exactly the chosen size, a CSS declaration or an SVG picture;
its colour chooser picks from the screen; and its command line exports
without a display.]=])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TONZUG_PACKAGE_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TONZUG_HOMEPAGE})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window cannot open without a platform plugin, which Qt only recommends; the rest
# improves it: SVG icons in the file dialogs, the dialogs in German, Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-translations-l10n, qt6-wayland")

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianPackageTree.cmake)
# Read by that script (CPack hands it only variables named CPACK_*).
set(CPACK_TONZUG_COPYRIGHT ${debian_folder}/copyright)
set(CPACK_TONZUG_CHANGELOG ${debian_folder}/changelog)
set(CPACK_TONZUG_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides)

include(CPack)
