# A 64-bit Cygwin keyview.exe, built on Linux with a Cygwin cross compiler
# (x86_64-pc-cygwin-g++) and tested under wine64 with cygwin1.dll:
#   cmake -S . -B build-cygwin -DCMAKE_TOOLCHAIN_FILE=cmake/cygwin-x86_64.cmake
set(cygwin_processor x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/cygwin.cmake)
