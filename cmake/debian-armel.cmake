# Debian's armel: 32-bit ARM, software floating point.
#   cmake -S . -B build-armel -DCMAKE_TOOLCHAIN_FILE=cmake/debian-armel.cmake
# needs g++-arm-linux-gnueabi, and qemu-user for the tests.
set(debian_arch armel)
set(gnu_triplet arm-linux-gnueabi)
set(qemu qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
