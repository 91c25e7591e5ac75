# Debian's MinGW-w64 for 64-bit Windows: compilers and where to look for
# libraries. Qt for Windows is built with this file alone, so a change here
# gives a new Qt cache folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the default win32 one lacks std::thread and
# std::mutex, which GoogleTest and Qt need.
set(KOBALIN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOBALIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOBALIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KOBALIN_MINGW}-windres)

# Libraries, headers and packages only from the MinGW tree, never the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KOBALIN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
