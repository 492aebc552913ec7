# Debian's ppc64el: 64-bit little-endian POWER.
#   cmake -S . -B build-ppc64el -DCMAKE_TOOLCHAIN_FILE=cmake/debian-ppc64el.cmake
# needs g++-powerpc64le-linux-gnu, and qemu-user for the tests.
set(debian_arch ppc64el)
set(gnu_triplet powerpc64le-linux-gnu)
set(qemu qemu-ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
