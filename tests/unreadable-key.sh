#!/bin/bash
# Verify that a key.bin that cannot be opened or read ends keyview with
# one message and status 1, and nothing on stdout.
. "${0%/*}/init.sh"

# A read from a stream that never opened, or a wait with nothing shown.
run_keyview >out
expect_failure 'keyview: key.bin: No such file or directory'

# A directory must not pass for an empty key: Linux opens it and fails
# the read, Windows refuses to open it.
mkdir key.bin
run_keyview >out
if on_windows; then
	expect_failure 'keyview: key.bin: Permission denied'
else
	expect_failure 'keyview: key.bin: Is a directory'
fi

exit $fail
