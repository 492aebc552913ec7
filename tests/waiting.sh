#!/bin/bash
# Verify that keyview, once its display is out, waits idle until it is
# ended from outside.
. "${0%/*}/init.sh"

repeat '\252' 32 >key.bin
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
stop_keyview

exit $fail
