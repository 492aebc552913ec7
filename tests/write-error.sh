#!/bin/bash
# Verify that a display that cannot be written ends keyview with status 1
# and the reason, instead of a silent wait.
. "${0%/*}/init.sh"

repeat '\001' 32 >key.bin

# A full disk.
run_keyview >/dev/full
expect_failure 'keyview: stdout: No space left on device'

# A closed stdout: key.bin may then take its descriptor.
run_keyview >&-
expect_failure 'keyview: stdout: Bad file descriptor'

exit $fail
