// Programs the scenarios start: each in a process group of its own, so that
// stopping it also stops whatever it started (wine, timeout, the Windows program).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct ChildOptions {
    std::vector<std::string> argv;
    std::vector<std::string> environment;  // NAME=VALUE, added to or replacing this process's
    bool pipe_input = false;               // else standard input is /dev/null
    bool pipe_output = false;              // else standard output goes to output_file
    std::string output_file = "/dev/null";  // standard error always goes here
};

class ChildProcess {
public:
    explicit ChildProcess(const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    int input() const { return input_; }
    int output() const { return output_; }
    void close_input();

    // The exit code once the program has ended within the deadline (128 + signal
    // when a signal ended it), nothing otherwise.
    std::optional<int> wait_exit(std::chrono::milliseconds deadline);

    // Kills the whole process group and reaps the program; harmless when it has ended.
    void stop();

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    std::optional<int> exit_code_;
    int input_ = -1;
    int output_ = -1;
};

struct CommandResult {
    int exit_code = -1;  // -1 when the command did not end within its deadline
    std::string output;
};

// Runs a command to its end, killing it at the deadline; standard error goes to log_file.
CommandResult run_command(const std::vector<std::string>& argv, std::chrono::milliseconds deadline,
                          const std::string& log_file = "/dev/null");
