# Run by cpack before and after it writes the .deb (CPACK_PRE_BUILD_SCRIPTS,
# CPACK_POST_BUILD_SCRIPTS), so that no mode in the package depends on the
# umask cpack runs under: CMake makes the staged folders with the umask
# applied, even to CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, and writes the
# members of the .deb with the modes the umask gives them.
if(NOT CPACK_PACKAGE_FILES)
    # Before: the staged folders as Debian wants them, 0755.
    file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    return()
endif()

# After: each member of the .deb, an ar archive (debian-binary, control.tar.gz,
# data.tar.xz), 0644 as dpkg-deb writes them. The archive starts with
# "!<arch>\n"; each member with a header of 60 characters that holds its mode
# at 40 (8 characters) and its size at 48 (10), padded to an even length.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    file(SIZE "${deb}" end)
    set(header 8)
    while(header LESS end)
        math(EXPR mode_at "${header} + 40")
        math(EXPR size_at "${header} + 48")
        file(READ "${deb}" size OFFSET ${size_at} LIMIT 10)
        string(STRIP "${size}" size)
        execute_process(COMMAND printf "%-8s" 100644
            COMMAND dd "of=${deb}" bs=1 seek=${mode_at} conv=notrunc status=none
            COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
    endwhile()
endforeach()
