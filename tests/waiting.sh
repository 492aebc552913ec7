#!/bin/bash
# Verify that keyview, once its display is out, waits idle until it is
# ended from outside, even where a sandbox refuses its way of sleeping.
. "${0%/*}/init.sh"

repeat '\252' 32 >key.bin
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
wake_ups() { awk '/ctxt_switches/ { n += $2 } END { print n }' "/proc/$pid/status"; }

# expect_idle WHEN: keyview, started, once asleep after what it may try
# first, is still running a second later and has used next to no
# processor time, nor woken up more than a few times, in it.
expect_idle() {
	local ticks wake_ups
	wait_for "asleep $1" asleep
	ticks=$(cpu_ticks) wake_ups=$(wake_ups)
	sleep 1
	ticks=$(($(cpu_ticks) - ticks)) wake_ups=$(($(wake_ups) - wake_ups))
	check "still running $1" is_running
	check "idle $1, not $ticks ticks in a second" \
	    test $ticks -lt $((ticks_per_second / 20))
	check "asleep $1, not woken $wake_ups times in a second" \
	    test $wake_ups -lt 20
}

# What the C library's pause calls: arm64 and riscv64 have no pause of
# their own, and make it of ppoll; some make it of sigsuspend's call.
pause_calls='pause ppoll rt_sigsuspend'
with_suffix() { printf "%s$1 " "${@:2}"; } # with_suffix SUFFIX WORD...: each WORD with SUFFIX

# Exiting after the display, spinning on a core, or writing more.
start_keyview
check 'display out before the wait' test "$(wc -c <out)" = "$display_size"
expect_idle 'while waiting'
check 'nothing written while waiting' test "$(wc -c <out)" = "$display_size"
stop_keyview

# Under a stack limit that printing the key keeps within, the wipe of the
# stack below it going deeper than printf went, and ending keyview after
# the display (status 139), in some runs or all.
if on_windows || on_cygwin || under_qemu || test -n "$KEYVIEW_SANITIZED"; then
	echo "SKIP: a small stack limit: Windows' stack, or qemu's or the sanitizers' own"
elif test "$(getconf PAGESIZE)" != 4096; then
	echo "SKIP: a small stack limit: pages of $(getconf PAGESIZE) bytes"
else
	for run in 1 2 3 4 5; do
		KEYVIEW_EMULATOR='prlimit --stack=28672' start_keyview
		check "still running under a stack limit of 28 KiB, run $run" is_running
		stop_keyview
	done
fi

if can_deny 'a sandbox refusing sleep'; then
	# A refused pause retried for ever, spinning, be it refused with ENOSYS
	# or EINTR.
	for refused in "$pause_calls" "$(with_suffix =4 $pause_calls)"; do
		KEYVIEW_EMULATOR=$(deny $refused) start_keyview
		expect_idle "with $refused refused"
		stop_keyview
	done

	# Every way refused, or the last faked as done: spinning rather than
	# saying so, or giving "Success" as the reason.
	refused='nanosleep clock_nanosleep clock_nanosleep_time64'
	faked=$(with_suffix =0 $refused)
	for last in "$refused" "$faked"; do
		KEYVIEW_EMULATOR=$(deny $pause_calls $last) run_keyview >out
		message 'keyview: pause: Function not implemented' >exp-err
		compare exp-err err
		check "exit status 1 with $last, not $status" test "$status" = 1
		check 'display out before that' test "$(wc -c <out)" = "$display_size"
	done
	KEYVIEW_EMULATOR=$(deny $(with_suffix =0 $pause_calls) $faked) run_keyview >out
	message 'keyview: pause: Returned without sleeping' >exp-err
	compare exp-err err
fi

# A refusal that takes its time, as a sandbox's supervisor in user space
# makes one, taken for a real sleep, so that pause is called again a
# thousand times a second. strace -D leaves keyview the shell's child.
if under_qemu || on_windows || on_cygwin || ! command -v strace >/dev/null; then
	echo 'SKIP: a slow refusal: no strace of keyview itself here'
else
	strace="strace -D -qq -o trace -e inject=/^($(echo $pause_calls | tr ' ' '|'))\$"
	nanosleeps='nanosleep clock_nanosleep clock_nanosleep_time64'
	for error in ENOSYS EINTR; do
		KEYVIEW_EMULATOR="$strace:error=$error:delay_exit=1000" start_keyview
		expect_idle "with pause refused after a millisecond with $error"
		stop_keyview
	done

	# With pause refused, a sleep that comes back with 0 once it has slept
	# (a day's nanosleep) taken for a refusal, so that keyview ends after
	# a day: here each sleep takes 1.1 s.
	KEYVIEW_EMULATOR="$strace:error=ENOSYS -e inject=/^($(echo $nanosleeps |
	    tr ' ' '|'))\$:retval=0:delay_exit=1100000" start_keyview
	sleeps() { test "$(grep -c -E "^($(echo $nanosleeps | tr ' ' '|'))\(" trace)" -ge "$1"; }
	wait_for 'two sleeps done' sleeps 2
	check 'still running after two sleeps' is_running
	stop_keyview

	# Early returns counted in all, not in a row: pause refused with EINTR
	# at once but every fiftieth time, which takes 1.1 s, given up after a
	# hundred in all, and with nanosleep refused, keyview ended.
	if can_deny 'early returns between sleeps'; then
		# The sandbox inside strace, whose own calls it would bind.
		KEYVIEW_EMULATOR="$strace:delay_exit=1100000:when=50+50 $(deny \
		    $(with_suffix =4 $pause_calls) $nanosleeps)" start_keyview
		pauses() { test "$(grep -c -E "^($(echo $pause_calls | tr ' ' '|'))\(" trace)" -ge "$1"; }
		wait_for '150 early returns' pauses 150
		check 'still running after 150 early returns between sleeps' is_running
		stop_keyview
	fi
fi

exit $fail
