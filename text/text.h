// Text values: GBK byte strings that may be absent, and the operations the
// handlers apply to them. An absent text behaves as "" everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>

namespace kestrava {

// A borrowed text: a literal, or the bytes of a Text that outlives the view.
// data() == nullptr means absent. The bytes never contain 0.
class TextRef {
public:
    constexpr TextRef() = default;
    template <std::size_t N>
    constexpr TextRef(const char (&literal)[N]) : data_(literal), size_(N - 1) {}
    constexpr TextRef(const char* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    constexpr bool absent() const { return data_ == nullptr; }
    constexpr const char* data() const { return data_; }
    constexpr std::size_t size() const { return size_; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// An owned text. Default-constructed it is absent. Failing to get memory for
// one ends the program (text/text_storage.h). Its storage is its own:
// no other text or control shares it. Releasing is the end of its life.
class Text {
public:
    Text() = default;
    // A moved-from text is absent (size 0).
    Text(Text&& other) noexcept : bytes_(std::move(other.bytes_)), size_(other.size_) { other.size_ = 0; }
    Text& operator=(Text&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        size_ = other.size_;
        if (&other != this) other.size_ = 0;
        return *this;
    }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    // A new text holding a copy of the bytes ("" stays "", absent stays absent).
    static Text copy_of(TextRef source);
    // A new present text of `size` bytes, zero-filled and terminated, to be filled by the caller.
    static Text with_size(std::size_t size);

    bool absent() const { return !bytes_; }
    const char* data() const { return bytes_.get(); }   // terminated; nullptr when absent
    char* data() { return bytes_.get(); }
    std::size_t size() const { return size_; }
    operator TextRef() const { return TextRef(bytes_.get(), size_); }

private:
    struct Free { void operator()(char* p) const; };
    std::unique_ptr<char[], Free> bytes_;
    std::size_t size_ = 0;
};

// Number of bytes; 0 for "" and for an absent text.
std::int32_t byte_length(TextRef text);
// The texts joined in order; always a new present text, "" when all are empty or absent.
Text concat(std::initializer_list<TextRef> parts);
// Sign of a - b in unsigned byte order: exactly -1, 0 or +1.
std::int32_t compare(TextRef a, TextRef b);
// Folds full-width forms, skips white space, reads the longest decimal number prefix; 0 if none.
// The result is the nearest double, whatever the C locale; a number beyond the largest
// double gives the largest double (with its sign), so no text gives infinity or NaN.
double text_to_number(TextRef text);
// "%.13g" with trailing zeros trimmed and a three-digit exponent ("1e+013"); never empty.
// The same text with every compiler and C runtime. -0.0 gives "-0" as printf does;
// infinities and NaN, which the program never makes, give "inf", "-inf" and "nan".
Text number_to_text(double value);

}  // namespace kestrava
