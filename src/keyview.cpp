// keyview: show the 256-bit key in ./key.bin as one line of hex digits and
// one line of three-digit decimal bytes, then stay until ended from outside.

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
#include <fcntl.h>
#include <io.h>
#else
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

constexpr const char *key_path = "key.bin";
constexpr std::size_t key_size = 32;

void keep_memory_private();
void end_on_signals();
void wipe(void *secret, std::size_t size);
void show(const unsigned char (&key)[key_size]);
void wipe_stack_below();
const char *wait_forever();
[[noreturn]] void fail(const char *what, int error);
[[noreturn]] void fail(const char *what, const char *reason);

} // namespace

int main()
{
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

	std::FILE *key_file = std::fopen(key_path, "rb");
	if (key_file == nullptr)
		fail(key_path, errno);
	// Unbuffered, so that the read takes the key's 32 bytes and nothing
	// after them, straight into key[]: no more of the file is copied into
	// memory, and a pipe or device gives up no more than it must.
	std::setvbuf(key_file, nullptr, _IONBF, 0);
	std::size_t key_length = std::fread(key, 1, key_size, key_file);
	bool read_failed = std::ferror(key_file);
	int read_error = errno;
	// Closed at once: held open through the wait, it would let whoever
	// can take keyview's descriptors read the key after the wipe, and
	// keep a deleted key.bin's bytes on disk. Nothing was written to it,
	// so its close can lose nothing.
	std::fclose(key_file);
	if (read_failed) {
		// Some of the key may have come before the error.
		wipe(key, sizeof key);
		fail(key_path, read_error);
	}
	if (key_length < key_size)
		std::fprintf(stderr,
		    "keyview: %s: only %zu of %zu bytes; the rest shown as zero\n",
		    key_path, key_length, key_size);

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
// later call to save on the stack through the wait.
[[gnu::noinline]] void show(const unsigned char (&key)[key_size])
{
	for (unsigned char byte : key)
		std::printf("%02x", byte);
	std::printf("\r\n");
	std::printf("\r\nDecimal: ");
	for (unsigned char byte : key)
		std::printf("%03d ", byte);
	std::printf("\r\n");
}

// show and printf leave their frames below main's as they were: the last
// byte shown, raw and in digits, and the registers that held it. A frame
// as deep, wiped, covers them all.
[[gnu::noinline]] void wipe_stack_below()
{
	unsigned char below[16384];
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
// within a second (or with no clock to tell), a hundred times in a row.
// Stopped and continued in a burst, a Cygwin keyview comes back early a
// few dozen times at most; a sandbox that answers EINTR, or fakes the
// call as done, does so for ever.
template <typename Sleep> int sleep_while_it_sleeps(Sleep sleep)
{
	int error = 0;
	for (int early = 0; early < 100;) {
		long long start = monotonic_ns();
		errno = 0;
		sleep();
		error = errno;
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

void fail(const char *what, int error)
{
	fail(what, std::strerror(error));
}

// _Exit, not exit: the exit-time flush would write stdout's buffer once
// more, after it has failed or been wiped.
void fail(const char *what, const char *reason)
{
	std::fprintf(stderr, "keyview: %s: %s\n", what, reason);
	// The window stays, so that the message can be read, as a display
	// could; the key is not read yet, or wiped by now.
	if (console_of_its_own())
		wait_forever();
	std::_Exit(EXIT_FAILURE);
}

} // namespace
