# Debian's riscv64: 64-bit RISC-V, a release architecture since Debian 13.
#   cmake -S . -B build-riscv64 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-riscv64.cmake
# needs g++-riscv64-linux-gnu, and qemu-user for the tests.
set(debian_arch riscv64)
set(gnu_triplet riscv64-linux-gnu)
set(qemu qemu-riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
