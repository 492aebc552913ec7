# Debian's arm64: 64-bit ARM.
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-arm64.cmake
# needs g++-aarch64-linux-gnu, and qemu-user for the tests.
set(debian_arch arm64)
set(gnu_triplet aarch64-linux-gnu)
set(qemu qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
