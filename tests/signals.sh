#!/bin/bash
# Verify that hang-up, Ctrl-C, Ctrl-\ and kill end keyview by that very
# signal, even as the first process of a PID namespace or when blocked at
# the start, that a signal ignored at the start stays ignored, and that
# Ctrl-Z and fg leave keyview waiting.
. "${0%/*}/init.sh"
posix_only 'signals'

repeat '\252' 32 >key.bin
ended_by_each='HUP: killed by signal 1
INT: killed by signal 2
QUIT: killed by signal 3
TERM: killed by signal 15'

# each_ending HOW [ARG...]: "HOW SIGNAL ARG..." for hang-up, Ctrl-C, Ctrl-\
# and kill, then again with all four blocked at the start (BLOCKED=1); the
# lines that HOW prints, one each, as "exp" has them.
each_ending() {
	local blocked signal
	for blocked in '' 1; do
		for signal in HUP INT QUIT TERM; do
			BLOCKED=$blocked "$1" "$signal" "${@:2}"
		done >out-status
		compare exp out-status
	done
}

if cygwin_under_wine; then
	# Under wine, a Linux signal is no Cygwin signal, and only a Cygwin
	# parent sees how a Cygwin program ended: the test kit's cygrun.exe
	# starts keyview and tells, and the tests' own send-signals.exe sends
	# the signals. cygrun.exe beside keyview's cygwin1.dll is of its word
	# size; no other can start it.
	cygrun=$KEYVIEW_CYGWIN_BIN/cygrun.exe
	if ! test -f "$cygrun" || test -z "$KEYVIEW_SEND_SIGNALS"; then
		echo "SKIP: Cygwin signals: no cygrun.exe beside cygwin1.dll"
		exit 77
	fi
	# cygwin_ended SIGNALS [CYGRUN-OPTION...]: how keyview ended when sent
	# Cygwin's SIGNALS after its display, a word each, a third of a second
	# apart; SIGNALS joined by commas in a word go back to back. Cygwin
	# numbers TSTP and CONT as the BSDs do, not as Linux does. With
	# BLOCKED=1, keyview starts with the four ending signals blocked.
	cygwin_ended() {
		local options=("${@:2}")
		test -z "$BLOCKED" || options+=(-b1 -b2 -b3 -b15)
		KEYVIEW_EMULATOR="$KEYVIEW_EMULATOR $cygrun ${options[*]} cygpid" \
		    KEYVIEW=/cygdrive/z$KEYVIEW start_keyview
		local burst signal numbers
		for burst in $1; do
			numbers=()
			for signal in ${burst//,/ }; do
				case $signal in
				TSTP) numbers+=(18) ;;
				CONT) numbers+=(19) ;;
				*) numbers+=("$(kill -l "$signal")") ;;
				esac
			done
			$KEYVIEW_EMULATOR "$KEYVIEW_SEND_SIGNALS" "$(cat cygpid)" \
			    "${numbers[@]}" 2>/dev/null
			sleep 0.3
		done
		local tries=0
		while is_running && test $((tries += 1)) -le 2400; do sleep 0.05; done
		if is_running; then
			echo "$1: still running"
			# A Linux signal to cygrun would leave keyview behind.
			$KEYVIEW_EMULATOR "$KEYVIEW_SEND_SIGNALS" "$(cat cygpid)" 9 \
			    2>/dev/null
			stop_keyview
		else
			stop_keyview
			echo "$1: $(sed -n 's/^cygrun: //p' err)"
		fi
	}

	# A signal swallowed, or left blocked from the start; or a stackdump,
	# Cygwin's core file, written on Ctrl-\ although keyview set its core
	# limit to zero.
	echo "$ended_by_each" >exp
	each_ending cygwin_ended
	check 'no stackdump after Ctrl-\' test -z "$(find . -name '*.stackdump')"

	# A hang-up ignored from the start (nohup) taken back by keyview, so
	# that it, not the TERM after it, ends keyview; Ctrl-Z
	# and fg, twice, or five hundred times back to back as a program sends
	# them, which bring Cygwin's pause back each time, taken for a way of
	# sleeping that failed, so that keyview ends by itself, or spins on
	# nanosleep inside cygwin1.dll and no longer dies of TERM.
	burst="$(repeat TSTP,CONT, 499)TSTP,CONT TERM"
	printf '%s\n' 'HUP TERM: killed by signal 15' \
	    'TSTP CONT TSTP CONT TERM: killed by signal 15' \
	    "$burst: killed by signal 15" >exp
	{ cygwin_ended 'HUP TERM' -i1; cygwin_ended 'TSTP CONT TSTP CONT TERM'
	  cygwin_ended "$burst"; } >out-status
	compare exp out-status

	echo 'SKIP: as the first process of a PID namespace: none on Windows'
	exit $fail
fi

# how_ended SIGNAL [WRAPPER...]: how keyview, run under WRAPPER, ended when
# sent SIGNAL after its display, as its parent's wait status tells it: a
# shell's $? gives 128 + n for an exit with that status and for death by
# signal n alike. keyview is the wrapper's child if it has one. With
# BLOCKED=1, keyview starts with all four signals blocked.
how_ended() {
	: >out # before the wrapper starts, so that the wait below is for this run
	perl -MPOSIX -e '
		my ($signal, $display_size) = splice @ARGV, 0, 2;
		defined(my $pid = fork) or die "fork: $!\n";
		if ($pid == 0) {
			open STDOUT, ">", "out"; open STDIN, "<", "/dev/null";
			sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGHUP, SIGINT, SIGQUIT, SIGTERM))
			    if $ENV{BLOCKED};
			exec @ARGV or die "exec: $!\n";
		}
		select undef, undef, undef, 0.05 until -s "out" >= $display_size;
		my $target = $pid;
		if (open my $children, "<", "/proc/$pid/task/$pid/children") {
			my ($child) = split " ", <$children> // "";
			$target = $child if $child;
		}
		kill $signal, $target;
		$SIG{ALRM} = sub { print "$signal: still running\n"; kill "KILL", $target; exit };
		alarm 30;
		waitpid $pid, 0;
		print "$signal: ", $? & 127 ? "killed by signal " . ($? & 127) : "exit " . ($? >> 8), "\n";
	' "$1" "$display_size" "${@:2}" $KEYVIEW_EMULATOR "$KEYVIEW"
}

# A signal swallowed, or turned into an exit that only looks like death by
# the signal to a shell; or one that a parent left blocked kept pending for
# ever, so that nothing but SIGKILL ends keyview.
echo "$ended_by_each" >exp
each_ending how_ended

# An INT ignored from the start (nohup, a script's background job) taken
# back by keyview, so that it, not the TERM after it, ends keyview.
trap '' INT
start_keyview
trap - INT
kill -INT "$pid"
stop_keyview TERM
status=$?
check "an ignored INT ends keyview: status $status, not 143" test $status = 143

# As the first process of a PID namespace, where the kernel drops signals
# left to their default action, and keyview would wait for SIGKILL alone;
# under qemu-user, as a foreign architecture's container runs, qemu is
# that process and waits for ever once its own kill of itself is dropped.
if is_root; then
	printf '%s\n' 'HUP: exit 129' 'INT: exit 130' 'QUIT: exit 131' \
	    'TERM: exit 143' >exp
	each_ending how_ended unshare --pid --fork
else
	echo 'SKIP: as the first process of a PID namespace: root only'
fi

exit $fail
