# The native build (clang): the portable code under AddressSanitizer and
# UndefinedBehaviorSanitizer, its unit tests, and the libFuzzer targets.
set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -g -O1)

list(TRANSFORM VANTRY_PORTABLE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
list(TRANSFORM VANTRY_PORTABLE_TESTS PREPEND ${PROJECT_SOURCE_DIR}/)

add_library(vantry_portable STATIC ${VANTRY_PORTABLE_SOURCES})
target_include_directories(vantry_portable PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(vantry_portable PUBLIC ${sanitizers})
target_link_options(vantry_portable PUBLIC ${sanitizers})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_executable(portable_tests ${VANTRY_PORTABLE_TESTS})
target_include_directories(portable_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(portable_tests PRIVATE vantry_portable gmock gtest_main)
add_test(NAME portable_tests COMMAND portable_tests --gtest_brief=1)

# The layers of the product folders, read from the sources themselves.
add_executable(layering_tests ${PROJECT_SOURCE_DIR}/tests/LayeringTest.cpp)
target_compile_definitions(layering_tests PRIVATE KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(layering_tests PRIVATE gtest_main)
add_test(NAME layering_tests COMMAND layering_tests --gtest_brief=1)

# Each fuzzer runs for a bounded time in the test command; KELVANE_FUZZ_SECONDS sets it.
set(KELVANE_FUZZ_SECONDS 10 CACHE STRING "seconds each fuzzer runs under ctest")
foreach(fuzzer ${VANTRY_FUZZERS})
    add_executable(${fuzzer} ${PROJECT_SOURCE_DIR}/tests/fuzz/${fuzzer}.cpp ${VANTRY_PORTABLE_SOURCES})
    target_include_directories(${fuzzer} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined)
    set(work_corpus ${CMAKE_BINARY_DIR}/corpus/${fuzzer})
    file(MAKE_DIRECTORY ${work_corpus})
    add_test(NAME fuzz_${fuzzer}
             COMMAND ${fuzzer} -max_total_time=${KELVANE_FUZZ_SECONDS} -timeout=5 -rss_limit_mb=1024
                     ${work_corpus} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${fuzzer})
    set_tests_properties(fuzz_${fuzzer} PROPERTIES TIMEOUT 300)
endforeach()
