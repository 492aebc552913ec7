#!/bin/bash
# Verify that keyview writes no core file and keeps its memory from the
# other processes of its user.
. "${0%/*}/init.sh"
posix_only 'core files and process memory'
if on_cygwin; then
	# Both are read from Linux's /proc, which is not Cygwin's; under wine,
	# signals.sh checks for a stackdump, Cygwin's core file.
	echo "SKIP: core limit and memory access: on Cygwin, not Linux's to read"
	exit 77
fi
root_only 'running keyview as another user'

repeat '\252' 32 >key.bin
chmod 755 .

# A core limit left as it was: a core pattern that writes to a file obeys it.
ulimit -c unlimited
start_keyview
check 'core file size limited to 0, soft and hard' \
    grep -q '^Max core file size  *0  *0 ' "/proc/$pid/limits"

# A core file written on Ctrl-\, where the core pattern puts it here.
if test "$(cat /proc/sys/kernel/core_pattern)" = core; then
	stop_keyview QUIT
	# qemu-user writes a core file of its own, named after the program.
	check 'no core file after Ctrl-\' \
	    test -z "$(find . -name 'core*' -o -name 'qemu_*.core')"
else
	echo 'SKIP: core file on Ctrl-\: the core pattern does not write here'
	stop_keyview
fi

# Its memory and its environment open to the user's other processes, and
# to a debugger that one of them starts.
as_nobody='setpriv --reuid=nobody --regid=nogroup --clear-groups'
closed_to_nobody() { ! $as_nobody dd if="$1" count=0 status=none 2>/dev/null; }
cp "$KEYVIEW" . # where nobody can reach it, wherever the build is
KEYVIEW=./keyview KEYVIEW_EMULATOR="$as_nobody $KEYVIEW_EMULATOR" start_keyview
check 'running as nobody' is_running
for file in environ mem; do
	check "/proc/PID/$file opened by another process of its user" \
	    closed_to_nobody "/proc/$pid/$file"
done
stop_keyview

exit $fail
