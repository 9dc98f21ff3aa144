# Shared settings of the two mingw-w64 cross toolchains; included with KELVANE_TRIPLE set.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${KELVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KELVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the test executables through Wine, with the loader this machine can execute.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
