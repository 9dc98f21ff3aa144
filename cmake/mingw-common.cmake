# Shared settings of the two mingw-w64 cross toolchains; included with KELVANE_TRIPLE set.
set(CMAKE_SYSTEM_NAME Windows)
# The win32 thread model: the posix one links libwinpthread into every program, and it
# imports functions that Windows XP lacks.
set(CMAKE_C_COMPILER   ${KELVANE_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KELVANE_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER  ${KELVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the test executables through Wine, with the loader this machine can execute.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
