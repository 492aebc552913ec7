# Debian's s390x: IBM Z, 64-bit big-endian.
#   cmake -S . -B build-s390x -DCMAKE_TOOLCHAIN_FILE=cmake/debian-s390x.cmake
# needs g++-s390x-linux-gnu, and qemu-user for the tests.
set(debian_arch s390x)
set(gnu_triplet s390x-linux-gnu)
set(qemu qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
