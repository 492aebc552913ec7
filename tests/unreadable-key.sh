#!/bin/bash
# Verify that a key.bin that cannot be opened or read, or a call that keeps
# the key private or lets keyview be ended, failing ends keyview with one
# message and status 1, and nothing on stdout.
. "${0%/*}/init.sh"

# A read from a stream that never opened, or a wait with nothing shown.
run_keyview >out
expect_failure 'keyview: key.bin: No such file or directory'

# On Windows and Cygwin, the message gone at once with a console window of
# keyview's own, as Explorer gives it; start gives one too. From a shell,
# above, keyview ends; in its own window it stays, as after a display.
if runs_under wine; then
	$KEYVIEW_EMULATOR start /wait /unix "$KEYVIEW" &
	pid=$!
	sleep 2
	check 'still running in a console of its own' is_running
	stop_keyview
	# A console shared with Command Prompt taken for one of its own, so
	# that keyview waits there, after its message, for ever.
	cp "$KEYVIEW" keyview.exe
	timeout 60 $KEYVIEW_EMULATOR start /wait cmd /c keyview.exe
	status=$?
	check "exit status 1 in Command Prompt's console, not $status" test $status = 1
fi

# A directory must not pass for an empty key: Linux opens it and fails
# the read, Windows refuses to open it.
mkdir key.bin
run_keyview >out
if on_windows; then
	expect_failure 'keyview: key.bin: Permission denied'
else
	expect_failure 'keyview: key.bin: Is a directory'
fi
rmdir key.bin

# A sandbox's refusal passed over: the key shown all the same, open to a
# core file or to a debugger, or with no way to end keyview.
repeat '\252' 32 >key.bin
if test -n "$KEYVIEW_SANITIZED"; then
	echo 'SKIP: start-up calls refused: the sanitizers need them too'
elif can_deny 'start-up calls refused'; then
	for calls in 'setrlimit prlimit64' prctl rt_sigaction rt_sigprocmask; do
		KEYVIEW_EMULATOR=$(deny $calls) run_keyview >out
		call=${calls%% *}
		expect_failure "keyview: ${call#rt_}: Function not implemented"
	done
fi

exit $fail
