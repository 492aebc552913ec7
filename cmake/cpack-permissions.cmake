# Run by cpack once it has staged the files, before it packs them: the
# folders it made would take their permissions from the packer's umask,
# and a user of a key tool may well keep 077.
file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
  WORLD_READ WORLD_EXECUTE)
