// read-registers PID: the registers of PID, stopped for a moment where it
// waits, as the kernel keeps them for it (general purpose and floating
// point), raw on stdout, then PID left to go on waiting. As root: keyview
// closes itself to its user's other processes.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <elf.h>
#include <sys/ptrace.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <sys/wait.h>

int main(int argc, char *argv[])
{
	if (argc != 2) {
		std::fprintf(stderr, "usage: read-registers PID\n");
		return 2;
	}
	pid_t pid = std::atoi(argv[1]);
	int status;
	if (ptrace(PTRACE_SEIZE, pid, nullptr, nullptr) == -1 ||
	    ptrace(PTRACE_INTERRUPT, pid, nullptr, nullptr) == -1 ||
	    waitpid(pid, &status, __WALL) == -1) {
		std::fprintf(stderr, "read-registers: %s: %s\n", argv[1],
		    std::strerror(errno));
		return 1;
	}
	for (int set : {NT_PRSTATUS, NT_PRFPREG}) {
		unsigned char registers[4096];
		iovec got = {registers, sizeof registers};
		if (ptrace(PTRACE_GETREGSET, pid, set, &got) == -1) {
			std::fprintf(stderr, "read-registers: regset %d: %s\n", set,
			    std::strerror(errno));
			return 1;
		}
		std::fwrite(registers, 1, got.iov_len, stdout);
	}
	// Its pause, interrupted, starts again, as if never stopped.
	ptrace(PTRACE_DETACH, pid, nullptr, nullptr);
	return std::fflush(stdout) == 0 ? 0 : 1;
}
