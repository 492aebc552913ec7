#!/bin/bash
# Verify that a key.bin that cannot be opened or read ends keyview with
# one message and status 1, and nothing on stdout.
. "${0%/*}/init.sh"

# A read from a stream that never opened, or a wait with nothing shown.
run_keyview
expect_failure 'keyview: key.bin: No such file or directory'

# The same through a link to nowhere.
ln -s nowhere.bin key.bin
run_keyview
expect_failure 'keyview: key.bin: No such file or directory'
rm key.bin

# A link that loops.
ln -s key.bin key.bin
run_keyview
expect_failure 'keyview: key.bin: Too many levels of symbolic links'
rm key.bin

# A directory: it opens, but the read fails and must not pass for an
# empty key.
mkdir key.bin
run_keyview
expect_failure 'keyview: key.bin: Is a directory'

exit $fail
