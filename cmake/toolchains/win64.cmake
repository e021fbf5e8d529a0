# 64-bit Windows (x86-64, mingw-w64), run through wine. The posix threads
# variant gives GoogleTest the standard thread library; linking statically
# leaves wine no DLLs of ours to find.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)
# A wine prefix of the build's own, made on first use, and wine's chatter off.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env;WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;/usr/lib/wine/wine64)
