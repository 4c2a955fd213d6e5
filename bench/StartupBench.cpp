#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

/**
 * Process start to the first paint of the graph: runs the program under the offscreen platform
 * with VELMORA_REPORT_FIRST_PAINT, which makes it print one line at its first paint and quit.
 * The resident memory it reports is kept as a counter.
 */
void startupToFirstPaint(benchmark::State& state)
{
    const std::string program = VELMORA_PROGRAM;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VELMORA_REPORT_FIRST_PAINT", "1", 1);
    setenv("XDG_CONFIG_HOME", "/tmp/velmora-startup-bench", 1);
    long rss = 0;
    for (auto _ : state) {
        int output[2];
        if (pipe(output) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        if (spawned != 0) {
            close(output[0]);
            state.SkipWithError("could not start the program");
            return;
        }
        char line[128] = {};
        const ssize_t got = read(output[0], line, sizeof line - 1);
        const auto painted = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
        close(output[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got > 0)
            std::sscanf(line, "first paint, rss %ld", &rss);
    }
    state.counters["rss_kB"] = static_cast<double>(rss);
}
BENCHMARK(startupToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);

} // namespace
