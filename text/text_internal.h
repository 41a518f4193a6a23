// The conversions' general routes, without their fast paths, for the tests that
// check each fast path against them. Not part of the text API.
#pragma once

#include "text/text.h"

namespace kestrava {
namespace text_internal {

// text_to_number, always rounding through the C library's strtod.
double text_to_number_general(TextRef text);
// number_to_text, always formatting through the C library's printf.
Text number_to_text_general(double value);

}  // namespace text_internal
}  // namespace kestrava
