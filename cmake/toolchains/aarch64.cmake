# 64-bit Arm Linux (aarch64), run through qemu-aarch64.
set(KELMORA_TRIPLE aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KELMORA_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
