# Shared by the Cygwin toolchain files, which set cygwin_processor first.
# The cross compiler is found on PATH: PROCESSOR-pc-cygwin-g++, as
# distributions name it, or any PROCESSOR-pc-cygwin-c++.
set(CMAKE_SYSTEM_NAME CYGWIN)
set(CMAKE_SYSTEM_PROCESSOR ${cygwin_processor})
find_program(CMAKE_CXX_COMPILER
  NAMES ${cygwin_processor}-pc-cygwin-g++ ${cygwin_processor}-pc-cygwin-c++
  REQUIRED)
# Known for the target, not left to CMake's probe of the compiler, which
# a wrapper that links by hand may not answer.
if(cygwin_processor STREQUAL x86_64)
  set(CMAKE_SIZEOF_VOID_P 8)
else()
  set(CMAKE_SIZEOF_VOID_P 4)
endif()

# cygwin1.dll beside the compiler, or in a distribution's Cygwin sysroot.
get_filename_component(cygwin_bin ${CMAKE_CXX_COMPILER} DIRECTORY)
find_file(CYGWIN_DLL cygwin1.dll
  HINTS ${cygwin_bin}
    ${cygwin_bin}/../${cygwin_processor}-pc-cygwin/sys-root/usr/bin
  NO_DEFAULT_PATH)

# As for MinGW's keyview.exe: the wine of the program's word size, so that
# ctest's process is the program's.
if(cygwin_processor STREQUAL x86_64)
  find_program(WINE NAMES wine64 wine PATHS /usr/lib/wine)
else()
  find_program(WINE wine)
endif()
if(WINE AND CYGWIN_DLL)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE})
endif()
