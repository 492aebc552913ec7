# Read by cpack as it packs. The files in a package carry the time of the
# commit they were built from, not the time they were packed, so that the
# same commit gives the same bytes: SOURCE_DATE_EPOCH, where the user has
# not set it already.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(
    COMMAND git -C "${CPACK_KEYVIEW_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0 OR epoch STREQUAL "")
    # Not a git checkout: the time of the changelog's latest entry.
    file(STRINGS "${CPACK_KEYVIEW_SOURCE_DIR}/packaging/debian/changelog"
      signature REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^.*>  " "" date "${signature}")
    execute_process(COMMAND date -d "${date}" +%s
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()

# A cross build's package: dpkg-shlibdeps reads the libraries, and so the
# Depends, of the architecture it is told.
if(CPACK_DEBIAN_PACKAGE_ARCHITECTURE AND NOT DEFINED ENV{DEB_HOST_ARCH})
  set(ENV{DEB_HOST_ARCH} "${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}")
endif()
