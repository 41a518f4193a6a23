// One line of the probe's answer: tab-separated key=value fields in UTF-8.
// Tabs, line breaks and backslashes inside a value are written as \t, \n, \r
// and \\, so every answer is exactly one line.
#pragma once

#include <string>
#include <string_view>

class Reply {
public:
    Reply& add(std::wstring_view key, std::wstring_view value);
    Reply& add(std::wstring_view key, long long value);
    Reply& fail(std::wstring_view message);

    bool failed() const { return failed_; }
    // The whole answer in UTF-8, ending in a line feed.
    std::string line() const;

private:
    std::wstring fields_;
    bool failed_ = false;
};

// Reverses the escapes above; the driver escapes the texts it sends the same way.
std::wstring unescape(std::wstring_view text);

std::string to_utf8(std::wstring_view text);
std::wstring from_utf8(std::string_view text);
