// deny-syscalls NAME... -- PROGRAM [ARG...]: run PROGRAM with the named
// system calls failing with ENOSYS, as a sandbox's seccomp filter may
// refuse them. A name this architecture lacks is passed over. Exits 77,
// the tests' "skipped", where the kernel takes no filter.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <seccomp.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
	// A program of another word size than this one's (amd64's own true
	// after a 32-bit helper) runs untouched, rather than killed.
	scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
	if (filter == nullptr ||
	    seccomp_attr_set(filter, SCMP_FLTATR_ACT_BADARCH, SCMP_ACT_ALLOW) != 0) {
		std::fprintf(stderr, "deny-syscalls: no seccomp filter to be had\n");
		return 2;
	}
	int arg = 1;
	for (; arg < argc && std::strcmp(argv[arg], "--") != 0; arg++) {
		int number = seccomp_syscall_resolve_name(argv[arg]);
		int error = number == __NR_SCMP_ERROR ? 0 :
		    seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), number, 0);
		if (error != 0) {
			std::fprintf(stderr, "deny-syscalls: %s: %s\n", argv[arg],
			    std::strerror(-error));
			return 2;
		}
	}
	if (arg + 1 >= argc) {
		std::fprintf(stderr,
		    "usage: deny-syscalls NAME... -- PROGRAM [ARG...]\n");
		return 2;
	}
	int error = seccomp_load(filter);
	if (error != 0) {
		std::fprintf(stderr, "deny-syscalls: seccomp_load: %s\n",
		    std::strerror(-error));
		return 77;
	}
	execvp(argv[arg + 1], argv + arg + 1);
	std::fprintf(stderr, "deny-syscalls: %s: %s\n", argv[arg + 1],
	    std::strerror(errno));
	return 127;
}
