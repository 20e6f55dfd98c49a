# The Debian package: `cpack -G DEB` in the build folder gives
# velmora_<version>_<arch>.deb, installing under /usr.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <team@velmora.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.velmora.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English to Roman-script Hindi dictionary with a speaking character")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; what no library pulls in is named:
# Qt's platform plugins (xcb, wayland), espeak-ng's voices, and the fonts the
# windows ask for (Liberation Sans and Serif, DejaVu as the fallback).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, espeak-ng-data, fonts-liberation, fonts-dejavu-core")
# CPack puts the summary above this, as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velmora is a small, fast, offline dictionary from English into Hindi, with
the Hindi written in Roman (Latin) script. Type the first letters of a word
and its meaning, word type and an example are shown at once; an animated
character greets you and says the selected word aloud.
.
It also answers in the terminal: velmora --lookup water, velmora --hindi pani.")
# Debian wants manual pages compressed; a plain install keeps velmora.1.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CompressManPages.cmake)

include(CPack)
