# `cpack -G DEB` in the build folder makes qx-friendship-compatibility-test_VERSION_ARCH.deb
# from the install rules. Library dependencies are computed by dpkg-shlibdeps;
# only what the linker cannot see is named here.
set(QX_PACKAGE_MAINTAINER "QX Friendship Compatibility Test developers <qxfriendship@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "qx-friendship-compatibility-test")
set(CPACK_PACKAGE_VENDOR "The QX Friendship Compatibility Test developers")
set(CPACK_PACKAGE_CONTACT "${QX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "friendship report for two birth dates, from both sun signs")
set(CPACK_PACKAGE_DESCRIPTION
"A small desktop program: type your name and birth date and a friend's, press
one button, and read your friendship report: both sun signs, a long profile of
each sign, seven trait lines, a verdict and a sentence for your pair of signs.

The command qx-friendship-report prints the same report as text or JSON,
without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Stripped as Debian strips its programs (see Install.cmake).
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QX_PACKAGE_MAINTAINER}")
# The programs live in /usr/bin, where scripts, cron jobs and root find the
# report command too; the games section would want them in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QX_HOMEPAGE_URL}")
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")

set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plug-in that Qt loads at run time ships in libqt6gui6,
# which the computed list names anyway.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

# What Debian wants in /usr/share/doc/PACKAGE: the machine-readable copyright
# file and the changelog, compressed with gzip -9n as the manual pages are.
set(QX_PACKAGE_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}")
configure_file("${QX_PACKAGING_SOURCE_DIR}/copyright.in" "${QX_PACKAGING_BINARY_DIR}/copyright" @ONLY)
install(FILES "${QX_PACKAGING_BINARY_DIR}/copyright" DESTINATION "${QX_PACKAGE_DOC_DIR}")
configure_file("${QX_PACKAGING_SOURCE_DIR}/changelog.in" "${QX_PACKAGING_BINARY_DIR}/changelog" @ONLY)
qx_install_compressed("${QX_PACKAGING_BINARY_DIR}/changelog" "${QX_PACKAGE_DOC_DIR}")

# The exit screen names the maker as it names itself; lintian takes the word
# for a misspelling.
if(TARGET QXFreeFriendshipCompatibilityTest)
    install(FILES "${QX_PACKAGING_SOURCE_DIR}/lintian-overrides"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME "${CPACK_PACKAGE_NAME}")
endif()

# The same commit gives the same package, byte for byte, wherever and
# whenever it is built: the times come from PackageDate.cmake, the modes of
# folders and archive members from PackageModes.cmake rather than from the
# umask. The compiler leaves the build's folders out of the programs
# (Hardening.cmake), and gzip -n the times out of the compressed files.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/PackageDate.cmake")
set(CPACK_QX_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_QX_CHANGELOG "${QX_PACKAGING_BINARY_DIR}/changelog")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/PackageModes.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/PackageModes.cmake")

include(CPack)
