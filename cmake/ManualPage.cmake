# The manual pages of the two programs, with the project's version filled in,
# compressed as Debian expects (man reads both forms).

# Installs packaging/NAME.SECTION.in as the manual page NAME(SECTION).
function(qx_install_manual_page name section)
    set(page "${QX_PACKAGING_BINARY_DIR}/${name}.${section}")
    configure_file("${QX_PACKAGING_SOURCE_DIR}/${name}.${section}.in" "${page}" @ONLY)
    qx_install_compressed("${page}" ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

qx_install_manual_page(qx-friendship-report 1)
if(TARGET QXFreeFriendshipCompatibilityTest)
    qx_install_manual_page(QXFreeFriendshipCompatibilityTest 1)
endif()
