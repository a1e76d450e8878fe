// Starts a program linked with the start-up probe and reports, in one line,
// microseconds from exec until its window was mapped, until it was painted
// and until the program ended, and its peak resident memory in KiB:
//
//   bench_launch PROGRAM [ARGUMENTS...]
//   -> mapped_us painted_us exited_us peak_kib

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

extern char** environ;

namespace {

long long now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_launch PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    int out[2];
    if (pipe(out) != 0)
        return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    const long long started = now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[1], &actions, nullptr, argv + 1, environ) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    close(out[1]);
    std::string marks;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        marks.append(buffer, static_cast<std::size_t>(n));
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const long long exited = now();

    long long mapped = 0;
    long long painted = 0;
    const std::size_t at = marks.rfind("mapped ");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos ||
        std::sscanf(marks.c_str() + at, "mapped %lld painted %lld", &mapped, &painted) != 2) {
        std::fprintf(stderr, "bench_launch: %s did not report a painted window (status %d)\n", argv[1], status);
        return 1;
    }
    std::printf("%lld %lld %lld %ld\n", (mapped - started) / 1000, (painted - started) / 1000,
                (exited - started) / 1000, usage.ru_maxrss);
    return 0;
}
