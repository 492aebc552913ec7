#!/bin/bash
# Verify that a display that cannot be written ends keyview with status 1
# and the reason, instead of a silent wait.
. "${0%/*}/init.sh"

repeat '\001' 32 >key.bin

# A full disk.
timeout 10 $KEYVIEW_EMULATOR "$KEYVIEW" >/dev/full 2>err
status=$?
expect_failure 'keyview: stdout: No space left on device'

# A closed stdout: key.bin may then take its descriptor.
timeout 10 $KEYVIEW_EMULATOR "$KEYVIEW" >&- 2>err
status=$?
expect_failure 'keyview: stdout: Bad file descriptor'

exit $fail
