// libFuzzer target for the text operations (built by the fuzz preset only; run
// with tools/run-fuzz). Each input is checked against plain re-readings of the
// rules written here without the library's code:
//   - text-to-number equals strtod on the folded text's number prefix;
//   - comparison equals the sign from memcmp and the lengths;
//   - concatenation gives the pieces' bytes in order, terminated;
//   - number-to-text equals printf's "%.13g" with the exponent widened to three
//     digits, and reads back as printf's text does.
// GBK bytes are spelled in hex: clang compiles narrow literals as UTF-8.
#include "text/text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using kestrava::Text;
using kestrava::TextRef;

[[noreturn]] void fail(const char* what, const std::string& input) {
    std::fprintf(stderr, "text_fuzz: %s; input (%zu bytes):", what, input.size());
    for (unsigned char c : input) std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

std::string bytes_of(const Text& text) { return std::string(text.data(), text.size()); }

// --- Text to number ----------------------------------------------------------

std::string folded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char first = static_cast<unsigned char>(text[i]);
        if (first < 0x80) {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) break;  // a lone lead byte at the end
        const unsigned char second = static_cast<unsigned char>(text[++i]);
        if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
            out += static_cast<char>(second - 0x80);
        } else if (first == 0xA1 && second == 0xA1) {
            out += ' ';
        } else if (first == 0xA1 && second == 0xAB) {
            out += '~';
        } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
            out += '*';
        } else {
            out += static_cast<char>(first);
            out += static_cast<char>(second);
        }
    }
    return out;
}

bool digit_at(const std::string& s, std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; }
bool one_of_at(const std::string& s, std::size_t i, const char* set) {
    return i < s.size() && s[i] != '\0' && std::strchr(set, s[i]) != nullptr;
}

double reference_number(const std::string& text) {
    const std::string s = folded(text);
    std::size_t start = 0;
    while (one_of_at(s, start, " \t\n\v\f\r")) ++start;
    std::size_t end = start;
    if (one_of_at(s, end, "+-")) ++end;
    std::size_t digits = 0;
    while (digit_at(s, end)) ++end, ++digits;
    if (one_of_at(s, end, ".")) {
        ++end;
        while (digit_at(s, end)) ++end, ++digits;
    }
    if (digits == 0) return 0.0;
    if (one_of_at(s, end, "eEdD")) {
        std::size_t after = end + 1;
        if (one_of_at(s, after, "+-")) ++after;
        if (digit_at(s, after)) {
            while (digit_at(s, after)) ++after;
            end = after;
        }
    }
    std::string number = s.substr(start, end - start);
    for (char& c : number) {
        if (c == 'd' || c == 'D') c = 'e';
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) return value < 0 ? -DBL_MAX : DBL_MAX;
    return value;
}

void check_text_to_number(const std::string& input) {
    const double got = kestrava::text_to_number(TextRef(input.data(), input.size()));
    const double expected = reference_number(input);
    if (std::memcmp(&got, &expected, sizeof got) != 0) fail("text_to_number differs from strtod", input);
}

// --- Comparison and concatenation --------------------------------------------

int reference_compare(const std::string& a, const std::string& b) {
    const int order = std::memcmp(a.data(), b.data(), a.size() < b.size() ? a.size() : b.size());
    if (order != 0) return order < 0 ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The pieces of `rest` cut at the given lengths; `absent` bits make a piece
// absent (it then reads as "").
void check_compare_and_concat(const std::string& input) {
    if (input.size() < 2) return;
    const unsigned char control = static_cast<unsigned char>(input[0]);
    const std::string rest = input.substr(1);
    const std::size_t cut = rest.empty() ? 0 : static_cast<unsigned char>(input[1]) % (rest.size() + 1);
    std::string a = rest.substr(0, cut);
    std::string b = rest.substr(cut);
    const bool a_absent = (control & 1) != 0 && a.empty();
    const bool b_absent = (control & 2) != 0 && b.empty();
    const TextRef ra = a_absent ? TextRef() : TextRef(a.data(), a.size());
    const TextRef rb = b_absent ? TextRef() : TextRef(b.data(), b.size());

    if (kestrava::compare(ra, rb) != reference_compare(a, b)) fail("compare(a, b) differs", input);
    if (kestrava::compare(rb, ra) != reference_compare(b, a)) fail("compare(b, a) differs", input);
    if (kestrava::compare(ra, ra) != 0) fail("compare(a, a) is not 0", input);

    const Text joined = (control & 4) != 0 ? kestrava::concat({ra, TextRef(), rb}) : kestrava::concat({ra, rb, ra});
    const std::string expected = (control & 4) != 0 ? a + b : a + b + a;
    if (joined.absent()) fail("concat gave an absent text", input);
    if (bytes_of(joined) != expected) fail("concat gave other bytes", input);
    if (joined.data()[joined.size()] != '\0') fail("concat result is not terminated", input);
}

// --- Number to text ----------------------------------------------------------

std::string reference_text(double value) {
    if (std::isnan(value)) return "nan";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    std::string s = buffer;
    const std::size_t e = s.find('e');
    if (e == std::string::npos) return s;
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::snprintf(buffer, sizeof buffer, "%c%03d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return s.substr(0, e + 1) + buffer;
}

void check_number_to_text(const std::string& input) {
    if (input.size() < 8) return;
    double value;
    std::memcpy(&value, input.data(), sizeof value);
    const Text text = kestrava::number_to_text(value);
    const std::string expected = reference_text(value);
    if (text.absent() || bytes_of(text) != expected) fail("number_to_text differs from %.13g", input);
    if (text.data()[text.size()] != '\0') fail("number_to_text result is not terminated", input);
    if (std::isfinite(value)) {
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.13g", value);
        const double back = kestrava::text_to_number(text);
        const double expected_back = std::strtod(printed, nullptr);
        if (std::memcmp(&back, &expected_back, sizeof back) != 0) fail("number_to_text does not read back", input);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    check_text_to_number(input);
    check_compare_and_concat(input);
    check_number_to_text(input);
    return 0;
}
