# WebAssembly through Debian's emscripten, run through node. The wasm is
# inlined (SINGLE_FILE) because emscripten 3.1.6 under node >= 18 would fetch()
# a .wasm path and fail; C++ exceptions are the core's way of reporting, so
# they are on at compile and link. Programs run under node (the tests) add
# -sNODERAWFS=1 themselves; the web page must not have it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1")
find_program(KELMORA_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KELMORA_NODE})
