// Kestrava.exe's global allocation functions: memory from the C heap, and no
// exception when there is none, but the program's report and its end.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

TEST(Allocation, BuffersComeAndGo) {
    auto chars = std::make_unique<wchar_t[]>(1 << 20);
    chars[(1 << 20) - 1] = L'x';
    auto empty = std::make_unique<char[]>(0);
    EXPECT_NE(empty.get(), nullptr);
    EXPECT_NE(static_cast<void*>(empty.get()), static_cast<void*>(chars.get()));
}

TEST(Allocation, NoMemoryReportsTheBytesAndEnds) {
    volatile std::size_t too_many = PTRDIFF_MAX;
    EXPECT_EXIT(std::make_unique<char[]>(too_many), ::testing::ExitedWithCode(1),
                "could not obtain 9223372036854775807 bytes");
}

}  // namespace
