#!/bin/bash
# Verify that a key.bin that is a symbolic link is followed, and a broken
# or looping one reported.
. "${0%/*}/init.sh"
posix_only 'symbolic links'

# A link into a key store, shown as the key it leads to.
mkdir store
repeat '\017' 32 >store/key
ln -s store/key key.bin
{ repeat 0f 32; printf '\r\n\r\nDecimal: '; repeat '015 ' 32
  printf '\r\n'; } >exp
: >exp-err
expect_display
rm key.bin

# A link to nowhere, taken for a short or empty key.
ln -s nowhere.bin key.bin
run_keyview >out
expect_failure 'keyview: key.bin: No such file or directory'
rm key.bin

# A link that loops, with its own reason. Wine hands Cygwin a Linux link
# that loops as a file it may not open.
ln -s key.bin key.bin
run_keyview >out
if cygwin_under_wine; then
	expect_failure 'keyview: key.bin: Permission denied'
else
	expect_failure 'keyview: key.bin: Too many levels of symbolic links'
fi

exit $fail
