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

# A name from outside acting on the terminal: an escape that sets the
# title, a CR that rewrites the line, a byte of no UTF-8; or a quote or a
# backslash left bare inside the quotes; or the file named told as
# key.bin. Wine takes no byte of no UTF-8, Windows no control character
# in a name, and Cygwin, under wine, reads a CR in its command line as a
# space and a quote as quoting.
name=$'\e]2;x\a' shown='\033]2;x\007'
cygwin_under_wine || name+=$'\r\\\'' shown+="\\015\\\\\\'"
name+='Зоя' shown+='Зоя'
runs_under wine || name+=$'\377' shown+='\377'
reason='No such file or directory'
on_windows && reason='Invalid argument'
LC_ALL=C.UTF-8 run_keyview "$name" >out
expect_failure "keyview: \$'$shown': $reason"

# A key typed at a terminal, or pasted as text, whose rest the shell would
# run once keyview ends. Under wine keyview then has a console of its own,
# and waits after its message.
: >err # so that the message awaited is this run's
SHELL=$BASH script -qec "exec $KEYVIEW_EMULATOR $KEYVIEW - >out 2>err" /dev/null </dev/null &
pid=$!
said() { grep -a '^keyview: ' err >/dev/null 2>&1; }
wait_for 'a message on a terminal for a key, not a read' said
if runs_under wine; then
	check 'waiting in a console of its own' is_running
	stop_keyview
	# Its wineserver, left without a client, ends: a program that comes
	# to it meanwhile would crash.
	wineserver -w
else
	ended() { ! is_running; }
	wait_for 'ended after its message' ended
	stop_keyview
	status=$?
	check "exit status 1, not $status" test $status = 1
fi
message 'keyview: -: refusing to read a key from a terminal' >exp-err
compare exp-err err
check 'nothing on stdout' test ! -s out

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
