#include "text/text.h"

#include "text/text_internal.h"
#include "text/text_storage.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kestrava {
namespace {

// Storage for `size` bytes and a terminator, or the end of the program.
char* allocate_bytes(std::size_t size) {
    if (size == std::numeric_limits<std::size_t>::max()) report_text_out_of_memory(size);
    void* bytes = allocate_text_storage(size + 1);
    if (bytes == nullptr) report_text_out_of_memory(size + 1);
    return static_cast<char*>(bytes);
}

// --- Reading a number -------------------------------------------------------

constexpr int kEnd = -1;     // no more characters
constexpr int kOther = 256;  // a two-byte character that folds to nothing ASCII

struct FoldedChar {
    int ch;             // an ASCII byte, kOther or kEnd
    std::size_t width;  // bytes of the text it takes
};

// The character at `at` after folding full-width forms to ASCII. A lead byte
// (0x80 or above) pairs with the byte after it, whatever that byte is; a lead
// byte with nothing after it is dropped and ends the text.
FoldedChar fold_at(const unsigned char* at, const unsigned char* end) {
    if (at == end) return {kEnd, 0};
    const unsigned char lead = at[0];
    if (lead < 0x80) return {lead, 1};
    if (at + 1 == end) return {kEnd, 1};
    const unsigned char trail = at[1];
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return {trail - 0x80, 2};  // full-width forms
    if (lead == 0xA1) {
        if (trail == 0xA1) return {' ', 2};                   // ideographic space
        if (trail == 0xAB) return {'~', 2};                   // full-width tilde
        if (trail == 0xEE || trail == 0xEF) return {'*', 2};  // white and black star
    }
    return {kOther, 2};
}

// A text read one folded character at a time; copies are saved positions.
class FoldedReader {
public:
    explicit FoldedReader(TextRef text)
        : at_(reinterpret_cast<const unsigned char*>(text.data())),
          end_(at_ + text.size()),
          current_(fold_at(at_, end_)) {}

    int peek() const { return current_.ch; }
    void advance() {
        at_ += current_.width;
        current_ = fold_at(at_, end_);
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
    FoldedChar current_;  // the character at at_
};

bool is_space(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// A decimal number as (significant digits) x 10^exponent, kept short enough to
// parse without the heap. Rounding to a double depends only on the first 768
// significant digits and on whether any digit after them is nonzero, so the
// digits beyond kMaxDigits are summed up in one nonzero "sticky" digit.
class DecimalNumber {
public:
    void add_integer_digit(int digit) {
        if (!keep(digit)) exponent_ += 1;
    }
    void add_fraction_digit(int digit) {
        if (keep(digit)) exponent_ -= 1;
    }
    void add_exponent(std::int64_t exponent) { exponent_ += exponent; }

    // The double nearest to the number: beyond the largest double it is the
    // largest double; a number too small for the smallest denormal is zero.
    // With `exact_fast_path`, a short number is worked out in double arithmetic
    // when that gives the same double as strtod.
    double to_double(bool negative, bool exact_fast_path) const {
        double magnitude = 0.0;
        if (exact_fast_path && count_ <= kMaxFastDigits && exponent_ >= -kMaxFastExponent &&
            exponent_ <= kMaxFastExponent) {
            // At most 15 digits and 10^|e| with |e| <= 22 are both exact
            // doubles, so the one multiplication or division rounds correctly.
            // (count_ <= 15 means no digit was summed up into sticky_.)
            magnitude = static_cast<double>(mantissa_);
            if (exponent_ >= 0) {
                magnitude *= kPowersOfTen[exponent_];
            } else {
                magnitude /= kPowersOfTen[-exponent_];
            }
        } else if (count_ != 0) {
            char text[kMaxDigits + 32];
            std::memcpy(text, digits_, count_);
            std::size_t length = count_;
            std::int64_t exponent = exponent_;
            if (sticky_) {
                text[length++] = '1';
                exponent -= 1;
            }
            // Far beyond both ends of the double range; keeps the text short.
            constexpr std::int64_t kLimit = 99999999;
            if (exponent > kLimit) exponent = kLimit;
            if (exponent < -kLimit) exponent = -kLimit;
            text[length++] = 'e';
            length += write_integer(text + length, exponent);
            text[length] = '\0';
            // Digits and an exponent only, no decimal point: the C locale's
            // radix character plays no part.
#if defined(__MINGW32__)
            // MinGW's own correctly rounded strtod, not the C runtime DLL's.
            magnitude = __mingw_strtod(text, nullptr);
#else
            magnitude = std::strtod(text, nullptr);
#endif
            if (std::isinf(magnitude)) magnitude = std::numeric_limits<double>::max();
        }
        return negative ? -magnitude : magnitude;
    }

private:
    static constexpr std::size_t kMaxDigits = 800;
    static constexpr std::size_t kMaxFastDigits = 15;  // below 2^53
    static constexpr std::int64_t kMaxFastExponent = 22;  // 5^22 < 2^53
    static constexpr double kPowersOfTen[kMaxFastExponent + 1] = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

    // Stores a significant digit; false when the digit was only summed up.
    bool keep(int digit) {
        if (count_ == 0 && digit == '0') return true;  // a leading zero: nothing to store
        if (count_ < kMaxDigits) {
            if (count_ < kMaxFastDigits) mantissa_ = mantissa_ * 10 + static_cast<std::uint64_t>(digit - '0');
            digits_[count_++] = static_cast<char>(digit);
            return true;
        }
        if (digit != '0') sticky_ = true;
        return false;
    }

    static std::size_t write_integer(char* out, std::int64_t value) {
        std::size_t length = 0;
        if (value < 0) {
            out[length++] = '-';
            value = -value;
        }
        char reversed[24];
        std::size_t count = 0;
        do {
            reversed[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count != 0) out[length++] = reversed[--count];
        return length;
    }

    char digits_[kMaxDigits];
    std::size_t count_ = 0;
    std::uint64_t mantissa_ = 0;  // the first kMaxFastDigits digits as an integer
    bool sticky_ = false;
    std::int64_t exponent_ = 0;
};

// --- Writing a number -------------------------------------------------------

// `value` rounded once, exactly and half to even, to 13 significant digits, as
// "d.dddddddddddde+XX" (the exponent's width varies between C runtimes).
void format_scientific_13(double value, char (&out)[40]) {
#if defined(__MINGW32__)
    // MinGW's own C99 printf; the C runtime DLL's rounds exact ties differently.
    __mingw_snprintf(out, sizeof out, "%.12e", value);
#else
    std::snprintf(out, sizeof out, "%.12e", value);
#endif
}

}  // namespace

void Text::Free::operator()(char* p) const { std::free(p); }

Text Text::copy_of(TextRef source) {
    if (source.absent()) return Text();
    Text text = with_size(source.size());
    if (source.size() != 0) std::memcpy(text.data(), source.data(), source.size());
    return text;
}

Text Text::with_size(std::size_t size) {
    Text text;
    text.bytes_.reset(allocate_bytes(size));
    std::memset(text.bytes_.get(), 0, size + 1);
    text.size_ = size;
    return text;
}

std::int32_t byte_length(TextRef text) {
    constexpr std::size_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(text.size() < kMax ? text.size() : kMax);
}

Text concat(std::initializer_list<TextRef> parts) {
    std::size_t total = 0;
    for (TextRef part : parts) {
        if (part.size() >= std::numeric_limits<std::size_t>::max() - total) {
            report_text_out_of_memory(std::numeric_limits<std::size_t>::max());
        }
        total += part.size();
    }
    Text joined = Text::with_size(total);
    char* out = joined.data();
    for (TextRef part : parts) {
        if (part.size() != 0) std::memcpy(out, part.data(), part.size());
        out += part.size();
    }
    return joined;
}

std::int32_t compare(TextRef a, TextRef b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int order = common != 0 ? std::memcmp(a.data(), b.data(), common) : 0;
    if (order != 0) return order < 0 ? -1 : 1;
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

// text_to_number, with or without the exact fast path.
double read_number(TextRef text, bool exact_fast_path) {
    FoldedReader in(text);
    while (is_space(in.peek())) in.advance();

    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    DecimalNumber number;
    bool any_digit = false;
    bool after_point = false;
    for (;; in.advance()) {
        const int c = in.peek();
        if (is_digit(c)) {
            any_digit = true;
            if (after_point) {
                number.add_fraction_digit(c);
            } else {
                number.add_integer_digit(c);
            }
        } else if (c == '.' && !after_point) {
            after_point = true;
        } else {
            break;
        }
    }
    if (!any_digit) return 0.0;

    const int letter = in.peek();
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        in.advance();
        bool exponent_negative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            exponent_negative = in.peek() == '-';
            in.advance();
        }
        // Without a digit here the letter is not part of the number, and
        // nothing after it is read.
        std::int64_t exponent = 0;
        for (; is_digit(in.peek()); in.advance()) {
            constexpr std::int64_t kSaturated = 1000000000;  // as good as infinite
            exponent = exponent < kSaturated ? exponent * 10 + (in.peek() - '0') : kSaturated;
        }
        number.add_exponent(exponent_negative ? -exponent : exponent);
    }
    return number.to_double(negative, exact_fast_path);
}

// Whole numbers below 10^13 and halves, as "%.13g" writes them, straight from
// an integer; false for any other value. Every digit of such a number is
// significant and there are at most 13 of them, except for a half from 10^12
// up: its 14 digits end in an exact tie, which "%.12e" rounds to even.
bool write_whole_or_half(double value, char (&out)[40], int& length) {
    if (!(value > -1e13 && value < 1e13)) return false;  // NaN too
    const double twice = value * 2;  // exact
    const std::int64_t halves = static_cast<std::int64_t>(twice);
    if (static_cast<double>(halves) != twice) return false;
    const bool negative = std::signbit(value);  // "-0" for -0.0, as printf writes it
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(halves) : static_cast<std::uint64_t>(halves);
    std::uint64_t whole = magnitude / 2;
    bool half = magnitude % 2 != 0;
    if (half && whole >= 1000000000000) {
        whole += whole % 2;
        half = false;
        if (whole == 10000000000000) return false;  // "1e+013"
    }
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    length = 0;
    if (negative) out[length++] = '-';
    while (count != 0) out[length++] = reversed[--count];
    if (half) {
        out[length++] = '.';
        out[length++] = '5';
    }
    return true;
}

namespace text_internal {

double text_to_number_general(TextRef text) { return read_number(text, false); }

Text number_to_text_general(double value) {
    if (std::isnan(value)) return Text::copy_of("nan");
    if (std::isinf(value)) return value < 0 ? Text::copy_of("-inf") : Text::copy_of("inf");

    char scientific[40];
    format_scientific_13(value, scientific);
    const char* in = scientific;
    const bool negative = *in == '-';
    if (negative) ++in;
    char digits[13];
    std::memset(digits, '0', sizeof digits);
    int count = 0;
    for (; *in != 'e' && *in != '\0'; ++in) {
        // Skips the radix character, whatever the C locale made of it.
        if (*in >= '0' && *in <= '9' && count < 13) digits[count++] = *in;
    }
    int exponent = 0;
    bool exponent_negative = false;
    if (*in == 'e') {
        exponent_negative = in[1] == '-';
        for (in += 2; *in >= '0' && *in <= '9'; ++in) exponent = exponent * 10 + (*in - '0');
    }
    if (exponent_negative) exponent = -exponent;

    int significant = count;
    while (significant > 1 && digits[significant - 1] == '0') --significant;

    char out[40];
    int length = 0;
    auto put = [&](char c) { out[length++] = c; };
    if (negative) put('-');
    if (exponent < -4 || exponent >= 13) {
        put(digits[0]);
        if (significant > 1) put('.');
        for (int i = 1; i < significant; ++i) put(digits[i]);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        put('e');
        put(exponent < 0 ? '-' : '+');
        put(static_cast<char>('0' + magnitude / 100));
        put(static_cast<char>('0' + magnitude / 10 % 10));
        put(static_cast<char>('0' + magnitude % 10));
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) put(digits[i]);
        if (significant > exponent + 1) put('.');
        for (int i = exponent + 1; i < significant; ++i) put(digits[i]);
    } else {
        put('0');
        put('.');
        for (int i = -1; i > exponent; --i) put('0');
        for (int i = 0; i < significant; ++i) put(digits[i]);
    }
    return Text::copy_of(TextRef(out, static_cast<std::size_t>(length)));
}

}  // namespace text_internal

double text_to_number(TextRef text) { return read_number(text, true); }

Text number_to_text(double value) {
    char out[40];
    int length = 0;
    if (write_whole_or_half(value, out, length)) return Text::copy_of(TextRef(out, static_cast<std::size_t>(length)));
    return text_internal::number_to_text_general(value);
}

}  // namespace kestrava
