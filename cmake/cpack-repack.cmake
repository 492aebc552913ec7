# Run by cpack once it has packed: what cpack itself leaves to chance is
# made the same for every packer.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.deb$")
    # The .deb's own members carry the packer's umask: ar's deterministic
    # mode gives each mode 644 (and owner 0, time 0), in the same order.
    set(members debian-binary control.tar.gz data.tar.gz)
    set(repack ${CPACK_TOPLEVEL_DIRECTORY}/repack)
    file(REMOVE_RECURSE ${repack})
    file(MAKE_DIRECTORY ${repack})
    execute_process(COMMAND ${CPACK_KEYVIEW_AR} x ${package} ${members}
      WORKING_DIRECTORY ${repack} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${package})
    execute_process(COMMAND ${CPACK_KEYVIEW_AR} rcD ${package} ${members}
      WORKING_DIRECTORY ${repack} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.zip$")
    # The zip lists its files in the order the folder listed them, and
    # gives their times in the packer's time zone: packed again from the
    # staged files, whose modes cpack has set, by name and in UTC.
    get_filename_component(top ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${top}
      ${CPACK_TEMPORARY_DIRECTORY}/*)
    list(SORT files)
    file(REMOVE ${package})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0
      ${CMAKE_COMMAND} -E tar cf ${package} --format=zip -- ${files}
      WORKING_DIRECTORY ${top} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
