// send-signals PID SIGNO...: send PID each signal in turn, back to back.
// Under wine a Cygwin program takes a tenth of a second to start, too long
// for one a signal to make a burst; and only a Cygwin process sends Cygwin
// signals.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <signal.h>
#include <sys/types.h>

// A whole positive number, or -1: an empty or partly read one must not
// become 0, for which kill signals the sender's whole process group.
long positive(const char *text)
{
	char *end;
	errno = 0;
	long number = std::strtol(text, &end, 10);
	return errno == 0 && end != text && *end == '\0' && number > 0 ? number : -1;
}

int main(int argc, char *argv[])
{
	if (argc < 3) {
		std::fprintf(stderr, "usage: send-signals PID SIGNO...\n");
		return 2;
	}
	long pid = positive(argv[1]);
	for (int arg = 1; arg < argc; arg++) {
		if (positive(argv[arg]) == -1) {
			std::fprintf(stderr, "send-signals: %s: not a number above 0\n",
			    argv[arg]);
			return 2;
		}
	}
	for (int arg = 2; arg < argc; arg++) {
		if (kill(pid, positive(argv[arg])) == -1) {
			std::fprintf(stderr, "send-signals: %s: %s\n", argv[1],
			    std::strerror(errno));
			return 1;
		}
	}
	return 0;
}
