# Read by cpack as it packages (CPACK_PROJECT_CONFIG_FILE), also by a plain
# `cpack -G DEB` in the build folder. Every time in the package, of its files
# and of its archive members, is SOURCE_DATE_EPOCH; when that is not set, it
# is the date of the commit being packaged, or, for sources without git, the
# date of the changelog's entry. So a commit gives the same package whenever
# it is packaged.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_QX_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT epoch)
        execute_process(COMMAND dpkg-parsechangelog -l "${CPACK_QX_CHANGELOG}" -S Timestamp
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
