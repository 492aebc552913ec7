# Debian's i386: 32-bit x86.
#   cmake -S . -B build-i386 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-i386.cmake
# needs g++-i686-linux-gnu; amd64 runs the tests itself.
set(debian_arch i386)
set(gnu_triplet i686-linux-gnu)
set(debian_multiarch i386-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
