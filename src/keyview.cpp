// keyview: show the 256-bit key in ./key.bin as one line of hex digits and
// one line of three-digit decimal bytes, then stay until ended from outside.

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr const char *key_path = "key.bin";
constexpr std::size_t key_size = 32;

[[noreturn]] void fail(const char *what, int error)
{
	std::fprintf(stderr, "keyview: %s: %s\n", what, std::strerror(error));
	std::exit(EXIT_FAILURE);
}

} // namespace

int main()
{
	// Zero-filled, so that a short key shows zeros past its end rather
	// than whatever the stack held.
	unsigned char key[key_size] = {};

	std::FILE *key_file = std::fopen(key_path, "rb");
	if (key_file == nullptr)
		fail(key_path, errno);
	// Unbuffered, so that the read takes the key's 32 bytes and nothing
	// after them: no more of the file is copied into memory, and a pipe
	// or device gives up no more than it must.
	std::setvbuf(key_file, nullptr, _IONBF, 0);
	std::size_t key_length = std::fread(key, 1, key_size, key_file);
	if (std::ferror(key_file))
		fail(key_path, errno);
	if (key_length < key_size)
		std::fprintf(stderr,
		    "keyview: %s: only %zu of %zu bytes; the rest shown as zero\n",
		    key_path, key_length, key_size);

	// CR LF is spelled out, not left to the platform, so that every
	// platform prints the same 207 bytes. Windows' C runtime would turn
	// each LF into CR LF on a text-mode stream, giving CR CR LF.
#ifdef _WIN32
	if (_setmode(_fileno(stdout), _O_BINARY) == -1)
		fail("stdout", errno);
#endif
	for (unsigned char byte : key)
		std::printf("%02x", byte);
	std::printf("\r\n");
	std::printf("\r\nDecimal: ");
	for (unsigned char byte : key)
		std::printf("%03d ", byte);
	std::printf("\r\n");

	// A file or a pipe gets the text now, not when the buffer would next
	// be flushed: that never happens once the process waits, and the text
	// would die with it. This is also where a full disk or a closed
	// stdout shows.
	if (std::fflush(stdout) == EOF || std::ferror(stdout))
		fail("stdout", errno);

	// The key stays on show until the process is ended from outside.
	// Sleeping, not spinning, leaves the processor free meanwhile.
	for (;;) {
#ifdef _WIN32
		Sleep(INFINITE);
#else
		pause();
#endif
	}
}
