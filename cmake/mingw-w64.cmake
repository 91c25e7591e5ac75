# Cross-build for 64-bit Windows with Debian's MinGW-w64, tests run under Wine:
#   KOBALIN_QT_WINDOWS=$(tools/qt-windows.sh --prefix) cmake --preset windows
# (./kobalin.sh windows builds that Qt and passes it), or the core alone with
# -DKOBALIN_CORE_ONLY=ON added.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-base.cmake)

# Qt for Windows is searched in its own prefix; its moc, rcc and uic are the host's.
if(KOBALIN_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KOBALIN_QT_WINDOWS})
  list(APPEND CMAKE_PREFIX_PATH ${KOBALIN_QT_WINDOWS})
  set(QT_HOST_PATH /usr)
  execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH OUTPUT_VARIABLE multiarch
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${multiarch}/cmake)
endif()

# Self-contained executables: no libstdc++, libgcc or winpthread DLLs needed
# by the program's own code (Qt's DLLs bring theirs, laid out beside them).
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
