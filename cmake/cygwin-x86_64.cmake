# A Cygwin x86_64 keyview.exe, built on Linux with a Cygwin cross compiler
# found on PATH (x86_64-pc-cygwin-g++, as distributions name it, or any
# x86_64-pc-cygwin-c++), and tested under wine64 with cygwin1.dll:
#   cmake -S . -B build-cygwin -DCMAKE_TOOLCHAIN_FILE=cmake/cygwin-x86_64.cmake
set(CMAKE_SYSTEM_NAME CYGWIN)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
find_program(CMAKE_CXX_COMPILER
  NAMES x86_64-pc-cygwin-g++ x86_64-pc-cygwin-c++ REQUIRED)
# Known for the target, not left to CMake's probe of the compiler, which
# a wrapper that links by hand may not answer.
set(CMAKE_SIZEOF_VOID_P 8)

# cygwin1.dll beside the compiler, or in a distribution's Cygwin sysroot.
get_filename_component(cygwin_bin ${CMAKE_CXX_COMPILER} DIRECTORY)
find_file(CYGWIN_DLL cygwin1.dll
  HINTS ${cygwin_bin} ${cygwin_bin}/../x86_64-pc-cygwin/sys-root/usr/bin
  NO_DEFAULT_PATH)

# As for MinGW's keyview.exe: wine64 itself, so that ctest's process is
# the program's, once the 32-bit wine is installed too.
find_program(WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(WINE AND CYGWIN_DLL)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE})
endif()
