# Test executables of the Windows build: one GoogleTest program per subsystem folder under
# tests/, plus the helper programs that end-to-end tests start as real processes.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
# GoogleTest and every test find the project's gtest/internal/custom/gtest-port.h first.
include_directories(BEFORE ${PROJECT_SOURCE_DIR}/tests/googletest)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtarget gtest gtest_main gmock gmock_main)
    if(TARGET ${gtarget})
        target_compile_options(${gtarget} PRIVATE -w)
    endif()
endforeach()

# The helpers every test program shares, each written once (the bench runner uses them too):
# waiting for a state, held keys, surfaces and pixels, temporary folders, drops, child
# processes and Unix programs, replaced seams.
file(GLOB support_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(kelvane_test_support STATIC ${support_sources})
target_include_directories(kelvane_test_support PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(kelvane_test_support PUBLIC gtest shell32 gdi32 user32 advapi32 shlwapi)

foreach(layer foundation framework controls filelists app)
    file(GLOB test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${layer}/*.cpp)
    if(NOT test_sources)
        continue()
    endif()
    add_executable(${layer}_tests ${test_sources})
    target_include_directories(${layer}_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${layer}_tests PRIVATE ${VANTRY_LIBRARIES} kelvane_test_support gmock gtest_main shlwapi)
    if(layer STREQUAL app)
        target_link_libraries(${layer}_tests PRIVATE kelvane_app)
    endif()
    add_test(NAME ${layer}_tests COMMAND ${layer}_tests --gtest_brief=1)
    set_tests_properties(${layer}_tests PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
endforeach()

# End-to-end: each tests/e2e/<name>Probe.cpp is a small program built on the library that
# the e2e test executable starts through Wine with a real command line.
file(GLOB probe_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/probes/*.cpp)
set(probes)
foreach(probe_source ${probe_sources})
    get_filename_component(probe ${probe_source} NAME_WE)
    list(APPEND probes ${probe})
    add_executable(${probe} WIN32 ${probe_source})
    target_link_libraries(${probe} PRIVATE vantry_winmain kelvane_app)
endforeach()

# Loaded into a running kelvane.exe by a test, to post to its list from inside the process.
add_library(list_orders SHARED ${PROJECT_SOURCE_DIR}/tests/e2e/inject/ListOrders.cpp)
set_target_properties(list_orders PROPERTIES PREFIX "")
target_include_directories(list_orders PRIVATE ${PROJECT_SOURCE_DIR}/tests)

file(GLOB e2e_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
if(e2e_sources)
    add_executable(e2e_tests ${e2e_sources})
    target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(e2e_tests PRIVATE ${VANTRY_LIBRARIES} kelvane_test_support gmock gtest_main shlwapi)
    target_compile_definitions(e2e_tests PRIVATE KELVANE_BIN_DIR="${CMAKE_BINARY_DIR}"
                                                 KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    if(TARGET kelvane_help)
        add_dependencies(e2e_tests kelvane_help) # the help tests read and open Kelvane.HLP and its page
    endif()
    add_dependencies(e2e_tests kelvane list_orders ${probes}) # the whole-program tests start real programs
    add_test(NAME e2e_tests COMMAND e2e_tests --gtest_brief=1)
    set_tests_properties(e2e_tests PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
endif()

# The shipped program: every function it imports exists on Windows XP, its manifest is one
# that XP to 11 read, and its release package comes out the same from two builds. None starts
# a Windows program, so the test command runs them (label no-wine) even where 32-bit Wine
# cannot run. Commands that are executable targets would run through Wine, so Python is named
# by its path.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_test(NAME xp_imports
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-xp-imports.py --objdump ${CMAKE_OBJDUMP}
                     $<TARGET_FILE:kelvane> ${PROJECT_SOURCE_DIR}/../shared/windows-exports)
    add_test(NAME manifest
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-manifest.py $<TARGET_FILE:kelvane>)
    add_test(NAME release_package COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package.sh --twice)
    set_tests_properties(xp_imports manifest release_package PROPERTIES LABELS no-wine)
    set_tests_properties(release_package PROPERTIES TIMEOUT 3600)
endif()

# The showcase: each scene that a screenshot shows, opened by name and held on screen. Built
# with the tests, never run by ctest.
file(GLOB showcase_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/showcase/*.cpp)
add_executable(kelvane_showcase WIN32 ${showcase_sources} ${PROJECT_SOURCE_DIR}/tests/framework/TransparentParent.cpp
                                ${rc_sources})
add_dependencies(kelvane_showcase kelvane_images)
target_include_directories(kelvane_showcase PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(kelvane_showcase PRIVATE vantry_winmain ${VANTRY_LIBRARIES} kelvane_test_support)
