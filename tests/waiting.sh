#!/bin/bash
# Verify that keyview, once its display is out, waits idle until it is
# ended from outside.
. "${0%/*}/init.sh"

printf '\252%.0s' $(seq 32) >key.bin
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# Exiting after the display, spinning on a core, or writing more.
start_keyview
check 'display out before the wait' test "$(wc -c <out)" = "$display_size"
before=$(cpu_ticks)
sleep 1
after=$(cpu_ticks)
check 'still running after a second' is_running
check "idle while waiting, not $((after - before)) ticks in a second" \
    test $((after - before)) -lt $((ticks_per_second / 20))
check 'nothing written while waiting' test "$(wc -c <out)" = "$display_size"

# Ctrl-C, and the default kill, must end it with their own signals.
for signal in INT TERM; do
	stop_keyview "$signal"
	status=$?
	check "ended by SIG$signal, not status $status" \
	    test "$status" = $((128 + $(kill -l "$signal")))
	start_keyview
done
stop_keyview KILL

exit $fail
