#!/bin/bash
# Verify the 207-byte display of key.bin's first 32 bytes, byte for byte.
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

# A key.bin of 2 GiB or more refused for its size (a 32-bit build's open
# without large-file offsets): a disk image with the key up front. Sparse,
# so it costs no disk; 5 GiB is past both 2^31 and 2^32.
printf "$key" >key.bin
if truncate -s 5G key.bin 2>/dev/null; then
	expect_display
else
	echo 'SKIP: a key.bin of 5 GiB: the file system here refuses one'
fi

# Arguments taken for a file name, an option or a format.
printf "$key" >key.bin
expect_display -h --help other.bin %s%s%s ''

exit $fail
