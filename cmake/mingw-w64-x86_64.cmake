# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers. The
# -posix flavour is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZP_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZP_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZP_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${ZP_MINGW_HOST}-windres)

# Libraries and headers come from the MinGW sysroot and from the static
# libogg/libvorbis that cmake/build-mingw-deps.sh installs; programs (the
# build's own tools) from the host.
set(ZP_MINGW_DEPS_DIR "" CACHE PATH "Prefix of the libraries built for the target")
# try_compile reads this file again in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZP_MINGW_DEPS_DIR)
set(CMAKE_FIND_ROOT_PATH /usr/${ZP_MINGW_HOST})
if(ZP_MINGW_DEPS_DIR)
    list(APPEND CMAKE_FIND_ROOT_PATH ${ZP_MINGW_DEPS_DIR})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the target's .pc files only, never the host's.
set(ZP_MINGW_PKG_CONFIG_LIBDIR /usr/${ZP_MINGW_HOST}/lib/pkgconfig)
if(ZP_MINGW_DEPS_DIR)
    string(PREPEND ZP_MINGW_PKG_CONFIG_LIBDIR "${ZP_MINGW_DEPS_DIR}/lib/pkgconfig:")
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${ZP_MINGW_PKG_CONFIG_LIBDIR}")
set(ENV{PKG_CONFIG_PATH} "")
