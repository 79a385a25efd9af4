# The Debian package of the show. `cpack -G DEB` in the build folder makes
# zpdemo_<version>_amd64.deb from the rules below, once zpdemo and
# zpdemo_package_files are built (scripts/make-deb does both):
#   /usr/bin/zpdemo                  the launcher: runs the show from the user's folder
#   /usr/lib/zpdemo/zpdemo           the program
#   /usr/share/zpdemo/               its pak, packed by the program's own buildpak
#   /usr/share/applications, icons   the menu entry and its icon, cut from the title card
#   /usr/share/doc/zpdemo, man/man6  copyright, changelog, manual page
set(ZP_DEB_SOURCES ${PROJECT_SOURCE_DIR}/packaging/deb)
set(ZP_DEB_BUILD ${CMAKE_BINARY_DIR}/deb)
set(ZP_DEB_MAINTAINER "The zpdemo developers <zpdemo@example.org>")
set(ZP_TITLE_CARD ${PROJECT_SOURCE_DIR}/data/textures/lumenweaver.tga)
file(MAKE_DIRECTORY ${ZP_DEB_BUILD}/pak ${ZP_DEB_BUILD}/doc)

# buildpak packs "data" in its working folder; a link there stands for the tree.
file(GLOB_RECURSE ZP_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
add_custom_command(OUTPUT ${ZP_DEB_BUILD}/pak/zplumenweaver.dat
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${PROJECT_SOURCE_DIR}/data data
    COMMAND ${CMAKE_COMMAND} -E env ZPDEMO_NO_DIALOGS=1 $<TARGET_FILE:zpdemo> buildpak >buildpak.out
    WORKING_DIRECTORY ${ZP_DEB_BUILD}/pak
    DEPENDS zpdemo ${ZP_DATA_FILES}
    COMMENT "Packing data/ with zpdemo buildpak")

add_custom_command(OUTPUT ${ZP_DEB_BUILD}/zpdemo.png
    COMMAND zpicongen ${ZP_TITLE_CARD} ${ZP_DEB_BUILD}/zpdemo.png
    DEPENDS zpicongen ${ZP_TITLE_CARD}
    COMMENT "Cutting the menu icon from the title card")

# Debian wants both documents compressed without a name or a time stamp.
string(TIMESTAMP ZP_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ZP_MAINTAINER ${ZP_DEB_MAINTAINER})
configure_file(${ZP_DEB_SOURCES}/changelog.in ${ZP_DEB_BUILD}/changelog.in @ONLY)
add_custom_command(OUTPUT ${ZP_DEB_BUILD}/doc/changelog.gz ${ZP_DEB_BUILD}/doc/zpdemo.6.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${ZP_DEB_BUILD}/changelog.in ${ZP_DEB_BUILD}/doc/changelog
    COMMAND ${CMAKE_COMMAND} -E copy ${ZP_DEB_SOURCES}/zpdemo.6 ${ZP_DEB_BUILD}/doc/zpdemo.6
    COMMAND gzip -9nf ${ZP_DEB_BUILD}/doc/changelog ${ZP_DEB_BUILD}/doc/zpdemo.6
    DEPENDS ${ZP_DEB_BUILD}/changelog.in ${ZP_DEB_SOURCES}/zpdemo.6)

add_custom_target(zpdemo_package_files ALL DEPENDS
    ${ZP_DEB_BUILD}/pak/zplumenweaver.dat ${ZP_DEB_BUILD}/zpdemo.png
    ${ZP_DEB_BUILD}/doc/changelog.gz ${ZP_DEB_BUILD}/doc/zpdemo.6.gz)

install(PROGRAMS ${ZP_DEB_SOURCES}/zpdemo.sh DESTINATION bin RENAME zpdemo)
install(TARGETS zpdemo RUNTIME DESTINATION lib/zpdemo)
install(FILES ${ZP_DEB_BUILD}/pak/zplumenweaver.dat DESTINATION share/zpdemo)
install(FILES ${ZP_DEB_SOURCES}/zpdemo.desktop DESTINATION share/applications)
install(FILES ${ZP_DEB_BUILD}/zpdemo.png DESTINATION share/icons/hicolor/128x128/apps)
install(FILES ${ZP_DEB_SOURCES}/copyright ${ZP_DEB_BUILD}/doc/changelog.gz DESTINATION share/doc/zpdemo)
install(FILES ${ZP_DEB_BUILD}/doc/zpdemo.6.gz DESTINATION share/man/man6)

# Packing must not wait for every test and tool to build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zpdemo)
set(CPACK_PACKAGE_VERSION ${ZP_VERSION})
set(CPACK_PACKAGE_VENDOR "The zpdemo developers")
set(CPACK_PACKAGE_CONTACT ${ZP_DEB_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual demo Lumenweaver by Zephal")
set(CPACK_PACKAGE_DESCRIPTION "OpenGL shader scenes on a full-screen display, in time with
music streamed from OGG Vorbis, for about two and a half minutes. The
program, its music, pictures and mesh are all made by the project's own
tools.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${ZP_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
