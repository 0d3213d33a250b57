# Installs the program into the usual places of a Linux desktop:
#   bin/                                   the desktop program and qx-friendship-report
#   share/applications/ID.desktop          the menu entry
#   share/metainfo/ID.metainfo.xml         the software-centre description
#   share/icons/hicolor/*/apps/ID.{svg,png} the icon, scalable and rendered
#   share/man/man1/*.1                     the manual pages of both programs
#   share/doc/PACKAGE/{copyright,changelog} what Debian wants of every package
# then describes the Debian package built from the same files (DebianPackage.cmake).

set(QX_PROJECT_LICENSE "LicenseRef-proprietary")
set(QX_HOMEPAGE_URL "http://${QX_SITE_HOST}/qx-free-friendship-compatibility-test/ssd.php?page=home-page")
set(QX_SCREENSHOT_BASE_URL
    "https://raw.githubusercontent.com/qxfriendship/QXFriendshipCompatibilityTest/main/docs"
    CACHE STRING "Web address of the folder that publishes docs/*.png, for the metainfo screenshots")

set(QX_PACKAGING_SOURCE_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(QX_PACKAGING_BINARY_DIR "${PROJECT_BINARY_DIR}/packaging")
set(QX_ICON_SVG "${PROJECT_SOURCE_DIR}/src/ui/icons/qxfriendship.svg")

# A stripped install (cpack, `cmake --install --strip`) also drops the
# compilers' version notes from @program@, as Debian strips its own programs.
set(qx_strip_notes [[
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note
            "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/@program@" COMMAND_ERROR_IS_FATAL ANY)
    endif()
]])

# The desktop program may not be part of every tree state; install what exists.
# Qt comes from the system's library folders, so the installed programs carry
# no library search path of their own (qt_standard_project_setup adds one).
foreach(program QXFreeFriendshipCompatibilityTest qx-friendship-report)
    if(TARGET ${program})
        set_target_properties(${program} PROPERTIES INSTALL_RPATH "")
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        string(CONFIGURE "${qx_strip_notes}" code @ONLY)
        install(CODE "${code}")
    endif()
endforeach()

install(FILES "${QX_PACKAGING_SOURCE_DIR}/${QX_APP_ID}.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file("${QX_PACKAGING_SOURCE_DIR}/${QX_APP_ID}.metainfo.xml.in"
    "${QX_PACKAGING_BINARY_DIR}/${QX_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${QX_PACKAGING_BINARY_DIR}/${QX_APP_ID}.metainfo.xml"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Installs FILE into DESTINATION compressed with gzip -9n, as Debian wants
# manual pages and changelogs (-n leaves the name and time out, so the package
# is the same on every build); plain when gzip is not at hand.
find_program(QX_GZIP gzip)
function(qx_install_compressed file destination)
    if(NOT QX_GZIP)
        install(FILES "${file}" DESTINATION "${destination}")
        return()
    endif()
    get_filename_component(name "${file}" NAME)
    add_custom_command(OUTPUT "${file}.gz"
        COMMAND "${QX_GZIP}" -9 -n -c "${file}" > "${file}.gz"
        DEPENDS "${file}"
        COMMENT "Compressing ${name}")
    string(MAKE_C_IDENTIFIER "${name}" target)
    add_custom_target(qx-compressed-${target} ALL DEPENDS "${file}.gz")
    install(FILES "${file}.gz" DESTINATION "${destination}")
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/DesktopIcons.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ManualPage.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)
