# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a Debian package of the programs and everything `make
# install` puts below the prefix, installed below /usr. The binaries are
# stripped; packaging/finish-deb.cmake adds what Debian's policy asks of a
# package's files (compressed man pages, the changelog and copyright).
#
#   make package   ->  ./tagnomen_<version>_<arch>.deb
#   sudo apt install ./tagnomen_*.deb

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tagnomen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tagnomen authors")
set(CPACK_PACKAGE_CONTACT "The Tagnomen authors <maintainers@tagnomen.org>")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "consistent names and tidy ID3 tags for MP3 files")
set(CPACK_PACKAGE_DESCRIPTION
    "Tagnomen proposes a clean name for every MP3 file of a folder, from the old
file name, from the file's ID3 tags or both, and renames the files only when
the proposals are saved; Undo gives the old names back. Its tools edit, clean
and view the tags and sort the files into folders by artist, album, year or
genre. The desktop program tagnomen and the command line tagnomen-cli run the
same commands.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tagnomen.org/")
# The libraries the programs link (Qt 6 Widgets ...), found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(TAGNOMEN_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(CPACK_PRE_BUILD_SCRIPTS ${TAGNOMEN_PACKAGING_DIR}/finish-deb.cmake)
include(CPack)
