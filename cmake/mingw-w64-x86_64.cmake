# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers. The
# -posix flavour is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZP_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZP_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZP_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${ZP_MINGW_HOST}-windres)

# Libraries and headers come from the MinGW sysroot and from the static
# libogg, libvorbis and Dear ImGui in ZP_MINGW_DEPS_DIR, the folder that
# cmake/build-mingw-deps.sh prints; programs (the build's own tools) from
# the host.
set(ZP_MINGW_DEPS_DIR "" CACHE PATH "Prefix of the libraries built for the target")
if(NOT ZP_MINGW_DEPS_DIR)
    message(FATAL_ERROR "ZP_MINGW_DEPS_DIR is not set. Build the target's libraries and pass their folder:\n"
        "  deps=$(cmake/build-mingw-deps.sh)\n"
        "  cmake --preset windows -DZP_MINGW_DEPS_DIR=\"$deps\"")
endif()
# try_compile reads this file again in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZP_MINGW_DEPS_DIR)
set(CMAKE_FIND_ROOT_PATH /usr/${ZP_MINGW_HOST} ${ZP_MINGW_DEPS_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the target's .pc files only, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} "${ZP_MINGW_DEPS_DIR}/lib/pkgconfig:/usr/${ZP_MINGW_HOST}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
