// Talks to kestrava_probe, which runs under Wine beside Kestrava and answers
// one line of tab-separated key=value fields per command.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>

#include "tests/e2e/child_process.h"

struct Fields {
    static Fields parse(std::string_view line);

    bool ok() const { return get("status") == "ok"; }
    // "" for a missing field.
    std::string get(const std::string& key) const;
    // 0 for a missing field or one that is not a number.
    long long number(const std::string& key) const;
    std::string describe() const;
    // The fields of the index-th listed window ("3.hwnd" becomes "hwnd").
    Fields item(long long index) const;

    std::map<std::string, std::string> values;
};

// Escapes a text for a command line of the probe: backslash, tab and line breaks.
std::string escape_for_probe(std::string_view text);

class ProbeClient {
public:
    // Starts the probe in its answering mode; its standard error goes to log_file.
    ProbeClient(std::vector<std::string> command, std::vector<std::string> environment,
                std::string log_file);

    // Sends one command and waits up to the deadline for its answer; a probe that
    // does not answer gives status=error with the reason.
    Fields ask(const std::string& command,
               std::chrono::milliseconds deadline = std::chrono::seconds(10));

private:
    ChildProcess process_;
    std::string pending_;
    // After an answer came too late, later answers could be taken for the wrong
    // command: the client then fails every command.
    bool out_of_step_ = false;
};
