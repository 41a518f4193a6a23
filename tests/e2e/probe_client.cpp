#include "tests/e2e/probe_client.h"

#include <poll.h>
#include <unistd.h>

#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

std::string unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += text[i];
        }
    }
    return out;
}

Fields failure(const std::string& reason) {
    Fields fields;
    fields.values["status"] = "error";
    fields.values["error"] = reason;
    return fields;
}

}  // namespace

Fields Fields::parse(std::string_view line) {
    Fields fields;
    while (!line.empty()) {
        size_t end = line.find('\t');
        std::string_view field = line.substr(0, end);
        size_t equals = field.find('=');
        if (equals != std::string_view::npos)
            fields.values[std::string(field.substr(0, equals))] = unescape(field.substr(equals + 1));
        line = end == std::string_view::npos ? std::string_view{} : line.substr(end + 1);
    }
    return fields;
}

std::string Fields::get(const std::string& key) const {
    auto found = values.find(key);
    return found == values.end() ? std::string{} : found->second;
}

long long Fields::number(const std::string& key) const {
    try {
        return std::stoll(get(key));
    } catch (const std::exception&) {
        return 0;
    }
}

std::string Fields::describe() const {
    std::ostringstream out;
    for (const auto& [key, value] : values) out << key << '=' << escape_for_probe(value) << ' ';
    return out.str();
}

Fields Fields::item(long long index) const {
    std::string prefix = std::to_string(index) + ".";
    Fields one;
    for (const auto& [key, value] : values)
        if (key.starts_with(prefix)) one.values[key.substr(prefix.size())] = value;
    return one;
}

std::string escape_for_probe(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

ProbeClient::ProbeClient(std::vector<std::string> command, std::vector<std::string> environment,
                         std::string log_file)
    : process_({.argv = std::move(command),
                .environment = std::move(environment),
                .pipe_input = true,
                .pipe_output = true,
                .output_file = std::move(log_file)}) {}

Fields ProbeClient::ask(const std::string& command, std::chrono::milliseconds deadline) {
    if (!process_.started()) return failure("the probe did not start");
    if (out_of_step_) return failure("the probe missed an earlier deadline");
    std::string line = command + "\n";
    if (write(process_.input(), line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return failure("the probe has gone (writing '" + command + "')");
    auto end = Clock::now() + deadline;
    for (;;) {
        size_t newline = pending_.find('\n');
        if (newline != std::string::npos) {
            std::string answer = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return Fields::parse(answer);
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        pollfd ready{process_.output(), POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            out_of_step_ = true;
            return failure("the probe gave no answer to '" + command + "' in time");
        }
        char buffer[8192];
        ssize_t got = read(process_.output(), buffer, sizeof buffer);
        if (got <= 0) return failure("the probe has gone (reading the answer to '" + command + "')");
        pending_.append(buffer, static_cast<size_t>(got));
    }
}
