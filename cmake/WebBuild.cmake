# The web build (emscripten, WebGL 2, threads): the libraries built from
# Debian's sources by cmake/build-web-deps.sh, as the targets the desktop
# build finds on the system, and the page's link options for zpdemo.
set(ZP_WEB_DEPS_DIR "" CACHE PATH "Prefix of the libraries cmake/build-web-deps.sh built")
if(NOT EXISTS "${ZP_WEB_DEPS_DIR}/lib/libSDL2.a")
    message(FATAL_ERROR "ZP_WEB_DEPS_DIR must name the prefix cmake/build-web-deps.sh prints (scripts/build-web passes it)")
endif()

# The engine links whole (its factories register themselves); CMake does
# not know how for this platform, wasm-ld does.
set(CMAKE_LINK_LIBRARY_USING_WHOLE_ARCHIVE "LINKER:--whole-archive" "<LINK_ITEM>" "LINKER:--no-whole-archive")
set(CMAKE_LINK_LIBRARY_USING_WHOLE_ARCHIVE_SUPPORTED TRUE)

# Every object, ours and the libraries', is built for threads.
add_compile_options(-pthread)
add_link_options(-pthread)

function(zp_web_library target)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    list(TRANSFORM ARGN PREPEND "${ZP_WEB_DEPS_DIR}/lib/lib")
    list(TRANSFORM ARGN APPEND ".a")
    set_target_properties(${target} PROPERTIES INTERFACE_LINK_LIBRARIES "${ARGN}"
        INTERFACE_INCLUDE_DIRECTORIES "${ZP_WEB_DEPS_DIR}/include")
endfunction()

zp_web_library(ZLIB::ZLIB z)
zp_web_library(PkgConfig::VORBISFILE vorbisfile vorbis ogg)
zp_web_library(SDL2::SDL2 SDL2)
# emcc puts its own SDL 1 headers on the path: SDL 2's folder comes first.
set_property(TARGET SDL2::SDL2 PROPERTY INTERFACE_INCLUDE_DIRECTORIES
    "${ZP_WEB_DEPS_DIR}/include/SDL2" "${ZP_WEB_DEPS_DIR}/include")

# The files of the desktop backends that the web backend stands in for.
set(ZP_WEB_REPLACED_SOURCES
    sdl/SdlDesktopSystem.cpp sdl/SdlDisplayDevices.cpp sdl/SdlErrorDialog.cpp sdl/SdlGLLibrary.cpp
    sdl/SdlX11Display.cpp sdl/SoundServerCheck.cpp
    posix/InotifyDirectoryWatcher.cpp posix/PosixLargePageHeap.cpp posix/PosixSingleInstance.cpp)
list(TRANSFORM ZP_WEB_REPLACED_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/engine/platform/")

# The page's program: the blocking frame loop runs as written, each buffer
# swap giving the browser its turn (asyncify); the precalc worker and the
# sound opener are threads from a pool made before the show starts; the
# page starts main itself, after the pak has arrived.
function(zp_web_program target)
    set_target_properties(${target} PROPERTIES SUFFIX ".html")
    target_link_options(${target} PRIVATE
        -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
        -sUSE_PTHREADS=1 -sPTHREAD_POOL_SIZE=4
        -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
        # A fixed heap: growing shared memory slows every access from
        # JavaScript. The show peaks well below it.
        -sINITIAL_MEMORY=268435456
        -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1
        "-sEXPORTED_RUNTIME_METHODS=[callMain,FS]"
        # SDL2 built apart from emcc's ports opens audio through these; the
        # names start with $, which no shell or make lets through: a file.
        -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_CURRENT_SOURCE_DIR}/cmake/web-library-functions.json
        -sENVIRONMENT=web,worker -sMINIFY_HTML=0
        --shell-file ${CMAKE_CURRENT_SOURCE_DIR}/demo/web/shell.html)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/demo/web/shell.html)
    # The service worker that isolates the page on hosts that send no headers.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${CMAKE_CURRENT_SOURCE_DIR}/demo/web/zpdemo-isolation.js ${CMAKE_CURRENT_BINARY_DIR}/zpdemo-isolation.js)
endfunction()
