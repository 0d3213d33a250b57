# The flags Debian builds its own programs with (dpkg-buildflags with
# hardening=+all on Debian 12), with stack-clash and control-flow protection
# and a stricter fortification besides; and what keeps the package the same
# from any folder. The sanitizer and fuzz builds go without the hardening,
# which their instrumentation does not want. Each flag only where the
# compiler or linker takes it, so that clang builds too.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

# Each flag is tried with those taken before it in the same call, as
# -Werror=format-security needs -Wformat.
function(qx_add_compile_options_if_taken)
    foreach(flag IN LISTS ARGN)
        string(MAKE_C_IDENTIFIER "QX_CXX_TAKES${flag}" taken)
        check_cxx_compiler_flag("${flag}" ${taken})
        if(${taken})
            add_compile_options("${flag}")
            string(APPEND CMAKE_REQUIRED_FLAGS " ${flag}")
        endif()
    endforeach()
endfunction()

function(qx_add_link_options_if_taken)
    foreach(flag IN LISTS ARGN)
        string(MAKE_C_IDENTIFIER "QX_LINKER_TAKES${flag}" taken)
        check_linker_flag(CXX "${flag}" ${taken})
        if(${taken})
            add_link_options("${flag}")
        endif()
    endforeach()
endfunction()

# A format string that is not a literal and has no arguments is an error in
# every build: it is a security fault, not a point of style.
qx_add_compile_options_if_taken(-Wformat -Werror=format-security)

# No folder of this machine in what the compiler writes: debug information,
# __FILE__, and so the build-id that the linker computes over them, name the
# source and build folders ".".
check_cxx_compiler_flag(-ffile-prefix-map=old=new QX_CXX_TAKES_FILE_PREFIX_MAP)
if(QX_CXX_TAKES_FILE_PREFIX_MAP)
    add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
endif()

if(NOT (QX_SANITIZE OR QX_FUZZ))
    qx_add_compile_options_if_taken(-fstack-protector-strong -fstack-clash-protection -fcf-protection)
    # Fortified calls need the optimiser; without it the definition only warns.
    # Level 3 (GCC 12, clang 9, glibc 2.34; the level of Debian's releases
    # after 12) also checks calls whose buffer size is known only at run
    # time. At level 2 the compiler proves every sized call of both programs
    # safe and leaves none checked.
    add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=3>)
    # Relocations read-only once resolved, all of them at start.
    qx_add_link_options_if_taken(-Wl,-z,relro -Wl,-z,now)
endif()
