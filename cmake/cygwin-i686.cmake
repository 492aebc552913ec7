# A 32-bit Cygwin keyview.exe, built on Linux with a Cygwin cross compiler
# (i686-pc-cygwin-g++) and tested under the 32-bit wine with cygwin1.dll:
#   cmake -S . -B build-cygwin32 -DCMAKE_TOOLCHAIN_FILE=cmake/cygwin-i686.cmake
set(cygwin_processor i686)
include(${CMAKE_CURRENT_LIST_DIR}/cygwin.cmake)
