#!/bin/bash
# Verify that a display that cannot be written ends keyview with status 1
# and the reason, instead of a silent wait.
. "${0%/*}/init.sh"

printf '\001%.0s' $(seq 32) >key.bin

# A full disk.
timeout 10 "$KEYVIEW" >/dev/full 2>err
status=$?
echo 'keyview: stdout: No space left on device' >exp-err
compare exp-err err
check "exit status 1 on a full disk, not $status" test "$status" = 1

# A closed stdout: key.bin may then take its descriptor.
timeout 10 "$KEYVIEW" >&- 2>err
status=$?
echo 'keyview: stdout: Bad file descriptor' >exp-err
compare exp-err err
check "exit status 1 on a closed stdout, not $status" test "$status" = 1

exit $fail
