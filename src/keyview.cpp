// keyview: show the 256-bit key in ./key.bin, or in the file named, as one
// line of hex digits and one line of three-digit decimal bytes, then stay
// until ended from outside.

// The POSIX and BSD names used here stay visible under strict standard C++,
// where newlib (Cygwin) and glibc would hide them; _POSIX_C_SOURCE would
// hide explicit_bzero and SA_RESETHAND on the BSDs instead. macOS declares
// memset_s only when asked.
#define _DEFAULT_SOURCE 1
// key.bin may be a disk image or a container file with the key up front:
// on a 32-bit system, glibc's plain fopen refuses any file of 2 GiB or
// more, and its plain clock_gettime fails once the monotonic clock is past
// 2^31 seconds, as a time namespace can set it. A 64-bit system's offsets
// and times are large already, and its build keeps its bytes.
#if __SIZEOF_POINTER__ == 4
#define _FILE_OFFSET_BITS 64
#define _TIME_BITS 64
#endif
#ifdef __APPLE__
#define __STDC_WANT_LIB_EXT1__ 1
#endif

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#ifdef _WIN32
#include <string>
#include <vector>
#endif

#if defined(_WIN32) || defined(__CYGWIN__)
#include <fcntl.h>
#include <io.h>
#endif
#ifndef _WIN32
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#endif
#if defined(_WIN32) || defined(__CYGWIN__)
#include <windows.h>
#endif
#ifdef __linux__
#include <sys/prctl.h>
#endif
#ifdef __FreeBSD__
#include <sys/procctl.h>
#endif
#ifdef __APPLE__
#include <sys/types.h>
#include <sys/ptrace.h>
#endif

namespace {

constexpr std::size_t key_size = 32;

const char *key_name_in(int argc, char *argv[]);
#ifdef _WIN32
const char *key_name_in(int argc, wchar_t *argv[]);
#endif
void keep_memory_private();
void end_on_signals();
std::FILE *open_key(const char *name);
bool is_terminal(std::FILE *file);
void wipe(void *secret, std::size_t size);
void show(const unsigned char (&key)[key_size]);
void wipe_stack_below();
const char *wait_forever();
void say(const char *what, const char *reason);
void put_shown(const char *name);
void put(const char *text);
void put(const char *text, std::size_t size);
[[noreturn]] void fail(const char *what, int error);
[[noreturn]] void fail(const char *what, const char *reason);
[[noreturn]] void end(int status);

} // namespace

#ifdef _WIN32
// Built with -municode: Windows hands wmain the arguments as they were
// typed or dropped, where main's would come through the ANSI code page,
// with '?' for each character outside it.
int wmain(int argc, wchar_t *argv[])
#else
int main(int argc, char *argv[])
#endif
{
	// A message leaves in one write, however many pieces it is made of.
	// Off the stack, which a small limit leaves little of; nor does a
	// message ever hold the key.
	static char messages[BUFSIZ];
	if (std::setvbuf(stderr, messages, _IOFBF, sizeof messages) != 0)
		fail("stderr", errno);
	// Help, the version and a usage error end keyview here, before any
	// file is opened.
	const char *key_name = key_name_in(argc, argv);

	keep_memory_private();
	end_on_signals();

	// CR LF is spelled out, not left to the platform, so that every
	// platform prints the same 207 bytes. Windows' C runtime would turn
	// each LF into CR LF on a text-mode stream, giving CR CR LF.
#ifdef _WIN32
	if (_setmode(_fileno(stdout), _O_BINARY) == -1)
		fail("stdout", errno);
#endif
	// The display is the key in other words, so stdout buffers it here,
	// where it can be wiped, rather than in a buffer of stdio's own.
	char display[BUFSIZ];
	if (std::setvbuf(stdout, display, _IOFBF, sizeof display) != 0)
		fail("stdout", errno);

	// Zero-filled, so that a short key shows zeros past its end rather
	// than whatever the stack held.
	unsigned char key[key_size] = {};

	std::FILE *key_file = open_key(key_name);
	if (key_file == nullptr)
		fail(key_name, errno);
	// Nobody types a key's 32 raw bytes: a terminal gives a key pasted as
	// text, of which the read would leave the rest to the shell, and its
	// history file, once keyview ends.
	if (is_terminal(key_file))
		fail(key_name, "refusing to read a key from a terminal");
	// Unbuffered, so that the read takes the key's 32 bytes and nothing
	// after them, straight into key[]: no more of the file is copied into
	// memory, and a pipe or device gives up no more than it must.
	if (std::setvbuf(key_file, nullptr, _IONBF, 0) != 0)
		fail(key_name, errno);
	std::size_t key_length = std::fread(key, 1, key_size, key_file);
	bool read_failed = std::ferror(key_file);
	int read_error = errno;
	// Closed at once, standard input too: held open through the wait, it
	// would let whoever can take keyview's descriptors read the key after
	// the wipe, and keep a deleted file's bytes on disk. Nothing was
	// written to it, so its close can lose nothing.
	std::fclose(key_file);
	if (read_failed) {
		// Some of the key may have come before the error.
		wipe(key, sizeof key);
		fail(key_name, read_error);
	}
	// Nothing read is no key (a wrong passphrase in front of a pipe, an
	// empty file), not a key of zeros.
	if (key_length == 0)
		fail(key_name, "empty: no key to show");
	if (key_length < key_size) {
		char shortfall[64];
		std::snprintf(shortfall, sizeof shortfall,
		    "only %zu of %zu bytes; the rest shown as zero", key_length,
		    key_size);
		say(key_name, shortfall);
	}

	show(key);

	// A file or a pipe gets the text now, not when the buffer would next
	// be flushed: that never happens once the process waits, and the text
	// would die with it. This is also where a full disk or a closed
	// stdout shows.
	bool shown = std::fflush(stdout) != EOF && !std::ferror(stdout);
	int write_error = errno;

	// Shown or not, the key is needed no more: no copy of it may outlive
	// this point, however long the wait.
	wipe(key, sizeof key);
	wipe(display, sizeof display);
	wipe_stack_below();
	if (!shown)
		fail("stdout", write_error);

	fail("pause", wait_forever());
}

namespace {

#define USAGE "usage: keyview [FILE]\n"

#ifdef _WIN32
#define ENDED "closed or ended with Ctrl-C"
#define MANUAL "keyview.html, beside keyview.exe"
#else
#define ENDED "ended by Ctrl-C or a signal"
#define MANUAL "man keyview"
#endif

constexpr const char *help = USAGE
    "Show the 256-bit key in FILE, or in key.bin in the current directory,\n"
    "as 64 hexadecimal digits and as 32 decimal bytes, then wait until\n"
    ENDED ". With FILE -, read standard input.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "  --             end the options: a FILE may start with -\n"
    "\n"
    "The manual: " MANUAL "\n";

// answer(TEXT): TEXT on stdout, as asked for, and status 0; a stdout that
// cannot take it is a failure like any other.
[[noreturn]] void answer(const char *text)
{
	if (std::fputs(text, stdout) == EOF || std::fflush(stdout) == EOF)
		fail("stdout", errno);
	std::exit(EXIT_SUCCESS);
}

[[noreturn]] void usage_error(const char *what, const char *problem)
{
	say(what, problem);
	put(USAGE);
	end(2);
}

// The file that the arguments name, options before or after it, or
// key.bin where they name none.
const char *key_name_in(int argc, char *argv[])
{
	const char *name = nullptr;
	bool options_ended = false;
	for (int i = 1; i < argc; i++) {
		const char *arg = argv[i];
		if (!options_ended && std::strcmp(arg, "--") == 0) {
			options_ended = true;
#ifdef _WIN32
		} else if (!options_ended && std::strcmp(arg, "/?") == 0) {
			// A Windows user's first try; no file's name holds a '?'.
			answer(help);
#endif
		} else if (!options_ended && arg[0] == '-' && arg[1] != '\0') {
			if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)
				answer(help);
			if (std::strcmp(arg, "--version") == 0)
				answer("keyview " KEYVIEW_VERSION "\n");
			usage_error(arg, "unknown option");
		} else if (name != nullptr) {
			usage_error(arg, "extra operand");
		} else if (arg[0] == '\0') {
			usage_error(arg, "empty file name");
		} else {
			name = arg;
		}
	}
	return name != nullptr ? name : "key.bin";
}

#ifdef _WIN32
std::string utf8(const wchar_t *text)
{
	int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0,
	    nullptr, nullptr);
	std::string converted(size > 0 ? size : 1, '\0');
	WideCharToMultiByte(CP_UTF8, 0, text, -1, &converted[0], size,
	    nullptr, nullptr);
	converted.resize(std::strlen(converted.c_str()));
	return converted;
}

std::wstring utf16(const char *text)
{
	int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
	std::wstring converted(size > 0 ? size : 1, L'\0');
	MultiByteToWideChar(CP_UTF8, 0, text, -1, &converted[0], size);
	converted.resize(std::wcslen(converted.c_str()));
	return converted;
}

// The file named, by the name that Windows gave: NTFS allows what UTF-8
// cannot hold (a lone surrogate), which would come back from it as
// another file's name.
const wchar_t *wide_key_name = L"key.bin";

// In UTF-8, the one form that keyview's messages take. They last as long
// as keyview.
const char *key_name_in(int argc, wchar_t *argv[])
{
	static std::vector<std::string> arguments;
	static std::vector<char *> pointers;
	for (int i = 0; i < argc; i++)
		arguments.push_back(utf8(argv[i]));
	for (std::string &argument : arguments)
		pointers.push_back(&argument[0]);
	pointers.push_back(nullptr);
	const char *name = key_name_in(argc, pointers.data());
	for (int i = 1; i < argc; i++) {
		if (name == pointers[i])
			wide_key_name = argv[i];
	}
	return name;
}
#endif

// Before the key is read: no core file may ever hold it.
void keep_memory_private()
{
#ifndef _WIN32
	const struct rlimit no_core = {0, 0};
	if (setrlimit(RLIMIT_CORE, &no_core) == -1)
		fail("setrlimit", errno);
#endif
#ifdef __linux__
	// The limit does not bind a core pattern that pipes to a handler
	// (systemd-coredump, apport); this does, and it also closes the
	// process's memory to the user's other processes and debuggers.
	if (prctl(PR_SET_DUMPABLE, 0) == -1)
		fail("prctl", errno);
#endif
#ifdef __FreeBSD__
	// FreeBSD's own mark for the same: no debugger, no core file.
	int no_tracing = PROC_TRACE_CTL_DISABLE;
	if (procctl(P_PID, getpid(), PROC_TRACE_CTL, &no_tracing) == -1)
		fail("procctl", errno);
#endif
#ifdef __APPLE__
	// macOS's nearest to it: no debugger may attach.
	if (ptrace(PT_DENY_ATTACH, 0, nullptr, 0) == -1)
		fail("ptrace", errno);
#endif
}

#ifndef _WIN32
// As the first process of a PID namespace (a container's entry point),
// keyview would not die of these signals: the kernel drops any whose
// action is the default. With the handler reset, raising the signal again
// ends keyview by the signal itself wherever it can, so that its parent
// sees the same status as ever; where that is dropped, the exit status
// says which signal ended it.
extern "C" void end_by_signal(int signo)
{
	// As that first process, the signal raised is dropped; under qemu-user
	// qemu takes it as its own, dies of it in vain and never returns.
	if (getpid() != 1)
		std::raise(signo);
	_exit(128 + signo);
}
#endif

void end_on_signals()
{
#ifndef _WIN32
	struct sigaction end_action = {};
	end_action.sa_handler = end_by_signal;
	end_action.sa_flags = SA_RESETHAND | SA_NODEFER;
	sigemptyset(&end_action.sa_mask);
	sigset_t ending_signals;
	sigemptyset(&ending_signals);
	for (int signo : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
		// One ignored from the start (nohup, a script's background job)
		// stays ignored.
		struct sigaction at_start = {};
		if (sigaction(signo, nullptr, &at_start) == -1 ||
		    (at_start.sa_handler != SIG_IGN &&
			sigaction(signo, &end_action, nullptr) == -1))
			fail("sigaction", errno);
		sigaddset(&ending_signals, signo);
	}
	// A blocked mask outlives exec: a parent that blocked these and did
	// not restore its mask would leave only SIGKILL able to end keyview.
	if (sigprocmask(SIG_UNBLOCK, &ending_signals, nullptr) == -1)
		fail("sigprocmask", errno);
#endif
}

// "-" is standard input, so that a key decrypted in a pipe is shown
// without ever being written to a disk.
std::FILE *open_key(const char *name)
{
	if (std::strcmp(name, "-") != 0) {
#ifdef _WIN32
		return _wfopen(wide_key_name, L"rb");
#else
		return std::fopen(name, "rb");
#endif
	}
#if defined(_WIN32) || defined(__CYGWIN__)
	// Read as "rb" reads a file: no CR LF made LF, no end at ^Z.
	if (_setmode(fileno(stdin), O_BINARY) == -1)
		return nullptr;
#endif
	return stdin;
}

bool is_terminal(std::FILE *file)
{
#ifdef _WIN32
	// A console; the C runtime's _isatty would say so of NUL too.
	DWORD mode;
	return GetConsoleMode(
	    reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))), &mode);
#else
	return isatty(fileno(file));
#endif
}

// memset on memory that is not read again is a dead store, which the
// optimiser may drop; each system's own call for this it may not. Where
// none is known, keyview does not build rather than leave the key behind.
void wipe(void *secret, std::size_t size)
{
#if defined(_WIN32)
	SecureZeroMemory(secret, size);
#elif defined(__APPLE__)
	memset_s(secret, size, 0, size);
#elif defined(__NetBSD__)
	explicit_memset(secret, 0, size);
#elif defined(__linux__) || defined(__CYGWIN__) || defined(__FreeBSD__) || \
    defined(__OpenBSD__) || defined(__DragonFly__)
	explicit_bzero(secret, size);
#else
#error "no wipe that the optimiser must keep is known for this system"
#endif
}

// Out of main, so that the registers that held the key's bytes get main's
// values back when it returns, rather than keep the last byte for any
// later call to save on the stack through the wait. printf leaves it, raw
// or in digits, in registers that any call may clobber and none after it
// need: on MIPS they keep it through the wait. show zeroes them as it
// returns, where the compiler can (GCC; clang 14 cannot); MIPS's multiply
// unit, which printf divides by ten with, it zeroes itself.
#if defined(__has_attribute)
#if __has_attribute(zero_call_used_regs)
#define ZERO_CALL_USED_REGISTERS gnu::zero_call_used_regs("all-gpr"),
#endif
#endif
#ifndef ZERO_CALL_USED_REGISTERS
#define ZERO_CALL_USED_REGISTERS
#endif
[[ZERO_CALL_USED_REGISTERS gnu::noinline]] void show(
    const unsigned char (&key)[key_size])
{
	for (unsigned char byte : key)
		std::printf("%02x", byte);
	std::printf("\r\n");
	std::printf("\r\nDecimal: ");
	for (unsigned char byte : key)
		std::printf("%03d ", byte);
	std::printf("\r\n");
#if defined(__mips__) && __mips_isa_rev < 6
	asm volatile("mthi $0\n\tmtlo $0" ::: "hi", "lo");
#endif
}

// show and printf leave their frames below main's as they were: the last
// byte shown, raw and in digits, and the registers that held it. A frame
// as deep, wiped, covers them all. No deeper: under a small stack limit
// (ulimit -s), a frame that went past where printf went could end keyview
// after the display. Their depth, measured with each C library, is at
// most 3.2 KiB on a 64-bit Linux (glibc on amd64) and 1.5 KiB on a 32-bit
// one, and 4.7 KiB with MinGW's printf, on Windows' own large stack.
#if defined(_WIN32) || defined(__CYGWIN__)
constexpr std::size_t printf_depth = 8192;
#else
constexpr std::size_t printf_depth = 512 * sizeof(void *);
#endif

[[gnu::noinline]] void wipe_stack_below()
{
	unsigned char below[printf_depth];
	wipe(below, sizeof below);
}

#ifndef _WIN32
// The monotonic clock in nanoseconds, or -1 where it cannot be read.
long long monotonic_ns()
{
	struct timespec now = {};
	if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
		return -1;
	return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// sleep_while_it_sleeps(SLEEP): calls SLEEP again and again, and returns
// the errno with which it gave it up: at once on an error other than
// EINTR, however long the refusal took; or when it has come back early,
// within a second (or with no clock to tell), a hundred times in a row:
// a sandbox that answers EINTR, or fakes the call as done, does so for
// ever.
template <typename Sleep> int sleep_while_it_sleeps(Sleep sleep)
{
	int error = 0;
	for (int early = 0; early < 100;) {
		long long start = monotonic_ns();
		errno = 0;
		sleep();
		error = errno;
#ifdef __CYGWIN__
		// No sandbox answers so on Cygwin: there EINTR is a signal that
		// came, Ctrl-Z and fg among them, in bursts of any length.
		if (error == EINTR)
			continue;
#endif
		if (error != 0 && error != EINTR)
			break;
		bool slept = start >= 0 && monotonic_ns() - start >= 1000000000;
		early = slept ? 0 : early + 1;
	}
	return error;
}
#endif

// Sleeping, not spinning, leaves the processor free meanwhile. keyview's
// handlers never return, so a way of sleeping comes back only when it
// failed, or, on Cygwin, when keyview was stopped and goes on (Ctrl-Z,
// then fg). A sandbox may refuse pause, with ENOSYS or even EINTR, or
// fake it as done; nanosleep, a day at a time, is then the call that a
// sandbox is surest to allow. Returns only when both have been given up,
// with pause's reason.
const char *wait_forever()
{
#ifdef _WIN32
	for (;;)
		Sleep(INFINITE);
#else
	int pause_error = sleep_while_it_sleeps([] { pause(); });
	const struct timespec a_day = {86400, 0};
	sleep_while_it_sleeps([&a_day] { nanosleep(&a_day, nullptr); });

	// A pause faked as done leaves no errno to tell why.
	return pause_error != 0 ? std::strerror(pause_error) :
				  "Returned without sleeping";
#endif
}

#if defined(_WIN32) || defined(__CYGWIN__)
// Started from Explorer, a shortcut or start, keyview has a console window
// of its own, which closes when it ends, and a message with it. One
// started by a Cygwin shell has a Cygwin parent, whatever its console.
bool console_of_its_own()
{
	DWORD processes[2];
#ifdef __CYGWIN__
	if (getppid() != 1)
		return false;
#endif
	return GetConsoleProcessList(processes, 2) == 1;
}
#else
bool console_of_its_own() { return false; }
#endif

// say(WHAT, REASON): "keyview: WHAT: REASON" on stderr, with WHAT, which
// may be a name from outside, as put_shown shows it.
void say(const char *what, const char *reason)
{
	put("keyview: ");
	put_shown(what);
	put(": ");
	put(reason);
	put("\n");
	std::fflush(stderr);
}

// The length of the printable character of UTF-8 at TEXT, or 0 where a
// terminal could act on it (a control character: C0, DEL or C1), where
// it turns the text around it (a bidirectional control), or where it is
// no UTF-8 at all. By hand: the C library's view of UTF-8 follows the
// locale, and on Windows has none.
std::size_t printable_length(const unsigned char *text)
{
	unsigned char lead = text[0];
	if (lead < 0x80)
		return lead >= 0x20 && lead != 0x7f;
	std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
	if (lead < 0xc2 || lead > 0xf4)
		return 0;
	char32_t code = lead & (0x7f >> length);
	for (std::size_t i = 1; i < length; i++) {
		if ((text[i] & 0xc0) != 0x80)
			return 0;
		code = code << 6 | (text[i] & 0x3f);
	}
	bool overlong = code < (length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000);
	bool surrogate = code >= 0xd800 && code <= 0xdfff;
	bool control = code < 0xa0 || code == 0x61c || code == 0x200e ||
	    code == 0x200f || (code >= 0x202a && code <= 0x202e) ||
	    (code >= 0x2066 && code <= 0x2069);
	if (overlong || surrogate || control || code > 0x10ffff)
		return 0;
	return length;
}

// put_shown(NAME): NAME as it is where it is printable text; otherwise in
// the shell's $'...' quotes, each byte that is not printable as an octal
// escape, so that the name is seen, never acted on, and can be pasted
// back. An empty name is ''.
void put_shown(const char *name)
{
	const auto *text = reinterpret_cast<const unsigned char *>(name);
	std::size_t size = std::strlen(name), at = 0, length;
	while (at < size && (length = printable_length(text + at)) != 0)
		at += length;
	if (at == size) {
		put(size != 0 ? name : "''");
		return;
	}
	put("$'");
	for (at = 0; at < size; at += length) {
		length = printable_length(text + at);
		if (length == 0) {
			char escape[sizeof "\\ooo"];
			std::snprintf(escape, sizeof escape, "\\%03o", text[at]);
			put(escape);
			length = 1;
		} else {
			if (text[at] == '\\' || text[at] == '\'')
				put("\\");
			put(name + at, length);
		}
	}
	put("'");
}

void put(const char *text) { put(text, std::strlen(text)); }

// put(TEXT, SIZE): a piece of a message, of whole characters, on stderr.
void put(const char *text, std::size_t size)
{
#ifdef _WIN32
	// A console shows bytes through its code page, which lacks most of
	// the characters that a file's name may hold, and UTF-16 as it is.
	HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
	DWORD mode, written;
	if (GetConsoleMode(console, &mode)) {
		std::wstring piece = utf16(std::string(text, size).c_str());
		WriteConsoleW(console, piece.c_str(), piece.size(), &written, nullptr);
		return;
	}
#endif
	std::fwrite(text, 1, size, stderr);
}

void fail(const char *what, int error)
{
	fail(what, std::strerror(error));
}

void fail(const char *what, const char *reason)
{
	say(what, reason);
	end(EXIT_FAILURE);
}

// _Exit, not exit: the exit-time flush would write stdout's buffer once
// more, after it has failed or been wiped. stderr's is flushed here.
void end(int status)
{
	std::fflush(stderr);
	// The window stays, so that the message can be read, as a display
	// could; the key is not read yet, or wiped by now.
	if (console_of_its_own())
		wait_forever();
	std::_Exit(status);
}

} // namespace
