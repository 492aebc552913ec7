#!/bin/bash
# Verify the 207-byte display of the key file's first 32 bytes, byte for
# byte, and the answers to --help, --version and a wrong call.
. "${0%/*}/init.sh"

# One key holds every format boundary (0, 9/10, 99/100, 127/128, 255),
# hex digits a to f, and the bytes a text-mode read would mangle: CR, LF,
# ^Z. A '%' guards against the key reaching a format string.
key='\000\011\012\143\144\177\200\377\001\017\020\253\315\357\272\334'
key=$key'\376\015\012\032\045\310\372\052\100\132\145\240\257\276\360\377'
printf '00090a63647f80ff010f10abcdefbadcfe0d0a1a25c8fa2a405a65a0afbef0ff\r\n'\
'\r\nDecimal: 000 009 010 099 100 127 128 255 001 015 016 171 205 239 186 220'\
' 254 013 010 026 037 200 250 042 064 090 101 160 175 190 240 255 \r\n' >exp
: >exp-err

# Values printed signed, in upper case, without padding, with LF line
# ends, or without the blank line and the trailing space.
printf "$key" >key.bin
expect_display

# Bytes past the 32nd leaking into the display.
printf "$key"'\001\002\003 trailing text\r\n' >key.bin
expect_display

# Another file shown than the one named, or standard input; a name outside
# Windows' ANSI code page taken through it, with '?' for its letters (wine
# reads the name as UTF-8 where the locale says so); a file named -x taken
# for an option. The named file is of 2 GiB or more, to be refused for its
# size by a 32-bit build's open without large-file offsets: a disk image
# with the key up front. Sparse, so it costs no disk; 5 GiB is past both
# 2^31 and 2^32.
repeat '\000' 32 >key.bin
mkdir Зоя
printf "$key" >Зоя/ключ.bin
truncate -s 5G Зоя/ключ.bin 2>/dev/null ||
    echo 'SKIP: a named file of 5 GiB: the file system here refuses one'
LC_ALL=C.UTF-8 expect_display Зоя/ключ.bin
printf "$key" >-x
expect_display -- -x
input=-x expect_display -

# Help or the version that opens a file, shows a key or waits; a wrong call
# that does, or says nothing, or ends as a failure would. Their answers are
# the same whether key.bin is a key or cannot be read.
n=$newline ended='ended by Ctrl-C or a signal' manual='man keyview'
on_windows && ended='closed or ended with Ctrl-C' manual='keyview.html, beside keyview.exe'
printf "usage: keyview [FILE]$n%s$n%s$n%s$n$n%s$n%s$n%s$n${n}The manual: %s$n" \
    'Show the 256-bit key in FILE, or in key.bin in the current directory,' \
    'as 64 hexadecimal digits and as 32 decimal bytes, then wait until' \
    "$ended. With FILE -, read standard input." \
    '  -h, --help     show this help and exit' \
    '      --version  show the version and exit' \
    '  --             end the options: a FILE may start with -' "$manual" >exp-help
printf "keyview ${KEYVIEW_VERSION:?the version that keyview gives}$n" >exp-version
answers() { # answers EXPECTED ARG...: EXPECTED on stdout, nothing else, status 0
	run_keyview "${@:2}" >out
	compare "$1" out
	check "nothing on stderr for ${*:2}" test ! -s err
	check "status 0 for ${*:2}, not $status" test "$status" = 0
}
refuses() { # refuses PROBLEM ARG...: PROBLEM and the usage on stderr, status 2
	run_keyview "${@:2}" >out
	{ message "keyview: $1"; message 'usage: keyview [FILE]'; } >exp-err
	compare exp-err err
	check "nothing on stdout for ${*:2}" test ! -s out
	check "status 2 for ${*:2}, not $status" test "$status" = 2
}
for key_file in key unreadable; do
	test $key_file = key || { rm key.bin && mkdir key.bin; }
	answers exp-help -h
	answers exp-help other.bin --help
	on_windows && answers exp-help '/?' # a Windows user's way to ask
	answers exp-version --version
	refuses '-x: unknown option' -x --help
	refuses 'b: extra operand' a b
	refuses '-x: extra operand' -- a -x
	refuses "'': empty file name" ''
	refuses "\$'-\\033[2J': unknown option" $'-\e[2J'
done

exit $fail
