// Where the bytes of a Text come from, and what happens when there are none.
//
// Both functions are link-time seams. Each is defined alone in its own source
// file of the kestrava_text library, so a program that defines its own version
// in one of its object files gets that one instead of the library's:
//   - the tests link an allocator that always fails, to reach the fatal path;
//   - the Windows program can show its error box instead of writing to stderr.
// Define a replacement in an object file of the executable itself (not in
// another static library), so that it is seen before the library's.
#pragma once

#include <cstddef>

namespace kestrava {

// `size` bytes from the C heap (Text gives them back with std::free), or
// nullptr when there is no memory. The default is std::malloc.
void* allocate_text_storage(std::size_t size);

// Reports that `size` bytes for a text could not be obtained and ends the
// process; never returns. The default writes one line naming the size to
// stderr and exits with code 1.
[[noreturn]] void report_text_out_of_memory(std::size_t size);

}  // namespace kestrava
