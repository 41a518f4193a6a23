// Running out of memory for a text ends the program with a report naming the
// number of bytes asked for. This program links an allocator that never has
// any memory in place of the library's (text/text_storage.h).
#include "text/text.h"
#include "text/gbk.h"
#include "text/text_storage.h"

#include <gtest/gtest.h>

namespace kestrava {

void* allocate_text_storage(std::size_t) { return nullptr; }

namespace {

TEST(TextOutOfMemory, ConcatReportsTheBytesItAskedForAndEnds) {
    // Four and three bytes, and the terminator.
    EXPECT_EXIT(concat({"共计", "abc"}), ::testing::ExitedWithCode(1),
                "out of memory: could not obtain 8 bytes for a text");
}

TEST(TextOutOfMemory, EvenAnEmptyResultNeedsMemory) {
    EXPECT_EXIT(concat({TextRef(), ""}), ::testing::ExitedWithCode(1), "could not obtain 1 bytes");
}

TEST(TextOutOfMemory, NumberToTextReportsAndEnds) {
    EXPECT_EXIT(number_to_text(52.5), ::testing::ExitedWithCode(1), "could not obtain 5 bytes");
}

TEST(TextOutOfMemory, CopiesReportAndEnd) {
    EXPECT_EXIT(Text::copy_of("60"), ::testing::ExitedWithCode(1), "could not obtain 3 bytes");
    EXPECT_EXIT(Text::with_size(1000), ::testing::ExitedWithCode(1), "could not obtain 1001 bytes");
}

TEST(TextOutOfMemory, OperationsWithoutANewTextNeedNoMemory) {
    EXPECT_TRUE(Text::copy_of(TextRef()).absent());
    EXPECT_EQ(byte_length("abc"), 3);
    EXPECT_EQ(compare("a", "b"), -1);
    EXPECT_EQ(text_to_number("60"), 60);
}

}  // namespace
}  // namespace kestrava
