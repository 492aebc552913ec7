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

if can_deny 'a sandbox refusing sleep'; then
	# A refused pause retried for ever, spinning, be it refused with ENOSYS
	# or EINTR. (Some C libraries make pause of sigsuspend's system call.)
	for refused in 'pause rt_sigsuspend' 'pause=4'; do
		KEYVIEW_EMULATOR=$(deny $refused) start_keyview
		expect_idle "with $refused refused"
		stop_keyview
	done

	# Every way refused, or the last faked as done: spinning rather than
	# saying so, or giving "Success" as the reason.
	refused='nanosleep clock_nanosleep clock_nanosleep_time64'
	faked='nanosleep=0 clock_nanosleep=0 clock_nanosleep_time64=0'
	for last in "$refused" "$faked"; do
		KEYVIEW_EMULATOR=$(deny pause rt_sigsuspend $last) run_keyview >out
		message 'keyview: pause: Function not implemented' >exp-err
		compare exp-err err
		check "exit status 1 with $last, not $status" test "$status" = 1
		check 'display out before that' test "$(wc -c <out)" = "$display_size"
	done
	KEYVIEW_EMULATOR=$(deny pause=0 rt_sigsuspend=0 $faked) run_keyview >out
	message 'keyview: pause: Returned without sleeping' >exp-err
	compare exp-err err
fi

exit $fail
