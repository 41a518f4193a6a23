// Cost per call of the text operations, with the C library's conversions as
// baselines in the same run. Run: build/native/bench/text/text_bench
#include "text/text.h"
#include "text/gbk.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace kestrava {
namespace {

// Values the program converts: seconds, half counts, and a long fraction.
constexpr double kValues[] = {0, 7, 60, 52.5, 3599, 1.0 / 3, 12345678901234};
constexpr int kValueCount = sizeof kValues / sizeof kValues[0];

void NumberToText(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        Text text = number_to_text(kValues[i]);
        benchmark::DoNotOptimize(text.data());
        i = i + 1 == kValueCount ? 0 : i + 1;
    }
}
BENCHMARK(NumberToText);

void BaselineSnprintf13g(benchmark::State& state) {
    int i = 0;
    char buffer[32];
    for (auto _ : state) {
        std::snprintf(buffer, sizeof buffer, "%.13g", kValues[i]);
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
        i = i + 1 == kValueCount ? 0 : i + 1;
    }
}
BENCHMARK(BaselineSnprintf13g);

// Captions as the tick reads them, and a full-width one.
const char* const kCaptions[] = {"0秒", "7秒", "60秒", "3599秒", "52.5", "1.234567890123e+013秒",
                                 "\xA3\xB1\xA3\xB2秒"};
constexpr int kCaptionCount = sizeof kCaptions / sizeof kCaptions[0];

void TextToNumber(benchmark::State& state) {
    TextRef captions[kCaptionCount];
    for (int i = 0; i < kCaptionCount; ++i) captions[i] = TextRef(kCaptions[i], std::char_traits<char>::length(kCaptions[i]));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_to_number(captions[i]));
        i = i + 1 == kCaptionCount ? 0 : i + 1;
    }
}
BENCHMARK(TextToNumber);

void BaselineStrtod(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strtod(kCaptions[i], nullptr));
        i = i + 1 == kCaptionCount ? 0 : i + 1;
    }
}
BENCHMARK(BaselineStrtod);

// The tick: number to text, "秒" appended, read back.
void CounterTick(benchmark::State& state) {
    double seconds = 0;
    for (auto _ : state) {
        Text number = number_to_text(seconds + 1);
        Text caption = concat({number, "秒"});
        seconds = text_to_number(caption);
        benchmark::DoNotOptimize(seconds);
    }
}
BENCHMARK(CounterTick);

// The stop action's result message, five pieces.
void ConcatResultMessage(benchmark::State& state) {
    const Text caption = Text::copy_of("60秒");
    const Text count = number_to_text(52.5);
    for (auto _ : state) {
        Text message = concat({"共计", caption, "，共计打了", count, "个汉字"});
        benchmark::DoNotOptimize(message.data());
    }
}
BENCHMARK(ConcatResultMessage);

void CompareWithLimit(benchmark::State& state) {
    const Text caption = Text::copy_of("59秒");
    for (auto _ : state) benchmark::DoNotOptimize(compare(caption, "60秒"));
}
BENCHMARK(CompareWithLimit);

}  // namespace
}  // namespace kestrava

BENCHMARK_MAIN();
