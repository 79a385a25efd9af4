# The one version of a build: the project's version, plus the commit where the
# sources are a git checkout, written so that Debian accepts it and file names
# keep '-' as their only separator: 0.1+g1a2b3c4, 0.1+g1a2b3c4.dirty.
# It is read at configure time; a commit made later shows after the next
# configure.
set(ZP_VERSION ${PROJECT_VERSION})
find_package(Git QUIET)
if(GIT_FOUND)
    # --long names the commit even where a tag sits on it; without any tag
    # --always gives the bare hash.
    execute_process(
        COMMAND ${GIT_EXECUTABLE} describe --always --dirty --long
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE zp_describe
        ERROR_QUIET
        OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE zp_describe_result)
    if(zp_describe_result EQUAL 0 AND zp_describe MATCHES "(^|-g)([0-9a-f]+)(-dirty)?$")
        set(ZP_VERSION "${PROJECT_VERSION}+g${CMAKE_MATCH_2}")
        if(CMAKE_MATCH_3)
            string(APPEND ZP_VERSION ".dirty")
        endif()
    endif()
endif()
message(STATUS "zpdemo version ${ZP_VERSION}")

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.txt CONTENT "${ZP_VERSION}\n")
# The tools that name the version include "zp/Version.h" through zpversion.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/zp/Version.h
    CONTENT "#pragma once\n\n#define ZP_VERSION \"${ZP_VERSION}\"\n")
add_library(zpversion INTERFACE)
target_include_directories(zpversion INTERFACE ${CMAKE_BINARY_DIR}/generated)
