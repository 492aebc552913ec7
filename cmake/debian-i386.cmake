# Debian's i386: 32-bit x86.
#   cmake -S . -B build-i386 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-i386.cmake
# needs g++-i686-linux-gnu. amd64 runs the tests itself, but where its
# kernel runs no 32-bit program (some virtual machines' do not), and
# there qemu-user runs them; KEYVIEW_NO_32BIT=1 in the environment takes
# that path on a kernel that does, as CI can be asked to.
set(debian_arch i386)
set(gnu_triplet i686-linux-gnu)
set(debian_multiarch i386-linux-gnu)
execute_process(COMMAND /usr/${gnu_triplet}/lib/ld-linux.so.2 --help
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0 OR "$ENV{KEYVIEW_NO_32BIT}")
  set(qemu qemu-i386)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
