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

int main(int argc, char *argv[])
{
	if (argc < 3) {
		std::fprintf(stderr, "usage: send-signals PID SIGNO...\n");
		return 2;
	}
	for (int arg = 2; arg < argc; arg++) {
		if (kill(std::atoi(argv[1]), std::atoi(argv[arg])) == -1) {
			std::fprintf(stderr, "send-signals: %s: %s\n", argv[1],
			    std::strerror(errno));
			return 1;
		}
	}
	return 0;
}
