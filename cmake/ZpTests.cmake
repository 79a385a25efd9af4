# zp_add_gtests(target LABEL tier [EXCLUDE case...] [PROPERTIES prop value...])
#
# Registers a GoogleTest executable with CTest. Natively every case is a test
# of its own, found at test time. Under Wine each process start costs a third
# of a second or more, so a cross build runs the executable once, as one test
# named after it, with the excluded cases filtered out.
function(zp_add_gtests target)
    cmake_parse_arguments(arg "" "LABEL" "EXCLUDE;PROPERTIES" ${ARGN})
    set(properties LABELS ${arg_LABEL} ENVIRONMENT ZPDEMO_NO_DIALOGS=1 ${arg_PROPERTIES})
    list(JOIN arg_EXCLUDE ":" excluded)
    set(filter "*-${excluded}")
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target} --gtest_filter=${filter} --gtest_brief=1)
        set_tests_properties(${target} PROPERTIES ${properties})
    elseif(excluded)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_FILTER ${filter} PROPERTIES ${properties})
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
    endif()
endfunction()
