# A Linux cross toolchain of Debian's: set KELMORA_TRIPLE, CMAKE_SYSTEM_PROCESSOR
# and KELMORA_QEMU, then include this. The tests run through qemu-user with
# the target's own library root.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${KELMORA_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${KELMORA_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${KELMORA_TRIPLE})
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KELMORA_QEMU};-L;/usr/${KELMORA_TRIPLE})
