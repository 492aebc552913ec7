# Shared by the MinGW-w64 toolchain files, which set mingw_triplet first.
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${mingw_triplet})
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# With wine, ctest runs the Windows program as it runs the native one, in
# the process that ctest starts. Where the 32-bit wine is installed too,
# plain wine would hand a 64-bit program over to a process of its own, so
# a 64-bit program gets wine64 itself.
if(mingw_triplet MATCHES "^x86_64")
  find_program(WINE NAMES wine64 wine PATHS /usr/lib/wine)
else()
  find_program(WINE wine)
endif()
if(WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE})
endif()
