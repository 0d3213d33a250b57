# The manual page of qx-friendship-report, with the project's version filled
# in, compressed as Debian expects when gzip is at hand, plain otherwise (man
# reads both).
set(QX_MANUAL_PAGE "${QX_PACKAGING_BINARY_DIR}/qx-friendship-report.1")
configure_file("${QX_PACKAGING_SOURCE_DIR}/qx-friendship-report.1.in" "${QX_MANUAL_PAGE}" @ONLY)

find_program(QX_GZIP gzip)
if(QX_GZIP)
    set(compressed_page "${QX_PACKAGING_BINARY_DIR}/qx-friendship-report.1.gz")
    # -n leaves the name and time out, so the package is the same on every build.
    add_custom_command(OUTPUT "${compressed_page}"
        COMMAND "${QX_GZIP}" -9 -n -c "${QX_MANUAL_PAGE}" > "${compressed_page}"
        DEPENDS "${QX_MANUAL_PAGE}"
        COMMENT "Compressing the manual page of qx-friendship-report")
    add_custom_target(qx-manual-page ALL DEPENDS "${compressed_page}")
    install(FILES "${compressed_page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    install(FILES "${QX_MANUAL_PAGE}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
