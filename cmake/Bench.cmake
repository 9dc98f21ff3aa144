# The benchmarks: the baseline programs (B-tray, B-mci, B-list, B-reg), kelvane_ops that times
# Kelvane's own code in-process, and bench_runner, which runs both sides and prints the table.
# scripts/bench.sh builds and runs them; the quick form is a smoke test of the test command.
set(BENCH_DIR ${PROJECT_SOURCE_DIR}/bench)

foreach(baseline bench_tray:BenchTray bench_mci:BenchMci bench_list:BenchList bench_reg:BenchRegistry)
    string(REPLACE ":" ";" parts ${baseline})
    list(GET parts 0 target)
    list(GET parts 1 source)
    add_executable(${target} WIN32 ${BENCH_DIR}/${source}.cpp)
endforeach()
target_link_libraries(bench_tray PRIVATE shell32)
target_link_libraries(bench_mci PRIVATE winmm)
target_link_libraries(bench_reg PRIVATE advapi32 shlwapi)

add_executable(kelvane_ops WIN32 ${BENCH_DIR}/KelvaneOps.cpp ${rc_sources})
add_dependencies(kelvane_ops kelvane_images)
target_link_libraries(kelvane_ops PRIVATE vantry_winmain kelvane_app shlwapi)

add_executable(bench_runner
    ${BENCH_DIR}/BenchRunner.cpp ${BENCH_DIR}/BenchTable.cpp ${BENCH_DIR}/PlayerRun.cpp
    ${BENCH_DIR}/ProcessProbe.cpp ${BENCH_DIR}/ResidentBench.cpp ${BENCH_DIR}/ScaleBench.cpp
    ${BENCH_DIR}/SoundBench.cpp ${BENCH_DIR}/SoundSpans.cpp
    ${PROJECT_SOURCE_DIR}/tests/e2e/KelvaneRun.cpp ${PROJECT_SOURCE_DIR}/tests/e2e/SinkRecording.cpp)
target_include_directories(bench_runner PRIVATE ${BENCH_DIR} ${PROJECT_SOURCE_DIR}/tests/e2e)
target_link_libraries(bench_runner PRIVATE kelvane_test_support shell32 ole32 user32 advapi32 shlwapi)
add_dependencies(bench_runner kelvane kelvane_ops bench_tray bench_mci bench_list bench_reg)

# Only that every measurement gives a number: timings have no threshold in a test. The 64-bit
# build runs it, as the one that runs on every machine.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME bench_quick COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/bench.sh --quick --no-build
                                      --build-dir ${CMAKE_BINARY_DIR})
    set_tests_properties(bench_quick PROPERTIES TIMEOUT 300)
endif()
