#!/bin/bash
# Verify that a key file shorter than 32 bytes shows zeros past its end.
. "${0%/*}/init.sh"

# Stack garbage shown past the end, the layout cut short, the shortfall
# passed over in silence, or the wait skipped.
printf '\377\001\200\011\144\012\143' >key.bin
{ printf 'ff018009640a63'; repeat 00 25
  printf '\r\n\r\nDecimal: 255 001 128 009 100 010 099 '; repeat '000 ' 25
  printf '\r\n'; } >exp
message 'keyview: key.bin: only 7 of 32 bytes; the rest shown as zero' >exp-err
expect_display

# One byte short passed over, from standard input as from a file; the
# message naming anything but the file as given.
repeat '\041' 31 >key.bin
{ repeat 21 31; printf '00\r\n\r\nDecimal: '; repeat '033 ' 31
  printf '000 \r\n'; } >exp
message 'keyview: -: only 31 of 32 bytes; the rest shown as zero' >exp-err
input=key.bin expect_display -

# Nothing read shown as a key of zeros: an empty file, or a pipe whose
# writer (gpg, after a wrong passphrase) gave nothing.
: >key.bin
run_keyview >out
expect_failure 'keyview: key.bin: empty: no key to show'
run_keyview - >out
expect_failure 'keyview: -: empty: no key to show'

exit $fail
