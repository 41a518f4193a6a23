#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> merged_environment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        std::string_view current(*entry);
        std::string_view name = current.substr(0, current.find('='));
        bool replaced = false;
        for (const auto& override_entry : overrides)
            replaced |= std::string_view(override_entry).substr(0, override_entry.find('=')) == name;
        if (!replaced) merged.emplace_back(current);
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

std::vector<char*> pointers_to(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

int decode_status(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

ChildProcess::ChildProcess(const ChildOptions& options) {
    int input_pipe[2] = {-1, -1};
    int output_pipe[2] = {-1, -1};
    if (options.pipe_input && pipe2(input_pipe, O_CLOEXEC) != 0) return;
    if (options.pipe_output && pipe2(output_pipe, O_CLOEXEC) != 0) return;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.pipe_input)
        posix_spawn_file_actions_adddup2(&actions, input_pipe[0], 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, options.output_file.c_str(),
                                     O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (options.pipe_output)
        posix_spawn_file_actions_adddup2(&actions, output_pipe[1], 1);
    else
        posix_spawn_file_actions_adddup2(&actions, 2, 1);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<std::string> argv = options.argv;
    std::vector<std::string> environment = merged_environment(options.environment);
    auto argv_pointers = pointers_to(argv);
    auto environment_pointers = pointers_to(environment);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv_pointers[0], &actions, &attributes, argv_pointers.data(),
                     environment_pointers.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);

    if (options.pipe_input) {
        close(input_pipe[0]);
        input_ = input_pipe[1];
    }
    if (options.pipe_output) {
        close(output_pipe[1]);
        output_ = output_pipe[0];
    }
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      reaped_(other.reaped_),
      exit_code_(other.exit_code_),
      input_(std::exchange(other.input_, -1)),
      output_(std::exchange(other.output_, -1)) {}

ChildProcess::~ChildProcess() {
    stop();
    close_input();
    if (output_ >= 0) close(output_);
}

void ChildProcess::close_input() {
    if (input_ >= 0) close(std::exchange(input_, -1));
}

std::optional<int> ChildProcess::wait_exit(std::chrono::milliseconds deadline) {
    if (!started()) return std::nullopt;
    auto end = Clock::now() + deadline;
    while (!reaped_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            exit_code_ = decode_status(status);
        } else if (Clock::now() >= end) {
            return std::nullopt;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return exit_code_;
}

void ChildProcess::stop() {
    if (!started() || reaped_) return;
    kill(-pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    reaped_ = true;
    exit_code_ = decode_status(status);
}

CommandResult run_command(const std::vector<std::string>& argv, std::chrono::milliseconds deadline,
                          const std::string& log_file) {
    ChildProcess child({.argv = argv, .environment = {}, .pipe_output = true, .output_file = log_file});
    CommandResult result;
    if (!child.started()) return result;
    auto end = Clock::now() + deadline;
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) break;
        pollfd ready{child.output(), POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
        ssize_t got = read(child.output(), buffer, sizeof buffer);
        if (got <= 0) break;
        result.output.append(buffer, static_cast<size_t>(got));
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (auto code = child.wait_exit(std::max(left, std::chrono::milliseconds(0))))
        result.exit_code = *code;
    return result;
}
