# Sourced by every test: a fresh folder to work in, and helpers for a
# program that never exits by itself after a good run.

: "${KEYVIEW:?set KEYVIEW to the keyview binary under test}"
# KEYVIEW_EMULATOR, when set, runs it: wine, for a Windows build.

# Background jobs keep SIGINT, as they would in a terminal.
set -m

work=$(mktemp -d) || exit 1
pid=
cleanup() {
	# A job killed before its exec would otherwise run this too.
	test "$BASHPID" = $$ || return
	test -n "$pid" && kill -KILL "$pid" 2>/dev/null
	rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1
fail=0

# The full display is always this long.
display_size=207

repeat() { printf "$1%.0s" $(seq "$2"); } # repeat TEXT COUNT

on_windows() { test "$KEYVIEW_SYSTEM" = Windows; }
on_cygwin() { test "$KEYVIEW_SYSTEM" = CYGWIN; }
runs_under() { case $KEYVIEW_EMULATOR in *"$1"*) ;; *) false ;; esac; } # runs_under wine
under_qemu() { runs_under qemu-; }
cygwin_under_wine() { on_cygwin && runs_under wine; }

# drop_cygwin_warning FILE: under wine, cygwin1.dll warns on the stderr of
# every program that no Cygwin process started, in six lines from
# "Cygwin WARNING:" to an empty line; they are wine's doing, not keyview's.
drop_cygwin_warning() {
	cygwin_under_wine || return 0
	sed -i '/^Cygwin WARNING:$/,/^$/d' "$1" >/dev/null # stdout may be closed
}

# On Windows, messages end in CR LF, as its C runtime writes them.
newline='\n'
on_windows && newline='\r\n'
message() { printf "%s$newline" "$1"; } # message TEXT: one line on stderr

# posix_only WHAT: skip the whole test where WHAT has no meaning.
posix_only() {
	on_windows || return 0
	echo "SKIP: $1: POSIX only"
	exit 77
}

# compare EXPECTED ACTUAL: equal to the byte, or the difference is shown.
compare() {
	cmp -s "$1" "$2" && return 0
	echo "FAIL: $2 differs from $1 (expected, then actual):"
	od -An -c "$1"
	od -An -c "$2"
	fail=1
	return 1
}

check() { # check DESCRIPTION COMMAND...: a plain condition that must hold
	local what=$1
	shift
	"$@" && return 0
	echo "FAIL: $what"
	fail=1
	return 1
}

# Standard input of every run, but where a case sets another.
input=/dev/null

# start_keyview [ARG...]: run keyview in the background, stdout to "out"
# and stderr to "err", and return once its display is out or it has ended:
# however long a loaded machine or an emulator takes, up to ctest's limit.
# keyview writes its display in one write, so that once any of it is
# there, it is whole or short for good.
start_keyview() {
	: >out # before the job starts, so that it can be measured at once
	$KEYVIEW_EMULATOR "$KEYVIEW" "$@" >out 2>err <"$input" &
	pid=$!
	while is_running && ! test -s out; do
		sleep 0.05
	done
}

is_running() { kill -0 "$pid" 2>/dev/null; }

# wait_for WHAT COMMAND...: until COMMAND holds, however long a loaded
# machine or an emulator takes, up to two minutes within ctest's limit; a
# check of WHAT, failed if keyview ends first or it never holds.
wait_for() {
	local what=$1 tries=0
	shift
	until "$@"; do
		if ! is_running || test $((tries += 1)) -gt 2400; then
			check "$what" "$@"
			return
		fi
		sleep 0.05
	done
}

# asleep: keyview (or what runs it) blocks in a call: once its display is
# out, no longer on its way to the wait but in it, the wipes done.
asleep() {
	local stat
	stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return
	stat=${stat##*) }
	test "${stat%% *}" = S
}

# stop_keyview [SIGNAL]: end it from outside, as a user would; its
# status is the one the signal gave.
stop_keyview() {
	kill -"${1:-TERM}" "$pid" 2>/dev/null
	wait "$pid" 2>/dev/null
	local status=$?
	pid=
	drop_cygwin_warning err
	return $status
}

# expect_display [ARG...]: keyview shows "exp" on stdout and "exp-err" on
# stderr, and is still running afterwards.
expect_display() {
	start_keyview "$@"
	check 'still running after the display' is_running
	stop_keyview
	compare exp out
	compare exp-err err
}

# run_keyview [ARG...]: for runs that end by themselves, stdout to wherever
# the caller sends it, stderr to "err", and the status in "status".
run_keyview() {
	timeout 60 $KEYVIEW_EMULATOR "$KEYVIEW" "$@" 2>err <"$input"
	status=$?
	drop_cygwin_warning err
}

# expect_error MESSAGE: the run ended with status 1 and MESSAGE alone on
# stderr.
expect_error() {
	message "$1" >exp-err
	compare exp-err err
	check "exit status 1, not $status" test "$status" = 1
}

# expect_failure MESSAGE: that, and nothing in "out", where its stdout went.
expect_failure() {
	expect_error "$1"
	check 'nothing on stdout' test ! -s out
}

# deny RULE...: an emulator that runs keyview with system calls failing as
# tests/deny-syscalls.cpp's RULEs say.
deny() { echo "$KEYVIEW_DENY_SYSCALLS $* -- $KEYVIEW_EMULATOR"; }

# can_deny WHAT: deny works here; if not, the case WHAT is skipped, with why.
can_deny() {
	if under_qemu || runs_under valgrind; then
		# qemu refuses a filter from the program it runs, and one set
		# around qemu or valgrind binds their own calls, not keyview's.
		echo "SKIP: $1: a sandbox would bind ${KEYVIEW_EMULATOR%% *}, not keyview"
	elif test -z "$KEYVIEW_DENY_SYSCALLS"; then
		echo "SKIP: $1: no seccomp helper in this build"
	else
		# Only the helper's own answer that the kernel takes no filter
		# (77) may skip; a helper that is missing, crashes or fails
		# otherwise fails the case.
		$(deny pause) true
		case $? in
		0) return 0 ;;
		77) echo "SKIP: $1: this kernel takes no seccomp filter" ;;
		*) check "$1: the seccomp helper works" false ;;
		esac
	fi
	return 1
}

is_root() { test "$(id -u)" = 0; }

# root_only WHAT: skip the whole test where WHAT needs root.
root_only() {
	is_root && return 0
	echo "SKIP: $1: root only"
	exit 77
}

# memory_of PID [NAME]: every readable byte of the process's memory, or of
# its regions named NAME ("[stack]"). It fails if it passed over a region
# too large to read: a sanitizer's shadow memory.
memory_of() {
	local range perms offset device inode name start end status=0
	while read -r range perms offset device inode name; do
		case $perms in r*) ;; *) continue ;; esac
		test -z "$2" || test "$name" = "$2" || continue
		start=$((16#${range%-*})) end=$((16#${range#*-}))
		if test $((end - start)) -gt $((1 << 30)); then
			status=1
			continue
		fi
		dd if="/proc/$1/mem" bs=1M iflag=skip_bytes,count_bytes \
		    skip="$start" count=$((end - start)) status=none 2>/dev/null
	done <"/proc/$1/maps"
	return $status
}
