#!/bin/bash
# Verify that keyview, once its display is out, waits idle until it is
# ended from outside, even where a sandbox refuses its way of sleeping.
. "${0%/*}/init.sh"

repeat '\252' 32 >key.bin
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# expect_idle WHEN: keyview, started, is still running a second later and
# has used next to no processor time in it.
expect_idle() {
	local before after
	before=$(cpu_ticks)
	sleep 1
	after=$(cpu_ticks)
	check "still running $1" is_running
	check "idle $1, not $((after - before)) ticks in a second" \
	    test $((after - before)) -lt $((ticks_per_second / 20))
}

# Exiting after the display, spinning on a core, or writing more.
start_keyview
check 'display out before the wait' test "$(wc -c <out)" = "$display_size"
expect_idle 'while waiting'
check 'nothing written while waiting' test "$(wc -c <out)" = "$display_size"
stop_keyview

# deny NAME...: the emulator that runs keyview with those calls refused.
deny() { echo "$KEYVIEW_DENY_SYSCALLS $* -- $KEYVIEW_EMULATOR"; }
if under_qemu; then
	# qemu refuses a filter from the program it runs, and one set around
	# qemu binds qemu's own calls, not keyview's.
	echo 'SKIP: a sandbox refusing sleep: under qemu-user it would bind qemu'
elif test -z "$KEYVIEW_DENY_SYSCALLS"; then
	echo 'SKIP: a sandbox refusing sleep: no seccomp helper in this build'
elif ! $(deny pause) true; then
	echo 'SKIP: a sandbox refusing sleep: this kernel takes no seccomp filter'
else
	# A refused pause retried for ever, spinning. (Some C libraries make
	# pause of sigsuspend's system call.)
	KEYVIEW_EMULATOR=$(deny pause rt_sigsuspend) start_keyview
	expect_idle 'without pause'
	stop_keyview

	# Every way refused: spinning rather than saying so.
	KEYVIEW_EMULATOR=$(deny pause rt_sigsuspend nanosleep clock_nanosleep \
	    clock_nanosleep_time64) run_keyview >out
	message 'keyview: pause: Function not implemented' >exp-err
	compare exp-err err
	check "exit status 1 with no way to sleep, not $status" test "$status" = 1
	check 'display out before that' test "$(wc -c <out)" = "$display_size"
fi

exit $fail
