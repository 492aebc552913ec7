# Debian's mips64el: 64-bit little-endian MIPS.
#   cmake -S . -B build-mips64el -DCMAKE_TOOLCHAIN_FILE=cmake/debian-mips64el.cmake
# needs g++-mips64el-linux-gnuabi64, and qemu-user for the tests.
set(debian_arch mips64el)
set(gnu_triplet mips64el-linux-gnuabi64)
set(qemu qemu-mips64el)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
