# Debian's mipsel: 32-bit little-endian MIPS.
#   cmake -S . -B build-mipsel -DCMAKE_TOOLCHAIN_FILE=cmake/debian-mipsel.cmake
# needs g++-mipsel-linux-gnu, and qemu-user for the tests.
set(debian_arch mipsel)
set(gnu_triplet mipsel-linux-gnu)
set(qemu qemu-mipsel)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
