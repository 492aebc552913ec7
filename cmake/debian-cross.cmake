# Shared by the toolchain files for Debian's architectures, which set first
# debian_arch, gnu_triplet (the cross compiler's prefix), qemu (the
# qemu-user emulator, none for i386, which this machine runs itself) and,
# where it is not the triplet, debian_multiarch.
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${gnu_triplet})
set(CMAKE_CXX_COMPILER ${gnu_triplet}-g++)
if(NOT DEFINED debian_multiarch)
  set(debian_multiarch ${gnu_triplet})
endif()

# The cross compiler's own folder, and Debian's multiarch one for the
# architecture's packages (libseccomp-dev:ARCH, for the tests).
set(CMAKE_FIND_ROOT_PATH /usr/${gnu_triplet} /)
set(CMAKE_LIBRARY_ARCHITECTURE ${debian_multiarch})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The .deb is for the target, not for the machine that packs it.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${debian_arch})

# The tests run under qemu-user, with one C library, never two: the
# architecture's own (libc6:ARCH) where it is installed, since the program
# names its loader's path; otherwise the cross compiler's. Given both, the
# cross loader would follow the host's ld.so cache to the other one.
if(qemu)
  find_program(QEMU ${qemu})
  if(QEMU AND EXISTS /lib/${debian_multiarch}/libc.so.6)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU})
  elseif(QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU} -L /usr/${gnu_triplet})
  endif()
endif()
