#include "text/text.h"
#include "text/gbk.h"

#include <gtest/gtest.h>

namespace kestrava {
namespace {

TEST(ByteLength, CountsBytes) { EXPECT_EQ(byte_length("60秒"), 4); }

}  // namespace
}  // namespace kestrava
