// deny-syscalls RULE... -- PROGRAM [ARG...]: run PROGRAM with system calls
// failing as a sandbox's seccomp filter may make them fail. A RULE is
// NAME[/COUNT][=ERRNO]: the call NAME (only with COUNT as its third
// argument, a read's size) fails with ERRNO, by default ENOSYS; with 0 it
// returns 0 at once, as if done. A name this architecture lacks is passed
// over. Exits 77, the tests' "skipped", where the kernel takes no filter.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

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
		const std::string rule = argv[arg];
		const auto equals = rule.find('='), slash = rule.find('/');
		const std::string name = rule.substr(0, std::min(equals, slash));
		int number = seccomp_syscall_resolve_name(name.c_str());
		if (number == __NR_SCMP_ERROR)
			continue;
		std::uint32_t action = SCMP_ACT_ERRNO(equals == std::string::npos ?
		    ENOSYS : std::stoi(rule.substr(equals + 1)));
		int error = slash == std::string::npos ?
		    seccomp_rule_add(filter, action, number, 0) :
		    seccomp_rule_add(filter, action, number, 1, scmp_arg_cmp{2,
			SCMP_CMP_EQ, std::stoull(rule.substr(slash + 1)), 0});
		if (error != 0) {
			std::fprintf(stderr, "deny-syscalls: %s: %s\n", argv[arg],
			    std::strerror(-error));
			return 2;
		}
	}
	if (arg + 1 >= argc) {
		std::fprintf(stderr,
		    "usage: deny-syscalls NAME[/COUNT][=ERRNO]... -- PROGRAM [ARG...]\n");
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
