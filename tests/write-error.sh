#!/bin/bash
# Verify that a display that cannot be written ends keyview with status 1
# and the reason, instead of a silent wait.
. "${0%/*}/init.sh"

repeat '\001' 32 >key.bin

# A full disk. Here and below, what reached stdout cannot be seen.
run_keyview >/dev/full
expect_error 'keyview: stdout: No space left on device'

# A closed stdout: key.bin may then take its descriptor.
run_keyview >&-
expect_error 'keyview: stdout: Bad file descriptor'

# A reader gone, with SIGPIPE left ignored: silence, or a wait after all.
cat >reader-gone.pl <<'EOF'
pipe my $reader, my $writer or die "pipe: $!\n";
close $reader;
open STDOUT, '>&', $writer or die "dup: $!\n";
$SIG{PIPE} = 'IGNORE';
exec @ARGV or die "exec: $!\n";
EOF
KEYVIEW_EMULATOR="perl reader-gone.pl $KEYVIEW_EMULATOR" run_keyview
reason='Broken pipe'
# Windows' C runtime, as on Windows itself, says EINVAL for such a pipe;
# wine hands Cygwin the error as a failed send.
on_windows && reason='Invalid argument'
cygwin_under_wine && reason='Communication error on send'
expect_error "keyview: stdout: $reason"

exit $fail
