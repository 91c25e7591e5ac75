# Cross-build for 64-bit Windows with Debian's MinGW-w64, tests run under Wine:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKOBALIN_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the default win32 one lacks std::thread and
# std::mutex, which GoogleTest needs.
set(KOBALIN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOBALIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOBALIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KOBALIN_MINGW}-windres)

# Libraries, headers and packages only from the MinGW tree, never the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${KOBALIN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest runs the tests under Wine, in a prefix of this build folder so that no
# test ever sees the user's own Wine registry. The menu builder is switched off
# because it writes into the user's home; Mono and Gecko are not needed.
set(CMAKE_CROSSCOMPILING_EMULATOR
  env
  WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
  WINEDEBUG=-all
  WINEDLLOVERRIDES=winemenubuilder.exe,mscoree,mshtml=d
  wine
)
