#!/bin/bash
# Verify that Ctrl-C and the default kill end keyview with their signal's
# own status.
. "${0%/*}/init.sh"
posix_only 'signal statuses'

repeat '\252' 32 >key.bin

# A handler that swallows the signal or turns it into a normal exit.
for signal in INT TERM; do
	start_keyview
	stop_keyview "$signal"
	status=$?
	check "ended by SIG$signal, not status $status" \
	    test "$status" = $((128 + $(kill -l "$signal")))
done

exit $fail
