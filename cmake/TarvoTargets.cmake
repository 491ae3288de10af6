# Warnings as errors for our own code only; Qt and system headers stay as they are.
function(tarvo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# tarvo_library(name SOURCES ... LINKS ...): one static library of a subsystem.
function(tarvo_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    tarvo_warnings(${name})
endfunction()

# tarvo_test(name SOURCES ... LINKS ... [GUI]): one GoogleTest executable registered with CTest.
function(tarvo_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    tarvo_warnings(${name})
    # Sanitizer options are built into the test main (tests/TestMain.cpp), so they hold however a test is run.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
