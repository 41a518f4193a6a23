#include "text/text.h"
#include "text/gbk.h"
#include "text/text_internal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace kestrava {
namespace {

std::string bytes_of(TextRef text) { return text.absent() ? std::string() : std::string(text.data(), text.size()); }

TextRef view_of(const std::string& s) { return TextRef(s.data(), s.size()); }

// The same double, bit for bit (tells 0 from -0).
::testing::AssertionResult same_double(double expected, double actual) {
    if (std::memcmp(&expected, &actual, sizeof expected) == 0) return ::testing::AssertionSuccess();
    char message[96];
    std::snprintf(message, sizeof message, "expected %.17g, got %.17g", expected, actual);
    return ::testing::AssertionFailure() << message;
}

// --- Storage -----------------------------------------------------------------

TEST(TextStorage, CopyKeepsAbsentAbsentAndEmptyPresent) {
    EXPECT_TRUE(Text::copy_of(TextRef()).absent());
    const Text empty = Text::copy_of("");
    ASSERT_FALSE(empty.absent());
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_EQ(empty.data()[0], '\0');
}

TEST(TextStorage, CopyIsIndependentAndTerminated) {
    char source[] = "60秒";
    const Text copy = Text::copy_of(source);
    source[0] = '9';
    EXPECT_EQ(bytes_of(copy), "60秒");
    EXPECT_EQ(copy.data()[copy.size()], '\0');
}

TEST(TextStorage, WithSizeIsZeroFilledAndTerminated) {
    const Text text = Text::with_size(5);
    ASSERT_FALSE(text.absent());
    EXPECT_EQ(text.size(), 5u);
    for (std::size_t i = 0; i <= 5; ++i) EXPECT_EQ(text.data()[i], '\0') << i;
}

// A moved-from text must not claim the bytes it no longer has.
TEST(TextStorage, MovingLeavesTheSourceAbsentAndEmpty) {
    Text from = Text::copy_of("abc");
    const Text to = std::move(from);
    EXPECT_EQ(bytes_of(to), "abc");
    EXPECT_TRUE(from.absent());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(from.size(), 0u);

    Text assigned = Text::copy_of("x");
    assigned = std::move(from);  // an absent text replaces a present one
    EXPECT_TRUE(assigned.absent());
    EXPECT_EQ(assigned.size(), 0u);
    from = Text::copy_of("60");
    assigned = std::move(from);
    EXPECT_EQ(bytes_of(assigned), "60");
    EXPECT_EQ(from.size(), 0u);
}

// --- Byte length -------------------------------------------------------------

TEST(ByteLength, CountsBytesNotCharacters) {
    std::string chinese;
    for (int i = 0; i < 120; ++i) chinese += "汉";
    const struct {
        TextRef text;
        std::int32_t length;
    } cases[] = {
        {TextRef(), 0}, {"", 0}, {"abc", 3}, {"共计", 4}, {"60秒", 4}, {view_of(chinese), 240},
    };
    for (const auto& c : cases) EXPECT_EQ(byte_length(c.text), c.length) << bytes_of(c.text);
}

// --- Concatenation -----------------------------------------------------------

TEST(Concat, JoinsTheResultMessage) {
    const Text caption = Text::copy_of("12秒");
    const Text count = number_to_text(6);
    const Text message = concat({"共计", caption, "，共计打了", count, "个汉字"});
    EXPECT_EQ(bytes_of(message), "共计12秒，共计打了6个汉字");
    EXPECT_EQ(message.data()[message.size()], '\0');
}

TEST(Concat, AbsentPiecesAddNothing) {
    EXPECT_EQ(bytes_of(concat({TextRef(), "60", TextRef(), "秒", TextRef()})), "60秒");
}

TEST(Concat, OnlyEmptyOrAbsentPiecesGiveANewEmptyText) {
    for (const Text& joined : {concat({TextRef()}), concat({"", TextRef(), ""})}) {
        ASSERT_FALSE(joined.absent());
        EXPECT_EQ(joined.size(), 0u);
        EXPECT_EQ(joined.data()[0], '\0');
    }
}

TEST(Concat, ResultOutlivesItsPieces) {
    Text result;
    {
        const Text a = Text::copy_of("共计");
        const Text b = Text::copy_of("60秒");
        result = concat({a, b});
    }
    EXPECT_EQ(bytes_of(result), "共计60秒");
}

// --- Comparison --------------------------------------------------------------

TEST(Compare, GivesExactlyTheSignInUnsignedByteOrder) {
    const struct {
        TextRef a, b;
        std::int32_t result;
    } cases[] = {
        {"60秒", "60秒", 0},
        {"6秒", "60秒", +1},  // C3 is above '0'
        {"61秒", "60秒", +1},
        {"59秒", "60秒", -1},
        {TextRef(), "", 0},
        {"", TextRef(), 0},
        {TextRef(), TextRef(), 0},
        {TextRef(), "a", -1},
        {"a", TextRef(), +1},
        {"a", "", +1},
        {"ab", "abc", -1},  // the shorter text is smaller
        {"abc", "ab", +1},
        {"a", "z", -1},  // exactly -1, not the difference of the bytes
        {"z", "a", +1},
        {"\x80", "\x7F", +1},  // a high byte is above every ASCII byte
        {"\xFF", "\x01", +1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compare(c.a, c.b), c.result) << '"' << bytes_of(c.a) << "\" vs \"" << bytes_of(c.b) << '"';
    }
}

// --- Text to number ----------------------------------------------------------

TEST(TextToNumber, ReadsTheLongestNumberPrefix) {
    const struct {
        TextRef text;
        double number;
    } cases[] = {
        {"60秒", 60},
        {"0秒", 0},
        {"", 0},
        {TextRef(), 0},
        {"秒", 0},
        {"  12", 12},
        {"\t\n\v\f\r 3", 3},
        {"+5", 5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {"-7", -7},
        {"1.2.3", 1.2},
        {"1e3", 1000},
        {"1d3", 1000},
        {"1E+2", 100},
        {"1D-2", 0.01},
        {"1e", 1},
        {"1e+", 1},
        {"1d-x", 1},
        {"1,000", 1},
        {"abc", 0},
        {".", 0},
        {"+", 0},
        {"-", 0},
        {"+-1", 0},
        {"- 1", 0},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"52.5", 52.5},
        {"\xA3\xB1\xA3\xB2秒", 12},           // full-width 1 2
        {"\xA1\xA1" "7", 7},                  // ideographic space
        {"\xA3\xAD\xA3\xB3", -3},             // full-width minus
        {"\xA3\xAB\xA3\xB5", 5},              // full-width plus
        {"\xA3\xB1\xA3\xAE\xA3\xB5", 1.5},    // full-width point
        {"\xA3\xB1\xA3\xE5\xA3\xB2", 100},    // full-width e
        {"1\xA3\xC4" "2", 100},               // full-width D
        {"\xA1\xAB" "1", 0},                  // full-width tilde folds to '~', not a number
        {"\xA3\xA3\xB1", 0},                  // pair A3 A3 ('#'), then a lone B1: no '1' is read
        {"\x81" "1", 0},                      // 81 31 is one character, not a '1'
        {"7\xA3", 7},                         // a lone lead byte at the end is dropped
    };
    for (const auto& c : cases) EXPECT_TRUE(same_double(c.number, text_to_number(c.text))) << bytes_of(c.text);
}

TEST(TextToNumber, GivesTheNearestDouble) {
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const struct {
        const char* text;
        double number;
    } cases[] = {
        {"0.1", 0.1},
        {"-0", -0.0},
        {"9007199254740993", 9007199254740992.0},  // a tie, to even
        {"9007199254740995", 9007199254740996.0},
        {"1.7976931348623157e308", max},
        {"1.7976931348623158e308", max},
        {"1e309", max},  // beyond the largest double: the largest double
        {"-1e400", -max},
        {"1e999999999999999999999", max},
        {"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        {"4.9406564584124654e-324", tiny},
        {"2.4703282292062328e-324", tiny},  // just above half the smallest denormal
        {"2e-324", 0},
        {"1e-400", 0},
        {"-1e-400", -0.0},
        {"1e-999999999999999999999", 0},
    };
    for (const auto& c : cases) EXPECT_TRUE(same_double(c.number, text_to_number(TextRef(c.text, std::strlen(c.text))))) << c.text;
}

// Rounding needs every significant digit up to the 768th, and after that only
// whether any digit is not zero.
TEST(TextToNumber, LongNumbersRoundOnTheirExactValue) {
    const std::string half_way = "1.00000000000000011102230246251565404236316680908203125";  // 1 + 2^-53
    const double above_one = std::nextafter(1.0, 2.0);
    EXPECT_TRUE(same_double(1.0, text_to_number(view_of(half_way))));  // a tie, to even
    EXPECT_TRUE(same_double(1.0, text_to_number(view_of(half_way + std::string(2000, '0')))));
    EXPECT_TRUE(same_double(above_one, text_to_number(view_of(half_way + std::string(2000, '0') + "1"))));
    EXPECT_TRUE(same_double(above_one, text_to_number(view_of(half_way + std::string(2000, '0') + "1e0"))));

    EXPECT_TRUE(same_double(1, text_to_number(view_of(std::string(3000, '0') + "1"))));
    EXPECT_TRUE(same_double(1, text_to_number(view_of("0." + std::string(3000, '0') + "1e3001"))));
    EXPECT_TRUE(same_double(1, text_to_number(view_of("1" + std::string(3000, '0') + "e-3000"))));
    EXPECT_TRUE(same_double(1e300, text_to_number(view_of("1" + std::string(300, '0') + "." + std::string(900, '0')))));
    EXPECT_TRUE(same_double(std::numeric_limits<double>::max(), text_to_number(view_of("1" + std::string(3000, '0')))));
}

// Short numbers are worked out in double arithmetic, the rest through strtod:
// both routes must give the same double, bit for bit, on either side of the
// limits of the short one (15 digits, exponents -22..22).
TEST(TextToNumber, ShortNumbersReadAsTheGeneralRouteReadsThem) {
    const std::string long_zeros(30, '0');
    const std::string cases[] = {
        "0", "-0", "+0.000", "-0e400", "0e-400", ".0", "-.0e5",
        "1", "-1", "60秒", "52.5", "0.1", "0.3", "-0.7", "3.14159", "1.234567890123e+013秒",
        "123456789012345", "999999999999999", "1234567890123456", "9999999999999999",
        "9007199254740993", "9007199254740992", "123456789012345.6", "1.00000000000000",
        "1e22", "1e23", "-1e22", "1e-22", "1e-23", "9e22", "999999999999999e22", "999999999999999e-22",
        "123456789012345e-22", "123456789012345e-23", "0.000000000000000000001", "0.0000000000000000000001",
        "0.1e-21", "0.1e-22", "10e21", "10e22", "1000000000000000", "100000000000000e8",
        "0000000000000000000123", "000.000000000000000000000123e22", "123" + long_zeros + "e-30",
        "1" + long_zeros, "0." + long_zeros + "1e31", "8.98846567431158e307", "4.9e-324", "1e308", "1e-308",
        "12.5d3", "12.5D-3", "\xA3\xB1\xA3\xAE\xA3\xB5\xA3\xE5\xA3\xAD\xA3\xB2", "\xA1\xA1-7.25e1",
    };
    for (const std::string& text : cases) {
        EXPECT_TRUE(same_double(text_internal::text_to_number_general(view_of(text)), text_to_number(view_of(text))))
            << text;
    }
}

// Random numbers around the short route's limits, in ASCII and full-width forms.
TEST(TextToNumber, RandomNumbersReadAsTheGeneralRouteReadsThem) {
    std::mt19937_64 random(20261211);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    // Each ASCII character, or its full-width form one time in four.
    auto put = [&](std::string& out, char c) {
        if (below(4) == 0) {
            out += '\xA3';
            out += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
        } else {
            out += c;
        }
    };
    for (int i = 0; i < 300000; ++i) {
        std::string text;
        if (below(4) == 0) text += below(2) == 0 ? " " : "\xA1\xA1";
        if (below(3) == 0) put(text, below(2) == 0 ? '-' : '+');
        const int leading_zeros = below(4) == 0 ? below(25) : 0;
        for (int z = 0; z < leading_zeros; ++z) put(text, '0');
        const int digits = below(20);
        const int point = below(digits + 2) - 1;  // -1: no point
        for (int d = 0; d < digits; ++d) {
            if (d == point) put(text, '.');
            put(text, static_cast<char>('0' + (below(5) == 0 ? 0 : below(10))));
        }
        if (point == digits) put(text, '.');
        if (below(2) == 0) {
            put(text, "eEdD"[below(4)]);
            if (below(2) == 0) put(text, below(2) == 0 ? '-' : '+');
            const int exponent = below(4) == 0 ? below(400) : below(40);
            for (char c : std::to_string(exponent)) put(text, c);
        }
        if (below(2) == 0) text += "秒";
        ASSERT_TRUE(same_double(text_internal::text_to_number_general(view_of(text)), text_to_number(view_of(text))))
            << text;
    }
}

// --- Number to text ----------------------------------------------------------

TEST(NumberToText, FormatsLikePercent13gWithAThreeDigitExponent) {
    const struct {
        double number;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "-0"},
        {1, "1"},
        {60, "60"},
        {120, "120"},
        {52.5, "52.5"},
        {-52.5, "-52.5"},
        {0.5, "0.5"},
        {1.0 / 3, "0.3333333333333"},
        {2.0 / 3, "0.6666666666667"},
        {0.1 + 0.2, "0.3"},
        {123456.789, "123456.789"},
        {1e12, "1000000000000"},
        {9999999999999, "9999999999999"},
        {9999999999999.4, "9999999999999"},
        {9999999999999.5, "1e+013"},  // rounds up into exponent form
        {1e13, "1e+013"},
        {12345678901234, "1.234567890123e+013"},
        {-12345678901234, "-1.234567890123e+013"},
        // Exact ties at the 13th digit round half to even.
        {5387592357614.5, "5387592357614"},
        {5387592357615.5, "5387592357616"},
        {1234567890123.5, "1234567890124"},
        {99999999999985, "9.999999999998e+013"},
        {99999999999995, "1e+014"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {9.9999999999999e-5, "0.0001"},  // rounds up out of exponent form
        {1.5e-7, "1.5e-007"},
        {1e21, "1e+021"},
        {1e100, "1e+100"},
        {1e300, "1e+300"},
        {1e-300, "1e-300"},
        {std::numeric_limits<double>::max(), "1.797693134862e+308"},
        {std::numeric_limits<double>::min(), "2.225073858507e-308"},
        {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
        {-std::numeric_limits<double>::denorm_min(), "-4.940656458412e-324"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases) {
        const Text text = number_to_text(c.number);
        EXPECT_EQ(bytes_of(text), c.text);
        EXPECT_EQ(text.data()[text.size()], '\0');
    }
}

TEST(NumberToText, HalfCountsKeepOneDecimal) {
    for (int bytes = 0; bytes <= 100001; ++bytes) {
        const std::string expected = std::to_string(bytes / 2) + (bytes % 2 != 0 ? ".5" : "");
        ASSERT_EQ(bytes_of(number_to_text(bytes / 2.0)), expected);
    }
}

// Whole numbers below 10^13 and halves are written straight from an integer,
// everything else through printf: both routes must give the same text. A half
// from 10^12 up rounds to 13 digits; 9999999999999.5 rounds into "1e+013".
::testing::AssertionResult writes_as_the_general_route(double value) {
    const std::string fast = bytes_of(number_to_text(value));
    const std::string general = bytes_of(text_internal::number_to_text_general(value));
    if (fast == general) return ::testing::AssertionSuccess();
    char shown[40];
    std::snprintf(shown, sizeof shown, "%.17g", value);
    return ::testing::AssertionFailure() << shown << " was written as " << fast << ", not " << general;
}

TEST(NumberToText, WholeAndHalfEdgesWriteAsTheGeneralRoute) {
    const double cases[] = {
        0, -0.0, 0.5, 1, 1.5, 9, 9.5, 10, 99.5, 100, 999999999999, 999999999999.5,
        1e12, 1e12 + 0.5, 1e12 + 1.5, 1e12 + 1, 5387592357614.5, 5387592357615.5,
        9999999999998, 9999999999998.5, 9999999999999, 9999999999999.5, 1e13 - 0.25, 1e13,
        1e13 + 0.5, 1e13 + 1, 4503599627370495.5, 9007199254740993.0, 0.25, 0.75, 1.25,
        std::numeric_limits<double>::denorm_min(), 1e300,
    };
    for (double value : cases) {
        EXPECT_TRUE(writes_as_the_general_route(value));
        EXPECT_TRUE(writes_as_the_general_route(-value));
    }
    EXPECT_EQ(bytes_of(number_to_text(9999999999999.5)), "1e+013");
    EXPECT_EQ(bytes_of(number_to_text(-9999999999999.5)), "-1e+013");
    EXPECT_EQ(bytes_of(number_to_text(-0.5)), "-0.5");
}

TEST(NumberToText, RandomWholeAndHalfValuesWriteAsTheGeneralRoute) {
    std::mt19937_64 random(20261211);
    constexpr std::int64_t kHalvesBelowTenTo13 = 20000000000000;
    std::uniform_int_distribution<std::int64_t> any_halves(-kHalvesBelowTenTo13 + 1, kHalvesBelowTenTo13 - 1);
    std::uniform_int_distribution<int> digits(1, 14);
    for (int i = 0; i < 300000; ++i) {
        // Every length of number equally often, not only the longest.
        std::int64_t halves = any_halves(random);
        std::int64_t limit = 1;
        for (int d = digits(random); d > 0; --d) limit *= 10;
        halves %= limit;
        ASSERT_TRUE(writes_as_the_general_route(static_cast<double>(halves) / 2));
    }
}

// --- Both directions ---------------------------------------------------------

// What the seconds counter does with n: to text, "秒" appended, back to a number.
::testing::AssertionResult counter_survives(std::uint64_t n) {
    const double value = static_cast<double>(n);
    const Text text = number_to_text(value);
    if (bytes_of(text) != std::to_string(n)) {
        return ::testing::AssertionFailure() << n << " was written as " << bytes_of(text);
    }
    const Text caption = concat({text, "秒"});
    const double read = text_to_number(caption);
    if (read != value) return ::testing::AssertionFailure() << bytes_of(caption) << " was read as " << read;
    return ::testing::AssertionSuccess();
}

constexpr std::uint64_t kTenTo13 = 10000000000000;

TEST(CounterRoundTrip, EveryNumberUpToAMillion) {
    for (std::uint64_t n = 0; n <= 1000000; ++n) ASSERT_TRUE(counter_survives(n));
}

TEST(CounterRoundTrip, PowersOfTenAndTheirNeighbours) {
    for (std::uint64_t power = 1; power <= kTenTo13; power *= 10) {
        for (std::uint64_t n : {power - 1, power, power + 1}) {
            if (n < kTenTo13) {
                ASSERT_TRUE(counter_survives(n));
            }
        }
    }
}

TEST(CounterRoundTrip, RandomSampleBelowTenTo13) {
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<std::uint64_t> below(0, kTenTo13 - 1);
    for (int i = 0; i < 300000; ++i) ASSERT_TRUE(counter_survives(below(random)));
}

// The C locale's decimal separator must not leak into either conversion.
TEST(Conversions, IgnoreTheCLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* comma_locale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "German_Germany.1252", "German", "de-DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
            comma_locale = name;
            break;
        }
    }
    if (comma_locale == nullptr) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no C locale with a decimal comma on this system";
    }
    const double read = text_to_number("52.5秒");
    const std::string written = bytes_of(number_to_text(1234.5));
    const std::string exponent = bytes_of(number_to_text(1.5e-7));
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(same_double(52.5, read)) << comma_locale;
    EXPECT_EQ(written, "1234.5") << comma_locale;
    EXPECT_EQ(exponent, "1.5e-007") << comma_locale;
}

}  // namespace
}  // namespace kestrava
