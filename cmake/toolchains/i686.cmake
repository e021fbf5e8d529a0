# 32-bit x86 Linux (i686), run through qemu-i386. KelmoraFlags adds SSE2
# arithmetic for this processor, so no x87 extended precision leaks in.
set(KELMORA_TRIPLE i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KELMORA_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
