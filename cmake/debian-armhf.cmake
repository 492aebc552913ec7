# Debian's armhf: 32-bit ARM, hardware floating point.
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/debian-armhf.cmake
# needs g++-arm-linux-gnueabihf, and qemu-user for the tests.
set(debian_arch armhf)
set(gnu_triplet arm-linux-gnueabihf)
set(qemu qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
